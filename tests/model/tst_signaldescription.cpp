#include "RecordArena.h"
#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalText.h"
#include "TestTexts.h"
#include "Vocabulary.h"

#include <QTest>

#include <thread>

namespace {

// A named "no-mode" record of the given family with a non-zero rate.
CSignalDescription Named(int modulation, double baudrate = 50) {
    CSignalDescription s;
    CopyText(s.m_szName, u"Test");
    s.m_nModulation = modulation;
    s.m_dBaudrate = baudrate;
    return s;
}

} // namespace

class TestSignalDescription : public QObject {
    Q_OBJECT
private slots:
    void defaults() {
        CSignalDescription s;
        QVERIFY(s.IsInvalid());
        QVERIFY(!s.IsMerged());
        QVERIFY(!s.m_bDisabled);
        QCOMPARE(s.m_nModulation, 0);
        QCOMPARE(s.m_dBaudrate, 0.0);
        for (int column = 0; column < SignalColumnCount; ++column)
            QCOMPARE(Cell(s, column),
                     column == ColumnDecoder ? QStringLiteral("no-mode") : QString());
        QCOMPARE(Q(s.Validate(false)), QStringLiteral("You have to specify a name"));
        QVERIFY(s.IsInvalid());
    }

    // The tables end where their counts say; two decoder modes are listed twice.
    void vocabularies() {
        QVERIFY(DecoderModeNames[DecoderModeCount - 1] && !DecoderModeNames[DecoderModeCount]);
        QVERIFY(SubcarrierModulationNames[SubcarrierModulationCount] == nullptr);
        QCOMPARE(Q(DecoderModeNames[18]), Q(DecoderModeNames[9]));
        QCOMPARE(Q(DecoderModeNames[19]), Q(DecoderModeNames[10]));
    }

    void lookup_data() {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("second arq6-98 finds first") << 0 << "arq6-98" << 10;
        QTest::newRow("arq6-90") << 0 << "arq6-90" << 9;
        QTest::newRow("baudot") << 0 << "baudot" << 27;
        QTest::newRow("case-sensitive") << 0 << "Baudot" << -1;
        QTest::newRow("QAM not a family") << 1 << "QAM-16" << -1;
        QTest::newRow("empty is family 0") << 1 << "" << 0;
        QTest::newRow("CW") << 1 << "CW" << 5;
        QTest::newRow("subcarrier") << 2 << "QAM-64" << 8;
    }
    void lookup() {
        QFETCH(int, table);
        QFETCH(QString, text);
        QFETCH(int, index);
        const char16_t* const* tables[] = {DecoderModeNames, ModulationNames,
                                           SubcarrierModulationNames};
        QCOMPARE(CSignalDescription::LookupName(tables[table], text.toStdU16String()), index);
    }

