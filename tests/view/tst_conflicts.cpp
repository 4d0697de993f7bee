// git's mergetool in the editor: a real git merge's conflict, the three versions from git's
// index, resolved by keyboard in the conflicts window and committed.
#include "ConflictResolution.h"
#include "ConflictsDialog.h"
#include "Prompts.h"
#include "QuarnTool.h"
#include "SignalDescription.h"
#include "TestFiles.h"
#include "TestFolder.h"
#include "VantorDoc.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include <sstream>

namespace {

QByteArray Database(const QByteArray& baud, const QByteArray& comment) {
    return "<SignalDatabase><SignalList>\n<Signal Name=\"Alpha\" Modulation=\"PSK-2\"><Baudrate>" +
           baud + "</Baudrate></Signal>\n<Signal Name=\"Bravo\" Modulation=\"CW\">" +
           (comment.isEmpty() ? QByteArray() : "<Comment>" + comment + "</Comment>") +
           "</Signal>\n</SignalList></SignalDatabase>\n";
}

} // namespace

class TestConflicts : public QObject {
    Q_OBJECT
    TestFolder m_dir;

    QByteArray Git(const QStringList& args, bool mayFail = false) {
        return ::Git(m_dir.filePath("repo"), m_dir.path(), args, mayFail);
    }

private slots:
    void initTestCase() { CPrompts::SetTesting(true); }
    void init() {
        m_dir.Renew();
        CPrompts::Reset();
    }

