#pragma once

#include <QString>

#include <string>

class CSignalDescription;

// Whether a record's Name, Decoder, Modulation, ITU Designator or Comments contain a text,
// ignoring case. Matching reads the record's texts in place: nothing is allocated.
class CTextFinder {
public:
    explicit CTextFinder(const QString& text = {});

    bool IsEmpty() const { return m_text.isEmpty(); }
    const QString& Text() const { return m_text; }
    bool Matches(const CSignalDescription& signal) const;
    // The text folded to lower-case bytes when it is all ASCII; empty otherwise.
    const std::string& FoldedAscii() const { return m_bytes; }

private:
    bool Contains(const char16_t* text) const;

    QString m_text;
    QString m_folded;     // the text in lower case, when it is all ASCII
    bool m_bAscii = true; // ASCII texts take a fast path that folds A-Z only
    std::string m_bytes;
};
