#include "SignalDescription.h"
#include "SignalText.h"
#include "TestDocument.h"
#include "TestFiles.h"
#include "TestFolder.h"
#include "TestTexts.h"
#include "VantorDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

const QByteArray Sample = TestData("sample.xml");

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT
    TestFolder m_dir;

    QString Write(const QString& name, const QByteArray& data) {
        const QString path = m_dir.filePath(name);
        if (!WriteBytes(path, data))
            qFatal("cannot write test file");
        return path;
    }

    // Opens the file into a document that already holds one record; a refusal must leave
    // that record, and must say where.
    bool OpenOverKept(const QString& path, CVantorDoc& doc, QString* error = nullptr) {
        doc.OnNewDocument();
        auto kept = std::make_unique<CSignalDescription>();
        CopyText(kept->m_szName, u"kept");
        AppendRecord(doc, std::move(kept));
        const FileResult opened = doc.OnOpenDocument(path);
        if (!opened) {
            if (Names(doc) != QStringList{"kept"})
                qFatal("a refused open changed the document");
            if (error)
                *error = opened.Message();
        }
        return bool(opened);
    }

private slots:
    void init() { m_dir.Renew(); }
    void refused_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QByteArray laughs = "<!DOCTYPE r [<!ENTITY a0 \"lol\">";
        for (int i = 1; i <= 12; ++i)
            laughs += QStringLiteral(
                          "<!ENTITY a%1 \"&a%2;&a%2;&a%2;&a%2;&a%2;&a%2;&a%2;&a%2;&a%2;&a%2;\">")
                          .arg(i)
                          .arg(i - 1)
                          .toUtf8();
        laughs += "]><r><Signal Name='x' Modulation='CW'><Comment>&a12;</Comment></Signal></r>";
        QTest::newRow("entity expansion bomb") << laughs << "line";
        QTest::newRow("quadratic blowup")
            << "<!DOCTYPE r [<!ENTITY a \"" + QByteArray(100000, 'x') +
                   "\">]><r><Signal Name='x'>"
                   "<Comment>" +
                   QByteArray("&a;").repeated(20000) + "</Comment></Signal></r>"
            << "line";
        QTest::newRow("nesting 100000 deep")
            << QByteArray("<a>").repeated(100000) + QByteArray("</a>").repeated(100000) << "depth";
        QTest::newRow("invalid utf-8")
            << QByteArray("<r><Signal Name='\xc3\x28'/></r>") << "line 1";
        QTest::newRow("overlong utf-8")
            << QByteArray("<r><Signal Name='\xc0\xaf'/></r>") << "line 1";
        QTest::newRow("NUL byte") << QByteArray("<r><Signal Name='a\0b'/></r>", 24) << "line 1";
        QTest::newRow("NUL in text")
            << QByteArray("<r><Signal><Comment>a\0b</Comment></Signal></r>", 44) << "line 1";
        QTest::newRow("bytes the declared encoding cannot convert")
            << QByteArray("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
                          "<r><Signal Name=\"\x81\x20\x82\"/></r>\n")
            << "line 2";
        QTest::newRow("undefined entity")
            << QByteArray("<r><Signal Name='&nope;'/></r>") << "line 1";
        QTest::newRow("two roots") << QByteArray("<r/><r/>") << "line 1";
        QTest::newRow("50 MB attribute")
            << "<r><Signal Name='" + QByteArray(50 * 1024 * 1024, 'n') + "'/></r>"
            << "line 1";
        QTest::newRow("50 MB comment text")
            << "<r><Signal Name='x'><Comment>" + QByteArray(50 * 1024 * 1024, 'c') +
                   "</Comment></Signal></r>"
            << "line 1";
    }
    void refused() {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const QString path = Write(QStringLiteral("refused.xml"), content);
        CVantorDoc doc;
        QString error;
        QVERIFY(!OpenOverKept(path, doc, &error));
        QVERIFY2(error.contains(path) && error.contains(reason, Qt::CaseInsensitive),
                 qPrintable(error.left(300)));
        QVERIFY(!doc.MergeFile(path));
        QCOMPARE(Names(doc), QStringList{"kept"});
    }

    // Shapes that cost other XML readers quadratic time or memory read at once; odd files
    // are refused with their reason.
    void oddShapes_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("outcome"); // "comment=N", "baudrate=V" or "refused: REASON"
        QByteArray attributes = "<r><Signal Name='x' Modulation='CW'";
        for (int i = 0; i < 40000; ++i)
            attributes += " a" + QByteArray::number(i) + "='v'";
        QTest::newRow("40,000 attributes") << attributes + "/></r>"
                                           << "comment=0";
        QByteArray namespaces = "<r><Signal Name='x' Modulation='CW'";
        for (int i = 0; i < 160000; ++i)
            namespaces += " xmlns:n" + QByteArray::number(i) + "='u'";
        QTest::newRow("160,000 namespace declarations") << namespaces + "/></r>"
                                                        << "comment=0";
        QByteArray used = "<r><Signal Name='x' Modulation='CW'";
        QByteArray child = "<k";
        for (int i = 0; i < 160000; ++i) {
            const QByteArray prefix = "n" + QByteArray::number(i);
            used += " xmlns:" + prefix + "='u" + QByteArray::number(i) + "' " + prefix + ":a='v'";
            child += " " + prefix + ":b='" + prefix + ":v'";
        }
        QTest::newRow("160,000 declarations used by kept attributes and a kept child")
            << used + ">" + child + "/></Signal></r>"
            << "comment=0";
        QTest::newRow("90,000 references to a 100-byte entity")
            << "<!DOCTYPE r [<!ENTITY e '" + QByteArray(100, 'e') +
                   "'>]><r><Signal Name='x' Modulation='CW'><Comment>" +
                   QByteArray("&e;").repeated(90000) + "</Comment></Signal></r>"
            << "comment=499";
        QTest::newRow("2 million comments")
            << "<r>" + QByteArray("<!--c-->").repeated(1000000) +
                   QByteArray("<?p?>").repeated(1000000) + "<Signal Name='x' Modulation='CW'/></r>"
            << "comment=0";
        QTest::newRow("1,100-digit numeral")
            << "<r><Signal Name='x' Modulation='PSK-2'><Baudrate>5." + QByteArray(1100, '0') +
                   "e1</Baudrate></Signal></r>"
            << "baudrate=50";
        QTest::newRow("empty file") << QByteArray() << "refused: the file is empty";
        QTest::newRow("UTF-32 with byte-order mark")
            << QByteArray("\xFF\xFE\x00\x00<\x00\x00\x00r\x00\x00\x00/\x00\x00\x00>\x00\x00\x00",
                          20)
            << "refused: UTF-32, which is not supported";
        QTest::newRow("encoding nobody converts")
            << QByteArray("<?xml version='1.0' encoding='x-quarn-unheard'?><r/>")
            << "refused: the encoding \"x-quarn-unheard\" is not supported";
    }
    void oddShapes() {
        QFETCH(QByteArray, content);
        QFETCH(QString, outcome);
        const QString path = Write(QStringLiteral("shape.xml"), content);
        CVantorDoc doc;
        QString error;
        const bool opened = OpenOverKept(path, doc, &error);
        if (outcome.startsWith("refused: ")) {
            QVERIFY(!opened);
            QVERIFY2(error.startsWith(path + ": ") && error.endsWith(outcome.mid(9)),
                     qPrintable(error));
            return;
        }
        QVERIFY2(opened, qPrintable(error));
        QCOMPARE(doc.GetSignalCount(), 1);
        const CSignalDescription& s = *doc.GetSignal(0);
        if (outcome.startsWith("comment="))
            QCOMPARE(Q(s.m_szComment).size(), outcome.mid(8).toInt());
        else
            QCOMPARE(s.m_dBaudrate, outcome.mid(9).toDouble());
    }

    // Only regular files are read or replaced: a pipe is not waited on, a device or a folder
    // is left as it was.
    void onlyRegularFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << "pipe";
        QTest::newRow("folder") << "folder";
        QTest::newRow("device") << "device";
    }
    void onlyRegularFiles() {
        QFETCH(QString, kind);
        QString path = m_dir.filePath(kind);
        if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else
            path = QStringLiteral("/dev/null");
        const QString expected = path + QStringLiteral(" is not a regular file");
        CVantorDoc doc;
        QString error;
        QVERIFY(!OpenOverKept(path, doc, &error));
        QCOMPARE(error, expected);
        QCOMPARE(doc.MergeFile(path).Message(), expected);
        MarkModified(doc);
        QCOMPARE(doc.OnSaveDocument(path).Message(), expected);
        QVERIFY(doc.IsModified());
        const QFileInfo info(path);
        QVERIFY(!info.isFile());
        QVERIFY(kind != "folder" || info.isDir());
    }

    // Every encoding the declaration names and iconv converts is read, multi-byte and
    // EBCDIC ones included.
    void encodingsRead_data() {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("name");
        QTest::newRow("windows-1252") << "windows-1252" << QStringLiteral("Euro \u20AC \u0178");
        QTest::newRow("KOI8-R") << "KOI8-R"
                                << QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442");
        QTest::newRow("ISO-8859-7")
            << "ISO-8859-7" << QStringLiteral("\u0395\u03BB\u03BB\u03AC\u03B4\u03B1");
        QTest::newRow("GB18030, four-byte forms")
            << "GB18030" << QStringLiteral("\u4E2D\u6587 \u00C0 \U0001F600");
        QTest::newRow("Shift_JIS") << "Shift_JIS" << QStringLiteral("\u3042\u3044\u3046");
        QTest::newRow("EBCDIC") << "IBM037" << QStringLiteral("Ebcdic 50");
        QTest::newRow("UTF-16BE without byte-order mark")
            << "UTF-16BE" << QStringLiteral("Unicode \U0001D11E");
        QTest::newRow("ISO-8859-1") << "ISO-8859-1" << QStringLiteral("Caf\u00E9");
    }
    void encodingsRead() {
        QFETCH(QString, encoding);
        QFETCH(QString, name);
        CVantorDoc doc;
        const QString path = QStringLiteral(QUARN_TEST_DATA "/encodings/%1.xml").arg(encoding);
        QCOMPARE(doc.OnOpenDocument(path).Message(), QString());
        QCOMPARE(Names(doc), QStringList{name});
    }

    // Progress is heard within one huge element too, and Cancel there stops the open and the
    // merge with the document as it was.
    void cancelInsideOneElement() {
        const QString path =
            Write(QStringLiteral("huge.xml"), "<r><Signal Name='x' Modulation='CW'><Comment>" +
                                                  QByteArray(8 * 1024 * 1024, 'c') +
                                                  "</Comment></Signal></r>");
        CVantorDoc doc;
        int calls = 0;
        doc.SetProgressHandler([&calls](qint64 done, qint64 total) {
            ++calls;
            return done < total / 2;
        });
        QString error;
        QVERIFY(!OpenOverKept(path, doc, &error));
        QCOMPARE(error, path + QStringLiteral(": reading was cancelled"));
        QVERIFY(calls >= 4);
        QVERIFY(!doc.MergeFile(path));
        QCOMPARE(Names(doc), QStringList{"kept"});
    }

    void externalEntityIsNeverRead() {
        const QString secret = Write(QStringLiteral("secret.txt"), "TOP-SECRET");
        const QByteArray content = "<!DOCTYPE r [<!ENTITY s SYSTEM \"file://" +
                                   QFile::encodeName(secret) +
                                   "\">]><r><Signal Name='x' Modulation='CW'><Comment>&s;"
                                   "</Comment></Signal></r>";
        const QString path = Write(QStringLiteral("external.xml"), content);
        CVantorDoc doc;
        if (OpenOverKept(path, doc)) {
            for (const auto& s : doc.Signals())
                QVERIFY(!Q(s->m_szComment).contains("TOP-SECRET"));
        }
        // An external DTD is not fetched either.
        const QString dtd = Write(QStringLiteral("ext.dtd"), "<!ENTITY s \"TOP-SECRET\">");
        const QString withDtd =
            Write(QStringLiteral("dtd.xml"), "<!DOCTYPE r SYSTEM \"" + QFile::encodeName(dtd) +
                                                 "\"><r><Signal Name='x' Modulation='CW'/></r>");
        QVERIFY(doc.OnOpenDocument(withDtd));
        QCOMPARE(Names(doc), QStringList{"x"});
    }

    void internalEntitiesExpand() {
        const QString path = Write(QStringLiteral("entity.xml"),
                                   "<!DOCTYPE r [<!ENTITY e \"expanded\">]><r><Signal Name='x' "
                                   "Modulation='CW'><Comment>an &e; text</Comment></Signal></r>");
        CVantorDoc doc;
        QVERIFY(doc.OnOpenDocument(path));
        QCOMPARE(Q(doc.GetSignal(0)->m_szComment), QStringLiteral("an expanded text"));
    }

    void utf16WithByteOrderMark() {
        QByteArray utf16 = "\xFF\xFE";
        const QString text = QString::fromUtf8(Sample).replace("UTF-8", "UTF-16");
        utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        const QString path = Write(QStringLiteral("utf16.xml"), utf16);
        const QString reference = Write(QStringLiteral("utf8.xml"), Sample);
        CVantorDoc doc, expected;
        QCOMPARE(doc.OnOpenDocument(path).Message(), QString());
        QVERIFY(expected.OnOpenDocument(reference));
        QCOMPARE(Names(doc), Names(expected));
        QCOMPARE(Names(doc).size(), 6);
        QCOMPARE(Q(doc.GetSignal(3)->m_szName), QString::fromUtf16(u"DRM \U0001F4E1"));
    }

    // Every prefix of a valid file is either refused, keeping what was held, or - where the
    // prefix is itself a whole document - opened to exactly the file's records.
    void everyPrefix() {
        CVantorDoc whole;
        QVERIFY(whole.OnOpenDocument(Write(QStringLiteral("whole.xml"), Sample)));
        const QByteArray closing = "</SignalDatabase>";
        const qsizetype complete = Sample.indexOf(closing) + closing.size();
        CVantorDoc doc;
        int opened = 0;
        for (qsizetype length = 0; length <= Sample.size(); ++length) {
            const QString path = Write(QStringLiteral("prefix.xml"), Sample.left(length));
            if (OpenOverKept(path, doc)) {
                QVERIFY2(length >= complete, qPrintable(QString::number(length)));
                QCOMPARE(doc.GetSignalCount(), whole.GetSignalCount());
                for (int i = 0; i < doc.GetSignalCount(); ++i)
                    QVERIFY(doc.GetSignal(i)->IsEqual(*whole.GetSignal(i)));
                ++opened;
            } else {
                QVERIFY(length < complete);
            }
        }
        QCOMPARE(opened, int(Sample.size() - complete + 1));
    }
};

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
