#include "QuarnTool.h"
#include "TestFiles.h"
#include "TestFolder.h"
#include "TestTexts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

namespace {

struct Result {
    int status;
    QString out;
    QString err;
    QByteArray bytes; // standard output as written
};

Result Run(const QStringList& args) {
    std::vector<std::string> argv;
    for (const QString& arg : args)
        argv.push_back(arg.toStdString());
    std::ostringstream out, err;
    const int status = RunQuarnTool(argv, out, err);
    return {status, QString::fromStdString(out.str()), QString::fromStdString(err.str()),
            QByteArray::fromStdString(out.str())};
}

const QByteArray Sample = TestData("tool-sample.xml");

} // namespace

class TestQuarnTool : public QObject {
    Q_OBJECT
    TestFolder m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    // Each test in a folder of its own, with the three inputs the tests read.
    void init() {
        m_dir.Renew();
        QVERIFY(WriteBytes(Path("sample.xml"), Sample));
        QVERIFY(WriteBytes(
            Path("other.xml"),
            "<SignalList><Signal Name='Zulu' Mode='baudot' Modulation='FSK'><Baudrate>50</Baudrate>"
            "<Shift>170</Shift><CodecheckCounter>9</CodecheckCounter>"
            "<Comment>tab\there\nline \\ end</Comment></Signal>"
            "<Signal Name='Echo' Modulation='CW'/></SignalList>"));
        QVERIFY(WriteBytes(Path("broken.xml"), "<r>\n<Signal Name='x'>\n</r>"));
    }

