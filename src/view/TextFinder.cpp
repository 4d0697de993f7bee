#include "TextFinder.h"

#include "SignalColumns.h"

#include <QStringView>

namespace {

constexpr int SearchedColumns[] = {0, 1, 2, 12, 13};

inline char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

} // namespace

CTextFinder::CTextFinder(const QString& text) : m_text(text) {
    for (QChar c : text)
        m_bAscii = m_bAscii && c.unicode() < 0x80;
    if (m_bAscii) {
        m_folded = text.toLower();
        m_bytes = m_folded.toStdString();
    }
}

bool CTextFinder::Matches(const CSignalDescription& signal) const {
    if (m_text.isEmpty())
        return true;
    for (int column : SearchedColumns) {
        if (Contains(SignalCellText(signal, column)))
            return true;
    }
    return false;
}

bool CTextFinder::Contains(const char16_t* text) const {
    if (!m_bAscii)
        return QStringView(text).contains(m_text, Qt::CaseInsensitive);
    const auto* needle = reinterpret_cast<const char16_t*>(m_folded.utf16());
    const qsizetype length = m_folded.size();
    const char16_t first = needle[0];
    for (; *text != u'\0'; ++text) {
        if (FoldAscii(*text) != first)
            continue;
        qsizetype i = 1;
        while (i < length && text[i] != u'\0' && FoldAscii(text[i]) == needle[i])
            ++i;
        if (i == length)
            return true;
    }
    return false;
}
