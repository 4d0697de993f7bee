#include "SpacingText.h"

#include "NumberFormat.h"
#include "ParameterRules.h"

#include <cctype>

bool IsSpacingList(const QString& text) {
    return text.contains(QLatin1Char(',')) || text.contains(QLatin1Char(' '));
}

namespace {

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Length of the number that a real conversion would take at the start of text, or 0.
qsizetype NumberLength(const QString& text, qsizetype from) {
    qsizetype i = from;
    const qsizetype n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                     text[i] == '\v' || text[i] == '\f'))
        ++i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool digits = false;
    while (i < n && IsDigit(text[i])) {
        ++i;
        digits = true;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i - from;
}

} // namespace

SpacingRows ReadSpacingRows(const QString& input, int carriers) {
    const QString text = input.isEmpty() ? QStringLiteral("*") : input;
    SpacingRows rows;
    rows.isList = IsSpacingList(text);
    if (!rows.isList) {
        rows.common = text;
        for (int i = 0; i + 1 < carriers; ++i)
            rows.cells << text;
        return rows;
    }
    qsizetype cursor = 0;
    for (int i = 0; i + 1 < carriers; ++i) {
        const qsizetype length = NumberLength(text, cursor);
        const double value = length > 0 ? ParseRealText(text.mid(cursor, length)) : 0.0;
        cursor += length;
        while (cursor < text.size() && !IsDigit(text[cursor]))
            ++cursor;
        rows.cells << RealText(value);
    }
    return rows;
}

QString JoinSpacingCells(const QStringList& cells) {
    return cells.join(QLatin1Char(','));
}

QString CarrierPairLabel(int row) {
    return QStringLiteral("Carriers %1-%2").arg(row + 1).arg(row + 2);
}
