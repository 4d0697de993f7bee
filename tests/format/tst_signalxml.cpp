#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalFileReader.h"
#include "SignalFileWriter.h"
#include "SignalText.h"
#include "TestTexts.h"

#include <QTest>

namespace {

// Reads the records of a document that wraps the given Signal elements.
SignalCollection ReadSignals(const QString& elements, QStringList* messages = nullptr) {
    const QByteArray data =
        "<SignalDatabase><SignalList>" + elements.toUtf8() + "</SignalList></SignalDatabase>";
    SignalCollection records;
    QString error;
    const bool ok = CSignalFileReader::ReadBuffer(
        data, "test",
        [&](std::unique_ptr<CSignalDescription> s, SignalReadNotes&& notes) {
            if (messages)
                *messages << (notes.message ? Q(notes.message) : QString());
            records.push_back(std::move(s));
        },
        error);
    if (!ok)
        qWarning("%s", qPrintable(error));
    return records;
}

CSignalDescription ReadOne(const QString& element, QString* message = nullptr) {
    QStringList messages;
    SignalCollection records = ReadSignals(element, &messages);
    if (records.size() != 1)
        qFatal("expected one record");
    if (message)
        *message = messages.front();
    return *records.front();
}

// The lines of the Signal element a record is written as, without the file around it.
QString WrittenElement(const CSignalDescription& s) {
    SignalCollection records;
    records.push_back(std::make_unique<CSignalDescription>(s));
    QByteArray out;
    QString error;
    if (!CSignalFileWriter::WriteBuffer(records, out, error))
        qFatal("write failed");
    const QString text = QString::fromUtf8(out);
    const qsizetype begin = text.indexOf("<SignalList>\n") + 13;
    const qsizetype end = text.indexOf("\n  </SignalList>");
    return text.mid(begin + 4, end - begin - 4).replace("\n    ", "\n");
}

} // namespace

