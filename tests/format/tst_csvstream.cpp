#include "Csv.h"
#include "SignalDescription.h"
#include "TestFolder.h"

#include <QFile>
#include <QTest>

// The spreadsheet import reads its file a chunk at a time: whatever falls on a chunk's edge
// (a CR LF, a doubled quote, a character of several bytes) reads as in one piece.
class TestCsvStream : public QObject {
    Q_OBJECT
    TestFolder m_folder;

    static QList<QPair<int, QStringList>> Rows(const QList<QStringView>& pieces, QString& why) {
        QList<QPair<int, QStringList>> rows;
        CsvRowReader reader(u';', [&rows](QStringList& cells, int line) {
            rows.append({line, cells});
        });
        for (QStringView piece : pieces)
            reader.Feed(piece);
        int line = 0;
        if (!reader.Finish(why, line))
            why += QStringLiteral(" at %1").arg(line);
        return rows;
    }

private slots:
    void init() { m_folder.Renew(); }

    void piecesReadAsOne_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("line ends") << QStringLiteral("a;b\r\nc;d\re;f\n\ng;h");
        QTest::newRow("quotes") << QStringLiteral("\"a;\"\"b\"\";c\";d\r\n\"x\r\ny\";\"\"\r\n");
        QTest::newRow("open quote") << QStringLiteral("a;b\n\"c;d\r\n");
    }
    void piecesReadAsOne() {
        QFETCH(QString, text);
        QString wholeWhy;
        const auto whole = Rows({QStringView(text)}, wholeWhy);
        QVERIFY(!whole.isEmpty());
        for (qsizetype cut = 1; cut < text.size(); ++cut) {
            QString why;
            const auto rows =
                Rows({QStringView(text).first(cut), QStringView(text).sliced(cut)}, why);
            QCOMPARE(rows, whole);
            QCOMPARE(why, wholeWhy);
        }
    }

    // Files larger than a chunk (1 MiB): a two-byte character and a CR LF across the first
    // chunk's edge; a byte that is not UTF-8 only in the second chunk makes all of it
    // Windows-1252, the first row included.
    void fileLargerThanAChunk_data() {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("first");
        QTest::newRow("UTF-8") << QByteArray("\xC3\xA9") << "UTF-8"
                               << QString::fromUtf8("\xC3\xA9t\xC3\xA9");
        QTest::newRow("Windows-1252") << QByteArray("\xE9") << "Windows-1252"
                                      << QString::fromUtf8("\xC3\x83\xC2\xA9t\xC3\x83\xC2\xA9");
    }
    void fileLargerThanAChunk() {
        QFETCH(QByteArray, tail);
        QFETCH(QString, encoding);
        QFETCH(QString, first);
        const QByteArray heading = "name,decoder,modulation,baud,shift\r\n";
        const QByteArray row = "\xC3\xA9t\xC3\xA9,,FSK,50,170\r\n";
        QByteArray data = heading;
        const qsizetype chunk = qsizetype(1) << 20;
        while (data.size() + 2 * row.size() < chunk - 1)
            data += row;
        // "\xC3" | "\xA9" on the chunk's edge, then a row ending in CR | LF on the next edge.
        data += QByteArray(chunk - 1 - data.size(), 'x') + "\xC3\xA9,,FSK,50,170\r\n";
        while (data.size() + 2 * row.size() < 2 * chunk - 1)
            data += row;
        data += QByteArray(2 * chunk - 1 - data.size() - 14, 'y') + ",,FSK,50,170\r\n";
        data += tail + ",,FSK,50,170\r\n";
        const QString path = m_folder.filePath("big.csv");
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(data) == data.size());
        out.close();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        CsvImport imported;
        QString why;
        int line = 0;
        QVERIFY2(ImportCsv(file, imported, why, line), qPrintable(why));
        QCOMPARE(imported.encoding, encoding);
        QVERIFY2(imported.refused.isEmpty(), qPrintable(imported.refused.value(0).second));
        QCOMPARE(qsizetype(imported.records.size()), data.count('\n') - 1);
        QCOMPARE(QStringView(imported.records.front()->m_szName.c_str()).toString(), first);
        for (const auto& record : imported.records)
            QCOMPARE(record->m_dShift, 170.0);
    }
};

QTEST_GUILESS_MAIN(TestCsvStream)
#include "tst_csvstream.moc"
