#include "SpacingText.h"

#include "NumberFormat.h"
#include "ParameterRules.h"

#include <QCoreApplication>
#include <algorithm>

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
    // Nothing is made in proportion to a count beyond what a list can show.
    const int pairs = std::min(carriers, MaxListCarriers) - 1;
    if (!rows.isList) {
        rows.common = text;
        for (int i = 0; i < pairs; ++i)
            rows.cells << text;
        return rows;
    }
    rows.source = text;
    qsizetype cursor = 0;
    for (int i = 0; i < pairs; ++i) {
        const qsizetype length = NumberLength(text, cursor);
        const double value = length > 0 ? ParseRealText(text.mid(cursor, length)) : 0.0;
        rows.starts << cursor;
        cursor += length;
        rows.ends << cursor;
        while (cursor < text.size() && !IsDigit(text[cursor]))
            ++cursor;
        rows.cells << RealText(value);
    }
    return rows;
}

QString JoinSpacingCells(const QStringList& cells) {
    return cells.join(QLatin1Char(','));
}

QString RejoinSpacingCells(const SpacingRows& filled, const QStringList& cells) {
    if (!filled.isList || cells.size() != filled.cells.size() || filled.starts.isEmpty())
        return JoinSpacingCells(cells);
    const QString& source = filled.source;
    // A value written goes with the list's own separator: a space where it has no comma.
    const QChar separator =
        !source.contains(u',') && source.contains(u' ') ? QChar(u' ') : QChar(u',');
    const auto separate = [&separator](QString& text) {
        if (!text.isEmpty() && text.back() != u',' && text.back() != u' ')
            text += separator;
    };
    QString text = source.left(filled.starts[0]);
    // Untouched rows the list had no value for, since the last value: a value written after
    // them gives each a "0", so that every value keeps its pair.
    int gap = 0;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (cells[i] == filled.cells[i]) {
            text += source.mid(filled.starts[i], filled.ends[i] - filled.starts[i]);
            gap = filled.starts[i] == filled.ends[i] ? gap + 1 : 0;
        } else {
            // A sign or point the reading passed over belonged to the old value.
            while (!text.isEmpty() &&
                   (text.back() == u'-' || text.back() == u'+' || text.back() == u'.'))
                text.chop(1);
            for (; gap > 0; --gap) {
                separate(text);
                text += u'0';
            }
            separate(text);
            text += cells[i];
        }
        const qsizetype next = i + 1 < cells.size() ? filled.starts[i + 1] : source.size();
        text += source.mid(filled.ends[i], next - filled.ends[i]);
    }
    return text;
}

QString CarrierPairLabel(int row) {
    return QCoreApplication::translate("SpacingText", "Carriers %1-%2").arg(row + 1).arg(row + 2);
}