    // Rows: Alpha's rate (row 0), Bravo's comment (row 1). Steps: "theirs ROW", "ours ROW",
    // "type ROW TEXT", "save", "escape".
    void resolveByKeyboard_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("baud"); // the committed file's, empty: not resolved
        QTest::addColumn<QString>("comment");
        QTest::newRow("theirs taken, ours kept")
            << QStringList{"theirs 1", "save"} << int(QDialog::Accepted) << QByteArray("200")
            << "theirs";
        QTest::newRow("a typed value") << QStringList{"type 0 250", "theirs 1", "save"}
                                       << int(QDialog::Accepted) << QByteArray("250") << "theirs";
        QTest::newRow("a typed value refused, then closed")
            << QStringList{"type 0 fast", "save", "escape"} << int(QDialog::Rejected)
            << QByteArray() << "";
        QTest::newRow("closed without saving")
            << QStringList{"theirs 0", "escape"} << int(QDialog::Rejected) << QByteArray() << "";
    }
    void resolveByKeyboard() {
        QFETCH(QStringList, steps);
        QFETCH(int, result);
        QFETCH(QByteArray, baud);
        QFETCH(QString, comment);
        if (QStandardPaths::findExecutable("git").isEmpty())
            QSKIP("git is not installed");
        QVERIFY(QDir(m_dir.path()).mkdir("repo"));
        const QString file = m_dir.filePath("repo/s.xml");
        QVERIFY(!Git({"init", "-q", "-b", "main"}).isNull());
        Git({"config", "user.email", "test@example.org"});
        Git({"config", "user.name", "test"});
        QVERIFY(WriteBytes(file, Database("100", "")));
        QVERIFY(!Git({"add", "."}).isNull() && !Git({"commit", "-qm", "base"}).isNull());
        Git({"checkout", "-qb", "theirs"});
        QVERIFY(WriteBytes(file, Database("300", "theirs")));
        QVERIFY(!Git({"commit", "-qam", "theirs"}).isNull());
        Git({"checkout", "-q", "main"});
        QVERIFY(WriteBytes(file, Database("200", "ours")));
        QVERIFY(!Git({"commit", "-qam", "ours"}).isNull());
        QVERIFY(Git({"merge", "-q", "--no-edit", "theirs"}, true).isNull()); // conflicts
        const QByteArray marked = FileBytes(file);
        QVERIFY(marked.contains("<<<<<<<"));
        // The three versions as git's mergetool hands them over.
        const QStringList stages{"base", "ours", "theirs"};
        for (int i = 0; i < 3; ++i)
            QVERIFY(WriteBytes(m_dir.filePath(stages[i]),
                               Git({"show", QStringLiteral(":%1:s.xml").arg(i + 1)})));
        CConflictResolution resolution;
        QVERIFY(resolution.FromVersions(m_dir.filePath("base"), m_dir.filePath("ours"),
                                        m_dir.filePath("theirs"), file));
        QCOMPARE(resolution.Rows().size(), 2u);
        CConflictsDialog dialog(resolution);
        dialog.show();
        QTableWidget* table = dialog.Table();
        table->setFocus();
        QPushButton* takeTheirs = nullptr;
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == "Take &Theirs")
                takeTheirs = button;
        }
        QVERIFY(takeTheirs);
        const auto goTo = [table](int row) {
            table->setFocus();
            QTest::keyClick(table, Qt::Key_Home, Qt::ControlModifier);
            for (int i = 0; i < row; ++i)
                QTest::keyClick(table, Qt::Key_Down);
            QTest::keyClick(table, Qt::Key_End);
        };
        for (const QString& step : steps) {
            const QStringList words = step.split(' ');
            if (words[0] == "theirs") {
                goTo(words[1].toInt());
                takeTheirs->setFocus();
                QTest::keyClick(takeTheirs, Qt::Key_Space);
                QVERIFY2(dialog.Said().contains(": 300") || dialog.Said().contains(": theirs"),
                         qPrintable(dialog.Said()));
            } else if (words[0] == "type") {
                goTo(words[1].toInt());
                QCOMPARE(table->currentColumn(), int(CConflictsDialog::ColumnResult));
                QTest::keyClick(table, Qt::Key_F2);
                auto* editor = table->findChild<QLineEdit*>();
                QVERIFY(editor);
                editor->selectAll();
                QTest::keyClicks(editor, words[2]);
                QTest::keyClick(editor, Qt::Key_Return);
                QCoreApplication::processEvents(); // the delegate commits on its next turn
                QCOMPARE(table->currentItem()->text(), words[2]);
            } else if (words[0] == "save") {
                table->setFocus();
                QTest::keyClick(table, Qt::Key_Return);
            } else {
                table->setFocus();
                QTest::keyClick(table, Qt::Key_Escape);
            }
        }
        QCOMPARE(dialog.result(), result);
        if (baud.isEmpty()) {
            // Nothing was written: git still has the conflict.
            QCOMPARE(FileBytes(file), marked);
            QVERIFY(!Git({"ls-files", "-u"}).isEmpty());
            if (steps.contains("type 0 fast")) {
                QCOMPARE(CPrompts::ShownMessages().size(), 1);
                QVERIFY(CPrompts::ShownMessages()[0].text.contains("Alpha"));
            }
            return;
        }
        QVERIFY(!Git({"add", "s.xml"}).isNull());
        QVERIFY(!Git({"commit", "-q", "--no-edit"}).isNull());
        QVERIFY(QFile::exists(file));
        CVantorDoc committed;
        QVERIFY(WriteBytes(m_dir.filePath("head.xml"), Git({"show", "HEAD:s.xml"})));
        QVERIFY(committed.OnOpenDocument(m_dir.filePath("head.xml")));
        QCOMPARE(committed.GetSignalCount(), 2);
        QCOMPARE(committed.GetSignal(0)->m_dBaudrate, baud.toDouble());
        QCOMPARE(QStringView(committed.GetSignal(1)->m_szComment.c_str()).toString(), comment);
    }

    // merge3 --report's file gives the rows the versions give, and resolves the output it
    // names: every row's theirs taken.
    void fromReport_data() {
        QTest::addColumn<QString>("folder"); // in tests/data/merge3
        QTest::newRow("a field") << "";
        QTest::newRow("removed against changed") << "changed-removed/";
        QTest::newRow("added by both") << "added";
    }
    void fromReport() {
        QFETCH(QString, folder);
        QString data = QStringLiteral(QUARN_TEST_DATA "/merge3/") + folder;
        if (folder == "added") {
            // Both sides added Bravo, with other comments.
            data = m_dir.filePath("");
            QVERIFY(WriteBytes(data + "base.xml", ""));
            QVERIFY(WriteBytes(data + "ours.xml", Database("100", "ours")));
            QVERIFY(WriteBytes(data + "theirs.xml", Database("100", "theirs")));
        }
        const QString out = m_dir.filePath("out.xml");
        const QString report = m_dir.filePath("conflicts.json");
        std::ostringstream said;
        RunQuarnTool({"merge3", (data + "base.xml").toStdString(),
                      (data + "ours.xml").toStdString(), (data + "theirs.xml").toStdString(), "-o",
                      out.toStdString(), "--report", report.toStdString()},
                     said, said);
        CConflictResolution versions, reported;
        QVERIFY(
            versions.FromVersions(data + "base.xml", data + "ours.xml", data + "theirs.xml", out));
        QVERIFY(reported.FromReport(report));
        QVERIFY(!reported.Rows().empty());
        QCOMPARE(reported.Rows().size(), versions.Rows().size());
        for (std::size_t i = 0; i < reported.Rows().size(); ++i) {
            const auto& r = reported.Rows()[i];
            const auto& v = versions.Rows()[i];
            QCOMPARE(QStringList({r.name, r.field, r.base, r.ours, r.theirs}),
                     QStringList({v.name, v.field, v.base, v.ours, v.theirs}));
            QVERIFY(r.record != nullptr);
            reported.Rows()[i].result = r.choices[2];
            versions.Rows()[i].result = v.choices[2];
        }
        // Both ways to the same file.
        QString why;
        int row = 0;
        QVERIFY2(versions.Save(why, row), qPrintable(why));
        const QByteArray fromVersions = FileBytes(out);
        QVERIFY2(reported.Save(why, row), qPrintable(why));
        QCOMPARE(FileBytes(out), fromVersions);
    }
};

QTEST_MAIN(TestConflicts)
#include "tst_conflicts.moc"
