#include "ModelTexts.h"

#include <QCoreApplication>

namespace {

// The texts the record names, for the translation tools (which do not read u"" literals).
[[maybe_unused]] const char* const Catalogue[] = {
    // column headings
    QT_TRANSLATE_NOOP("Signal", "Name"),
    QT_TRANSLATE_NOOP("Signal", "Decoder"),
    QT_TRANSLATE_NOOP("Signal", "Modulation"),
    QT_TRANSLATE_NOOP("Signal", "Subcarrier"),
    QT_TRANSLATE_NOOP("Signal", "Baud / Symbol Rate"),
    QT_TRANSLATE_NOOP("Signal", "Shift"),
    QT_TRANSLATE_NOOP("Signal", "Bandwidth"),
    QT_TRANSLATE_NOOP("Signal", "No. of Tones"),
    QT_TRANSLATE_NOOP("Signal", "No. of Carriers"),
    QT_TRANSLATE_NOOP("Signal", "Spacing"),
    QT_TRANSLATE_NOOP("Signal", "Pilot Frequency"),
    QT_TRANSLATE_NOOP("Signal", "Codecheck Counter"),
    QT_TRANSLATE_NOOP("Signal", "ITU Designator"),
    QT_TRANSLATE_NOOP("Signal", "Comments"),
    // validation messages
    QT_TRANSLATE_NOOP("Signal", "You have to specify a name"),
    QT_TRANSLATE_NOOP("Signal", "No negative baud rate allowed"),
    QT_TRANSLATE_NOOP("Signal", "No negative shift allowed"),
    QT_TRANSLATE_NOOP("Signal", "No negative number of tones allowed"),
    QT_TRANSLATE_NOOP("Signal", "No negative number of carriers allowed"),
    QT_TRANSLATE_NOOP("Signal", "No modulation selected"),
    QT_TRANSLATE_NOOP("Signal", "No baud rate specified"),
    QT_TRANSLATE_NOOP("Signal", "No shift specified"),
    QT_TRANSLATE_NOOP("Signal", "No spacing specified"),
    QT_TRANSLATE_NOOP("Signal", "Less than 3 tones specified for MFSK"),
    QT_TRANSLATE_NOOP("Signal", "No symbol rate specified"),
    QT_TRANSLATE_NOOP("Signal", "Unknown Modulation"),
    QT_TRANSLATE_NOOP("Signal", "Codecheck count must be positive"),
};

} // namespace

QString ModelTr(const char16_t* text) {
    return QCoreApplication::translate("Signal", QString::fromUtf16(text).toUtf8().constData());
}
