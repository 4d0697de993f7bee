#include "ParameterRules.h"

#include "ControlIds.h"
#include "LocalDecimal.h"
#include "NumberFormat.h"

#include <QLocale>

namespace {

std::u16string_view View(const QString& text) {
    return std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()),
        static_cast<std::size_t>(std::min<qsizetype>(text.size(), NumberTextLimit)));
}

// A decimal typed with the locale's decimal comma ("45,45" in German) as the file writes it
// ("45.45"); a text with a point as well, or with more than one comma, stays as it is.
QString WithDecimalPoint(const QString& text) {
    const QString comma = QLocale().decimalPoint();
    if (comma == QLatin1String(".") || text.count(comma) != 1 || text.contains(u'.'))
        return text;
    return QString(text).replace(comma, QStringLiteral("."));
}

bool IsAny(const QString& text) {
    return text.trimmed() == QLatin1String("*");
}

} // namespace

QString CountText(std::int32_t value) {
    if (value == -1)
        return QStringLiteral("*");
    return value > 0 ? QString::number(value) : QString();
}

bool IsWholeNumber(const QString& text, bool count, bool wildcard) {
    const QString number = (count ? text : WithDecimalPoint(text)).trimmed();
    if (number.isEmpty() || (wildcard && number == QLatin1String("*")))
        return true;
    if (count) {
        qsizetype digits = number.front() == u'+' || number.front() == u'-' ? 1 : 0;
        if (digits == number.size())
            return false;
        for (; digits < number.size(); ++digits) {
            if (!number[digits].isDigit() || number[digits].unicode() > u'9')
                return false;
        }
        return true;
    }
    const std::u16string_view view(reinterpret_cast<const char16_t*>(number.utf16()),
                                   static_cast<std::size_t>(number.size()));
    return RealPrefixLength(view) == view.size();
}

double ParseRealOrAny(const QString& text) {
    return IsAny(text) ? -1.0 : ParseReal(View(WithDecimalPoint(text)));
}

double ParseRealText(const QString& text) {
    return ParseReal(View(WithDecimalPoint(text)));
}

std::int32_t ParseCountOrAny(const QString& text) {
    return IsAny(text) ? -1 : ParseULong(View(text));
}

std::int32_t ParseCountText(const QString& text) {
    return ParseULong(View(text));
}

QString RealText(double value) {
    char16_t text[MaxRealTextLength + 1];
    FormatReal(value, text);
    return QStringView(text).toString();
}

QString CoupledText(const QString& typed) {
    const double value = ParseRealOrAny(typed);
    if (value == 0.0)
        return QString();
    if (value == -1.0)
        return QStringLiteral("*");
    return LocalDecimal(RealText(1000.0 / value));
}

QString ToneDurationText(double baudrate) {
    return baudrate > 0 ? LocalDecimal(RealText(1000.0 / baudrate)) : QString();
}