class TestSignalXml : public QObject {
    Q_OBJECT
private slots:
    void writerExamples_data() {
        QTest::addColumn<int>("example");
        QTest::addColumn<QString>("expected");
        QTest::newRow("FSK") << 0
                             << "<Signal Name=\"Baudot 50\" Mode=\"baudot\" Modulation=\"FSK\" "
                                "Disabled=\"0\">\n"
                                "  <Baudrate>50</Baudrate>\n  <Shift>170</Shift>\n"
                                "  <NumTones>2</NumTones>\n"
                                "  <CodecheckCounter>3</CodecheckCounter>\n</Signal>";
        QTest::newRow("FSK 8 channels")
            << 1
            << "<Signal Name=\"Baudot 50\" Mode=\"baudot\" Modulation=\"FSK\" Disabled=\"0\">\n"
               "  <Baudrate>50</Baudrate>\n  <Shift>170</Shift>\n  <NumTones>2</NumTones>\n"
               "  <Spacing>340</Spacing>\n  <NumChannels>8</NumChannels>\n"
               "  <NumChannelsMin>6</NumChannelsMin>\n"
               "  <CodecheckCounter>3</CodecheckCounter>\n</Signal>";
        QTest::newRow("MFSK") << 2
                              << "<Signal Name=\"Olivia\" Mode=\"no-mode\" Modulation=\"MFSK\" "
                                 "Disabled=\"0\">\n"
                                 "  <Baudrate>31.25</Baudrate>\n  <Spacing>31.25</Spacing>\n"
                                 "  <Bandwidth>500</Bandwidth>\n  <NumTones>16</NumTones>\n"
                                 "  <NumTonesMin>12</NumTonesMin>\n</Signal>";
        QTest::newRow("PSK") << 3
                             << "<Signal Name=\"P &amp; &lt;Q&gt; &quot;x&quot;\" "
                                "Mode=\"no-mode\" Modulation=\"PSK-4\" Disabled=\"1\">\n"
                                "  <ITU>3K00J2D</ITU>\n  <Baudrate>2400</Baudrate>\n"
                                "  <Bandwidth>3000</Bandwidth>\n</Signal>";
        QTest::newRow("PSK multicarrier")
            << 4
            << "<Signal Name=\"M\" Mode=\"no-mode\" Modulation=\"PSK-4\" Disabled=\"0\">\n"
               "  <Baudrate>75</Baudrate>\n  <Spacing>*</Spacing>\n"
               "  <NumChannels>16</NumChannels>\n  <PilotFrequency>1800</PilotFrequency>\n"
               "</Signal>";
        QTest::newRow("OFDM")
            << 5
            << "<Signal Name=\"O\" Mode=\"no-mode\" Modulation=\"OFDM\" Disabled=\"0\">\n"
               "  <Submode>QAM-16</Submode>\n  <Baudrate>44.44</Baudrate>\n"
               "  <Spacing>56.25</Spacing>\n  <NumChannels>39</NumChannels>\n"
               "  <NumTonesMin>2</NumTonesMin>\n</Signal>";
        QTest::newRow("CW with comment")
            << 6
            << "<Signal Name=\"C\" Mode=\"no-mode\" Modulation=\"CW\" Disabled=\"0\">\n"
               "  <Comment>two &lt;lines&gt;\nhere</Comment>\n</Signal>";
        QTest::newRow("CW empty") << 7
                                  << "<Signal Name=\"C\" Mode=\"no-mode\" Modulation=\"CW\" "
                                     "Disabled=\"0\"/>";
        QTest::newRow("family 0") << 8
                                  << "<Signal Name=\"\" Mode=\"no-mode\" Modulation=\"\" "
                                     "Disabled=\"0\"/>";
    }
    void writerExamples() {
        QFETCH(int, example);
        QFETCH(QString, expected);
        CSignalDescription s;
        switch (example) {
        case 0:
            s = FskRecord();
            break;
        case 1:
            s = FskRecord();
            s.m_nNumChannels = 8;
            s.m_nNumChannelsMin = 6;
            CopyText(s.m_szSpacing, u"340");
            break;
        case 2:
            CopyText(s.m_szName, u"Olivia");
            s.m_nModulation = 2;
            s.m_dBaudrate = s.m_dShift = 31.25;
            s.m_nNumTones = 16;
            s.m_nNumTonesMin = 12;
            s.m_dBandwidth = 500;
            break;
        case 3:
            CopyText(s.m_szName, u"P & <Q> \"x\"");
            s.m_nModulation = 3;
            s.m_nSubmode = 1;
            s.m_dBaudrate = 2400;
            s.m_dBandwidth = 3000;
            s.m_bDisabled = true;
            CopyText(s.m_szITU, u"3K00J2D");
            break;
        case 4:
            CopyText(s.m_szName, u"M");
            s.m_nModulation = 3;
            s.m_nSubmode = 1;
            s.m_dBaudrate = 75;
            s.m_nNumChannels = 16;
            s.m_dPilotFrequency = 1800;
            break;
        case 5:
            CopyText(s.m_szName, u"O");
            s.m_nModulation = 4;
            s.m_nSubmode = 7;
            s.m_dBaudrate = 44.44;
            s.m_nNumChannels = 39;
            CopyText(s.m_szSpacing, u"56.25");
            s.m_nNumTonesMin = 2;
            break;
        case 6:
            CopyText(s.m_szName, u"C");
            s.m_nModulation = 5;
            CopyText(s.m_szComment, u"two <lines>\nhere");
            break;
        case 7:
            CopyText(s.m_szName, u"C");
            s.m_nModulation = 5;
            break;
        }
        if (example != 8)
            QVERIFY(s.Validate(false) == nullptr);
        QCOMPARE(WrittenElement(s), expected);
        // What was written reads back to an equal record.
        QCOMPARE(ReadOne(WrittenElement(s)).IsEqual(s), true);
    }

