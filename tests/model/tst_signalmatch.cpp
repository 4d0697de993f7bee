// Finding signals by measured parameters: what matches, and in which order.
#include "SignalMatch.h"
#include "SignalText.h"
#include "Vocabulary.h"

#include <QTest>

namespace {

std::unique_ptr<CSignalDescription> Record(const char16_t* name, int family, double baud,
                                           double shift, int tones = 0, int carriers = 0) {
    auto s = std::make_unique<CSignalDescription>();
    CopyText(s->m_szName, name);
    s->m_nModulation = family;
    s->m_dBaudrate = baud;
    s->m_dShift = shift;
    s->m_nNumTones = tones;
    s->m_nNumChannels = carriers;
    s->Settle(true);
    return s;
}

SignalCollection Records() {
    SignalCollection records;
    records.push_back(Record(u"Baudot 50", ModulationFsk, 50, 170));
    records.push_back(Record(u"RTTY 45", ModulationFsk, 45.45, 170));
    records.push_back(Record(u"Sitor", ModulationFsk, 100, 170));
    records.push_back(Record(u"Wide 50", ModulationFsk, 50, 850));
    records.push_back(Record(u"Any rate", ModulationFsk, -1, 170));
    records.push_back(Record(u"Near 51", ModulationFsk, 51, 170));
    records.push_back(Record(u"PSK 50", ModulationPsk, 50, 0));
    records.push_back(Record(u"Olivia", ModulationMfsk, 31.25, 31.25, 32));
    records.push_back(Record(u"Multi", ModulationPsk, 75, 0, 0, 16));
    records.push_back(Record(u"Alpha 50", ModulationFsk, 50, 170));
    return records;
}

} // namespace

class TestSignalMatch : public QObject {
    Q_OBJECT
private slots:
    void findByParameters_data() {
        QTest::addColumn<QStringList>("asked"); // name=value pairs, as quarn-tool takes them
        QTest::addColumn<QStringList>("found"); // "name deviation-in-%"
        QTest::newRow("rate and shift within 5 %")
            << QStringList{"baud=50", "shift=170"}
            << QStringList{"Alpha 50 0", "Baudot 50 0", "Near 51 2", "Any rate 5"};
        QTest::newRow("rate within 10 %: the wildcard after every measured match")
            << QStringList{"baud=50", "tolerance=10%"}
            << QStringList{"Alpha 50 0", "Baudot 50 0", "PSK 50 0",   "Wide 50 0",
                           "Near 51 2",  "RTTY 45 9.1", "Any rate 10"};
        QTest::newRow("absolute tolerance: the wildcard ties, then names")
            << QStringList{"baud=50", "tolerance=1"}
            << QStringList{"Alpha 50 0", "Baudot 50 0", "PSK 50 0",
                           "Wide 50 0",  "Any rate 2",  "Near 51 2"};
        QTest::newRow("a signal without the value does not match")
            << QStringList{"shift=170", "baud=50", "filter=psk"} << QStringList{};
        QTest::newRow("tones") << QStringList{"tones=32"} << QStringList{"Olivia 0"};
        QTest::newRow("carriers under their filter")
            << QStringList{"carriers=16", "filter=psk-multicarrier"} << QStringList{"Multi 0"};
        QTest::newRow("the filter first")
            << QStringList{"baud=100", "filter=fsk"} << QStringList{"Sitor 0", "Any rate 5"};
        QTest::newRow("exactly at the tolerance")
            << QStringList{"baud=50", "tolerance=2%"}
            << QStringList{"Alpha 50 0", "Baudot 50 0", "PSK 50 0",
                           "Wide 50 0",  "Any rate 2",  "Near 51 2"};
    }
    void findByParameters() {
        QFETCH(QStringList, asked);
        QFETCH(QStringList, found);
        ParameterQuery query;
        for (const QString& pair : asked) {
            const QString name = pair.section(u'=', 0, 0);
            const std::string value = pair.section(u'=', 1).toStdString();
            double number = 0;
            if (name == "tolerance") {
                QVERIFY(ParseTolerance(value, query));
            } else if (name == "filter") {
                query.filter = value == "fsk"   ? SignalFilter::Fsk
                               : value == "psk" ? SignalFilter::Psk
                                                : SignalFilter::PskMulticarrier;
            } else {
                QVERIFY(ParseAskedValue(value, number));
                if (name == "baud")
                    query.baud = number;
                else if (name == "shift")
                    query.shift = number;
                else if (name == "tones")
                    query.tones = int(number);
                else
                    query.carriers = int(number);
            }
        }
        const SignalCollection records = Records();
        QStringList got;
        for (const ParameterMatch& match : FindByParameters(records, query))
            got << QStringView(match.signal->m_szName.c_str()).toString() + ' ' +
                       QString::number(match.deviation * 100, 'g', 2);
        QCOMPARE(got, found);
    }

    // What the tolerance and the asked values accept.
    void typedValues_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("tolerance");
        QTest::addColumn<bool>("value");
        QTest::newRow("percent") << "2 %" << true << false;
        QTest::newRow("percent without a space") << "2%" << true << false;
        QTest::newRow("absolute") << "10" << true << true;
        QTest::newRow("zero") << "0" << true << false;
        QTest::newRow("negative") << "-5" << false << false;
        QTest::newRow("words") << "five" << false << false;
        QTest::newRow("trailing letters") << "5Hz" << false << false;
        QTest::newRow("empty") << "" << false << false;
    }
    void typedValues() {
        QFETCH(QString, text);
        QFETCH(bool, tolerance);
        QFETCH(bool, value);
        ParameterQuery query;
        double number = 0;
        QCOMPARE(ParseTolerance(text.toStdString(), query), tolerance);
        QCOMPARE(ParseAskedValue(text.toStdString(), number), value);
    }
};

QTEST_APPLESS_MAIN(TestSignalMatch)
#include "tst_signalmatch.moc"
