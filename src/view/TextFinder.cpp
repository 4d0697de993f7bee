#include "TextFinder.h"

#include "SignalColumns.h"

#include <QStringView>

CTextFinder::CTextFinder(const QString& text) : m_text(text) {
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        m_bytes = text.toLower().toStdString();
}

bool CTextFinder::Matches(const CSignalDescription& signal) const {
    if (m_text.isEmpty())
        return true;
    CellBuffer buffer;
    for (int column : FindColumns) {
        if (Contains(SignalCellText(signal, column, buffer)))
            return true;
    }
    return false;
}

bool CTextFinder::Contains(const char16_t* text) const {
    return QStringView(text).contains(m_text, Qt::CaseInsensitive);
}
