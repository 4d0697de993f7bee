#include "NumberFormat.h"
#include "RandomSignals.h"
#include "SignalDescription.h"
#include "SignalText.h"
#include "TestDocument.h"
#include "TestFiles.h"
#include "TestTexts.h"
#include "VantorDoc.h"
#include "Vocabulary.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What the format itself cannot hold, change by change; validity and every other value
// come back as they were.
CSignalDescription ExpectedAfterReload(const CSignalDescription& saved) {
    CSignalDescription e = saved;
    // 1. Reals are written with six significant digits.
    for (double* value : {&e.m_dBaudrate, &e.m_dShift, &e.m_dBandwidth, &e.m_dPilotFrequency}) {
        char16_t text[MaxRealTextLength + 1];
        FormatReal(*value, text);
        *value = ParseReal(std::u16string_view(text));
    }
    // 2. An MFSK record writes its tone spacing as Spacing and never its carrier spacing.
    if (e.m_nModulation == ModulationMfsk)
        CopyText(e.m_szSpacing, u"");
    // 3. The second "arq6-90" and "arq6-98" come back as the first.
    if (e.m_nMode == 18 || e.m_nMode == 19)
        e.m_nMode -= 9;
    // 4. Nothing is merged after a reopen.
    e.SetMerged(false);
    return e;
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
            CopyText(s.m_szName, prefix + s.m_szName.c_str());
            // As the reader leaves every record it holds (records the editor accepts pass
            // the same checks): validated leniently, invalid or not.
            s.Settle(true);
            saved.push_back(s);
            AppendRecord(doc, std::make_unique<CSignalDescription>(s));
        }
        const QString path = dir.filePath("random.xml");
        QVERIFY(doc.OnSaveDocument(path));
        CVantorDoc back;
        QVERIFY(back.OnOpenDocument(path));
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
        // A second save and reopen of what was read changes no value: nothing drifts further.
        QVERIFY(back.OnSaveDocument(dir.filePath("again.xml")));
        CVantorDoc third;
        QVERIFY(third.OnOpenDocument(dir.filePath("again.xml")));
        for (int i = 0; i < Count; ++i)
            QVERIFY2(SameStoredValues(*third.GetSignal(i), *back.GetSignal(i)),
                     qPrintable(Describe(*back.GetSignal(i))));
    }

    // What a Signal element holds that this version does not understand is written back after
    // the known content, byte for byte as tests/data/kept-saved.xml has it; saving that file
    // again changes nothing. Records without such markup are written as always.
    void keptMarkupIsWrittenBack_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("first save") << "kept.xml";
        QTest::newRow("saved again") << "kept-saved.xml";
    }
    void keptMarkupIsWrittenBack() {
        QFETCH(QString, input);
        QTemporaryDir dir;
        CVantorDoc doc;
        QVERIFY(doc.OnOpenDocument(QStringLiteral(QUARN_TEST_DATA "/") + input));
        QVERIFY(doc.GetSignal(0)->m_pKept);
        QVERIFY(!doc.GetSignal(1)->m_pKept);
        const QString path = dir.filePath("saved.xml");
        QVERIFY(doc.OnSaveDocument(path));
        QFile saved(path);
        QFile expected(QStringLiteral(QUARN_TEST_DATA "/kept-saved.xml"));
        QVERIFY(saved.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), expected.readAll());
    }

    // Markup and text that a save cannot keep are dropped at open and said; the rest of the
    // record's markup stays, and the saved file reads back with nothing more to say.
    // What a file holds around its signals and a save writes back as it was: comments and
    // processing instructions before and after the root, attributes without a namespace of
    // SignalDatabase and SignalList; said as nothing lost, read back the same.
    void documentMarkupIsKept() {
        QTemporaryDir dir;
        const QString path = dir.filePath("in.xml");
        QVERIFY(WriteBytes(path, "<?xml version='1.0'?>\n<?xml-stylesheet href='s.xsl'?>\n"
                                 "<!-- owner: a &amp; b -->\n<SignalDatabase version='2&#9;x'>"
                                 "<SignalList n='1'/></SignalDatabase>\n<!-- end -->\n"));
        CVantorDoc doc;
        QVERIFY(doc.OnOpenDocument(path));
        QCOMPARE(doc.GetReadReport().Notice(), QString());
        const SignalDocumentMarkup markup = doc.GetDocumentMarkup();
        QCOMPARE(markup.prolog, "<?xml-stylesheet href='s.xsl'?>\n<!-- owner: a &amp; b -->\n");
        QCOMPARE(markup.rootAttributes, " version=\"2&#9;x\"");
        QCOMPARE(markup.listAttributes, " n=\"1\"");
        QCOMPARE(markup.epilog, "<!-- end -->\n");
        QVERIFY(doc.OnSaveDocument(dir.filePath("saved.xml")));
        CVantorDoc again;
        QVERIFY(again.OnOpenDocument(dir.filePath("saved.xml")));
        QVERIFY(again.GetDocumentMarkup() == markup);
        QCOMPARE(again.GetReadReport().Notice(), QString());
    }

    void markupASaveCannotKeep_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("comment");
        const QByteArray latin1 = "<?xml version='1.0' encoding='ISO-8859-1'?>\n<SignalDatabase>"
                                  "<SignalList><Signal Name='a' Modulation='CW' ";
        QTest::newRow("names UTF-8 cannot hold, ISO-8859-1")
            << latin1 + "\xB5x='1'><Owner o\xBA='1' xmlns:p\xAA='urn:p'>o</Owner><\xB5><k/>"
                        "</\xB5><?\xAAp d?><Comment>c</Comment></Signal></SignalList>"
                        "</SignalDatabase>"
            << "5 pieces of markup inside signals named with ª, µ or º"
            << "c";
        QTest::newRow("names UTF-8 cannot hold, UTF-16")
            << QByteArray::fromBase64(
                   "/v8APABTAGkAZwBuAGEAbABMAGkAcwB0AD4APABTAGkAZwBuAGEAbAAgAE4AYQBtAGUAPQAnAGEAJwA"
                   "gALUAPQAnADEAJwAvAD4APAAvAFMAaQBnAG4AYQBsAEwAaQBzAHQAPg==")
            << "1 piece of markup inside a signal named with ª, µ or º"
            << "";
        QTest::newRow("markup inside a field")
            << latin1 + "><Owner/><Comment lang='en'>a<b>x<!--y--></b><!--c-->z</Comment></Signal>"
                        "</SignalList></SignalDatabase>"
            << "3 pieces of markup inside fields of signals"
            << "az";
        QTest::newRow("a field given twice")
            << latin1 + "><Comment>a</Comment><Comment>b</Comment></Signal></SignalList>"
                        "</SignalDatabase>"
            << "the earlier value of 1 field given twice in a signal"
            << "b";
        QTest::newRow("a known attribute given again, with a prefix")
            << latin1 + "xmlns:q='urn:q' q:Modulation='PSK'><Comment>c</Comment></Signal>"
                        "</SignalList></SignalDatabase>"
            << "the earlier value of 1 field given twice in a signal"
            << "c";
        QTest::newRow("attributes of SignalDatabase and SignalList")
            << QByteArray("<SignalDatabase v:version='2' xmlns:v='urn:v' xmlns:xsi="
                          "'http://www.w3.org/2001/XMLSchema-instance' "
                          "xsi:noNamespaceSchemaLocation='QuarnSignalDB.xsd'><SignalList v:n='1'>"
                          "<Signal Name='a' Modulation='CW'><Comment>c</Comment></Signal>"
                          "</SignalList></SignalDatabase>")
            << "2 attributes of SignalDatabase or SignalList"
            << "c";
        QTest::newRow("text between elements")
            << latin1 + ">\n <Owner/> x <Comment>c</Comment>y</Signal>t</SignalList>"
                        "</SignalDatabase>"
            << "text outside signals and text directly inside 1 signal"
            << "c";
    }
    void markupASaveCannotKeep() {
        QFETCH(QByteArray, content);
        QFETCH(QString, notice);
        QFETCH(QString, comment);
        QTemporaryDir dir;
        const QString path = dir.filePath("in.xml");
        QVERIFY(WriteBytes(path, content));
        CVantorDoc doc;
        QVERIFY(doc.OnOpenDocument(path));
        QCOMPARE(doc.GetReadReport().Notice(), notice + " will not be saved");
        QCOMPARE(doc.GetSignalCount(), 1);
        QCOMPARE(QString::fromUtf16(doc.GetSignal(0)->m_szComment.c_str()), comment);
        // Attributes are read by their local names, a later one replacing the earlier.
        if (content.contains("q:Modulation"))
            QCOMPARE(doc.GetSignal(0)->m_nModulation, LookupTableName(ModulationNames, u"PSK"));
        const bool kept = doc.GetSignal(0)->m_pKept != nullptr;
        const QString saved = dir.filePath("saved.xml");
        QVERIFY(doc.OnSaveDocument(saved));
        CVantorDoc again;
        QVERIFY(again.OnOpenDocument(saved));
        QCOMPARE(again.GetSignalCount(), 1);
        QCOMPARE(again.GetReadReport().Notice(), QString());
        QCOMPARE(again.GetSignal(0)->m_pKept != nullptr, kept);
    }
};

QTEST_GUILESS_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