    void reader_data() {
        QTest::addColumn<QString>("element");
        QTest::addColumn<int>("modulation");
        QTest::addColumn<int>("submode");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("message");
        QTest::newRow("bare") << "<Signal/>" << 0 << 0 << 0 << "You have to specify a name";
        QTest::newRow("unknown mode")
            << "<Signal Name='a' Mode='unheard-of' Modulation='FSK'><Baudrate>50</Baudrate>"
               "<Shift>170</Shift><CodecheckCounter>5</CodecheckCounter></Signal>"
            << 1 << 0 << 0 << "";
        QTest::newRow("arq6-98") << "<Signal Name='a' Mode='arq6-98' Modulation='CW'/>" << 5 << 0
                                 << 10 << "Codecheck count must be positive";
        QTest::newRow("empty family")
            << "<Signal Name='a' Modulation=''/>" << 0 << 0 << 0 << "No modulation selected";
        QTest::newRow("OPSK-4") << "<Signal Name='a' Modulation='OPSK-4'/>" << 3 << 4 << 0 << "";
        QTest::newRow("QPSK-4 unknown")
            << "<Signal Name='a' Modulation='QPSK-4'/>" << 0 << 0 << 0 << "No modulation selected";
        QTest::newRow("lower-case fsk")
            << "<Signal Name='a' Modulation='fsk'/>" << 0 << 0 << 0 << "No modulation selected";
        QTest::newRow("4-Level-FSK")
            << "<Signal Name='a' Modulation='4-Level-FSK'/>" << 1 << 1 << 0 << "";
        QTest::newRow("PSK keeps submode")
            << "<Signal Name='a' Modulation='PSK'/>" << 3 << 0 << 0 << "";
        QTest::newRow("OFDM submode")
            << "<Signal Name='a' Modulation='OFDM'><Submode>QAM-64</Submode>"
               "<Baudrate>10</Baudrate></Signal>"
            << 4 << 8 << 0 << "";
        QTest::newRow("submode under PSK ignored")
            << "<Signal Name='a' Modulation='PSK-2'><Submode>QAM-64</Submode></Signal>" << 3 << 0
            << 0 << "";
        QTest::newRow("unknown subcarrier")
            << "<Signal Name='a' Modulation='OFDM'><Submode>QAM-1024</Submode>"
               "<Baudrate>10</Baudrate></Signal>"
            << 4 << 0 << 0 << "";
        QTest::newRow("children before attributes order free")
            << "<Signal Disabled='0' Modulation='CW' Mode='baudot' Name='a'>"
               "<CodecheckCounter>2</CodecheckCounter></Signal>"
            << 5 << 0 << 27 << "";
        QTest::newRow("OFDM without rate")
            << "<Signal Name='a' Modulation='OFDM'/>" << 4 << 0 << 0 << "No symbol rate specified";
    }
    void reader() {
        QFETCH(QString, element);
        QFETCH(int, modulation);
        QFETCH(int, submode);
        QFETCH(int, mode);
        QFETCH(QString, message);
        QString got;
        const CSignalDescription s = ReadOne(element, &got);
        QCOMPARE(s.m_nModulation, modulation);
        QCOMPARE(s.m_nSubmode, submode);
        QCOMPARE(s.m_nMode, mode);
        QCOMPARE(got, message);
        QCOMPARE(s.IsInvalid(), !message.isEmpty());
        QVERIFY(!s.IsMerged());
    }

    void spacingMeanings() {
        const CSignalDescription mfsk =
            ReadOne("<Signal Name='a' Modulation='MFSK'><Shift>99</Shift><Spacing>31.25</Spacing>"
                    "<NumTones>-1</NumTones><Baudrate>10</Baudrate></Signal>");
        QCOMPARE(mfsk.m_dShift, 31.25);
        QCOMPARE(mfsk.m_nNumTones, -1);
        QVERIFY(!mfsk.IsInvalid());
        const CSignalDescription psk =
            ReadOne("<Signal Name='a' Modulation='PSK-2'><Spacing>170,170,340</Spacing>"
                    "<NumChannels>-1</NumChannels></Signal>");
        QCOMPARE(Q(psk.m_szSpacing), QStringLiteral("170,170,340"));
        QCOMPARE(psk.m_nNumChannels, -1);
        // Family FSK in the file, four tones: Shift and Spacing read as FSK, then MFSK.
        const CSignalDescription fsk4 =
            ReadOne("<Signal Name='a' Modulation='FSK'><Shift>200</Shift><Spacing>1,2</Spacing>"
                    "<NumTones>4</NumTones><Baudrate>10</Baudrate></Signal>");
        QCOMPARE(fsk4.m_nModulation, 2);
        QCOMPARE(fsk4.m_dShift, 200.0);
        QCOMPARE(Q(fsk4.m_szSpacing), QString());
    }

