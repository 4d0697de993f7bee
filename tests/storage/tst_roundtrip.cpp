#include "NumberFormat.h"
#include "SignalDescription.h"
#include "SignalText.h"
#include "VantorDoc.h"
#include "Vocabulary.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString Q(const char16_t* text) {
    return QString::fromUtf16(text);
}

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
        return -0.5;
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
    // Half the records are as the editor or the reader leave them: validated.
    if (random.bounded(2))
        s.m_bInvalid = s.Validate(random.bounded(2)) != nullptr;
    s.UpdateDisplayTexts();
    return s;
}

// What a save and reload does to a record, change by change.
CSignalDescription ExpectedAfterReload(const CSignalDescription& saved) {
    CSignalDescription e = saved;
    // 1. Reals are written with six significant digits; zero, the wildcard and other
    //    values not above 0 are not written and come back as 0.
    for (double* value : {&e.m_dBaudrate, &e.m_dShift, &e.m_dBandwidth, &e.m_dPilotFrequency}) {
        char16_t text[MaxRealTextLength + 1];
        FormatReal(*value, text);
        *value = *value > 0 ? ParseReal(std::u16string_view(text)) : 0.0;
    }
    // 2. The number of tones is written only when above 0; the other counts whenever they
    //    are not 0, and come back exactly.
    if (e.m_nNumTones <= 0)
        e.m_nNumTones = 0;
    // 3. The submode travels in the modulation name (FSK, PSK) or the Submode child (OFDM).
    if (e.m_nModulation != ModulationFsk && e.m_nModulation != ModulationPsk &&
        e.m_nModulation != ModulationOfdm)
        e.m_nSubmode = 0;
    // 4. An MFSK record writes its tone spacing as Spacing and never its carrier spacing.
    if (e.m_nModulation == ModulationMfsk)
        e.m_szSpacing[0] = u'\0';
    // 5. The second "arq6-90" and "arq6-98" come back as the first.
    if (e.m_nMode == 18 || e.m_nMode == 19)
        e.m_nMode -= 9;
    // 6. Texts come back exactly. 7. The reader validates leniently; nothing is merged.
    e.m_bInvalid = e.Validate(true) != nullptr;
    e.m_bMerged = false;
    e.UpdateDisplayTexts();
    return e;
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
        .arg(s.m_bInvalid)
        .arg(Q(s.m_szSpacing));
}

bool SameStoredValues(const CSignalDescription& a, const CSignalDescription& b) {
    return a.IsEqual(b) && a.m_dBandwidth == b.m_dBandwidth &&
           a.m_nNumTonesMin == b.m_nNumTonesMin && a.m_nNumChannelsMin == b.m_nNumChannelsMin &&
           a.m_nCodecheckCounter == b.m_nCodecheckCounter && a.m_bDisabled == b.m_bDisabled &&
           a.m_bInvalid == b.m_bInvalid && a.m_bMerged == b.m_bMerged && Describe(a) == Describe(b);
}

} // namespace

class TestRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void randomRecords() {
        QTemporaryDir dir;
        QRandomGenerator random(20261207);
        constexpr int Count = 5000;
        CVantorDoc doc;
        std::vector<CSignalDescription> saved;
        for (int i = 0; i < Count; ++i) {
            CSignalDescription s = RandomRecord(random);
            // Unique names keep the reopened order (by name) easy to match.
            const std::u16string prefix =
                QString::number(i).rightJustified(5, '0').toStdU16String();
            CopyText(s.m_szName, prefix + s.m_szName);
            saved.push_back(s);
            doc.AddSignal(std::make_unique<CSignalDescription>(s));
        }
        const QString path = dir.filePath("random.xml");
        QVERIFY2(doc.OnSaveDocument(path), qPrintable(doc.GetLastError()));
        CVantorDoc back;
        QVERIFY2(back.OnOpenDocument(path), qPrintable(back.GetLastError()));
        QCOMPARE(back.GetSignalCount(), Count);
        for (int i = 0; i < Count; ++i) {
            const CSignalDescription expected = ExpectedAfterReload(saved[i]);
            const CSignalDescription& got = *back.GetSignal(i);
            QVERIFY2(SameStoredValues(got, expected),
                     qPrintable(QStringLiteral("record %1\n got      %2\n expected %3\n name %4")
                                    .arg(i)
                                    .arg(Describe(got), Describe(expected), Q(got.m_szName))));
            QCOMPARE(Q(got.m_szComment), Q(expected.m_szComment));
            QCOMPARE(Q(got.m_szName), Q(expected.m_szName));
        }
        // A second save of what was read writes the same bytes: nothing drifts further.
        QVERIFY(back.OnSaveDocument(dir.filePath("again.xml")));
        CVantorDoc third;
        QVERIFY(third.OnOpenDocument(dir.filePath("again.xml")));
        for (int i = 0; i < Count; ++i)
            QVERIFY2(SameStoredValues(*third.GetSignal(i), *back.GetSignal(i)),
                     qPrintable(Describe(*back.GetSignal(i))));
    }
};

QTEST_GUILESS_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