    void validate_data() {
        QTest::addColumn<int>("modulation");
        QTest::addColumn<double>("baudrate");
        QTest::addColumn<double>("shift");
        QTest::addColumn<int>("tones");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("counter");
        QTest::addColumn<bool>("lenient");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("modulationAfter");
        // family, baud, shift, tones, channels, mode, counter, lenient, message, family after
        QTest::newRow("no family")
            << 0 << 50.0 << 0.0 << 0 << 0 << 0 << 0 << false << "No modulation selected" << 0;
        QTest::newRow("family 6") << 6 << 50.0 << 0.0 << 0 << 0 << 0 << 0 << false
                                  << "Unknown Modulation" << 6;
        QTest::newRow("family -1")
            << -1 << 50.0 << 0.0 << 0 << 0 << 0 << 0 << false << "Unknown Modulation" << -1;
        QTest::newRow("FSK 3 tones becomes MFSK")
            << 1 << 100.0 << 0.0 << 3 << 0 << 0 << 0 << false << "No spacing specified" << 2;
        QTest::newRow("FSK strict no baud")
            << 1 << 0.0 << 170.0 << 0 << 0 << 0 << 0 << false << "No baud rate specified" << 1;
        QTest::newRow("FSK strict no shift")
            << 1 << 50.0 << 0.0 << 0 << 0 << 0 << 0 << false << "No shift specified" << 1;
        QTest::newRow("FSK lenient fills")
            << 1 << 0.0 << 0.0 << 0 << 0 << 0 << 0 << true << "" << 1;
        QTest::newRow("MFSK 2 tones") << 2 << 50.0 << 10.0 << 2 << 0 << 0 << 0 << false
                                      << "Less than 3 tones specified for MFSK" << 2;
        QTest::newRow("MFSK any tones")
            << 2 << 50.0 << 10.0 << -1 << 0 << 0 << 0 << false << "" << 2;
        QTest::newRow("MFSK strict no baud")
            << 2 << 0.0 << 10.0 << 4 << 0 << 0 << 0 << false << "No baud rate specified" << 2;
        QTest::newRow("PSK strict no rate")
            << 3 << 0.0 << 0.0 << 0 << 0 << 0 << 0 << false << "No symbol rate specified" << 3;
        QTest::newRow("PSK lenient no rate")
            << 3 << 0.0 << 0.0 << 0 << 0 << 0 << 0 << true << "" << 3;
        QTest::newRow("OFDM lenient no rate")
            << 4 << 0.0 << 0.0 << 0 << 0 << 0 << 0 << true << "No symbol rate specified" << 4;
        QTest::newRow("OFDM ok") << 4 << 44.44 << 0.0 << 0 << 39 << 0 << 0 << false << "" << 4;
        QTest::newRow("negative baud") << 1 << -1.5 << 170.0 << 0 << 0 << 0 << 0 << false
                                       << "No negative baud rate allowed" << 1;
        QTest::newRow("baud -0.5 passes")
            << 3 << -0.5 << 0.0 << 0 << 0 << 0 << 0 << false << "" << 3;
        QTest::newRow("negative shift")
            << 1 << 50.0 << -2.0 << 0 << 0 << 0 << 0 << false << "No negative shift allowed" << 1;
        QTest::newRow("negative tones") << 2 << 50.0 << 5.0 << -2 << 0 << 0 << 0 << false
                                        << "No negative number of tones allowed" << 2;
        QTest::newRow("negative carriers") << 3 << 50.0 << 0.0 << 0 << -2 << 0 << 0 << false
                                           << "No negative number of carriers allowed" << 3;
        QTest::newRow("baudot counter 0") << 5 << 0.0 << 0.0 << 0 << 0 << 27 << 0 << false
                                          << "Codecheck count must be positive" << 5;
        QTest::newRow("baudot counter 3")
            << 5 << 0.0 << 0.0 << 0 << 0 << 27 << 3 << false << "" << 5;
    }
    void validate() {
        QFETCH(int, modulation);
        QFETCH(double, baudrate);
        QFETCH(double, shift);
        QFETCH(int, tones);
        QFETCH(int, channels);
        QFETCH(int, mode);
        QFETCH(int, counter);
        QFETCH(bool, lenient);
        QFETCH(QString, message);
        QFETCH(int, modulationAfter);
        CSignalDescription s = Named(modulation, baudrate);
        s.m_dShift = shift;
        s.m_nNumTones = tones;
        s.m_nNumChannels = channels;
        s.m_nMode = mode;
        s.m_nCodecheckCounter = counter;
        // The const check finds the message validation gives, and changes nothing.
        const CSignalDescription before = s;
        const char16_t* checked = s.Check(lenient);
        QCOMPARE(checked ? Q(checked) : QString(), message);
        QVERIFY(before.IsEqual(s) && before.m_nModulation == s.m_nModulation);
        const char16_t* result = s.Validate(lenient);
        QCOMPARE(result ? Q(result) : QString(), message);
        QCOMPARE(s.m_nModulation, modulationAfter);
    }