    void valuesAndCutting() {
        const QString longComment(600, QChar('c'));
        const QString longName = QString(58, QChar('n')) + QString::fromUtf16(u"\U0001F600");
        const CSignalDescription s = ReadOne(
            "<Signal Name='" + longName +
            "' Modulation='PSK-2' Disabled='true'>"
            "<Comment>" +
            longComment +
            "</Comment><ITU>123456789012</ITU>"
            "<Baudrate> 12.5Bd</Baudrate><Bandwidth>abc</Bandwidth>"
            "<NumChannels>4294967295</NumChannels><CodecheckCounter>12abc</CodecheckCounter>"
            "<Unknown><Nested>1</Nested>text</Unknown><Baudrate>75</Baudrate>"
            "<ThisChildNameIsMuchLongerThanThirtyTwoCharacters>9</"
            "ThisChildNameIsMuchLongerThanThirtyTwoCharacters>"
            "</Signal>");
        QCOMPARE(Q(s.m_szComment), longComment.left(499));
        QCOMPARE(Q(s.m_szITU), QStringLiteral("123456789"));
        QCOMPARE(Q(s.m_szName), QString(58, QChar('n'))); // the pair is not split
        QCOMPARE(s.m_dBaudrate, 75.0);                    // the later child wins
        QCOMPARE(s.m_dBandwidth, 0.0);
        QCOMPARE(s.m_nNumChannels, -1);
        QCOMPARE(s.m_nCodecheckCounter, 0); // "no-mode" clears it
        QVERIFY(!s.m_bDisabled);
        QCOMPARE(Cell(s, ColumnBaudrate), QStringLiteral("75"));
    }

    void otherContentInsideSignal() {
        const CSignalDescription s =
            ReadOne("<Signal Name='a' Modulation='CW'><!-- note --><?pi x?><ITU/>"
                    "<Comment><![CDATA[<raw> & ]]>more</Comment>loose text</Signal>");
        QCOMPARE(Q(s.m_szComment), QStringLiteral("<raw> & more"));
        QCOMPARE(Q(s.m_szITU), QString());
        QVERIFY(!s.IsInvalid());
    }

    // A U+FEFF inside a value is a character of the text wherever it stands.
    void byteOrderMarkInsideValues_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("after ASCII") << QStringLiteral("a\uFEFFb");
        QTest::newRow("first") << QStringLiteral("\uFEFFab");
        QTest::newRow("after another character") << QStringLiteral("\u00E9a\uFEFFb");
    }
    void byteOrderMarkInsideValues() {
        QFETCH(QString, text);
        const CSignalDescription s = ReadOne(
            "<Signal Name='" + text + "' Modulation='CW'><Comment>" + text + "</Comment></Signal>");
        QCOMPARE(Q(s.m_szName), text);
        QCOMPARE(Q(s.m_szComment), text);
    }

    void lineBreaksSurviveRoundTrip() {
        CSignalDescription s;
        CopyText(s.m_szName, u"a\tb");
        s.m_nModulation = 5;
        CopyText(s.m_szComment, u"one\r\ntwo\rthree\n\tfour  ");
        const CSignalDescription back = ReadOne(WrittenElement(s));
        QCOMPARE(Q(back.m_szComment), Q(s.m_szComment));
        QCOMPARE(Q(back.m_szName), Q(s.m_szName));
    }

    void writerRefusesUnwritableText_data() {
        QTest::addColumn<QString>("comment");
        QTest::newRow("control") << QString::fromUtf16(u"bell \u0007");
        QTest::newRow("lone high surrogate") << QString(QChar(0xD800));
        QTest::newRow("lone low surrogate") << QString(QChar(0xDC00)) + "x";
        QTest::newRow("FFFF") << QString(QChar(0xFFFF));
    }
    void writerRefusesUnwritableText() {
        QFETCH(QString, comment);
        SignalCollection records;
        records.push_back(std::make_unique<CSignalDescription>(FskRecord()));
        records.push_back(std::make_unique<CSignalDescription>(FskRecord()));
        CopyText(records[1]->m_szComment, comment.toStdU16String());
        QByteArray out;
        QString error;
        QVERIFY(!CSignalFileWriter::WriteBuffer(records, out, error));
        QVERIFY2(error.contains("Signal 2") && error.contains("Baudot 50"), qPrintable(error));
    }
};

QTEST_APPLESS_MAIN(TestSignalXml)
#include "tst_signalxml.moc"
