#pragma once

#include <string>
#include <string_view>

// Conversions between the file's UTF-8 and the record's UTF-16. ASCII, the common case,
// is converted in place without touching Qt's codecs.

// Decodes UTF-8 into out (replacing its content).
void DecodeUtf8(std::string_view utf8, std::u16string& out);

// Encodes UTF-16 into out (replacing its content).
void EncodeUtf8(std::u16string_view utf16, std::string& out);

// Encodes a null-terminated text into out when every character is one XML 1.0 can carry
// (see IsXmlText); returns false otherwise. One pass over the common ASCII text.
bool EncodeXmlText(const char16_t* utf16, std::string& out);

// True when the text holds only characters that XML 1.0 can carry: no control characters
// other than tab, line feed and carriage return, no unpaired surrogates, no U+FFFE/U+FFFF.
bool IsXmlText(std::u16string_view utf16);

// Appends character data for an XML file: markup characters and CR as references; tab and LF
// as they are.
void AppendXmlText(std::string& out, std::string_view utf8);