    // find: the contract other programs call (see quarn-tool --help); the matching rules are
    // the model's (tst_signalmatch).
    void find_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // the output's start
        QTest::addColumn<QString>("err"); // a part of the error output
        QTest::newRow("text") << QStringList{"--baud", "50", "--shift", "170"} << 0
                              << "Match\tName\tDecoder\tModulation\tSubcarrier\tBaud / Symbol "
                                 "Rate\tShift\tBandwidth\tNo. of Tones\tNo. of Carriers\tSpacing"
                                 "\tPilot Frequency\tCodecheck Counter\tITU Designator\tComments\n"
                                 "0.0%\tZulu\tbaudot\tFSK\t\t50\t170\t*\t2\t"
                              << "";
        QTest::newRow("relative tolerance, CSV")
            << QStringList{"--baud", "74", "--tolerance", "2 %", "--csv"} << 0
            << "Match,Name,Decoder,Modulation,Subcarrier,Baud / Symbol Rate,Shift,Bandwidth,No. "
               "of Tones,No. of Carriers,Spacing,Pilot Frequency,Codecheck Counter,ITU "
               "Designator,Comments,Minimum Tones,Minimum Carriers,Disabled\r\n1.4%,alpha,"
            << "";
        QTest::newRow("JSON") << QStringList{"--carriers", "16", "--json"} << 0 << "[\n    {"
                              << "";
        QTest::newRow("no match: nothing printed")
            << QStringList{"--baud", "50", "--filter", "psk"} << 1 << ""
            << "";
        QTest::newRow("no value asked") << QStringList{"--tolerance", "10"} << 2 << ""
                                        << "find needs at least one of --baud";
        QTest::newRow("not a number") << QStringList{"--shift", "wide"} << 2 << ""
                                      << "--shift needs a number above 0: 'wide'";
        QTest::newRow("a count that is not whole") << QStringList{"--tones", "2.5"} << 2 << ""
                                                   << "--tones needs a whole number";
        QTest::newRow("a file that cannot be read")
            << QStringList{"--baud", "50", "missing.xml"} << 2 << ""
            << "missing.xml";
    }
    void find() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QStringList line = QStringList{"find"} + args;
        if (!line.last().endsWith(".xml"))
            line << Path("sample.xml");
        else
            line.last() = Path(line.last());
        const Result r = Run(line);
        QCOMPARE(r.status, status);
        QVERIFY2(r.out.startsWith(out), qPrintable(r.out));
        if (out.isEmpty())
            QCOMPARE(r.out, QString());
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
        if (args.contains("--json")) {
            const QJsonArray found = QJsonDocument::fromJson(r.out.toUtf8()).array();
            QCOMPARE(found.size(), 1);
            QCOMPARE(found[0].toObject()["name"].toString(), QStringLiteral("alpha"));
            QCOMPARE(found[0].toObject()["deviation"].toDouble(), 0.0);
        }
    }

    // diff of two versions (tests/data/diff): added, removed and changed signals in name
    // order, a repeated name paired by decoder and modulation; equal versions exit 0.
    void diff_data() {
        QTest::addColumn<QString>("older");
        QTest::addColumn<QString>("newer");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected"); // a file in tests/data/diff, or the output
        QTest::newRow("two versions") << "old.xml"
                                      << "new.xml" << 1 << "expected.txt";
        QTest::newRow("the same") << "old.xml"
                                  << "old.xml" << 0 << "";
        QTest::newRow("a file that cannot be read") << "old.xml"
                                                    << "missing.xml" << 2 << "";
        QTest::newRow("a file that is not a database") << "old.xml"
                                                       << "../merge3/foreign/theirs.xml" << 2 << "";
        QTest::newRow("a value no cell shows")
            << "../merge3/hidden/base.xml"
            << "../merge3/hidden/theirs.xml" << 1 << "hidden.txt";
    }
    void diff() {
        QFETCH(QString, older);
        QFETCH(QString, newer);
        QFETCH(int, status);
        QFETCH(QString, expected);
        const QString data = QStringLiteral(QUARN_TEST_DATA "/diff/");
        const Result r = Run({"diff", data + older, data + newer});
        QCOMPARE(r.status, status);
        QCOMPARE(r.out,
                 expected.isEmpty() ? QString() : QString::fromUtf8(FileBytes(data + expected)));
        if (status != 1 || older != QLatin1String("old.xml"))
            return;
        const QJsonObject json =
            QJsonDocument::fromJson(
                Run({"diff", "--json", data + older, data + newer}).out.toUtf8())
                .object();
        QCOMPARE(json["added"].toArray().size(), 1);
        QCOMPARE(json["removed"].toArray()[0].toObject()["name"].toString(),
                 QStringLiteral("Gone"));
        const QJsonObject alpha = json["changed"].toArray()[0].toObject();
        QCOMPARE(alpha["name"].toString(), QStringLiteral("Alpha"));
        QCOMPARE(alpha["fields"].toObject()["baud"].toArray(), (QJsonArray{"50", "45.45"}));
    }

    // merge --dry-run: what a merge would bring, in the other's order, and nothing written.
    void mergeDryRun_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected");
        QTest::newRow("new, identical and same name")
            << QStringList{"old.xml", "new.xml"} << 1
            << "~ Alpha: baud: 50 -> 45.45\n~ Alpha: disabled: 0 -> 1\n~ Alpha: markup:  ->  "
               "x=\"1\"\n= Bravo\n~ Dup: comments:  -> x\n= Dup\n+ New\n";
        QTest::newRow("options after the files")
            << QStringList{"new.xml", "old.xml", "--dry-run"} << 1
            << "~ Alpha: baud: 45.45 -> 50\n~ Alpha: disabled: 1 -> 0\n~ Alpha: markup:  x=\"1\" "
               "-> \n= Bravo\n= Dup\n~ Dup: comments: x -> \n+ Gone\n";
        QTest::newRow("into itself")
            << QStringList{"old.xml", "old.xml"} << 0 << "= Alpha\n= Bravo\n= Dup\n= Dup\n= Gone\n";
        QTest::newRow("an output given")
            << QStringList{"old.xml", "new.xml", "-o", "x.xml"} << 2 << "";
        QTest::newRow("a file that cannot be read")
            << QStringList{"old.xml", "missing.xml"} << 2 << "";
    }
    void mergeDryRun() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, expected);
        for (QString& arg : args) {
            if (arg.endsWith(".xml") && !arg.startsWith('x'))
                arg = QStringLiteral(QUARN_TEST_DATA "/diff/") + arg;
        }
        const QStringList command = QStringList{"merge", "--dry-run"} + args;
        const Result r = Run(command);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, expected);
        QVERIFY(!QFile::exists("x.xml"));
        if (QTest::currentDataTag() != QLatin1String("new, identical and same name"))
            return;
        // The JSON form: one object per signal of the other, the same kinds.
        const QJsonArray json =
            QJsonDocument::fromJson(Run(command + QStringList{"--json"}).out.toUtf8()).array();
        QCOMPARE(json.size(), 5);
        QCOMPARE(json[0].toObject()["kind"].toString(), QStringLiteral("same-name"));
        QCOMPARE(json[0].toObject()["fields"].toObject()["baud"].toArray(),
                 (QJsonArray{"50", "45.45"}));
        QCOMPARE(json[4].toObject()["kind"].toString(), QStringLiteral("new"));
    }

    // report (tests/data/report): one line per problem in file order, pairs told at the later
    // signal naming the earlier by name and line; exit 0 for nothing, 1 for something.
    void report_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected"); // a file in tests/data/report, or the output
        QTest::newRow("every kind") << QStringList{"FILE"} << 1 << "expected.txt";
        QTest::newRow("an absolute tolerance")
            << QStringList{"--tolerance", "1", "FILE"} << 1 << "absolute.txt";
        QTest::newRow("nothing wrong") << QStringList{"CLEAN"} << 0 << "";
        QTest::newRow("not a tolerance") << QStringList{"--tolerance", "5 Hz", "FILE"} << 2 << "";
        QTest::newRow("a file that cannot be read") << QStringList{"missing.xml"} << 2 << "";
        QTest::newRow("a file that is not a database") << QStringList{"FOREIGN"} << 2 << "";
    }
    void report() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, expected);
        const QString data = QStringLiteral(QUARN_TEST_DATA "/report/");
        const QString file = data + "health.xml";
        QVERIFY(WriteBytes(Path("clean.xml"),
                           "<SignalList><Signal Name='Alpha' Mode='baudot' Modulation='FSK'>"
                           "<Baudrate>50</Baudrate><Shift>170</Shift><CodecheckCounter>3"
                           "</CodecheckCounter></Signal></SignalList>"));
        args.replaceInStrings(QStringLiteral("FILE"), file);
        args.replaceInStrings(QStringLiteral("CLEAN"), Path("clean.xml"));
        args.replaceInStrings(QStringLiteral("FOREIGN"),
                              QStringLiteral(QUARN_TEST_DATA "/merge3/foreign/theirs.xml"));
        const Result r = Run(QStringList{"report"} + args);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, expected.isEmpty()
                            ? QString()
                            : QString::fromUtf8(FileBytes(data + expected)).replace("FILE", file));
        QCOMPARE(r.err.isEmpty(), status != 2);
        if (expected != QLatin1String("expected.txt"))
            return;
        // --json: the same problems, pairs with the other's line and name.
        const QJsonArray json =
            QJsonDocument::fromJson(Run({"report", "--json", file}).out.toUtf8()).array();
        QCOMPARE(json.size(), r.out.count(u'\n'));
        const QJsonObject same = json[1].toObject();
        QCOMPARE(same["kind"].toString(), QStringLiteral("same-name"));
        QCOMPARE(same["line"].toInt(), 10);
        QCOMPARE(same["otherLine"].toInt(), 4);
        QCOMPARE(same["otherName"].toString(), QStringLiteral("Baudot"));
        QVERIFY(!json.last().toObject().contains("otherLine"));
    }

    // merge3 (tests/data/merge3): both sides' changes apply, a field changed differently on
    // both keeps ours and is listed; the output is a database; without conflicts exit 0.
    void merge3_data() {
        QTest::addColumn<QString>("ours");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("conflicts");
        QTest::addColumn<QString>("merged"); // the list of the output: a file in merge3/, or
                                             // the list of the file named
        QTest::newRow("a conflict") << "ours.xml" << 1 << "Bravo: comments:  -> ours | theirs\n"
                                    << "merged.txt";
        QTest::newRow("ours unchanged: theirs") << "base.xml" << 0 << ""
                                                << "theirs.xml";
    }
    void merge3() {
        QFETCH(QString, ours);
        QFETCH(int, status);
        QFETCH(QString, conflicts);
        QFETCH(QString, merged);
        const QString data = QStringLiteral(QUARN_TEST_DATA "/merge3/");
        const Result r = Run({"merge3", data + "base.xml", data + ours, data + "theirs.xml", "-o",
                              Path("out.xml"), "--report", Path("conflicts.json")});
        QCOMPARE(r.status, status);
        QCOMPARE(r.err, conflicts);
        const QString list = Run({"list", Path("out.xml")}).out;
        QCOMPARE(list, merged.endsWith(".txt") ? QString::fromUtf8(FileBytes(data + merged))
                                               : Run({"list", data + merged}).out);
        // The report holds what standard error said, and where the output went.
        const QJsonObject report =
            QJsonDocument::fromJson(FileBytes(Path("conflicts.json"))).object();
        QCOMPARE(report["output"].toString(), Path("out.xml"));
        const QJsonArray listed = report["conflicts"].toArray();
        QCOMPARE(listed.size(), qsizetype(conflicts.count('\n')));
        for (const QJsonValue& c : listed) {
            const QJsonObject o = c.toObject();
            QVERIFY(conflicts.contains(QStringLiteral("%1: %2: %3 -> %4 | %5\n")
                                           .arg(o["name"].toString(), o["field"].toString(),
                                                o["base"].toString(), o["ours"].toString(),
                                                o["theirs"].toString())));
        }
    }

    // merge3 over the version triples in tests/data/merge3/<case>/: the output holds what
    // merged.xml holds (diff finds no difference), or the output is untouched when a version
    // is not a database; what the output cannot keep is said.
    void merge3Versions_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said"); // standard error, the case's folder written DIR
        QTest::newRow("theirs is another XML file")
            << "foreign" << 2
            << "quarn-tool: DIR/theirs.xml does not look like a signal database: its root element "
               "is <project> and it holds no Signal elements\n";
        QTest::newRow("theirs changed a comment before the root and a root attribute")
            << "outside" << 0 << "";
        QTest::newRow("both changed the comment before the root")
            << "outside-both" << 1
            << "quarn-tool: warning: the comments and instructions before the root changed "
               "differently on both sides: ours kept\n";
        QTest::newRow("an element outside SignalList")
            << "outside-element" << 1
            << "quarn-tool: warning: DIR/ours.xml: 1 <Vendor> element will not be saved\n";
        QTest::newRow("unknown decoder and modulation kept") << "unknown" << 0 << "";
        QTest::newRow("values no cell shows") << "hidden" << 0 << "";
        QTest::newRow("same names swapped") << "swapped" << 0 << "";
        QTest::newRow("each side changed one of two equal signals") << "equal-twins" << 0 << "";
        QTest::newRow("theirs removed what ours changed")
            << "removed-changed" << 1 << "A: signal: present -> changed | removed\n";
        QTest::newRow("ours removed what theirs changed")
            << "changed-removed" << 1 << "Alpha: signal: present -> removed | changed\n";
        QTest::newRow("both added the file") << "added-twice" << 0 << "";
    }
    void merge3Versions() {
        QFETCH(QString, version);
        QFETCH(int, status);
        QFETCH(QString, said);
        const QString dir = QStringLiteral(QUARN_TEST_DATA "/merge3/") + version;
        QVERIFY(WriteBytes(Path("out.xml"), "untouched"));
        const Result r = Run({"merge3", dir + "/base.xml", dir + "/ours.xml", dir + "/theirs.xml",
                              "-o", Path("out.xml")});
        QCOMPARE(r.status, status);
        QCOMPARE(r.err, QString(said).replace(QStringLiteral("DIR"), dir));
        if (status == 2) {
            QCOMPARE(FileBytes(Path("out.xml")), QByteArray("untouched"));
            return;
        }
        // As readable, and as valid, as the version it should be.
        QCOMPARE(Run({"check", Path("out.xml")}).status,
                 Run({"check", dir + "/merged.xml"}).status);
        // What the file holds around the signals comes from the side that changed it.
        const QByteArray out = FileBytes(Path("out.xml"));
        if (version == QLatin1String("outside")) {
            QVERIFY(out.contains("<!-- owner: theirs -->"));
            QVERIFY(out.contains("\"QuarnSignalDB.xsd\" version=\"2\">"));
        } else if (version == QLatin1String("outside-both")) {
            QVERIFY(out.contains("<!-- owner: ours -->"));
        }
        const Result d = Run({"diff", dir + "/merged.xml", Path("out.xml")});
        QVERIFY2(d.status == 0, qPrintable(d.out + d.err));
    }

    // import (tests/data/import/rows.csv): columns by heading in any order, an unknown one
    // named; wildcards, counts with their minimum, quoted and guarded cells read as the list
    // shows them; each row checked as the edit dialog checks, a refused one named by line.
    void importRows() {
        const QString csv = QStringLiteral(QUARN_TEST_DATA "/import/rows.csv");
        const Result r = Run({"import", csv, "-o", Path("out.xml")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, csv + ":1: warning: unknown column \"Colour\" left out\n" + csv +
                            ":3: Baud / Symbol Rate: fast is not a number\n" + csv +
                            ":4: No baud rate specified\n");
        QCOMPARE(Run({"list", Path("out.xml")}).out,
                 QString::fromUtf8(
                     FileBytes(QStringLiteral(QUARN_TEST_DATA "/import/expected-list.txt"))));
        // Appended to a database; a file that is not CSV is trouble.
        QCOMPARE(Run({"import", csv, "--into", Path("sample.xml"), "-o", Path("into.xml")}).status,
                 1);
        QCOMPARE(Run({"list", "--json", Path("into.xml")}).out.count("\"name\""), 4 + 3);
        QVERIFY(WriteBytes(Path("open.csv"), "Name\r\n\"open"));
        QCOMPARE(Run({"import", Path("open.csv"), "-o", Path("x.xml")}).status, 2);
        // A pipe is refused at once, never waited on.
        QCOMPARE(::mkfifo(QFile::encodeName(Path("pipe.csv")).constData(), 0600), 0);
        const Result pipe = Run({"import", Path("pipe.csv"), "-o", Path("x.xml")});
        QCOMPARE(pipe.status, 2);
        QCOMPARE(pipe.err, "quarn-tool: " + Path("pipe.csv") + " is not a regular file\n");
    }

    // What Export writes, import reads back with the same stored values (tests/data/import/
    // roundtrip.xml: a disabled signal, minimums no cell shows, a negative pilot frequency,
    // a spacing list, texts starting with ' and =, an unknown decoder with its count); an
    // OFDM signal whose symbol rate is missing is refused with the reason.
    void exportThenImport_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("refusedAt"); // the missing rate's line or row
        QTest::newRow("CSV") << "csv" << 8; // after a comment of two lines
        QTest::newRow("OpenDocument") << "ods" << 7;
    }
    void exportThenImport() {
        QFETCH(QString, form);
        QFETCH(int, refusedAt);
        const QString db = QStringLiteral(QUARN_TEST_DATA "/import/roundtrip.xml");
        const QString rows = Path("rows." + form);
        QVERIFY(WriteBytes(rows, Run({"list", "--" + form, db}).bytes));
        const Result r = Run({"import", rows, "-o", Path("back.xml")});
        QCOMPARE(r.out, rows + QStringLiteral(":%1: No symbol rate specified\n").arg(refusedAt));
        QCOMPARE(r.status, 1);
        const Result d = Run({"diff", db, Path("back.xml")});
        QCOMPARE(d.out, QStringLiteral("- NoRate\n"));
    }

    // What spreadsheets write (tests/data/import): the separator, encoding and decimal commas
    // taken from the file and said when not UTF-8 with commas, headings in German, CR-only
    // line ends; texts too long for their field refused by line; a table without rows is
    // trouble, never an empty success.
    void importWhatSpreadsheetsWrite_data() {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");     // standard error after "quarn-tool: CSV"
        QTest::addColumn<QString>("refused");  // standard output, CSV written for the file
        QTest::addColumn<QString>("expected"); // the database the output equals
        QTest::newRow("German, semicolons, Windows-1252, CR")
            << "de-cp1252-cr.csv" << 0
            << ": read as Windows-1252, separated by semicolons, with decimal commas\n"
            << ""
            << "expected-de.xml";
        QTest::newRow("Unicode Text")
            << "excel-utf16.txt" << 0 << ": read as UTF-16LE, separated by tabs\n"
            << ""
            << "expected-excel.xml";
        QTest::newRow("texts too long")
            << "too-long.csv" << 1 << ""
            << "CSV:2: Name: longer than 59 characters\nCSV:3: Comments: longer than 499 "
               "characters\n"
            << "";
        QTest::newRow("a zip that is not a spreadsheet")
            << "not-a-spreadsheet.ods" << 2 << ": not an OpenDocument spreadsheet\n"
            << ""
            << "";
        QTest::newRow("no rows") << "headings-only.csv" << 2
                                 << ":1: no rows of signals below the headings\n"
                                 << ""
                                 << "";
    }
    void importWhatSpreadsheetsWrite() {
        QFETCH(QString, csv);
        QFETCH(int, status);
        QFETCH(QString, said);
        QFETCH(QString, refused);
        QFETCH(QString, expected);
        const QString data = QStringLiteral(QUARN_TEST_DATA "/import/");
        const Result r = Run({"import", data + csv, "-o", Path("out.xml")});
        QCOMPARE(r.status, status);
        QCOMPARE(r.err, said.isEmpty() ? QString() : "quarn-tool: " + data + csv + said);
        QCOMPARE(r.out, QString(refused).replace(QStringLiteral("CSV"), data + csv));
        if (!expected.isEmpty()) {
            const Result d = Run({"diff", data + expected, Path("out.xml")});
            QVERIFY2(d.status == 0, qPrintable(d.out + d.err));
        }
    }

    void listPlain() {
        const Result r = Run({"list", Path("sample.xml")});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n');
        QCOMPARE(lines[0], QStringLiteral("Name\tDecoder\tModulation\tSubcarrier\tBaud / Symbol "
                                          "Rate\tShift\tBandwidth\tNo. of Tones\tNo. of "
                                          "Carriers\tSpacing\tPilot Frequency\tCodecheck "
                                          "Counter\tITU Designator\tComments"));
        QCOMPARE(lines[1], QStringLiteral("Bravo\tno-mode\tOFDM\tQAM-16\t*\t\t\t\t\t\t\t\t\t"));
        QCOMPARE(lines[2],
                 QStringLiteral("Mike\tno-mode\tFSK\t\t1.5e+006\t5e-005\t*\t2\t\t\t\t\t\t"));
        QCOMPARE(lines[3], QStringLiteral("Zulu\tbaudot\tFSK\t\t50\t170\t*\t2\t\t\t\t3\t\t"
                                          "tab\\there\\nline \\\\ end"));
        QCOMPARE(lines[4], QStringLiteral("alpha\tno-mode\tPSK-4\t\t75\t\t\t\t16\t*\t\t\t\t"));
        QCOMPARE(lines.size(), 6);
    }

    void listFilterMergeSort_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("fsk") << QStringList{"--filter", "fsk"} << QStringList{"Mike", "Zulu"};
        QTest::newRow("psk-multicarrier")
            << QStringList{"--filter", "psk-multicarrier"} << QStringList{"alpha"};
        QTest::newRow("psk") << QStringList{"--filter", "psk"} << QStringList{};
        QTest::newRow("merge appends") << QStringList{"--merge", Path("other.xml")}
                                       << QStringList{"Bravo", "Mike", "Zulu", "alpha", "Echo"};
        QTest::newRow("sort name desc")
            << QStringList{"--sort", "0:desc"} << QStringList{"alpha", "Zulu", "Mike", "Bravo"};
        QTest::newRow("sorts nest") << QStringList{"--sort", "0:desc", "--sort", "13"}
                                    << QStringList{"alpha", "Zulu", "Mike", "Bravo"};
        QTest::newRow("baud asc") << QStringList{"--sort", "4"}
                                  << QStringList{"Bravo", "Zulu", "alpha", "Mike"};
        // Columns by heading or key, filters in any case, "--" before the file.
        QTest::newRow("sort by key")
            << QStringList{"--sort", "BAUD"} << QStringList{"Bravo", "Zulu", "alpha", "Mike"};
        QTest::newRow("sort by heading")
            << QStringList{"--sort", "name:desc"} << QStringList{"alpha", "Zulu", "Mike", "Bravo"};
        QTest::newRow("sort by long heading") << QStringList{"--sort", "baud / symbol rate"}
                                              << QStringList{"Bravo", "Zulu", "alpha", "Mike"};
        QTest::newRow("filter in capitals")
            << QStringList{"--filter", "FSK"} << QStringList{"Mike", "Zulu"};
        QTest::newRow("options end")
            << QStringList{"--"} << QStringList{"Bravo", "Mike", "Zulu", "alpha"};
    }
    void listFilterMergeSort() {
        QFETCH(QStringList, options);
        QFETCH(QStringList, names);
        const Result r = Run(QStringList{"list"} + options + QStringList{Path("sample.xml")});
        QCOMPARE(r.status, 0);
        QStringList got;
        for (const QString& line : r.out.split('\n').mid(1, -1)) {
            if (!line.isEmpty())
                got << line.section('\t', 0, 0);
        }
        QCOMPARE(got, names);
    }

    void listCsv() {
        const Result r = Run({"list", "--csv", "--filter", "fsk", Path("sample.xml")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("Name,Decoder,Modulation,Subcarrier,Baud / Symbol Rate,Shift,"));
        QCOMPARE(r.out.count("\r\n"), 3);
        // A cell with a tab and a line break is quoted whole; nothing is escaped.
        QVERIFY(
            r.out.endsWith("Zulu,baudot,FSK,,50,170,*,2,,,,3,,\"tab\there\nline \\ end\",,,0\r\n"));
        QCOMPARE(Run({"list", "--csv", "--json", Path("sample.xml")}).status, 2);
    }

    void listJson() {
        const Result r = Run({"list", "--json", "--merge", Path("other.xml"), Path("sample.xml")});
        QCOMPARE(r.status, 0);
        const QJsonArray array = QJsonDocument::fromJson(r.out.toUtf8()).array();
        QCOMPARE(array.size(), 5);
        // Written record by record, laid out as the whole array would be.
        QCOMPARE(r.out.toUtf8(), QJsonDocument(array).toJson(QJsonDocument::Indented));
        const QJsonObject mike = array[1].toObject();
        QCOMPARE(mike.keys().size(), 21);
        QCOMPARE(mike["name"].toString(), QStringLiteral("Mike"));
        QCOMPARE(mike["baudrate"].toDouble(), 1500000.0);
        QCOMPARE(mike["shift"].toDouble(), 0.00005);
        QCOMPARE(mike["bandwidth"].toDouble(), -1.0);
        QCOMPARE(mike["modulation"].toInt(), 1);
        QVERIFY(mike["message"].isNull());
        QCOMPARE(mike["cells"].toArray().size(), 14);
        QCOMPARE(mike["cells"].toArray()[4].toString(), QStringLiteral("1.5e+006"));
        const QJsonObject bravo = array[0].toObject();
        QCOMPARE(bravo["invalid"].toBool(), true);
        QCOMPARE(bravo["message"].toString(), QStringLiteral("No symbol rate specified"));
        QCOMPARE(bravo["submode"].toInt(), 7);
        const QJsonObject echo = array[4].toObject();
        QCOMPARE(echo["merged"].toBool(), true);
        QCOMPARE(echo["name"].toString(), QStringLiteral("Echo"));
    }

    // What a file holds cannot act on the terminal or the spreadsheet that shows it: no
    // forged line, no reordered text, no formula; numbers and wildcards stay as they are.
    void outputIsInert_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("check: line break")
            << QStringList{"check", Path("hostile.xml")}
            << Path("hostile.xml") + ":1: x\\nforged: ok: No symbol rate specified\n";
        QTest::newRow("check: bidi and C1") << QStringList{"check", Path("hostile.xml")}
                                            << ":1: a\\u202eb\\u0085c: No symbol rate specified\n";
        QTest::newRow("list: bidi and C1")
            << QStringList{"list", Path("hostile.xml")} << "\na\\u202eb\\u0085c\t";
        QTest::newRow("csv: formulas quoted, numbers kept")
            << QStringList{"list", "--csv", Path("hostile.xml")}
            << "'=HYPERLINK(1),no-mode,FSK,,50,*,*,2,,,,,+1,'@SUM(1),,,0\r\n";
        QTest::newRow("csv: only a plain number stays bare")
            << QStringList{"list", "--csv", Path("hostile.xml")}
            << "'-2*3,no-mode,CW,,,,,,,,,,'-2+3,'+1-1,,,0\r\n";
    }
    void outputIsInert() {
        QFETCH(QStringList, args);
        QFETCH(QString, expected);
        QVERIFY(WriteBytes(Path("hostile.xml"),
                           "<r><Signal Name='x&#10;forged: ok' Modulation='OFDM'/>"
                           "<Signal Name='a&#x202E;b&#x85;c' Modulation='OFDM'/>"
                           "<Signal Name='=HYPERLINK(1)' Modulation='FSK'><Baudrate>50</Baudrate>"
                           "<Bandwidth>-1</Bandwidth><ITU>+1</ITU><Comment>@SUM(1)</Comment>"
                           "</Signal><Signal Name='-2*3' Modulation='CW'><ITU>-2+3</ITU>"
                           "<Comment>+1-1</Comment></Signal></r>"));
        const Result r = Run(args);
        QVERIFY2(r.out.contains(expected), qPrintable(r.out));
    }

    // check names what a save will not keep as the file has it, one warning line per kind,
    // with the record's line; the status stays.
    // A number is said only where what is read back differs from what is shown: a value the
    // reading makes a wildcard ("*" as a baud rate, shown and saved as the wildcard) is not.
    void checkSaysNothingOfRestoredWildcards() {
        QVERIFY(WriteBytes(Path("wild.xml"),
                           "<SignalDatabase><SignalList><Signal Name='w' Modulation='FSK'>"
                           "<Baudrate>*</Baudrate><Shift>x</Shift><NumTones>2</NumTones></Signal>"
                           "<Signal Name='p' Modulation='PSK'><Baudrate>50</Baudrate>"
                           "<Bandwidth>abc</Bandwidth></Signal></SignalList></SignalDatabase>"));
        const Result r = Run({"check", Path("wild.xml")});
        QVERIFY2(!r.out.contains(": w: warning"), qPrintable(r.out));
        QVERIFY2(r.out.contains(": p: warning: the bandwidth will be saved as 0"),
                 qPrintable(r.out));
    }

    void checkWarnsOfWhatASaveChanges_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("another kind of XML file")
            << QByteArray("<project><x/></project>")
            << ": warning: does not look like a signal database: its root element is <project> "
               "and it holds no Signal elements\n";
        QTest::newRow("content outside the records")
            << QByteArray("<SignalDatabase><!-- c --><SignalList/></SignalDatabase>")
            << ": warning: 1 comment outside signals will not be saved\n";
        QTest::newRow("cut name") << "<SignalDatabase><SignalList>\n<Signal Name='" +
                                         QByteArray(60, 'n') +
                                         "' Modulation='CW'/></SignalList></SignalDatabase>"
                                  << ":2: " + QString(59, 'n') +
                                         ": warning: the name was cut to 59 characters\n";
        QTest::newRow("number")
            << QByteArray("<SignalDatabase><SignalList><Signal Name='p' Modulation='CW'>"
                          "<PilotFrequency>1234567</PilotFrequency></Signal></SignalList>"
                          "</SignalDatabase>")
            << ":1: p: warning: the pilot frequency will be saved as 1.23457e+006\n";
        QTest::newRow("disabled flag")
            << QByteArray("<SignalDatabase><SignalList><Signal Name='d' Modulation='CW' "
                          "Disabled='true'/></SignalList></SignalDatabase>")
            << ":1: d: warning: the disabled flag will be saved as 0\n";
    }
    void checkWarnsOfWhatASaveChanges() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QVERIFY(WriteBytes(Path("warned.xml"), content));
        const Result r = Run({"check", Path("warned.xml")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(Path("warned.xml") + expected), qPrintable(r.out));
        // convert and merge never write over another kind of XML file.
        const Result convert = Run({"convert", Path("sample.xml"), "-o", Path("warned.xml")});
        QCOMPARE(convert.status,
                 QTest::currentDataTag() == QLatin1String("another kind of XML file") ? 2 : 0);
    }

    // Output that cannot be written fails with the system's reason, whatever the format; a
    // reader that stopped reading (a closed pipe) is no failure and gets no message.
    void unwritableOutput_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("json onto /dev/full") << "--json"
                                             << "full" << QByteArray("No space left on device");
        QTest::newRow("csv onto /dev/full") << "--csv"
                                            << "full" << QByteArray("No space left on device");
        QTest::newRow("csv into a closed pipe") << "--csv"
                                                << "pipe" << QByteArray();
    }
    void unwritableOutput() {
        QFETCH(QString, format);
        QFETCH(QString, target);
        QFETCH(QByteArray, reason);
        if (target == "full" && !QFile::exists("/dev/full"))
            QSKIP("this system has no /dev/full");
        // The output goes to /dev/full, or to a pipe nobody reads any more.
        int output[2] = {-1, -1};
        int errors[2] = {-1, -1};
        QVERIFY(::pipe(output) == 0 && ::pipe(errors) == 0);
        const QByteArray program = QUARN_TOOL_PATH;
        const QByteArray file = QFile::encodeName(Path("sample.xml"));
        const QByteArray option = format.toUtf8();
        const pid_t child = ::fork();
        if (child == 0) {
            const int sink = target == "full" ? ::open("/dev/full", O_WRONLY) : output[1];
            ::dup2(sink, STDOUT_FILENO);
            ::dup2(errors[1], STDERR_FILENO);
            ::close(output[0]);
            ::execl(program.constData(), program.constData(), "list", option.constData(),
                    file.constData(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(output[0]);
        ::close(output[1]);
        ::close(errors[1]);
        QByteArray said;
        char chunk[256];
        for (ssize_t n; (n = ::read(errors[0], chunk, sizeof chunk)) > 0;)
            said.append(chunk, n);
        ::close(errors[0]);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), reason.isEmpty() ? 0 : 2);
        QCOMPARE(said, reason.isEmpty() ? QByteArray()
                                        : "quarn-tool: cannot write the output: " + reason + "\n");
    }

    void check() {
        Result r = Run({"check", Path("sample.xml")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, Path("sample.xml") + ":2: Bravo: No symbol rate specified\n");
        r = Run({"check", Path("other.xml")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QString());
        r = Run({"check", Path("other.xml"), Path("broken.xml"), Path("sample.xml")});
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.contains("Bravo"));
        QVERIFY2(r.err.contains(Path("broken.xml") + ": line 3"), qPrintable(r.err));
    }

    void checkWarnsOfUnknownNames() {
        QVERIFY(WriteBytes(Path("newer.xml"),
                           "<SignalList>\n<Signal Name='a' Mode='zz-new' Modulation='CW'/>"
                           "\n\n<Signal Name='b' Modulation='QAM-1024'/></SignalList>"));
        const Result r = Run({"check", Path("newer.xml")});
        QCOMPARE(r.status, 1); // b is invalid; the warnings alone would leave 0
        QCOMPARE(
            r.out.split('\n'),
            (QStringList{Path("newer.xml") +
                             ":2: a: warning: unknown decoder mode \"zz-new\" (read as no-mode)",
                         Path("newer.xml") + ":4: b: warning: unknown modulation \"QAM-1024\" "
                                             "(read as no modulation)",
                         Path("newer.xml") + ":4: b: No modulation selected", ""}));
        QVERIFY(WriteBytes(
            Path("newer-valid.xml"),
            "<SignalList><Signal Name='a' Mode='zz-new' Modulation='CW'/></SignalList>"));
        QCOMPARE(Run({"check", Path("newer-valid.xml")}).status, 0);
    }

    // Names are bytes: one that is not UTF-8 is read, written and named as given.
    void nameThatIsNotUtf8() {
        const std::string folder = QFile::encodeName(m_dir.path()).toStdString();
        const std::string target = folder + "/db-\xe9\xff.xml";
        std::ostringstream out, err;
        QCOMPARE(RunQuarnTool({"convert", folder + "/sample.xml", "-o", target}, out, err), 0);
        QCOMPARE(RunQuarnTool({"check", target}, out, err), 1); // Bravo has no symbol rate
        QVERIFY(out.str().find(": Bravo: No symbol rate specified") != std::string::npos);
        QCOMPARE(out.str().substr(0, target.size() + 1), target + ":");
        QCOMPARE(RunQuarnTool({"check", folder + "/missing-\xff.xml"}, out, err), 2);
        QCOMPARE(err.str(),
                 "quarn-tool: " + folder + "/missing-\xff.xml: No such file or directory\n");
    }

    void convertAndMerge() {
        Result r = Run({"convert", Path("sample.xml"), "-o", Path("converted.xml")});
        QCOMPARE(r.status, 0);
        QVERIFY(QFile::exists(Path("converted.xml")));
        QCOMPARE(Run({"list", Path("converted.xml")}).out, Run({"list", Path("sample.xml")}).out);

        r = Run({"merge", Path("sample.xml"), Path("other.xml"), Path("other.xml"), "-o",
                 Path("merged.xml")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("1 records added, 3 dropped as duplicates, 2 of them "
                                       "differing in bandwidth, code-check counter, minimums or "
                                       "disabled state (the held values were kept)\n"));
        QCOMPARE(Run({"list", Path("merged.xml")}).out.count('\n'), 6);
    }

    void failuresWriteNothing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("convert broken")
            << QStringList{"convert", Path("broken.xml"), "-o", Path("out1.xml")};
        QTest::newRow("convert missing")
            << QStringList{"convert", Path("nope.xml"), "-o", Path("out1.xml")};
        QTest::newRow("merge broken other")
            << QStringList{"merge", Path("sample.xml"), Path("broken.xml"), "-o", Path("out1.xml")};
        QTest::newRow("list broken") << QStringList{"list", Path("broken.xml")};
        QTest::newRow("usage: no command") << QStringList{};
        QTest::newRow("usage: bad filter") << QStringList{"list", "--filter", "qam", Path("x")};
        QTest::newRow("usage: bad column") << QStringList{"list", "--sort", "14", Path("x")};
        QTest::newRow("usage: no output") << QStringList{"convert", Path("sample.xml")};
    }
    void failuresWriteNothing() {
        QFETCH(QStringList, args);
        const Result r = Run(args);
        QCOMPARE(r.status, 2);
        QVERIFY(!r.err.isEmpty());
        QCOMPARE(r.out, QString());
        QVERIFY(!QFile::exists(Path("out1.xml")));
        // A usage error is one line and where to read more, not the whole help.
        if (QByteArray(QTest::currentDataTag()).startsWith("usage"))
            QVERIFY2(r.err.count('\n') == 2 && r.err.endsWith("--help' for more.\n"),
                     qPrintable(r.err));
    }

    void executableExitStatus() {
        QProcess tool;
        tool.start(QUARN_TOOL_PATH, {"check", Path("sample.xml")});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 1);
        tool.start(QUARN_TOOL_PATH, {"--help"});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY(tool.readAllStandardOutput().startsWith("Usage:"));
    }
};

QTEST_GUILESS_MAIN(TestQuarnTool)
#include "tst_quarntool.moc"
