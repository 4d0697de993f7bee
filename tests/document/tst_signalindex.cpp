#include "SignalDescription.h"
#include "SignalIndex.h"
#include "SignalText.h"
#include "TestDocument.h"
#include "VantorDoc.h"

#include <QRandomGenerator>
#include <QTest>

class TestSignalIndex : public QObject {
    Q_OBJECT
private slots:
    // On random records that differ in few fields, many of them only in fields that equality
    // ignores, the index finds exactly the record a scan from the start finds.
    void agreesWithScan() {
        QRandomGenerator random(7);
        auto make = [&] {
            auto s = std::make_unique<CSignalDescription>();
            const char16_t* names[] = {u"a", u"b", u"A"};
            CopyText(s->m_szName, names[random.bounded(3)]);
            CopyText(s->m_szSpacing, random.bounded(2) ? u"*" : u"");
            s->m_nModulation = random.bounded(1, 4);
            s->m_nSubmode = random.bounded(2);
            s->m_dBaudrate = random.bounded(2) ? 50.0 : 75.0;
            s->m_dShift = random.bounded(3) == 0 ? -0.0 : 0.0;
            s->m_nNumChannels = random.bounded(-1, 1);
            // Ignored by equality: these must not split duplicates apart.
            s->m_dBandwidth = random.bounded(100);
            s->m_nCodecheckCounter = random.bounded(100);
            s->m_bDisabled = random.bounded(2);
            return s;
        };
        CVantorDoc doc;
        CSignalIndex index;
        for (int i = 0; i < 400; ++i) {
            auto s = make();
            index.Add(s.get());
            AppendRecord(doc, std::move(s));
        }
        int found = 0;
        for (int i = 0; i < 2000; ++i) {
            const auto probe = make();
            const int scanned = doc.FindEqualSignal(*probe);
            const CSignalDescription* indexed = index.Find(*probe);
            if (scanned < 0) {
                QVERIFY(indexed == nullptr);
            } else {
                QCOMPARE(indexed, doc.GetSignal(scanned));
                ++found;
            }
        }
        QVERIFY(found > 1000); // the data really has many duplicates
    }
};

QTEST_APPLESS_MAIN(TestSignalIndex)
#include "tst_signalindex.moc"