    void validateNormalises() {
        CSignalDescription fsk = Named(ModulationFsk);
        fsk.m_dShift = 170;
        fsk.m_nCodecheckCounter = 7;
        fsk.m_nNumTonesMin = 5;
        QVERIFY(fsk.Validate(false) == nullptr);
        QCOMPARE(fsk.m_dBandwidth, -1.0);
        QCOMPARE(fsk.m_nNumTones, 2);
        QCOMPARE(fsk.m_nNumTonesMin, 0);
        QCOMPARE(fsk.m_nCodecheckCounter, 0);

        CSignalDescription lenient = Named(ModulationFsk, 0);
        QVERIFY(lenient.Validate(true) == nullptr);
        QCOMPARE(Cell(lenient, ColumnBaudrate), QStringLiteral("*"));
        QCOMPARE(Cell(lenient, ColumnShift), QStringLiteral("*"));

        CSignalDescription ofdm = Named(ModulationOfdm, 0);
        ofdm.Validate(true);
        QCOMPARE(ofdm.m_dBaudrate, -1.0);

        CSignalDescription multi = Named(ModulationPsk);
        multi.m_nNumChannels = 4;
        QVERIFY(multi.Validate(false) == nullptr);
        QCOMPARE(Q(multi.m_szSpacing), QStringLiteral("*"));

        CSignalDescription single = Named(ModulationPsk);
        single.m_dPilotFrequency = 1800;
        single.m_nNumChannelsMin = 3;
        CopyText(single.m_szSpacing, u"170");
        single.m_nNumTones = 5;
        single.m_dShift = 20;
        QVERIFY(single.Validate(false) == nullptr);
        QCOMPARE(single.m_dPilotFrequency, 0.0);
        QCOMPARE(single.m_nNumChannelsMin, 0);
        QCOMPARE(Q(single.m_szSpacing), QString());
        QCOMPARE(single.m_nNumTones, 0);
        QCOMPARE(single.m_dShift, 0.0);

        CSignalDescription mfsk = Named(ModulationMfsk);
        mfsk.m_dShift = 31.25;
        mfsk.m_nNumTones = 16;
        mfsk.m_nSubmode = 1;
        mfsk.m_nNumChannels = 4;
        mfsk.m_nNumChannelsMin = 2;
        mfsk.m_dPilotFrequency = 10;
        CopyText(mfsk.m_szSpacing, u"5");
        QVERIFY(mfsk.Validate(false) == nullptr);
        QCOMPARE(mfsk.m_nSubmode, 0);
        QCOMPARE(mfsk.m_nNumChannels, 0);
        QCOMPARE(mfsk.m_nNumChannelsMin, 2);
        QCOMPARE(Q(mfsk.m_szSpacing), QString());
        QCOMPARE(mfsk.m_dPilotFrequency, 0.0);

        CSignalDescription cw = Named(ModulationCw);
        cw.m_nSubmode = 2;
        cw.m_dShift = cw.m_dBandwidth = cw.m_dPilotFrequency = 5;
        cw.m_nNumTones = cw.m_nNumTonesMin = cw.m_nNumChannels = cw.m_nNumChannelsMin = 3;
        CopyText(cw.m_szSpacing, u"1,2");
        QVERIFY(cw.Validate(false) == nullptr);
        QCOMPARE(cw.m_nSubmode, 0);
        QCOMPARE(cw.m_dBaudrate + cw.m_dShift + cw.m_dBandwidth + cw.m_dPilotFrequency, 0.0);
        QCOMPARE(cw.m_nNumTones + cw.m_nNumTonesMin + cw.m_nNumChannels + cw.m_nNumChannelsMin, 0);
        QCOMPARE(Q(cw.m_szSpacing), QString());
    }

