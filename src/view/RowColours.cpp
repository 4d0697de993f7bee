#include "RowColours.h"

#include "SignalDescription.h"

#include <cmath>

namespace {

const QColor MergedColour(0, 160, 0);
const QColor MergedInvalidColour(255, 160, 0);
const QColor InvalidColour(255, 0, 0);
const QColor DisabledColour(160, 160, 160);

constexpr double ReadableContrast = 4.5;

double Luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

QColor Readable(const QColor& colour, const QColor& background) {
    // A light background keeps the colours as they are.
    if (Luminance(background) >= 0.18)
        return colour;
    float hue = 0;
    float saturation = 0;
    float lightness = 0;
    colour.getHslF(&hue, &saturation, &lightness);
    QColor lighter = colour;
    while (ContrastRatio(lighter, background) < ReadableContrast && lightness < 1.0f) {
        lightness = std::min(1.0f, lightness + 0.02f);
        lighter = QColor::fromHslF(hue, saturation, lightness);
    }
    return lighter;
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor RowColour(const CSignalDescription& s, const QColor& background) {
    if (s.IsMerged())
        return Readable(s.IsInvalid() ? MergedInvalidColour : MergedColour, background);
    if (s.IsInvalid())
        return Readable(InvalidColour, background);
    if (s.m_bDisabled)
        return Readable(DisabledColour, background);
    return {};
}

QColor ComparedColour(int state, const QColor& background) {
    // Changed, not in the other, only in the other.
    static const QColor light[] = {QColor(0xff, 0xe8, 0xa3), QColor(0xf6, 0xc4, 0xc4),
                                   QColor(0xc6, 0xef, 0xc6)};
    static const QColor dark[] = {QColor(0x5c, 0x4b, 0x10), QColor(0x66, 0x24, 0x24),
                                  QColor(0x1f, 0x52, 0x26)};
    if (state < 1 || state > 3)
        return {};
    return Luminance(background) >= 0.18 ? light[state - 1] : dark[state - 1];
}
