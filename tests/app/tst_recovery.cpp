// Recovery: snapshots of unsaved changes, the end of the editor, leftover backups.
#include "EditorTest.h"
#include "TestDocument.h"

class TestRecovery : public CEditorTest {
    Q_OBJECT

private slots:
    // Unsaved changes survive the editor's end: killed (the snapshot written a moment after
    // the change) or told to end (written then). The next start on the file offers them;
    // Recover gives them back as unsaved changes, Later keeps them, Discard removes them.
    void recoveryAfterTheEditorEnds_data() {
        QTest::addColumn<int>("ending");
        QTest::newRow("SIGKILL after the pause") << int(SIGKILL);
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void recoveryAfterTheEditorEnds() {
        QFETCH(int, ending);
        const QString path = Copy("mixed.xml");
        const pid_t child = fork();
        if (child == 0) {
            CRecoveryKeeper::CatchTerminationSignals();
            Start({path});
            Frame()->View()->selectRow(0);
            Trigger(ID_SIGNAL_DISABLE);
            // The raster engine's painting threads did not come along into this process.
            Frame()->hide();
            if (ending == SIGKILL) {
                m_app->Recovery()->SetDelay(10);
                if (QTest::qWaitFor([this] { return m_app->Recovery()->HasSnapshot(); }, 5000))
                    ::raise(SIGKILL);
                ::_exit(1);
            }
            QTimer::singleShot(0, [ending] { ::raise(ending); });
            ::_exit(QApplication::exec());
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        if (ending == SIGKILL)
            QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        else
            QCOMPARE(WEXITSTATUS(status), 128 + ending);
        const QString snapshots = qEnvironmentVariable("XDG_STATE_HOME") + "/quarn-editor";
        QCOMPARE(QFileInfo(snapshots).permissions().toInt() & 0x0077, 0);
        CPrompts::PushAnswer(QMessageBox::Ignore); // Later
        Start({path});
        QVERIFY(!Doc()->IsModified());
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QVERIFY(
            CPrompts::ShownMessages()[0].text.startsWith("Unsaved changes to " + path + " from "));
        QVERIFY(CPrompts::ShownMessages()[0].text.endsWith(" (5 signals) were recovered."));
        cleanup();
        CPrompts::Reset();
        Start({path}); // Recover is the default
        QVERIFY(Doc()->IsModified());
        QCOMPARE(Doc()->GetPathName(), path);
        QVERIFY(Doc()->GetSignal(0)->m_bDisabled);
        // Undoing a later change leaves the recovered changes unsaved.
        Frame()->View()->selectRow(1);
        Trigger(ID_SIGNAL_DISABLE);
        Trigger(ID_EDIT_UNDO);
        QVERIFY(Doc()->IsModified());
        CPrompts::PushAnswer(QMessageBox::Yes);
        QVERIFY(m_app->Template()->FileSave());
        QCOMPARE(QDir(snapshots).entryList(QDir::Files), QStringList());
    }

    // Each run keeps its own snapshot: one left by an ended run is offered at every start
    // on its file until it is recovered or discarded, whatever this run writes, saves or
    // defers; one of a live run (this one's) is never offered. A file changed after the
    // changes were made is said in the offer, and the first save of the recovered changes
    // asks before it replaces the file.
    void snapshotsAreEachRunsOwn() {
        const QString path = Copy("mixed.xml");
        QVERIFY(LeaveSnapshot(path));
        CPrompts::PushAnswer(QMessageBox::Ignore); // Later
        Start({path});
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        // This run's own changes, snapshot and save leave the deferred snapshot alone.
        Frame()->View()->selectRow(1);
        Trigger(ID_SIGNAL_DISABLE);
        QVERIFY(m_app->Recovery()->SnapshotNow());
        QCOMPARE(CRecoverySnapshot::Find(path).size(), std::size_t(1));
        QVERIFY(m_app->Template()->FileSave());
        QVERIFY(!m_app->Recovery()->HasSnapshot());
        const auto deferred = CRecoverySnapshot::Find(path);
        QCOMPARE(deferred.size(), std::size_t(1));
        QVERIFY(deferred[0].FileChanged()); // this run saved the file since
        cleanup();
        CPrompts::Reset();
        Start({path}); // Recover is the default
        QVERIFY(CPrompts::ShownMessages()[0].text.contains(
            path + " was changed by another program after these changes were made."));
        QVERIFY(Doc()->IsModified());
        QVERIFY(Doc()->GetSignal(0)->m_bDisabled);
        QVERIFY(!Doc()->GetSignal(1)->m_bDisabled);
        // The recovered snapshot goes once this run has its own.
        QVERIFY(m_app->Recovery()->SnapshotNow());
        QVERIFY(CRecoverySnapshot::Find(path).empty());
        CPrompts::PushAnswer(QMessageBox::Cancel);
        QVERIFY(!m_app->Template()->FileSave());
        QVERIFY(CPrompts::ShownMessages().last().text.contains("was changed, replaced or deleted"));
    }

    // The same file offers its snapshots whatever path opens it: changes made through a
    // symbolic link come back when the file is opened by its real path, and the other way
    // round; a hard link's other name finds them by the file's identity.
    void snapshotsFollowTheFile_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("made through a link, opened by the real path") << "link";
        QTest::newRow("made by the real path, opened through a link") << "real";
        QTest::newRow("made by one hard link, opened by the other") << "hard";
    }
    void snapshotsFollowTheFile() {
        QFETCH(QString, way);
        const QString real = Copy("mixed.xml");
        const QString other = m_dir.filePath("other-name.xml");
        if (way == "hard")
            QCOMPARE(::link(QFile::encodeName(real), QFile::encodeName(other)), 0);
        else
            QVERIFY(QFile::link(real, other));
        QVERIFY(LeaveSnapshot(way == "real" ? real : other));
        CPrompts::PushAnswer(QMessageBox::Ignore); // Later
        Start({way == "real" ? other : real});
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QVERIFY(CPrompts::ShownMessages()[0].text.startsWith("Unsaved changes to "));
    }

    // Many snapshots of ended runs are one question at start, listing the newest ten; Later
    // keeps them all and lets the editor be used, Discard All removes them.
    void manySnapshotsAreOneQuestion() {
        for (int i = 0; i < 12; ++i)
            QVERIFY(LeaveSnapshot(
                Copy(QStringLiteral("mixed.xml"), QStringLiteral("db%1.xml").arg(i))));
        CPrompts::PushAnswer(QMessageBox::Ignore); // Later
        Start();
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        const QString text = CPrompts::ShownMessages()[0].text;
        QVERIFY2(text.startsWith("Unsaved changes were recovered 12 times, the newest first:"),
                 qPrintable(text));
        QCOMPARE(text.count(" (5 signals)"), 10);
        QVERIFY(text.endsWith("\nand 2 more"));
        QVERIFY(!Doc()->IsModified());
        cleanup();
        CPrompts::Reset();
        CPrompts::PushAnswer(QMessageBox::Discard); // Discard All
        Start();
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QVERIFY(CRecoverySnapshot::All().empty());
    }

    // However steadily the user edits, a snapshot is written within the ceiling after the
    // oldest change not yet in one.
    void snapshotCeiling() {
        Start({Copy("mixed.xml")});
        m_app->Recovery()->SetDelay(60000);
        m_app->Recovery()->SetCeiling(300);
        Frame()->View()->selectRow(0);
        for (int i = 0; i < 30 && !m_app->Recovery()->HasSnapshot(); ++i) {
            Trigger(ID_SIGNAL_DISABLE);
            QTest::qWait(100);
        }
        QTRY_VERIFY(m_app->Recovery()->HasSnapshot());
    }

    // A snapshot that cannot be written is said once, with the folder and the reason, and
    // said again once one is written.
    void snapshotFailureIsSaid() {
        const QByteArray state = qgetenv("XDG_STATE_HOME");
        auto restore = qScopeGuard([&] { qputenv("XDG_STATE_HOME", state); });
        QFile blocker(m_dir.filePath("not-a-folder"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_STATE_HOME", QFile::encodeName(blocker.fileName() + "/state"));
        Start({Copy("mixed.xml")});
        Frame()->View()->selectRow(0);
        Trigger(ID_SIGNAL_DISABLE);
        QVERIFY(!m_app->Recovery()->SnapshotNow());
        QVERIFY(!m_app->Recovery()->SnapshotNow());
        const QStringList said = Frame()->MessageBar()->Messages();
        QCOMPARE(said.size(), 1);
        QVERIFY2(said[0].contains(blocker.fileName() + "/state/quarn-editor: Not a directory"),
                 qPrintable(said[0]));
        qputenv("XDG_STATE_HOME", state);
        QVERIFY(m_app->Recovery()->SnapshotNow());
        QCOMPARE(Frame()->MessageBar()->Messages().size(), 1);
        QVERIFY(Frame()->MessageBar()->Messages()[0].contains("again"));
    }

    // Quitting while the copy writes a snapshot: the keeper ends before the document it
    // reads (the sanitizer build checks the reads).
    void quitWhileSnapshotIsWritten() {
        Start({Copy("mixed.xml")});
        m_app->Recovery()->SetDelay(0);
        Frame()->View()->selectRow(0);
        Trigger(ID_SIGNAL_DISABLE);
        QCoreApplication::processEvents(); // the delay ends: the copy starts
        MarkSaved(*Doc());
        m_app->ExitInstance();
        m_app.reset();
        QVERIFY(CRecoverySnapshot::All().empty());
    }

    // Told to end while a question is open, the editor takes it as unanswered (Cancel,
    // Later): the file is not written, the snapshot is, and it ends with 128 + the signal.
    void terminationLeavesQuestionsUnanswered_data() {
        QTest::addColumn<bool>("atStart");
        QTest::newRow("save question") << false;
        QTest::newRow("recovery offer at start") << true;
    }
    void terminationLeavesQuestionsUnanswered() {
        QFETCH(bool, atStart);
        const QString path = Copy("mixed.xml");
        const QByteArray before = ReadAll(path);
        if (!atStart) {
            // The save question as a real box, in a new process of this suite: a forked copy
            // of this one could not paint.
            if (qEnvironmentVariableIsSet("QUARN_TEST_END_AT_SAVE_QUESTION")) {
                qputenv("XDG_STATE_HOME", qgetenv("QUARN_TEST_STATE_HOME"));
                CRecoveryKeeper::CatchTerminationSignals();
                Start({qEnvironmentVariable("QUARN_TEST_END_AT_SAVE_QUESTION")});
                Frame()->View()->selectRow(0);
                Trigger(ID_SIGNAL_DISABLE);
                CPrompts::SetTesting(false);
                QTimer::singleShot(500, [] { ::raise(SIGTERM); });
                const bool settled = m_app->Template()->SaveModified();
                QDir(QFileInfo(qEnvironmentVariable("XDG_CONFIG_HOME")).path()).removeRecursively();
                QDir(m_dir.path()).removeRecursively();
                ::_exit(settled ? 1 : CRecoveryKeeper::EndRequested());
            }
            QProcess copy;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QUARN_TEST_END_AT_SAVE_QUESTION", path);
            environment.insert("QUARN_TEST_STATE_HOME", qEnvironmentVariable("XDG_STATE_HOME"));
            copy.setProcessEnvironment(environment);
            copy.start(QCoreApplication::applicationFilePath(),
                       {"terminationLeavesQuestionsUnanswered:save question"});
            QVERIFY(copy.waitForFinished(20000));
            QCOMPARE(copy.exitStatus(), QProcess::NormalExit);
            QCOMPARE(copy.exitCode(), 128 + SIGTERM);
            QCOMPARE(ReadAll(path), before);
            QCOMPARE(CRecoverySnapshot::Find(path).size(), std::size_t(1));
            CRecoverySnapshot::Find(path)[0].Remove();
            return;
        }
        QVERIFY(LeaveSnapshot(path));
        QProcess editor;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", m_dir.filePath("data"));
        environment.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
        editor.setProcessEnvironment(environment);
        // The recovery offer is open at start; the editor waits for its answer.
        editor.start(QUARN_EDITOR_PATH, {"--new-window", path});
        QVERIFY(editor.waitForStarted());
        QVERIFY(!editor.waitForFinished(1500));
        ::kill(static_cast<pid_t>(editor.processId()), SIGTERM);
        QVERIFY(editor.waitForFinished(5000));
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), 128 + SIGTERM);
        QCOMPARE(ReadAll(path), before);
        QCOMPARE(CRecoverySnapshot::Find(path).size(), std::size_t(1));
        CRecoverySnapshot::Find(path)[0].Remove();
    }

    // A copy left by a save is offered at open; when the file itself reads whole (the save
    // finished, only the copy's removal did not), the offer's default keeps the file.
    void leftoverBackupOfferDefault_data() {
        QTest::addColumn<bool>("whole");
        QTest::newRow("the file is whole") << true;
        QTest::newRow("the file is torn") << false;
    }
    void leftoverBackupOfferDefault() {
        QFETCH(bool, whole);
        const QString path = Copy("mixed.xml");
        const QString copy = m_dir.filePath(".mixed.xml.backup-abc123");
        QFile::remove(copy);
        QVERIFY(QFile::copy(DataFile("other.xml"), copy));
        QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner));
        auto removeCopy = qScopeGuard([&] { QFile::remove(copy); });
        if (!whole)
            QVERIFY(QFile::resize(path, QFileInfo(path).size() / 2));
        Start({path}); // the offer takes its default
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QCOMPARE(CPrompts::ShownMessages()[0].text.contains("reads as a whole database"), whole);
        // Declined, the file opens as it is; taken, the copy opens as unsaved changes.
        QCOMPARE(Doc()->IsModified(), !whole);
        QCOMPARE(Doc()->GetPathName(), path);
    }
};

int main(int argc, char** argv) {
    return RunEditorTest<TestRecovery>(argc, argv);
}

#include "tst_recovery.moc"
