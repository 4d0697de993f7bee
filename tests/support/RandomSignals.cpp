#include "RandomSignals.h"

#include "SignalText.h"
#include "Vocabulary.h"

#include <cmath>

// A random text of at most maxUnits code units, with characters from every plane that
// XML 1.0 can carry (tab, line feed and carriage return included).
std::u16string RandomText(QRandomGenerator& random, int maxUnits) {
    std::u16string text;
    const int target = random.bounded(maxUnits + 1);
    while (static_cast<int>(text.size()) < target) {
        char32_t c = 0;
        switch (random.bounded(6)) {
        case 0:
            c = U"\t\n\r <>&\"'"[random.bounded(9)];
            break;
        case 1:
            c = static_cast<char32_t>(random.bounded(0x20, 0x7F));
            break;
        case 2:
            c = static_cast<char32_t>(random.bounded(0xA0, 0x800));
            break;
        case 3:
            c = static_cast<char32_t>(random.bounded(0x800, 0xD800));
            break;
        case 4:
            c = static_cast<char32_t>(random.bounded(0xE000, 0xFFFE));
            break;
        default:
            c = static_cast<char32_t>(random.bounded(0x10000, 0x110000));
        }
        if (c >= 0x10000) {
            if (static_cast<int>(text.size()) + 2 > target)
                break;
            c -= 0x10000;
            text += static_cast<char16_t>(0xD800 + (c >> 10));
            text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            text += static_cast<char16_t>(c);
        }
    }
    return text;
}

double RandomReal(QRandomGenerator& random) {
    switch (random.bounded(8)) {
    case 0:
        return 0;
    case 1:
        return -1;
    case 2:
        return random.bounded(2) ? -0.5 : -5.0;
    case 3:
        return 45.45;
    default: {
        // Mantissa with many digits, exponent from 1e-7 to 1e12: plain and exponent forms.
        const double mantissa = 1 + random.generateDouble() * 9;
        return mantissa * std::pow(10.0, random.bounded(-7, 13));
    }
    }
}

std::int32_t RandomCount(QRandomGenerator& random) {
    const std::int32_t counts[] = {-1, 0, 0, 1, 2, 3, 8, 16, 64, 4096};
    return counts[random.bounded(10)];
}

CSignalDescription RandomRecord(QRandomGenerator& random) {
    CSignalDescription s;
    CopyText(s.m_szName, RandomText(random, CSignalDescription::NameCapacity - 1));
    s.m_nMode = random.bounded(DecoderModeCount);
    s.m_nModulation = random.bounded(ModulationCount);
    const int submodes[] = {1, FskSubmodeCount, 1, PskSubmodeCount, SubcarrierModulationCount, 1};
    s.m_nSubmode = random.bounded(submodes[s.m_nModulation]);
    s.m_bDisabled = random.bounded(2);
    s.m_nCodecheckCounter = RandomCount(random);
    CopyText(s.m_szITU, RandomText(random, CSignalDescription::ITUCapacity - 1));
    CopyText(s.m_szComment, RandomText(random, CSignalDescription::CommentCapacity - 1));
    s.m_dBaudrate = RandomReal(random);
    s.m_dShift = RandomReal(random);
    s.m_dBandwidth = RandomReal(random);
    s.m_nNumTones = RandomCount(random);
    s.m_nNumTonesMin = RandomCount(random);
    s.m_nNumChannels = RandomCount(random);
    s.m_nNumChannelsMin = RandomCount(random);
    CopyText(s.m_szSpacing, random.bounded(3) ? RandomText(random, 20) : std::u16string(u"*"));
    s.m_dPilotFrequency = RandomReal(random);
    return s;
}

QString Describe(const CSignalDescription& s) {
    return QStringLiteral("mode %1 family %2/%3 dis %4 cc %5 baud %6 shift %7 bw %8 tones %9/%10 "
                          "ch %11/%12 pilot %13 inv %14 spacing '%15'")
        .arg(s.m_nMode)
        .arg(s.m_nModulation)
        .arg(s.m_nSubmode)
        .arg(s.m_bDisabled)
        .arg(s.m_nCodecheckCounter)
        .arg(s.m_dBaudrate)
        .arg(s.m_dShift)
        .arg(s.m_dBandwidth)
        .arg(s.m_nNumTones)
        .arg(s.m_nNumTonesMin)
        .arg(s.m_nNumChannels)
        .arg(s.m_nNumChannelsMin)
        .arg(s.m_dPilotFrequency)
        .arg(s.IsInvalid())
        .arg(QString::fromUtf16(s.m_szSpacing));
}

bool SameStoredValues(const CSignalDescription& a, const CSignalDescription& b) {
    return a.IsEqual(b) && a.m_dBandwidth == b.m_dBandwidth &&
           a.m_nNumTonesMin == b.m_nNumTonesMin && a.m_nNumChannelsMin == b.m_nNumChannelsMin &&
           a.m_nCodecheckCounter == b.m_nCodecheckCounter && a.m_bDisabled == b.m_bDisabled &&
           a.IsInvalid() == b.IsInvalid() && a.IsMerged() == b.IsMerged() &&
           Describe(a) == Describe(b);
}
