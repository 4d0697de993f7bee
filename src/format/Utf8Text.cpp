#include "Utf8Text.h"

#include "SignalText.h"

#include <QString>
#include <QStringDecoder>

void DecodeUtf8(std::string_view utf8, std::u16string& out) {
    out.resize(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x80) {
            // A U+FEFF here is a character of the text, not a byte-order mark to drop.
            QStringDecoder decoder(QStringConverter::Utf8,
                                   QStringConverter::Flag::ConvertInitialBom);
            const QString text =
                decoder(QByteArrayView(utf8.data() + i, static_cast<qsizetype>(utf8.size() - i)));
            out.resize(i);
            out.append(reinterpret_cast<const char16_t*>(text.utf16()),
                       static_cast<std::size_t>(text.size()));
            return;
        }
        out[i] = static_cast<char16_t>(c);
    }
}

void EncodeUtf8(std::u16string_view utf16, std::string& out) {
    out.resize(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t c = utf16[i];
        if (c >= 0x80) {
            const QByteArray bytes =
                QString::fromRawData(reinterpret_cast<const QChar*>(utf16.data() + i),
                                     static_cast<qsizetype>(utf16.size() - i))
                    .toUtf8();
            out.resize(i);
            out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            return;
        }
        out[i] = static_cast<char>(c);
    }
}

bool IsXmlText(std::u16string_view utf16) {
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t c = utf16[i];
        if (IsHighSurrogate(c)) {
            if (i + 1 >= utf16.size() || !IsLowSurrogate(utf16[i + 1]))
                return false;
            ++i;
        } else if (IsLowSurrogate(c) || !IsXmlCodeUnit(c)) {
            return false;
        }
    }
    return true;
}

bool EncodeXmlText(const char16_t* utf16, std::string& out) {
    out.clear();
    for (const char16_t* p = utf16; *p != u'\0'; ++p) {
        const char16_t c = *p;
        if (c >= 0x80) {
            const std::u16string_view rest(p);
            if (!IsXmlText(rest))
                return false;
            std::string tail;
            EncodeUtf8(rest, tail);
            out += tail;
            return true;
        }
        if (!IsXmlCodeUnit(c))
            return false;
        out += static_cast<char>(c);
    }
    return true;
}

void AppendXmlText(std::string& out, std::string_view utf8) {
    // Runs without a character to escape go in whole: most texts have none.
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = utf8.find_first_of("&<>\"\r", from);
        out.append(utf8.substr(from, at == std::string_view::npos ? at : at - from));
        if (at == std::string_view::npos)
            return;
        switch (utf8[at]) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += "&#13;";
        }
        from = at + 1;
    }
}
