#include "SpacingText.h"

#include "NumberFormat.h"
#include "ParameterRules.h"

bool IsSpacingList(const QString& text) {
    return text.contains(QLatin1Char(',')) || text.contains(QLatin1Char(' '));
}

QString OfdmSpacingText(const char16_t* spacing) {
    const QString text = QStringView(spacing).toString();
    return IsSpacingList(text) ? QString() : text;
}

namespace {

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Length of the number that a real conversion would take at text[from], or 0.
qsizetype NumberLength(const QString& text, qsizetype from) {
    const std::u16string_view rest(reinterpret_cast<const char16_t*>(text.utf16()) + from,
                                   static_cast<std::size_t>(text.size() - from));
    return static_cast<qsizetype>(RealPrefixLength(rest));
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
