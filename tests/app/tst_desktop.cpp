// Starting the editor: with and without a file, on the desktop, and a second start handing over.
#include "EditorTest.h"
#include "TestDocument.h"
#include "TestFiles.h"

class TestDesktop : public CEditorTest {
    Q_OBJECT

private slots:
    // Registration at start-up writes into $XDG_DATA_HOME only what nobody else provides and
    // never touches a file the user changed, deleted or had before.
    // A program path the entry names cannot inject keys or commands: reserved characters are
    // quoted, %, $, `, " and \ escaped, a path with a control character is not named at all.
    void desktopExecQuoting_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/opt/q/quarn-editor"
                               << "/opt/q/quarn-editor";
        QTest::newRow("space") << "/my apps/quarn-editor"
                               << "\"/my apps/quarn-editor\"";
        QTest::newRow("percent") << "/a%f/quarn-editor"
                                 << "/a%%f/quarn-editor";
        QTest::newRow("dollar and backtick") << "/a$(id)`x`/q"
                                             << "\"/a\\\\$(id)\\\\`x\\\\`/q\"";
        QTest::newRow("backslash") << "/a\\b/q"
                                   << "\"/a\\\\\\\\b/q\"";
        QTest::newRow("quote") << "/a\"b/q"
                               << "\"/a\\\\\"b/q\"";
        QTest::newRow("newline") << "/a\nX-Injected=1/q"
                                 << "";
        QTest::newRow("tab") << "/a\tb/q"
                             << "";
    }
    void desktopExecQuoting() {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(DesktopExecProgram(program), exec);
    }

    void desktopIntegrationNeverHarms_data() {
        QTest::addColumn<QString>("before");
        QTest::newRow("fresh home") << "";
        QTest::newRow("entry edited after the editor wrote it") << "edited";
        QTest::newRow("entry deleted after the editor wrote it") << "deleted";
        QTest::newRow("the user's own entry") << "own";
        QTest::newRow("installed system copy") << "system";
        // A copy installed after a build folder's start registered it: what that start
        // wrote goes, what the user changed stays.
        QTest::newRow("system copy installed later") << "then system";
        QTest::newRow("edited, then system copy installed") << "edited then system";
    }
    void desktopIntegrationNeverHarms() {
        QFETCH(QString, before);
        const QString root = m_dir.filePath(QTest::currentDataTag());
        const QString data = root + "/data";
        const QString entry = data + "/applications/com.korvel.QuarnEditor.desktop";
        const QByteArray home = qgetenv("XDG_DATA_HOME");
        const QByteArray dirs = qgetenv("XDG_DATA_DIRS");
        auto restore = qScopeGuard([&] {
            qputenv("XDG_DATA_HOME", home);
            qputenv("XDG_DATA_DIRS", dirs);
        });
        qputenv("XDG_DATA_HOME", data.toUtf8());
        qputenv("XDG_DATA_DIRS", (root + "/system").toUtf8());
        QSettings("Korvel", "Quarn Editor").remove("DesktopIntegration");
        const auto write = [](const QString& path, const QByteArray& content) {
            QVERIFY(WriteBytes(path, content));
        };
        const auto read = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray own = "[Desktop Entry]\nType=Application\nName=Mine\nExec=mine\n";
        if (before == "own")
            write(entry, own);
        if (before == "system")
            write(root + "/system/applications/com.korvel.QuarnEditor.desktop", own);
        if (before != "own" && before != "system" && !before.isEmpty()) {
            QVERIFY(!InstallDesktopIntegration().isEmpty());
            if (before.startsWith("edited"))
                write(entry, read(entry) + "NoDisplay=true\n");
            else if (before == "deleted")
                QFile::remove(entry);
            if (before.endsWith("then system"))
                write(root + "/system/applications/com.korvel.QuarnEditor.desktop", own);
        }
        const QByteArray expected = read(entry);

        Start();
        const bool system = before.endsWith("system");
        QCOMPARE(QFile::exists(entry),
                 before != "deleted" && before != "system" && before != "then system");
        QCOMPARE(QFile::exists(data + "/mime/packages/com.korvel.QuarnEditor.xml"), !system);
        QCOMPARE(QFile::exists(data + "/icons/hicolor/scalable/apps/com.korvel.QuarnEditor.svg"),
                 !system);
        if (!before.isEmpty() && before != "then system")
            QCOMPARE(read(entry), expected);
        if (before.isEmpty()) {
            // The test program is not the quarn-editor on PATH: the entry names it.
            const QString self = QCoreApplication::applicationFilePath();
            QVERIFY(read(entry).contains("\nExec=" + self.toUtf8() + " %f\n"));
            QVERIFY(read(entry).contains("\nExec=" + self.toUtf8() + " --new-window\n"));
            QVERIFY(read(entry).contains("\nTryExec=" + self.toUtf8() + "\n"));
            if (!QStandardPaths::findExecutable("update-mime-database").isEmpty())
                QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(data + "/mime/mime.cache"), 20000);
            if (!QStandardPaths::findExecutable("update-desktop-database").isEmpty())
                QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(data + "/applications/mimeinfo.cache"),
                                         20000);
        }
    }

    void startWithFile() {
        const QString path = Copy("mixed.xml");
        Start({path});
        QCOMPARE(Title(), QStringLiteral("mixed.xml - Quarn Editor"));
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), 5);
        QCOMPARE(m_app->RecentFiles(), QStringList{path});
        // A red row explains itself.
        const auto* model = Frame()->View()->RowModel();
        int invalidRow = -1;
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->SignalAt(row)->IsInvalid())
                invalidRow = row;
        }
        QVERIFY(invalidRow >= 0);
        QCOMPARE(model->index(invalidRow, 3).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("No symbol rate specified"));
    }

    // The code tables folder becomes the working folder, but a relative path on the
    // command line still names the file of the folder the editor was started from.
    void relativePathIsTheStartingFolders() {
        const QString tables =
            qEnvironmentVariable("XDG_DATA_DIRS") + QStringLiteral("/Korvel/Quarn Code Tables");
        QVERIFY(QDir().mkpath(tables));
        QVERIFY(QFile::copy(DataFile("other.xml"), tables + "/mixed.xml"));
        const QString started = QDir::currentPath();
        const auto restore = qScopeGuard([&] {
            QDir::setCurrent(started);
            QDir(tables).removeRecursively();
        });
        const QString path = Copy("mixed.xml");
        QVERIFY(QDir::setCurrent(m_dir.path()));
        Start({QStringLiteral("mixed.xml")});
        QCOMPARE(QDir::currentPath(), QDir(tables).canonicalPath());
        QCOMPARE(Doc()->GetPathName(), path);
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), 5);
    }

    void startWithBadFileFails() {
        CVantorApp app;
        QString error;
        QVERIFY(!app.InitInstance({DataFile("broken.xml")}, error));
        QVERIFY2(error.contains("broken.xml") && error.contains("line"), qPrintable(error));
        QVERIFY(!app.MainFrame()->isVisible());
    }

    // A second start hands its file to the running editor, over the session bus or, without
    // one, over the user's own socket, and ends with 0; with no file the window comes forward.
    void secondStartHandsOver_data() {
        QTest::addColumn<bool>("bus");
        QTest::newRow("socket") << false;
        QTest::newRow("session bus") << true;
    }
    void secondStartHandsOver() {
        QFETCH(bool, bus);
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcess daemon;
        QByteArray address = "unix:path=" + QFile::encodeName(runtime.filePath("no-bus"));
        if (bus) {
            const QString program = QStandardPaths::findExecutable("dbus-daemon");
            if (program.isEmpty())
                QSKIP("dbus-daemon is not installed");
            daemon.start(program, {"--session", "--nofork", "--print-address=1"});
            QVERIFY(daemon.waitForReadyRead(10000));
            address = daemon.readLine().trimmed();
        }
        const QByteArray oldAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        auto restore = qScopeGuard([&] {
            m_app.reset(); // the listener goes with the editor
            qputenv("DBUS_SESSION_BUS_ADDRESS", oldAddress);
            qputenv("XDG_RUNTIME_DIR", oldRuntime);
            daemon.kill();
            daemon.waitForFinished();
        });
        Start();
        QVERIFY(m_app->ListenForOtherStarts());
        // Starts a second editor and waits for it to end, which it does with 0 once the
        // first took its request. Should the hand-over fail, the editor it starts keeps to
        // the test's folders.
        const auto startSecond = [&runtime](const QStringList& args) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("XDG_DATA_HOME", runtime.filePath("data"));
            environment.insert("XDG_CONFIG_HOME", runtime.filePath("config"));
            auto second = std::make_unique<QProcess>();
            second->setProcessEnvironment(environment);
            second->start(QUARN_EDITOR_PATH, args);
            return second;
        };
        const QString file = Copy("mixed.xml");
        // Unsaved changes: the save question comes first; Cancel keeps the database, No
        // opens the file; a start without a file only brings the window forward.
        MarkModified(*Doc());
        for (const auto& [args, answer, opened] :
             {std::tuple{QStringList{file}, QMessageBox::Cancel, false},
              std::tuple{QStringList{file}, QMessageBox::No, true},
              std::tuple{QStringList{}, QMessageBox::NoButton, true}}) {
            const qsizetype asked = CPrompts::ShownMessages().size();
            if (answer != QMessageBox::NoButton)
                CPrompts::PushAnswer(answer);
            const auto second = startSecond(args);
            QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 20000);
            QVERIFY2(second->exitCode() == 0, second->readAllStandardError().constData());
            QTRY_COMPARE(CPrompts::ShownMessages().size(),
                         asked + (answer != QMessageBox::NoButton));
            QCOMPARE(m_app->Document()->GetPathName() == file, opened);
        }
        // While a dialog is open, a handed file waits until it closes.
        const QString other = Copy("other.xml");
        QDialog dialog(Frame());
        dialog.setModal(true);
        dialog.show();
        const auto third = startSecond({other});
        QTRY_COMPARE_WITH_TIMEOUT(third->state(), QProcess::NotRunning, 20000);
        QCOMPARE(third->exitCode(), 0);
        QTest::qWait(700);
        QCOMPARE(m_app->Document()->GetPathName(), file);
        dialog.close();
        QTRY_COMPARE(m_app->Document()->GetPathName(), other);
        QVERIFY(!m_app->Document()->Signals().empty());
        // A name that is not UTF-8 reaches the same file; a file the running editor cannot
        // open ends the second start with 1 and its reason.
        const QByteArray odd = QFile::encodeName(m_dir.path()) + "/odd-\xff.xml";
        QVERIFY(QFile::copy(file, m_dir.filePath("odd.xml")));
        QCOMPARE(
            ::rename(QFile::encodeName(m_dir.filePath("odd.xml")).constData(), odd.constData()), 0);
        QProcess shell;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", runtime.filePath("data"));
        environment.insert("XDG_CONFIG_HOME", runtime.filePath("config"));
        shell.setProcessEnvironment(environment);
        shell.setWorkingDirectory(m_dir.path());
        shell.start("/bin/sh",
                    {"-c", "exec \"$0\" \"$(printf 'odd-\\377.xml')\"", QUARN_EDITOR_PATH});
        QTRY_COMPARE_WITH_TIMEOUT(shell.state(), QProcess::NotRunning, 20000);
        QVERIFY2(shell.exitCode() == 0, shell.readAllStandardError().constData());
        QTRY_COMPARE(NativePath(m_app->Document()->GetPathName()), odd);
        ::unlink(odd.constData());
        const auto missing = startSecond({m_dir.filePath("missing.xml")});
        QTRY_COMPARE_WITH_TIMEOUT(missing->state(), QProcess::NotRunning, 20000);
        QCOMPARE(missing->exitCode(), 1);
        QVERIFY(missing->readAllStandardError().contains("missing.xml: No such file or directory"));
        if (bus)
            return;
        // The socket drops a request that never ends.
        QLocalSocket flood;
        flood.connectToServer(CSingleInstance::SocketPath());
        QVERIFY(flood.waitForConnected(5000));
        flood.write(QByteArray(CSingleInstance::MaxRequest + 4096, 'x'));
        QTRY_COMPARE_WITH_TIMEOUT(flood.state(), QLocalSocket::UnconnectedState, 10000);
    }

    // The hand-over socket lives in $XDG_RUNTIME_DIR only when that is the user's private
    // folder; else in a private folder of the user's own, never in a shared one.
    void handOverSocketIsPrivate() {
        QTemporaryDir runtime;
        const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", oldRuntime); });
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        QVERIFY(QFile::setPermissions(runtime.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(CSingleInstance::SocketPath(), runtime.filePath("quarn-editor.socket"));
        QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                          QFile::ExeOwner | QFile::ReadOther |
                                                          QFile::ExeOther));
        const QString fallback = CSingleInstance::SocketPath();
        QCOMPARE(fallback, QDir::tempPath() + "/quarn-editor-" + QString::number(::geteuid()) +
                               "/quarn-editor.socket");
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(QFileInfo(fallback).path()).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0700u);
    }
};

int main(int argc, char** argv) {
    return RunEditorTest<TestDesktop>(argc, argv);
}

#include "tst_desktop.moc"
