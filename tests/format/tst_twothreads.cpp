// A large file is parsed on a second thread, and many records are formatted on two: the
// records, their notes, the report, the saved bytes and the message of a fault are the same
// as with one thread.
#include "RandomSignals.h"
#include "SignalDescription.h"
#include "SignalFileReader.h"
#include "SignalFileWriter.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Everything a read tells, as text.
QStringList ReadAll(const QString& path, qint64 twoThreadBytes) {
    const qint64 before = CSignalFileReader::TwoThreadBytes();
    CSignalFileReader::SetTwoThreadBytes(twoThreadBytes);
    QStringList told;
    const CSignalFileReader::Sink sink = [&told](std::unique_ptr<CSignalDescription> s,
                                                 SignalReadNotes&& notes) {
        std::string xml;
        CSignalXml::WriteXml(xml, *s, nullptr);
        QString line = QStringLiteral("%1 %2 %3 ")
                           .arg(notes.line)
                           .arg(notes.cut)
                           .arg(notes.message ? QString::fromUtf16(notes.message) : QString());
        for (const auto& [field, saved] : notes.numbers)
            line += QString::fromLatin1(field) + '=' + QString::fromStdString(saved) + ' ';
        told << line + QString::fromStdString(xml);
    };
    QString error;
    SignalFileReport report;
    const bool read = CSignalFileReader::Read(path, sink, error, {}, &report);
    CSignalFileReader::SetTwoThreadBytes(before);
    told << QStringLiteral("read %1: %2").arg(read).arg(error) << report.Notice()
         << QString::fromStdString(report.root);
    return told;
}

// The records of tests/data/kept.xml and mixed.xml again and again, numbered, with line
// ends as given, so that records and kept markup straddle the parser's chunks and batches.
QByteArray Repeated(const QByteArray& lineEnd, int copies) {
    QFile kept(QStringLiteral(QUARN_TEST_DATA "/kept.xml"));
    QFile mixed(QStringLiteral(QUARN_TEST_DATA "/mixed.xml"));
    if (!kept.open(QIODevice::ReadOnly) || !mixed.open(QIODevice::ReadOnly))
        return {};
    const auto body = [](const QByteArray& file) {
        const qsizetype from = file.indexOf("<Signal ");
        return file.mid(from, file.lastIndexOf("</Signal>") + 9 - from);
    };
    const QByteArray records = body(kept.readAll()) + "\n" + body(mixed.readAll()) + "\n";
    QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SignalDatabase "
                     "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                     "xmlns:v=\"urn:vendor\" xmlns:t=\"urn:types\"><!-- c -->\n<SignalList>\n";
    for (int i = 0; i < copies; ++i)
        out += QByteArray(records).replace("Name=\"", "Name=\"" + QByteArray::number(i) + " ");
    out += "</SignalList>\n</SignalDatabase>\n";
    return out.replace("\n", lineEnd);
}

} // namespace

class TestTwoThreads : public QObject {
    Q_OBJECT
private slots:
    void sameAsOneThread_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("file"); // from tests/data instead, when given
        const QDir data(QStringLiteral(QUARN_TEST_DATA));
        for (const QString& name : data.entryList({"*.xml"}, QDir::Files) +
                                       QDir(data.filePath("encodings")).entryList(QDir::Files))
            QTest::newRow(qPrintable(name))
                << QByteArray()
                << (QFile::exists(data.filePath(name)) ? data.filePath(name)
                                                       : data.filePath("encodings/" + name));
        const QByteArray many = Repeated("\n", 400);
        QTest::newRow("many records") << many << QString();
        QTest::newRow("CR LF line ends") << Repeated("\r\n", 400) << QString();
        QTest::newRow("CR line ends") << Repeated("\r", 400) << QString();
        QTest::newRow("broken near the end")
            << many.left(many.size() - 40) + "<Signal Name=\"x\"></Sig>" << QString();
        QTest::newRow("text too long in a record")
            << QByteArray(many).insert(many.indexOf("<Owner>") + 7, QByteArray(10'000'001, 'x'))
            << QString();
        QTest::newRow("undeclared entity late")
            << QByteArray(many).insert(many.lastIndexOf("<Owner>") + 7, "&nope;") << QString();
    }
    void sameAsOneThread() {
        QFETCH(QByteArray, content);
        QFETCH(QString, file);
        QTemporaryDir dir;
        if (file.isEmpty()) {
            file = dir.filePath("in.xml");
            QVERIFY(WriteBytes(file, content));
        }
        const QStringList one = ReadAll(file, std::numeric_limits<qint64>::max());
        const QStringList two = ReadAll(file, 0);
        QCOMPARE(two.size(), one.size());
        for (qsizetype i = 0; i < one.size(); ++i)
            QCOMPARE(two[i], one[i]);
    }

    // Spans of records formatted apart give the bytes of one pass, and the first record that
    // cannot be stored is the one named, whichever thread formats it.
    void writtenAsByOne_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("unstorable"); // index of a record with a lone surrogate, or -1
        QTest::newRow("empty") << 0 << -1;
        QTest::newRow("one span and a part") << 4096 + 17 << -1;
        QTest::newRow("many spans") << 5 * 4096 + 3 << -1;
        QTest::newRow("odd number of whole spans") << 3 * 4096 << -1;
        QTest::newRow("unstorable in the second span") << 3 * 4096 << 4096 + 5;
        QTest::newRow("unstorable in the first span") << 3 * 4096 << 4095;
    }
    void writtenAsByOne() {
        QFETCH(int, count);
        QFETCH(int, unstorable);
        QRandomGenerator random(20261208);
        SignalCollection records;
        for (int i = 0; i < count; ++i) {
            auto s = std::make_unique<CSignalDescription>(RandomRecord(random));
            if (i == unstorable)
                s->m_szComment.Assign(u"x\xD800y");
            records.push_back(std::move(s));
        }
        const std::size_t before = CSignalFileWriter::TwoThreadRecords();
        QByteArray one, two;
        QString oneError, twoError;
        CSignalFileWriter::SetTwoThreadRecords(std::numeric_limits<std::size_t>::max());
        const bool oneWritten = CSignalFileWriter::WriteBuffer(records, one, oneError);
        CSignalFileWriter::SetTwoThreadRecords(0);
        const bool twoWritten = CSignalFileWriter::WriteBuffer(records, two, twoError);
        CSignalFileWriter::SetTwoThreadRecords(before);
        QCOMPARE(oneWritten, unstorable < 0);
        QCOMPARE(twoWritten, oneWritten);
        QCOMPARE(twoError, oneError);
        QVERIFY(two == one);
    }
};

QTEST_GUILESS_MAIN(TestTwoThreads)
#include "tst_twothreads.moc"