    void displayTexts_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<QString>("realText");
        QTest::addColumn<QString>("countText");
        QTest::newRow("plain") << 45.45 << 12 << 8 << "45.45"
                               << "12 (min. 8)";
        QTest::newRow("wildcards") << -1.0 << -1 << 2 << "*"
                                   << "* (min. 2)";
        QTest::newRow("not given") << 0.0 << 0 << 3 << ""
                                   << "";
        QTest::newRow("between -1 and 0") << -0.5 << -5 << 0 << ""
                                          << "";
        QTest::newRow("exponent") << 1500000.0 << 8 << 0 << "1.5e+006"
                                  << "8";
        QTest::newRow("small exponent") << 0.00005 << 1 << -4 << "5e-005"
                                        << "1 (min. -4)";
        QTest::newRow("widest") << -1.79769e+308 << -2147483647 << (-2147483647 - 1) << ""
                                << "";
        QTest::newRow("widest count") << 1e-300 << 2147483647 << (-2147483647 - 1) << "1e-300"
                                      << "2147483647 (min. -2147483648)";
    }
    void displayTexts() {
        QFETCH(double, value);
        QFETCH(int, count);
        QFETCH(int, minimum);
        QFETCH(QString, realText);
        QFETCH(QString, countText);
        CSignalDescription s;
        s.m_dBaudrate = s.m_dShift = s.m_dBandwidth = s.m_dPilotFrequency = value;
        s.m_nNumTones = s.m_nNumChannels = count;
        s.m_nNumTonesMin = s.m_nNumChannelsMin = minimum;
        s.m_nCodecheckCounter = count;
        for (int column : {ColumnBaudrate, ColumnShift, ColumnBandwidth, ColumnPilotFrequency})
            QCOMPARE(Cell(s, column), realText);
        QCOMPARE(Cell(s, ColumnNumTones), countText);
        QCOMPARE(Cell(s, ColumnNumChannels), countText);
        QCOMPARE(Cell(s, ColumnCodecheckCounter), count > 0 ? QString::number(count) : QString());
    }

    void modulationNames_data() {
        QTest::addColumn<int>("modulation");
        QTest::addColumn<int>("submode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("subcarrier");
        QTest::newRow("none") << 0 << 0 << ""
                              << "";
        QTest::newRow("FSK") << 1 << 0 << "FSK"
                             << "";
        QTest::newRow("4-Level-FSK") << 1 << 1 << "4-Level-FSK"
                                     << "";
        QTest::newRow("MFSK") << 2 << 0 << "MFSK"
                              << "";
        QTest::newRow("plain PSK shows PSK-2") << 3 << 0 << "PSK-2"
                                               << "";
        QTest::newRow("OPSK") << 3 << 4 << "OPSK-4"
                              << "";
        QTest::newRow("OFDM unspecified") << 4 << 0 << "OFDM"
                                          << "Unspecified";
        QTest::newRow("OFDM QAM-16") << 4 << 7 << "OFDM"
                                     << "QAM-16";
        QTest::newRow("CW") << 5 << 0 << "CW"
                            << "";
    }
    void modulationNames() {
        QFETCH(int, modulation);
        QFETCH(int, submode);
        QFETCH(QString, name);
        QFETCH(QString, subcarrier);
        CSignalDescription s;
        s.m_nModulation = modulation;
        s.m_nSubmode = submode;
        QCOMPARE(Q(s.GetModulationName()), name);
        QCOMPARE(Q(s.GetSubcarrierName()), subcarrier);
    }

    void equality() {
        CSignalDescription a = Named(ModulationFsk);
        a.m_dShift = 170;
        CSignalDescription b = a;
        b.m_dBandwidth = 300;
        b.m_bDisabled = true;
        b.m_nCodecheckCounter = 9;
        b.m_nNumTonesMin = 4;
        b.m_nNumChannelsMin = 2;
        b.Recheck(true);
        QVERIFY(b.IsInvalid() != a.IsInvalid());
        QVERIFY(a.IsEqual(b));
        b.m_dShift = -0.0;
        a.m_dShift = 0.0;
        QVERIFY(a.IsEqual(b));
        CopyText(b.m_szName, u"test");
        QVERIFY(!a.IsEqual(b));
        b = a;
        CopyText(b.m_szComment, u"x");
        QVERIFY(!a.IsEqual(b));
        b = a;
        CopyText(b.m_szSpacing, u"*");
        QVERIFY(!a.IsEqual(b));
        b = a;
        b.m_nSubmode = 1;
        QVERIFY(!a.IsEqual(b));
    }

    void assignmentKeepsMergedFlag() {
        CSignalDescription source = Named(ModulationPsk, 2400);
        QCOMPARE(source.Recheck(true), SignalProblem::None);
        CSignalDescription target;
        target.SetMerged(true);
        target = source;
        QVERIFY(target.IsMerged());
        QVERIFY(!target.IsInvalid());
        QCOMPARE(Cell(target, ColumnBaudrate), QStringLiteral("2400"));
        QVERIFY(target.IsEqual(source));
        CSignalDescription merged;
        merged.SetMerged(true);
        CSignalDescription copy(merged);
        QVERIFY(!copy.IsMerged());
    }

    void filters_data() {
        QTest::addColumn<int>("modulation");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QList<SignalFilter>>("shownUnder");
        using F = SignalFilter;
        using L = QList<SignalFilter>;
        QTest::newRow("FSK single") << 1 << 0 << L{F::All, F::Fsk};
        QTest::newRow("FSK 1") << 1 << 1 << L{F::All, F::Fsk};
        QTest::newRow("FSK any") << 1 << -1 << L{F::All, F::Fsk};
        QTest::newRow("FSK 2") << 1 << 2 << L{F::All, F::FskMulticarrier};
        QTest::newRow("MFSK 4") << 2 << 4 << L{F::All, F::Mfsk};
        QTest::newRow("PSK") << 3 << 0 << L{F::All, F::Psk};
        QTest::newRow("PSK multi") << 3 << 16 << L{F::All, F::PskMulticarrier};
        QTest::newRow("OFDM") << 4 << 39 << L{F::All, F::Ofdm};
        QTest::newRow("CW") << 5 << 0 << L{F::All};
        QTest::newRow("none") << 0 << 0 << L{F::All};
    }
    void filters() {
        QFETCH(int, modulation);
        QFETCH(int, channels);
        QFETCH(QList<SignalFilter>, shownUnder);
        CSignalDescription s;
        s.m_nModulation = modulation;
        s.m_nNumChannels = channels;
        for (int f = 0; f <= static_cast<int>(SignalFilter::PskMulticarrier); ++f)
            QCOMPARE(s.MatchesFilter(SignalFilter(f)), shownUnder.contains(SignalFilter(f)));
    }

    void copyTextNeverSplitsSurrogates() {
        char16_t buffer[4];
        QCOMPARE(CopyText(buffer, u"ab\U0001F600"), std::size_t(2));
        QCOMPARE(Q(buffer), QStringLiteral("ab"));
        QCOMPARE(CopyText(buffer, u"a\U0001F600x"), std::size_t(3));
        QCOMPARE(QString::fromUtf16(buffer), QString::fromUtf16(u"a\U0001F600"));
        QCOMPARE(CopyText(buffer, u"abcdef"), std::size_t(3));
        // A record's text cuts the same way and holds only what it keeps.
        CRecordText<4> text;
        QCOMPARE(CopyText(text, u"ab\U0001F600"), std::size_t(2));
        QCOMPARE(Q(text), QStringLiteral("ab"));
        QCOMPARE(text.Bytes(), 4 * sizeof(char16_t)); // the length, two units, the terminator
        QCOMPARE(CopyText(text, u"a\U0001F600x"), std::size_t(3));
        CRecordText<4> moved(std::move(text));
        QCOMPARE(QString::fromUtf16(moved), QString::fromUtf16(u"a\U0001F600"));
        QVERIFY(text.IsEmpty() && text.View().empty() && text.c_str()[0] == u'\0');
        QCOMPARE(CopyText(moved, u""), std::size_t(0));
        QCOMPARE(moved.Bytes(), std::size_t(0));
    }

    // Records and texts made on one thread, copied and freed on another: every block goes
    // back once nothing carved from it lives, and a copy keeps its texts after the original
    // is gone.
    void arenaBlocksGoBack() {
        // This thread holds a block of each kind from here on.
        CopyText(std::make_unique<CSignalDescription>()->m_szName, u"warm");
        const std::size_t before = RecordArena::BlocksInUse();
        SignalCollection made;
        std::thread([&made] {
            for (int i = 0; i < 20000; ++i) {
                auto s = std::make_unique<CSignalDescription>();
                const std::u16string name = u"Signal " + std::u16string(i % 40, u'x');
                CopyText(s->m_szName, name);
                CopyText(s->m_szComment, u"comment");
                made.push_back(std::move(s));
            }
        }).join();
        QVERIFY(RecordArena::BlocksInUse() > before + 4);
        std::vector<CSignalDescription> copies;
        for (std::size_t i = 0; i < made.size(); i += 2)
            copies.push_back(*made[i]);
        made.clear();
        QCOMPARE(Q(copies[3].m_szName), QStringLiteral("Signal xxxxxx"));
        QCOMPARE(Q(copies.back().m_szComment), QStringLiteral("comment"));
        copies.front().m_szComment.Assign(u"edited");
        QCOMPARE(Q(copies.front().m_szComment), QStringLiteral("edited"));
        copies = {};
        QVERIFY2(RecordArena::BlocksInUse() <= before + 1,
                 qPrintable(QString::number(RecordArena::BlocksInUse() - before)));
    }
};

QTEST_APPLESS_MAIN(TestSignalDescription)
#include "tst_signaldescription.moc"
