#include "AboutDlg.h"
#include "CommandAction.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "ControlIds.h"
#include "DesktopIntegration.h"
#include "DocTemplate.h"
#include "FindBar.h"
#include "HelpWindow.h"
#include "LockKeys.h"
#include "Looks.h"
#include "MainFrame.h"
#include "MessageBar.h"
#include "MulticarrierDialog.h"
#include "NativePath.h"
#include "ProgressScope.h"
#include "Prompts.h"
#include "RecoveryKeeper.h"
#include "RecoverySnapshot.h"
#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalEditDialog.h"
#include "SignalRowModel.h"
#include "SignalText.h"
#include "SingleInstance.h"
#include "TestFolder.h"
#include "TestTexts.h"
#include "Translations.h"
#include "VantorApp.h"
#include "VantorDoc.h"
#include "VantorView.h"
#include "Vocabulary.h"
#include "Workspace.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalSocket>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUndoStack>

#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

QString DataFile(const QString& name) {
    return QStringLiteral(QUARN_TEST_DATA "/") + name;
}

// The texts of a menu's entries, popups marked with ">" and separators as "-".
QStringList MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            texts << "-";
        else if (action->menu())
            texts << ">" + action->text();
        else if (action->isVisible())
            texts << action->text();
    }
    return texts;
}

// The same for the table's entries of one menu level: a popup's own entries are skipped.
QStringList TableTexts(std::span<const MenuEntry> entries) {
    QStringList texts;
    int depth = 0;
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntryKind::PopupEnd)
            --depth;
        else if (depth > 0 && entry.kind == MenuEntryKind::PopupBegin)
            ++depth;
        else if (depth > 0)
            continue;
        else if (entry.kind == MenuEntryKind::PopupBegin)
            texts << ">" + QString::fromLatin1(entry.text), ++depth;
        else if (entry.kind == MenuEntryKind::Separator)
            texts << "-";
        else if (entry.kind == MenuEntryKind::Include)
            texts << TableTexts({entry.include, entry.includeCount});
        else
            texts << QString::fromLatin1(entry.text);
    }
    return texts;
}

// Where a menu and its popups differ from the table's entries: empty when they agree.
QString MenuMismatch(const QMenu* menu, std::span<const MenuEntry> entries) {
    const QStringList shown = MenuTexts(menu);
    const QStringList listed = TableTexts(entries);
    if (shown != listed)
        return shown.join('|') + " instead of " + listed.join('|');
    QList<const QMenu*> popups;
    for (const QAction* action : menu->actions()) {
        if (action->menu())
            popups << action->menu();
    }
    int depth = 0;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == MenuEntryKind::PopupBegin && depth++ == 0)
            begin = i + 1;
        if (entries[i].kind == MenuEntryKind::PopupEnd && --depth == 0) {
            const QString inner =
                MenuMismatch(popups.takeFirst(), entries.subspan(begin, i - begin));
            if (!inner.isEmpty())
                return inner;
        }
    }
    return {};
}

// Leaves a snapshot of path as a run that then ended would: written by another process,
// with the first signal disabled.
bool LeaveSnapshot(const QString& path) {
    const pid_t child = fork();
    if (child == 0) {
        CVantorDoc doc;
        QString error;
        if (!doc.OnOpenDocument(path))
            ::_exit(1);
        doc.GetSignal(0)->m_bDisabled = true;
        ::_exit(CRecoverySnapshot::Write(path, doc.Signals(), doc.GetFileIdentity(), error) ? 0
                                                                                            : 2);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The button of the message bar with that text, if it shows one.
QPushButton* BarButton(const CMessageBar* bar, const QString& text) {
    for (QPushButton* button : bar->findChildren<QPushButton*>()) {
        if (button->text() == text && button->isVisibleTo(bar))
            return button;
    }
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    TestFolder m_dir;
    std::unique_ptr<CVantorApp> m_app;

    CMainFrame* Frame() const { return m_app->MainFrame(); }
    CVantorDoc* Doc() const { return m_app->Document(); }
    QAction* Action(std::uint32_t id) const { return Frame()->Action(id); }
    // The title as shown without unsaved changes.
    QString Title() const { return Frame()->windowTitle().remove("[*]"); }
    void Trigger(std::uint32_t id) { Action(id)->trigger(); }
    void Start(const QStringList& args = {}) {
        m_app = std::make_unique<CVantorApp>();
        QString error;
        QVERIFY2(m_app->InitInstance(args, error), qPrintable(error));
    }
    // Starts the editor on a copy of mixed.xml with the list focused in the active window.
    CVantorView* StartFocused() {
        Start({Copy("mixed.xml")});
        CVantorView* view = Frame()->View();
        Frame()->activateWindow();
        if (!QTest::qWaitForWindowActive(Frame()))
            return nullptr;
        view->setFocus();
        return view;
    }
    QString Copy(const QString& name) {
        const QString target = m_dir.filePath(name);
        QFile::remove(target);
        QFile::copy(DataFile(name), target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        return target;
    }

private slots:
    void initTestCase() { CPrompts::SetTesting(true); }
    void init() {
        m_dir.Renew();
        CPrompts::Reset();
        SaveRecentFiles({});
        // Each test starts with the first start's layout.
        QSettings(QStringLiteral("Korvel"), QStringLiteral("Quarn Editor"))
            .remove(QStringLiteral("Layout"));
    }
    void cleanup() {
        if (m_app) {
            Doc()->SetModifiedFlag(false);
            m_app->ExitInstance();
        }
        m_app.reset();
    }

    // The window, the toolbar and the columns come back as they were left, although the exit
    // erases the workspace; the first start makes each column as wide as its heading.
    void layoutIsRemembered() {
        Start();
        QHeaderView* header = Frame()->View()->horizontalHeader();
        const QString heading = QStringLiteral("Baud / Symbol Rate");
        QVERIFY(header->sectionSize(ColumnBaudrate) >
                header->fontMetrics().horizontalAdvance(heading));
        header->resizeSection(ColumnName, 251);
        Frame()->ToolBar()->hide();
        m_app->ExitInstance();
        QVERIFY(!HasWorkspace());
        m_app.reset();
        Start();
        QCOMPARE(Frame()->View()->horizontalHeader()->sectionSize(ColumnName), 251);
        QVERIFY(Frame()->ToolBar()->isHidden());
    }

    void startWithoutFile() {
        Start();
        QVERIFY(Frame()->isVisible());
        QCOMPARE(Title(), QStringLiteral("Untitled - Quarn Editor"));
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), 0);
        QCOMPARE(Frame()->CurrentLook(), int(ID_LOOK_DESKTOP));
        QVERIFY(Action(ID_LOOK_DESKTOP)->isChecked());
        QCOMPARE(Frame()->ToolBar()->windowTitle(), QStringLiteral("Standard"));
        QCOMPARE(Frame()->statusBar()->findChild<QLabel*>("Prompt")->text(),
                 QStringLiteral("Ready"));
    }

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
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
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
            if (model->SignalAt(row)->m_bInvalid)
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

    // The menus show the command table's entries in its order, each popup as its own menu;
    // the context menu repeats the Edit menu.
    void menus() {
        Start();
        auto* bar = new QMenu;
        for (QAction* popup : Frame()->menuBar()->actions())
            bar->addMenu(popup->menu());
        QString mismatch = MenuMismatch(bar, MainMenuEntries());
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        mismatch = MenuMismatch(Frame()->ContextMenu(), ContextMenuEntries());
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        mismatch = MenuMismatch(Frame()->LookMenu(), LookMenuEntries());
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        delete bar;
        // Toolbar: New, Open, Save | New Signal, Delete Signal | Help, customize drop-down.
        QStringList tools;
        for (QAction* action : Frame()->ToolBar()->actions())
            tools << (action->isSeparator() ? "-" : action->toolTip());
        tools.removeLast(); // the drop-down
        QCOMPARE(tools, (QStringList{"New", "Open", "Save", "-", "New Signal", "Delete Signal", "-",
                                     "Help"}));
        QCOMPARE(Action(ID_FILE_SAVE)->statusTip(), QStringLiteral("Save the active document"));
    }

    // The interface follows the locale: German is complete (no unfinished entry), the C
    // locale gives the English texts as written; in both, every menu's Alt+letters are unique.
    void interfaceLanguage_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QString>("heading");
        QTest::newRow("English") << QLocale::c() << QStringList{"&File", "&Edit", "&View", "&Help"}
                                 << "Baud / Symbol Rate";
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                                << QStringList{"&Datei", "&Bearbeiten", "&Ansicht", "&Hilfe"}
                                << "Baud / Symbolrate";
    }
    void interfaceLanguage() {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, menus);
        QFETCH(QString, heading);
        QFile ts(QUARN_TS_DE);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        const QByteArray xml = ts.readAll();
        QVERIFY(xml.count("<message>") > 300);
        QCOMPARE(xml.count("type=\"unfinished\""), 0);
        QCOMPARE(xml.count("<translation></translation>"), 0);
        auto english = qScopeGuard([] { InstallTranslations(*qApp, QLocale::c()); });
        QCOMPARE(InstallTranslations(*qApp, locale), locale.language() != QLocale::C);
        Start();
        QStringList titles;
        for (QAction* popup : Frame()->menuBar()->actions())
            titles << popup->text();
        QCOMPARE(titles, menus);
        QCOMPARE(Frame()->View()->model()->headerData(4, Qt::Horizontal).toString(), heading);
        std::function<void(QWidget*, const QList<QAction*>&, const QString&)> unique =
            [&unique](QWidget* menu, const QList<QAction*>& actions, const QString& where) {
                QString letters;
                for (QAction* action : actions) {
                    const QString text = QString(action->text()).remove(QStringLiteral("&&"));
                    const qsizetype amp = text.indexOf(u'&');
                    if (amp >= 0 && amp + 1 < text.size()) {
                        const QChar letter = text[amp + 1].toLower();
                        QVERIFY2(!letters.contains(letter),
                                 qPrintable(where + ": " + letter + " twice"));
                        letters += letter;
                    }
                    if (action->menu())
                        unique(action->menu(), action->menu()->actions(),
                               where + " > " + action->text());
                }
                Q_UNUSED(menu);
            };
        unique(Frame()->menuBar(), Frame()->menuBar()->actions(), QStringLiteral("menu bar"));
    }

    // Under LANG=de_DE.UTF-8 the editor speaks German. The system locale is read once per
    // process, so the test runs itself again in that environment.
    void interfaceFollowsLang() {
        if (qEnvironmentVariableIsSet("QUARN_TEST_LANG_CHILD")) {
            QVERIFY(InstallTranslations(*qApp));
            Start();
            QCOMPARE(Frame()->menuBar()->actions().value(0)->text(), QStringLiteral("&Datei"));
            return;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            environment.remove(name);
        environment.insert("LANG", "de_DE.UTF-8");
        environment.insert("QUARN_TEST_LANG_CHILD", "1");
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {"interfaceFollowsLang"});
        QVERIFY(child.waitForFinished(60000));
        QVERIFY2(child.exitCode() == 0, child.readAllStandardOutput().constData());
    }

    // Every command of the table has its action in the window, made for that id.
    void everyCommandHasAnAction() {
        Start();
        for (const CommandInfo& command : Commands()) {
            QAction* action = Action(command.id);
            QVERIFY2(action, qPrintable(QString::number(command.id)));
            QCOMPARE(CommandId(action), command.id);
        }
    }

    void disabledStates() {
        Start();
        for (std::uint32_t id : {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_UNDO, ID_EDIT_REDO,
                                 ID_SIGNAL_EDIT, ID_SIGNAL_DUPLICATE, ID_NEXT_PANE, ID_PREV_PANE,
                                 ID_FILE_MRU_FILE1, ID_TOOLBAR_CUSTOMIZE})
            QVERIFY2(!Action(id)->isEnabled(), qPrintable(QString::number(id)));
        for (std::uint32_t id :
             {ID_FILE_NEW, ID_FILE_SAVE, ID_FILE_MERGE, ID_SIGNAL_NEW, ID_SIGNAL_DELETE,
              ID_SIGNAL_ENABLE, ID_HELP, ID_APP_ABOUT, ID_FILTER_ALL, ID_EDIT_FIND, ID_FILE_EXPORT})
            QVERIFY2(Action(id)->isEnabled(), qPrintable(QString::number(id)));
        // Paste follows the clipboard: there only while it offers signals.
        QGuiApplication::clipboard()->setText(QStringLiteral("plain words"));
        QVERIFY(!Action(ID_EDIT_PASTE)->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("<Signal Name='a' Modulation='CW'/>"));
        QVERIFY(Action(ID_EDIT_PASTE)->isEnabled());
    }

    // Every accelerator of the window, F1 and Enter, pressed in the list: each does what its
    // command does, and a key with nothing to do changes nothing, not even the clipboard.
    void accelerators_data() {
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("effect");
        const struct {
            QKeyCombination key;
            const char* effect;
        } rows[] = {{Qt::CTRL | Qt::Key_P, "copies"},
                    {Qt::CTRL | Qt::Key_Insert, "copies"},
                    {Qt::SHIFT | Qt::Key_Delete, "cuts"},
                    {Qt::CTRL | Qt::Key_X, "cuts"},
                    {QKeyCombination(Qt::Key_Delete), "asks to delete"},
                    {QKeyCombination(Qt::Key_Insert), "edits"},
                    {Qt::CTRL | Qt::Key_V, "nothing"},
                    {Qt::SHIFT | Qt::Key_Insert, "nothing"},
                    {Qt::CTRL | Qt::Key_A, "selects all"},
                    {Qt::ALT | Qt::Key_Backspace, "nothing"},
                    {Qt::CTRL | Qt::Key_Z, "nothing"},
                    {Qt::CTRL | Qt::Key_N, "empties"},
                    {Qt::CTRL | Qt::Key_O, "asks for a file"},
                    {Qt::CTRL | Qt::Key_C, "empties"},
                    {Qt::CTRL | Qt::Key_S, "saves"},
                    {QKeyCombination(Qt::Key_F6), "nothing"},
                    {Qt::SHIFT | Qt::Key_F6, "nothing"},
                    {Qt::CTRL | Qt::Key_M, "asks for a file"},
                    {Qt::CTRL | Qt::Key_Y, "nothing"},
                    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, "nothing"},
                    {Qt::CTRL | Qt::Key_F, "finds"},
                    {Qt::CTRL | Qt::Key_D, "edits"},
                    {QKeyCombination(Qt::Key_F1), "opens help"},
                    {QKeyCombination(Qt::Key_Return), "edits"},
                    {Qt::KeypadModifier | Qt::Key_Enter, "edits"},
                    {Qt::CTRL | Qt::Key_W, "empties"},
                    {Qt::CTRL | Qt::SHIFT | Qt::Key_S, "asks for a file"},
                    {Qt::CTRL | Qt::Key_Q, "quits"}};
        for (const auto& row : rows)
            QTest::newRow(qPrintable(QKeySequence(row.key).toString())) << row.key << row.effect;
        QCOMPARE(int(std::size(rows)), int(Accelerators().size()) + 3);
    }
    void accelerators() {
        QFETCH(QKeyCombination, key);
        QFETCH(QString, effect);
        CVantorView* view = StartFocused();
        QVERIFY(view);
        view->setCurrentIndex(view->RowModel()->index(1, 0));
        const QString current = view->currentIndex().data().toString();
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        if (effect == "saves")
            Doc()->SetModifiedFlag(true);
        bool dialog = false;
        CPrompts::PushDialogHandler([&dialog](QDialog& d) {
            dialog = true;
            d.reject();
            return int(QDialog::Rejected);
        });
        CPrompts::PushAnswer(QMessageBox::No);
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());

        const bool copied = effect == "copies" || effect == "cuts";
        QCOMPARE(Doc()->GetSignalCount(), effect == "empties" ? 0 : effect == "cuts" ? 4 : 5);
        QCOMPARE(Doc()->IsModified(), effect == "cuts");
        const QString clipboard = QGuiApplication::clipboard()->text();
        QVERIFY2(copied ? clipboard.contains("<Signal Name=\"" + current + "\"")
                        : clipboard == "kept",
                 qPrintable(clipboard));
        QCOMPARE(dialog, effect == "edits");
        const bool asks = effect == "asks to delete";
        QCOMPARE(CPrompts::ShownMessages().size(), asks ? 1 : 0);
        QCOMPARE(CPrompts::FileFilters().size(), effect == "asks for a file" ? 1 : 0);
        if (effect == "asks for a file")
            QVERIFY(CPrompts::FileFilters()[0].endsWith(";;All Files (*)"));
        QCOMPARE(Frame()->HelpWindow() && Frame()->HelpWindow()->isVisible(),
                 effect == "opens help");
        QCOMPARE(Frame()->FindBar()->isVisible(), effect == "finds");
        QCOMPARE(Frame()->isVisible(), effect != "quits");
        if (effect == "selects all")
            QCOMPARE(view->selectionModel()->selectedRows().size(), 5);
    }

    // The CAP, NUM and SCRL panes show the lock keys that are on, and stay blank where the
    // window system does not tell.
    void lockPanes_data() {
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("caps");
        QTest::addColumn<bool>("num");
        QTest::addColumn<bool>("scroll");
        QTest::newRow("unknown") << false << true << true << true;
        QTest::newRow("caps and scroll") << true << true << false << true;
        QTest::newRow("num") << true << false << true << false;
    }
    void lockPanes() {
        QFETCH(bool, known);
        QFETCH(bool, caps);
        QFETCH(bool, num);
        QFETCH(bool, scroll);
        LockKeyStates states{false, false, false};
        SetLockKeyReader([&]() -> std::optional<LockKeyStates> {
            if (!known)
                return std::nullopt;
            return states;
        });
        auto restore = qScopeGuard([] { SetLockKeyReader({}); });
        Start();
        states = {caps, num, scroll};
        QTest::keyClick(Frame()->View(), Qt::Key_CapsLock);
        const auto pane = [this](const char* name) {
            return Frame()->statusBar()->findChild<QLabel*>(name)->text();
        };
        QCOMPARE(pane("CAP"), known && caps ? "CAP" : "");
        QCOMPARE(pane("NUM"), known && num ? "NUM" : "");
        QCOMPARE(pane("SCRL"), known && scroll ? "SCRL" : "");
    }

    // The toolbar's drop-down adds and removes its buttons, remembered in the workspace,
    // and resets them; "Customize..." is not offered while it does nothing.
    void toolbarButtonsCanBeRemoved() {
        Start();
        const auto tools = [this] {
            QStringList texts;
            for (QAction* action : Frame()->ToolBar()->actions())
                texts << (action->isSeparator() ? "-" : action->toolTip());
            texts.removeLast(); // the drop-down
            return texts;
        };
        const auto item = [this](const QString& text) -> QAction* {
            auto* dropDown = Frame()->ToolBar()->findChild<QToolButton*>("CustomizeDropDown");
            const QList<QAction*> entries = dropDown->menu()->actions();
            if (entries.size() != 1)
                return nullptr;
            for (QAction* action : entries.first()->menu()->actions()) {
                if (action->text() == text)
                    return action;
            }
            return nullptr;
        };
        QVERIFY(item("Delete Signal") && item("Delete Signal")->isChecked());
        item("Delete Signal")->trigger();
        QTRY_COMPARE(tools(), (QStringList{"New", "Open", "Save", "-", "New Signal", "-", "Help"}));
        QVERIFY(!item("Delete Signal")->isChecked());
        item("New Signal")->trigger();
        QTRY_COMPARE(tools(), (QStringList{"New", "Open", "Save", "-", "Help"}));
        QCOMPARE(WorkspaceValue("ToolbarHiddenButtons", {}).toStringList(),
                 (QStringList{QString::number(ID_SIGNAL_DELETE), QString::number(ID_SIGNAL_NEW)}));
        item("&Reset Toolbar")->trigger();
        QTRY_COMPARE(tools(), (QStringList{"New", "Open", "Save", "-", "New Signal",
                                           "Delete Signal", "-", "Help"}));
    }

    void filterMenuMarks() {
        Start({Copy("mixed.xml")});
        Trigger(ID_FILTER_OFDM);
        for (std::uint32_t id = ID_FILTER_ALL; id <= ID_FILTER_PSK_MULTICARRIER; ++id) {
            QCOMPARE(Action(id)->isChecked(), id == ID_FILTER_OFDM);
            // An exclusive group: the menu draws radio marks, not check boxes.
            QVERIFY(Action(id)->actionGroup() && Action(id)->actionGroup()->isExclusive());
        }
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), 1);
    }

    void saveQuestion_data() {
        QTest::addColumn<uint>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("replaced");
        for (uint command : {uint(ID_FILE_NEW), uint(ID_FILE_CLOSE_DATABASE), uint(ID_FILE_OPEN)}) {
            QTest::addRow("%u cancel", command) << command << int(QMessageBox::Cancel) << false;
            QTest::addRow("%u no", command) << command << int(QMessageBox::No) << true;
            QTest::addRow("%u yes", command) << command << int(QMessageBox::Yes) << true;
        }
    }
    void saveQuestion() {
        QFETCH(uint, command);
        QFETCH(int, answer);
        QFETCH(bool, replaced);
        const QString path = Copy("mixed.xml");
        Start({path});
        Frame()->View()->selectRow(0);
        Trigger(ID_SIGNAL_DISABLE);
        QVERIFY(Doc()->IsModified());
        CPrompts::PushAnswer(static_cast<QMessageBox::StandardButton>(answer));
        if (command == ID_FILE_OPEN)
            CPrompts::PushFileName(Copy("other.xml"));
        Trigger(command);
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QCOMPARE(CPrompts::ShownMessages()[0].text, "Save changes to " + path + "?");
        QCOMPARE(CPrompts::ShownMessages()[0].caption, QStringLiteral("Quarn Editor"));
        QCOMPARE(Doc()->GetSignalCount() != 5, replaced);
        QCOMPARE(Doc()->IsModified(), !replaced);
        // Yes saved the change before the database was replaced.
        CVantorDoc saved;
        QVERIFY(saved.OnOpenDocument(path));
        int disabled = 0;
        for (const auto& s : saved.Signals())
            disabled += s->m_bDisabled;
        QCOMPARE(disabled, answer == QMessageBox::Yes ? 2 : 1);
    }

    // The modified mark follows the history: undoing back to the saved state clears it, and
    // then New asks nothing.
    void historyDecidesTheSaveQuestion() {
        CVantorView* view = StartFocused();
        QVERIFY(view);
        view->selectRow(0);
        Trigger(ID_SIGNAL_DISABLE);
        QVERIFY(Doc()->IsModified());
        QVERIFY(Frame()->isWindowModified());
        QCOMPARE(Action(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo Disable Signal\tCtrl+Z"));
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!Doc()->IsModified());
        QVERIFY(!Frame()->isWindowModified());
        QCOMPARE(Action(ID_EDIT_REDO)->text(), QStringLiteral("&Redo Disable Signal\tCtrl+Y"));
        Trigger(ID_FILE_NEW);
        QVERIFY(CPrompts::ShownMessages().isEmpty());
        QVERIFY(!view->UndoStack()->canRedo()); // New clears the history
    }

    // Typing in the find bar filters the rows together with the family filter; the panes
    // count them and show the text; Escape clears and closes the bar.
    void findBarFiltersAsYouType() {
        CVantorView* view = StartFocused();
        QVERIFY(view);
        const auto pane = [this](const char* name) {
            return Frame()->statusBar()->findChild<QLabel*>(name)->text();
        };
        QCOMPARE(pane("CountPane"), QStringLiteral("5 signals"));
        // What should be shown, worked out from the cells.
        const auto expected = [view](const QString& text, bool fskOnly) {
            QStringList names;
            for (const auto& signal : view->Document()->Signals()) {
                bool found = false;
                for (int column : {0, 1, 2, 12, 13})
                    found |= Cell(*signal, column).contains(text, Qt::CaseInsensitive);
                if (found && (!fskOnly || signal->m_nModulation == ModulationFsk))
                    names << QString::fromUtf16(signal->m_szName);
            }
            return names;
        };
        const auto shown = [view] {
            QStringList names;
            for (int row = 0; row < view->RowModel()->rowCount(); ++row)
                names << view->RowModel()->index(row, 0).data().toString();
            return names;
        };
        QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
        QLineEdit* edit = Frame()->FindBar()->Edit();
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClicks(edit, "FS");
        QCOMPARE(shown(), expected("FS", false));
        QVERIFY(shown().size() > 1 && shown().size() < 5);
        QCOMPARE(pane("CountPane"), QStringLiteral("%1 of 5 shown").arg(shown().size()));
        QCOMPARE(pane("FindPane"), QStringLiteral("Find: FS"));
        // Keys typed into the bar edit the text, not the signals.
        bool dialog = false;
        CPrompts::PushDialogHandler([&dialog](QDialog& d) {
            dialog = true;
            d.reject();
            return int(QDialog::Rejected);
        });
        for (Qt::Key key : {Qt::Key_Home, Qt::Key_Delete, Qt::Key_Insert, Qt::Key_F})
            QTest::keyClick(edit, key);
        QCOMPARE(edit->text(), QStringLiteral("fS")); // Home, Del, Ins (nothing), f
        QVERIFY(!dialog);
        QVERIFY(CPrompts::ShownMessages().isEmpty());
        QCOMPARE(Doc()->GetSignalCount(), 5);
        edit->setText("FS");
        CPrompts::Reset();
        Trigger(ID_FILTER_FSK);
        QCOMPARE(shown(), expected("FS", true));
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!Frame()->FindBar()->isVisible());
        QCOMPARE(QApplication::focusWidget(), view);
        QCOMPARE(shown(), expected("", true));
        QCOMPARE(pane("FindPane"), QString());
    }

    // Copy puts the signals on the clipboard as XML and as cells; Close and Paste give the
    // same records back, and so does text copied out of a database file.
    // What the file held that this version does not understand stays with its record through
    // OK in the editor, copy and paste, delete and undo, and is saved with it.
    void keptMarkupTravelsWithTheRecord() {
        const QString path = Copy("kept.xml");
        Start({path});
        CVantorView* view = Frame()->View();
        const std::string children = Doc()->GetSignal(0)->m_pKept->children;
        view->selectRow(0);
        CPrompts::PushDialogHandler([](QDialog& d) {
            d.accept();
            return d.result();
        });
        Trigger(ID_SIGNAL_EDIT);
        QVERIFY(Doc()->GetSignal(0)->m_pKept);
        Trigger(ID_EDIT_COPY);
        Trigger(ID_EDIT_PASTE);
        QCOMPARE(Doc()->GetSignalCount(), 3);
        int kept = 0;
        for (const auto& signal : Doc()->Signals())
            kept += signal->m_pKept && signal->m_pKept->children == children;
        QCOMPARE(kept, 2);
        view->selectRow(0);
        CPrompts::PushAnswer(QMessageBox::Yes);
        Trigger(ID_SIGNAL_DELETE);
        Trigger(ID_EDIT_UNDO);
        kept = 0;
        for (const auto& signal : Doc()->Signals())
            kept += signal->m_pKept && signal->m_pKept->children == children;
        QCOMPARE(kept, 2);
        QVERIFY(m_app->Template()->FileSave());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("<Owner>Alice</Owner>"), 2);
    }

    // A change of the open file by another program is told at once, with Reload (which asks
    // before losing unsaved changes) and Ignore; the editor's own save is not told.
    void fileChangedUnderTheEditor() {
        const QString path = Copy("mixed.xml");
        Start({path});
        CMessageBar* bar = Frame()->MessageBar();
        bar->Dismiss();
        Doc()->SetModifiedFlag(true);
        Trigger(ID_FILE_SAVE);
        QTest::qWait(300);
        QVERIFY2(bar->Messages().isEmpty(), qPrintable(bar->Messages().join('|')));
        // Another program writes the file three times: one notice, one pair of buttons.
        for (int write = 0; write < 3; ++write) {
            QSaveFile other(path);
            QVERIFY(other.open(QIODevice::WriteOnly));
            other.write("<r><!--c--><Signal Name='Only' Modulation='CW'/></r>");
            QVERIFY(other.commit());
            QTRY_COMPARE(bar->Messages().size(), 1);
            QTest::qWait(100);
        }
        QVERIFY(bar->Messages()[0].contains("changed, replaced or deleted by another program"));
        QCOMPARE(bar->findChildren<QPushButton*>().size(), 2);
        QPushButton* reload = BarButton(bar, "&Reload");
        QVERIFY(reload);
        QCOMPARE(reload->shortcut(), QKeySequence("Alt+R"));
        Doc()->SetModifiedFlag(true);
        CPrompts::PushAnswer(QMessageBox::No); // keep the unsaved changes
        reload->click();
        QCOMPARE(Doc()->GetSignalCount(), 5);
        QTRY_VERIFY(bar->Messages().isEmpty());
        QSaveFile again(path);
        QVERIFY(again.open(QIODevice::WriteOnly));
        again.write("<r><!--c--><Signal Name='Only' Modulation='CW'/></r>");
        QVERIFY(again.commit());
        QTRY_VERIFY(BarButton(bar, "&Reload"));
        CPrompts::PushAnswer(QMessageBox::Yes);
        BarButton(bar, "&Reload")->click();
        QCOMPARE(Names(*Doc()), QStringList{"Only"});
        QVERIFY(!Doc()->IsModified());
        // What the reloaded file holds that a save drops stays said.
        QTest::qWait(100);
        QVERIFY2(bar->Messages().join('|').contains("1 comment outside signals"),
                 qPrintable(bar->Messages().join('|')));
    }

    // An invalid row says why in its tooltip wherever the record goes: pasted, deleted and
    // brought back by Undo.
    void invalidReasonFollowsTheRecord() {
        CVantorView* view = StartFocused();
        CSignalRowModel* model = view->RowModel();
        int row = 0;
        while (row < model->rowCount() && !model->SignalAt(row)->m_bInvalid)
            ++row;
        QVERIFY(row < model->rowCount());
        const QString reason = model->index(row, 0).data(Qt::ToolTipRole).toString();
        QVERIFY(!reason.isEmpty());
        const QString name = model->index(row, 0).data().toString();
        const auto reasons = [&] {
            QStringList found;
            for (int r = 0; r < model->rowCount(); ++r) {
                if (model->index(r, 0).data().toString() == name)
                    found << model->index(r, 0).data(Qt::ToolTipRole).toString();
            }
            return found;
        };
        view->selectRow(row);
        Trigger(ID_EDIT_COPY);
        Trigger(ID_EDIT_PASTE);
        QCOMPARE(reasons(), (QStringList{reason, reason}));
        view->selectRow(row);
        CPrompts::PushAnswer(QMessageBox::Yes);
        Trigger(ID_SIGNAL_DELETE);
        Trigger(ID_EDIT_UNDO);
        QCOMPARE(reasons(), (QStringList{reason, reason}));
    }

    void copyAndPasteSignals() {
        CVantorView* view = StartFocused();
        QVERIFY(view);
        view->selectRow(1);
        view->selectionModel()->select(view->RowModel()->index(3, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        std::vector<CSignalDescription> originals{*view->RowModel()->SignalAt(1),
                                                  *view->RowModel()->SignalAt(3)};
        QTest::keyClick(view, Qt::Key_Insert, Qt::ControlModifier);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data->hasFormat(SignalsMimeType()));
        const QStringList lines = QString::fromUtf8(data->data("text/tab-separated-values"))
                                      .split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].split('\t').size(), 14);
        const QString xml = data->text();
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier); // Close
        QCOMPARE(Doc()->GetSignalCount(), 0);
        QTest::keyClick(view, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(Doc()->GetSignalCount(), 2);
        QCOMPARE(Frame()->statusBar()->currentMessage(), QStringLiteral("2 signals pasted"));
        QCOMPARE(view->selectionModel()->selectedRows().size(), 2);
        // Only the Signal elements, as selected in a text editor.
        const qsizetype from = xml.indexOf("<Signal ");
        const qsizetype to = xml.lastIndexOf("</Signal>") + 9;
        QGuiApplication::clipboard()->setText(xml.mid(from, to - from));
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Doc()->GetSignalCount(), 4);
        for (const CSignalDescription& original : originals) {
            int same = 0;
            for (const auto& pasted : Doc()->Signals())
                same += pasted->IsEqual(original) &&
                        Q(pasted->m_szComment) == Q(original.m_szComment) &&
                        pasted->m_bDisabled == original.m_bDisabled;
            QCOMPARE(same, 2);
        }
        QVERIFY(CPrompts::ShownMessages().isEmpty());
    }

    // Export writes the rows shown, in view order, as RFC 4180 CSV with the headings.
    void exportWritesTheRowsShown() {
        Start({Copy("mixed.xml")});
        CSignalDescription* first = nullptr;
        for (const auto& signal : Doc()->Signals()) {
            if (!first && signal->m_nModulation == ModulationFsk)
                first = signal.get();
        }
        QVERIFY(first);
        CopyText(first->m_szComment, u"=a, \"b\"\nc");
        Trigger(ID_FILTER_FSK);
        const QString path = m_dir.filePath("rows.csv");
        CPrompts::PushFileName(path);
        Trigger(ID_FILE_EXPORT);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray csv = file.readAll();
        CSignalRowModel* model = Frame()->View()->RowModel();
        QVERIFY(csv.startsWith("Name,Decoder,Modulation,Subcarrier,Baud / Symbol Rate,"));
        QVERIFY(model->rowCount() > 0 && model->rowCount() < Doc()->GetSignalCount());
        QCOMPARE(csv.count("\r\n"), model->rowCount() + 1);
        for (int row = 0; row < model->rowCount(); ++row)
            QVERIFY(csv.contains(model->index(row, 0).data().toString().toUtf8() + ','));
        // A cell that a spreadsheet would run as a formula is kept as text.
        QVERIFY(csv.contains(",\"'=a, \"\"b\"\"\nc\"\r\n"));
        // A named pipe is not replaced by a file: Export is refused with the reason.
        const QString pipe = m_dir.filePath("pipe.csv");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        CPrompts::PushFileName(pipe);
        Trigger(ID_FILE_EXPORT);
        QCOMPARE(CPrompts::ShownMessages().last().text,
                 "Cannot export.\n\n" + pipe + " is not a regular file");
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(pipe).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
    }

    // A database built from nothing in the editor, saved and opened again.
    void buildSaveReopen() {
        Start();
        using Fill = std::function<void(CSignalEditDialog&)>;
        const auto add = [this](const Fill& fill) {
            CPrompts::PushDialogHandler([fill](QDialog& d) {
                auto& editor = static_cast<CSignalEditDialog&>(d);
                fill(editor);
                editor.accept();
                return editor.result();
            });
            Trigger(ID_SIGNAL_NEW);
        };
        const auto set = [](CSignalEditDialog& e, int family, int id, const char* text) {
            e.Page(family).SetText(id, QString::fromLatin1(text));
        };
        add([&](CSignalEditDialog& e) {
            e.NameEdit()->setText("Fax 4-level");
            e.FamilyButton(ModulationFsk)->click();
            e.ModulationCombo()->setCurrentIndex(1);
            e.DecoderCombo()->setCurrentIndex(27);
            e.CodecheckEdit()->setText("3");
            e.DisabledCheck()->setChecked(true);
            e.ITUEdit()->setText("170HF1B");
            e.CommentEdit()->setPlainText("two\nlines & <more>");
            set(e, ModulationFsk, IDC_BAUDRATE, "50");
            set(e, ModulationFsk, IDC_SHIFT, "170");
            set(e, ModulationFsk, IDC_BANDWIDTH, "*");
            set(e, ModulationFsk, IDC_NUM_CHANNELS, "4");
            set(e, ModulationFsk, IDC_NUM_CHANNELS_MIN, "2");
            set(e, ModulationFsk, IDC_PILOT_FREQUENCY, "1800");
            CPrompts::PushDialogHandler([](QDialog& d) {
                auto& multi = static_cast<CMulticarrierDialog&>(d);
                multi.MultipleButton()->click();
                const char* cells[] = {"170", "340", "170"};
                for (int i = 0; i < 3; ++i)
                    multi.List()->topLevelItem(i)->setText(1, cells[i]);
                multi.accept();
                return multi.result();
            });
            e.OnEditSpacing();
        });
        add([&](CSignalEditDialog& e) {
            e.NameEdit()->setText("Olivia");
            e.FamilyButton(ModulationMfsk)->click();
            QLineEdit* baud = e.Page(ModulationMfsk).Edit(IDC_BAUDRATE);
            baud->clear();
            QTest::keyClicks(baud, "45");
            set(e, ModulationMfsk, IDC_SPACING, "31.25");
            set(e, ModulationMfsk, IDC_NUM_TONES, "*");
            set(e, ModulationMfsk, IDC_NUM_TONES_MIN, "8");
            set(e, ModulationMfsk, IDC_BANDWIDTH, "500");
        });
        add([&](CSignalEditDialog& e) {
            e.NameEdit()->setText("Codan");
            e.FamilyButton(ModulationPsk)->click();
            e.ModulationCombo()->setCurrentIndex(2);
            set(e, ModulationPsk, IDC_SYMBOL_RATE, "2400");
            set(e, ModulationPsk, IDC_BANDWIDTH, "3000");
            set(e, ModulationPsk, IDC_NUM_CHANNELS, "16");
            set(e, ModulationPsk, IDC_PILOT_FREQUENCY, "1800");
            CPrompts::PushDialogHandler([](QDialog& d) {
                auto& multi = static_cast<CMulticarrierDialog&>(d);
                multi.CommonEdit()->setText("56.25");
                multi.accept();
                return multi.result();
            });
            e.OnEditSpacing();
        });
        add([&](CSignalEditDialog& e) {
            e.NameEdit()->setText("DRM");
            e.FamilyButton(ModulationOfdm)->click();
            e.Page(ModulationOfdm).SubcarrierCombo()->setCurrentIndex(7);
            set(e, ModulationOfdm, IDC_SYMBOL_RATE, "44.44");
            set(e, ModulationOfdm, IDC_NUM_CHANNELS, "39");
            set(e, ModulationOfdm, IDC_NUM_CHANNELS_MIN, "30");
            set(e, ModulationOfdm, IDC_BANDWIDTH, "*");
            set(e, ModulationOfdm, IDC_SPACING, "56.25");
        });
        add([&](CSignalEditDialog& e) {
            e.NameEdit()->setText("Beacon");
            e.FamilyButton(ModulationCw)->click();
        });
        QCOMPARE(Doc()->GetSignalCount(), 5);
        QVERIFY(CPrompts::ShownMessages().isEmpty()); // every OK passed validation

        const QString path = m_dir.filePath("built.xml");
        CPrompts::PushFileName(path);
        Trigger(ID_FILE_SAVE_AS);
        QVERIFY(!Doc()->IsModified());
        CPrompts::PushFileName(path);
        Trigger(ID_FILE_OPEN);
        // Both file dialogs also offer every file, for databases named otherwise.
        QCOMPARE(CPrompts::FileFilters(),
                 QStringList(2, "Signal Databases (*.xml);;All Files (*)"));
        QStringList names;
        for (const auto& signal : Doc()->Signals())
            names << QString::fromUtf16(signal->m_szName);
        QCOMPARE(names, (QStringList{"Beacon", "Codan", "DRM", "Fax 4-level", "Olivia"}));

        const CSignalDescription& fsk = *Doc()->GetSignal(3);
        QCOMPARE(fsk.m_nModulation, int(ModulationFsk));
        QCOMPARE(fsk.m_nSubmode, 1);
        QCOMPARE(fsk.m_nMode, 27);
        QCOMPARE(fsk.m_nCodecheckCounter, 3);
        QVERIFY(fsk.m_bDisabled && !fsk.m_bInvalid);
        QCOMPARE(QString::fromUtf16(fsk.m_szComment), QStringLiteral("two\nlines & <more>"));
        QCOMPARE(QString::fromUtf16(fsk.m_szSpacing), QStringLiteral("170,340,170"));
        QCOMPARE(fsk.m_dBandwidth, -1.0); // the wildcard: not written, made -1 again by reading
        QCOMPARE(fsk.m_nNumChannels, 4);
        QCOMPARE(fsk.m_nNumChannelsMin, 2);
        QCOMPARE(fsk.m_dPilotFrequency, 1800.0);

        // MFSK: 45 Bd typed; any number of tones comes back as typed.
        const CSignalDescription& mfsk = *Doc()->GetSignal(4);
        QCOMPARE(mfsk.m_dBaudrate, 45.0);
        QCOMPARE(mfsk.m_dShift, 31.25);
        QCOMPARE(mfsk.m_nNumTones, -1);
        QVERIFY(!mfsk.m_bInvalid);
        QCOMPARE(mfsk.m_nNumTonesMin, 8);

        const CSignalDescription& psk = *Doc()->GetSignal(1);
        QCOMPARE(psk.m_nSubmode, 2);
        QCOMPARE(QString::fromUtf16(psk.m_szSpacing), QStringLiteral("56.25"));
        QCOMPARE(psk.m_nNumChannels, 16);
        QCOMPARE(psk.m_dPilotFrequency, 1800.0);
        QVERIFY(!psk.m_bInvalid);

        const CSignalDescription& ofdm = *Doc()->GetSignal(2);
        QCOMPARE(ofdm.m_nSubmode, 7);
        QCOMPARE(ofdm.m_dBaudrate, 44.44);
        QCOMPARE(ofdm.m_dBandwidth, -1.0); // the wildcard is written and read back
        QCOMPARE(ofdm.m_nNumChannelsMin, 30);
        QVERIFY(!ofdm.m_bInvalid);

        const CSignalDescription& cw = *Doc()->GetSignal(0);
        QCOMPARE(cw.m_nModulation, int(ModulationCw));
        QVERIFY(!cw.m_bInvalid);
    }

    void cancelledOpenDialogAsksNothing() {
        Start({Copy("mixed.xml")});
        Doc()->SetModifiedFlag(true);
        Trigger(ID_FILE_OPEN); // no file chosen
        QVERIFY(CPrompts::ShownMessages().isEmpty());
        QVERIFY(Doc()->IsModified());
        QCOMPARE(Doc()->GetSignalCount(), 5);
    }

    void exitAsksAndCleansWorkspace() {
        Start({Copy("mixed.xml")});
        Trigger(215);
        QCOMPARE(Frame()->CurrentLook(), 215);
        QCOMPARE(WorkspaceValue("ApplicationLook", 0).toInt(), 215);
        QVERIFY(Action(215)->isChecked());
        QVERIFY(!Action(219)->isChecked());
        Doc()->SetModifiedFlag(true);
        CPrompts::PushAnswer(QMessageBox::Cancel);
        Trigger(ID_APP_EXIT);
        QVERIFY(Frame()->isVisible());
        CPrompts::PushAnswer(QMessageBox::No);
        Trigger(ID_APP_EXIT);
        QVERIFY(!Frame()->isVisible());
        m_app->ExitInstance();
        QVERIFY(!HasWorkspace());
        QCOMPARE(LoadRecentFiles().size(), 1);
        m_app.reset();
        Start();
        QCOMPARE(Frame()->CurrentLook(), 215); // remembered outside the workspace
        Trigger(ID_LOOK_DESKTOP);
        QCOMPARE(Frame()->CurrentLook(), int(ID_LOOK_DESKTOP));
    }

    void recentFiles() {
        const QString a = Copy("mixed.xml");
        const QString b = Copy("other.xml");
        Start({a});
        CPrompts::PushFileName(b);
        Trigger(ID_FILE_OPEN);
        QCOMPARE(m_app->RecentFiles(), (QStringList{b, a}));
        QCOMPARE(Action(ID_FILE_MRU_FILE1 + 1)->text(), "&2 " + a);
        QVERIFY(Action(ID_FILE_MRU_FILE1 + 1)->isVisible());
        QVERIFY(!Action(ID_FILE_MRU_FILE1 + 2)->isVisible());
        QFile::remove(a);
        Trigger(ID_FILE_MRU_FILE1 + 1);
        QCOMPARE(m_app->RecentFiles(), QStringList{b});
        QCOMPARE(CPrompts::ShownMessages().size(), 1); // the reason was shown
        QCOMPARE(Title(), QStringLiteral("other.xml - Quarn Editor"));
        // Clear Recent List empties the list, here and in the settings.
        QAction* clear = m_app->ClearRecentFilesAction();
        QVERIFY(clear->isVisible() && Frame()->FileMenu()->actions().contains(clear));
        clear->trigger();
        QVERIFY(m_app->RecentFiles().isEmpty() && LoadRecentFiles().isEmpty());
        QVERIFY(!clear->isVisible());
        QCOMPARE(Action(ID_FILE_MRU_FILE1)->text(), QStringLiteral("Recent File"));
    }

    // A name that is not UTF-8 opens from the command line, saves, and stays in the recent
    // files as its bytes.
    void recentNameThatIsNotUtf8() {
        const QByteArray native = QFile::encodeName(m_dir.path()) + "/caf\xe9.xml";
        QVERIFY(QFile::copy(DataFile("mixed.xml"), m_dir.filePath("plain.xml")));
        QCOMPARE(::rename(QFile::encodeName(m_dir.filePath("plain.xml")).constData(),
                          native.constData()),
                 0);
        const QString path = PathFromNative(native);
        Start({path});
        QCOMPARE(Doc()->GetPathName(), path);
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), 5);
        Doc()->SetModifiedFlag(true);
        Trigger(ID_FILE_SAVE);
        QVERIFY(!Doc()->IsModified());
        m_app->ExitInstance();
        QCOMPARE(LoadRecentFiles(), QStringList{path});
        ::unlink(native.constData());
    }

    void mergeColoursRows() {
        Start({Copy("mixed.xml")});
        CPrompts::PushFileName(Copy("other.xml"));
        Trigger(ID_FILE_MERGE);
        const auto* model = Frame()->View()->RowModel();
        QCOMPARE(model->rowCount(), 7);
        QCOMPARE(model->index(5, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 160, 0));
        QCOMPARE(model->index(6, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 160, 0));
        QVERIFY(Doc()->IsModified());
        QCOMPARE(Title(), QStringLiteral("mixed.xml - Quarn Editor"));
        QVERIFY2(Frame()->statusBar()->currentMessage().startsWith(
                     "Merge: 2 signals added, 1 skipped as duplicates, 1 of them differing"),
                 qPrintable(Frame()->statusBar()->currentMessage()));
        QVERIFY(CPrompts::ShownMessages().isEmpty());
        // The summary stays in the bar with a button that selects the merged rows; Undo of
        // the merge takes it away.
        CMessageBar* bar = Frame()->MessageBar();
        QVERIFY(bar->Messages().join('|').contains("Merge: 2 signals added"));
        QPushButton* select = BarButton(bar, "&Select Merged Signals");
        QVERIFY(select);
        select->click();
        QCOMPARE(Frame()->View()->selectionModel()->selectedRows().size(), 2);
        Trigger(ID_EDIT_UNDO);
        QVERIFY(bar->Messages().isEmpty());
        QCOMPARE(model->rowCount(), 5);
        Trigger(ID_EDIT_REDO);
        // A merge of a file that is not well-formed says why and changes nothing.
        CPrompts::PushFileName(Copy("broken.xml"));
        Trigger(ID_FILE_MERGE);
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QCOMPARE(model->rowCount(), 7);
        QVERIFY(CPrompts::ShownMessages().last().text.contains("line"));
    }

    // The failure message of a file operation is the only window above the main window:
    // the operation's progress window is gone before it appears.
    void failureMessageIsNotCovered_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("file");
        QTest::newRow("open") << int(ID_FILE_OPEN) << "broken.xml";
        QTest::newRow("merge") << int(ID_FILE_MERGE) << "broken.xml";
        QTest::newRow("save as") << int(ID_FILE_SAVE_AS) << "no/such/folder/x.xml";
    }
    void failureMessageIsNotCovered() {
        QFETCH(int, command);
        QFETCH(QString, file);
        Start({Copy("mixed.xml")});
        CPrompts::PushFileName(file.contains('/') ? m_dir.filePath(file) : Copy(file));
        Trigger(static_cast<std::uint32_t>(command));
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QCOMPARE(CPrompts::ShownMessages().last().icon, QMessageBox::Critical);
        QCOMPARE(CPrompts::ShownMessages().last().dialogs, QStringList());
    }

    // What a file holds that a save will not keep as it is goes to the message bar, never to
    // a modal box: names this version does not know, content outside the records, cut texts,
    // numbers in another form, another kind of XML file.
    void readingIsReported_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unknown names")
            << QByteArray("<r><Signal Name='a' Mode='zz-new' Modulation='CW'/>"
                          "<Signal Name='b' Mode='zz-new' Modulation='QAM-1024'/></r>")
            << "2 signals of this file name a decoder mode or modulation that this version of "
               "Quarn Editor does not know:\n    decoder mode \"zz-new\": 2 signals\n    "
               "modulation \"QAM-1024\": 1 signal\n\n";
        QTest::newRow("content outside the records")
            << QByteArray("<?xml version='1.0'?><!DOCTYPE SignalDatabase><!-- c1 -->"
                          "<SignalDatabase><!-- c2 --><?pi x?><Vendor/><SignalList>"
                          "<Signal Name='a' Modulation='CW'/></SignalList>"
                          "<Signal Name='b' Modulation='CW'/></SignalDatabase>")
            << ": 2 comments outside signals and 1 processing instruction outside signals and "
               "the document type declaration and 1 <Vendor> element and the place of 1 Signal "
               "element outside SignalList will not be saved.";
        QTest::newRow("cut texts and numbers")
            << "<SignalDatabase><SignalList><Signal Name='" + QByteArray(70, 'n') +
                   "' Modulation='CW'><Comment>" + QByteArray(600, 'c') +
                   "</Comment><PilotFrequency>1234567</PilotFrequency></Signal>"
                   "<Signal Name='x' Modulation='FSK'><Baudrate>45,45</Baudrate></Signal>"
                   "</SignalList></SignalDatabase>"
            << ": 1 name was cut to 59 characters; 1 comment was cut to 499 characters; the pilot "
               "frequency of \"" +
                   QString(59, 'n') +
                   "\" will be saved as 1.23457e+006; the baud "
                   "rate of \"x\" will be saved as 45.";
        QTest::newRow("another kind of XML file")
            << QByteArray("<project><modelVersion>4</modelVersion></project>")
            << " does not look like a signal database: its root element is <project> and it "
               "holds no Signal elements. Saving will replace its content with a signal "
               "database.";
    }
    void readingIsReported() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QFile file(m_dir.filePath("reported.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        Start({file.fileName()});
        QCOMPARE(CPrompts::ShownMessages().size(), 0);
        const QString shown = Frame()->MessageBar()->Messages().join("\n\n");
        QVERIFY2(shown.contains(expected), qPrintable(shown));
        QVERIFY(Frame()->MessageBar()->isVisibleTo(Frame()));
        if (QTest::currentDataTag() != QLatin1String("another kind of XML file"))
            return;
        // The first save onto it asks, No the default; the file stays until the user agrees.
        Trigger(ID_FILE_SAVE);
        QCOMPARE(CPrompts::ShownMessages().last().text,
                 file.fileName() + " does not look like a signal database. Replace its content "
                                   "with a signal database?");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
        file.close();
        CPrompts::PushAnswer(QMessageBox::Yes);
        Trigger(ID_FILE_SAVE);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("<SignalList/>"));
    }

    void saveAsAndFailedSave() {
        Start({Copy("mixed.xml")});
        const QString target = m_dir.filePath("saved-as.xml");
        CPrompts::PushFileName(target);
        Trigger(ID_FILE_SAVE_AS);
        QCOMPARE(Title(), QStringLiteral("saved-as.xml - Quarn Editor"));
        QVERIFY(QFile::exists(target));
        Doc()->SetModifiedFlag(true);
        CPrompts::PushFileName(m_dir.filePath("no/such/folder/x.xml"));
        Trigger(ID_FILE_SAVE_AS);
        QVERIFY(Doc()->IsModified());
        QVERIFY(CPrompts::ShownMessages().last().text.startsWith("Cannot save"));
        QCOMPARE(Title(), QStringLiteral("saved-as.xml - Quarn Editor"));
    }

    // Save asks before writing over a file that another program changed, replaced (also
    // keeping size and time, or by a symbolic link) or deleted; Cancel writes nothing, Save
    // writes, but never creates what a dangling link names.
    void saveAsksWhenTheFileChanged_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("saves");
        QTest::newRow("appended") << "append" << true;
        QTest::newRow("replaced with same size and time") << "replace" << true;
        QTest::newRow("swapped for a link") << "link" << true;
        QTest::newRow("swapped for a dangling link") << "dangling" << false;
        QTest::newRow("deleted") << "delete" << true;
        QTest::newRow("unchanged") << "none" << true;
    }
    void saveAsksWhenTheFileChanged() {
        QFETCH(QString, change);
        QFETCH(bool, saves);
        const QString path = Copy("mixed.xml");
        const QString elsewhere = m_dir.filePath("elsewhere.xml");
        QFile::remove(elsewhere);
        Start({path});
        Doc()->SetModifiedFlag(true);
        const QByteArray native = QFile::encodeName(path);
        if (change == "append") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            file.write("<!-- changed elsewhere -->\n");
        } else if (change == "replace") { // as cp -p or rsync -a do
            struct stat before {};
            QCOMPARE(::stat(native.constData(), &before), 0);
            const QString other = m_dir.filePath("other-copy.xml");
            QFile::remove(other);
            QVERIFY(QFile::copy(path, other));
            const timespec times[2] = {before.st_atim, before.st_mtim};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(other).constData(), times, 0), 0);
            QCOMPARE(::rename(QFile::encodeName(other).constData(), native.constData()), 0);
        } else if (change == "link" || change == "dangling") {
            if (change == "link")
                QVERIFY(QFile::copy(path, elsewhere));
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::link(elsewhere, path));
        } else if (change == "delete") {
            QVERIFY(QFile::remove(path));
        }
        const qsizetype shown = CPrompts::ShownMessages().size();
        CPrompts::PushAnswer(QMessageBox::Cancel);
        Trigger(ID_FILE_SAVE);
        if (change == "none") {
            QCOMPARE(CPrompts::ShownMessages().size(), shown);
            QVERIFY(!Doc()->IsModified());
            return;
        }
        QVERIFY(Doc()->IsModified());
        QCOMPARE(CPrompts::ShownMessages().last().text,
                 path + " was changed, replaced or deleted by another program since it was "
                        "opened. Save anyway?");
        CPrompts::PushAnswer(QMessageBox::Save);
        Trigger(ID_FILE_SAVE);
        QCOMPARE(!Doc()->IsModified(), saves);
        if (!saves) {
            QVERIFY(!QFile::exists(elsewhere));
            QVERIFY(CPrompts::ShownMessages().last().text.endsWith(
                "is a symbolic link to a file that does not exist"));
        }
    }

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
        Doc()->SetModifiedFlag(false);
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

    // The count pane follows every change of the rows and of the find text; opening another
    // database closes the find bar, whose text would hide its rows.
    void countPaneFollowsTheRows() {
        Start({Copy("mixed.xml")});
        const QLabel* pane = Frame()->findChild<QLabel*>("CountPane");
        const auto signalsNow = [this] {
            return QString("%1 signals").arg(Doc()->GetSignalCount());
        };
        const auto act = [this](std::uint32_t id) {
            Frame()->View()->selectRow(0);
            Trigger(id);
        };
        QCOMPARE(pane->text(), QString("5 signals"));
        CPrompts::PushAnswer(QMessageBox::Yes);
        act(ID_SIGNAL_DELETE);
        QCOMPARE(pane->text(), QString("4 signals"));
        act(ID_EDIT_UNDO);
        QCOMPARE(pane->text(), QString("5 signals"));
        act(ID_EDIT_REDO);
        QCOMPARE(pane->text(), QString("4 signals"));
        act(ID_EDIT_CUT);
        QCOMPARE(pane->text(), QString("3 signals"));
        act(ID_EDIT_PASTE);
        QCOMPARE(pane->text(), QString("4 signals"));
        CPrompts::PushFileName(Copy("other.xml"));
        Trigger(ID_FILE_MERGE);
        QVERIFY(Doc()->GetSignalCount() > 4);
        QCOMPARE(pane->text(), signalsNow());
        Trigger(ID_EDIT_FIND);
        Frame()->findChild<CFindBar*>()->Edit()->setText("no such text anywhere");
        QCOMPARE(pane->text(), QString("0 of %1 shown").arg(Doc()->GetSignalCount()));
        CPrompts::PushAnswer(QMessageBox::No);
        CPrompts::PushFileName(Copy("other.xml"));
        Trigger(ID_FILE_OPEN);
        QVERIFY(!Frame()->findChild<CFindBar*>()->isVisibleTo(Frame()));
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), Doc()->GetSignalCount());
        QCOMPARE(pane->text(), signalsNow());
        CPrompts::PushAnswer(QMessageBox::No);
        Trigger(ID_FILE_NEW);
        QCOMPARE(pane->text(), QString("0 signals"));
    }

    // File dialogs start in the open database's folder, else in the folder last chosen, else
    // in the working folder; Export proposes NAME.csv there and says where it wrote.
    void fileDialogsStartWhereTheDatabaseIs() {
        QSettings(QStringLiteral("Korvel"), QStringLiteral("Quarn Editor")).remove("Folders");
        Start();
        const QStringList& starts = CPrompts::FileDialogStarts();
        Trigger(ID_FILE_OPEN); // cancelled
        QCOMPARE(starts.last(), QDir::currentPath());
        CPrompts::PushFileName(Copy("mixed.xml"));
        Trigger(ID_FILE_OPEN);
        Trigger(ID_FILE_MERGE); // cancelled
        QCOMPARE(starts.last(), m_dir.path());
        const QString csv = m_dir.filePath("out.csv");
        CPrompts::PushFileName(csv);
        Trigger(ID_FILE_EXPORT);
        QCOMPARE(starts.last(), m_dir.filePath("mixed.csv"));
        QCOMPARE(Frame()->statusBar()->currentMessage(), "5 signals exported to " + csv);
        Trigger(ID_FILE_NEW);
        Trigger(ID_FILE_SAVE_AS); // cancelled
        QCOMPARE(starts.last(), m_dir.filePath("Untitled.xml"));
        // The folder last chosen outlives the editor.
        cleanup();
        Start();
        Trigger(ID_FILE_OPEN);
        QCOMPARE(starts.last(), m_dir.path());
    }

    // A file dropped on the window asks the save question first, then opens.
    void droppedFileAsksToSave() {
        Start({Copy("mixed.xml")});
        Doc()->SetModifiedFlag(true);
        CPrompts::PushAnswer(QMessageBox::No);
        // What the window's drop handler emits for a dropped local file.
        emit Frame()->fileDropped(Copy("other.xml"));
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QVERIFY(CPrompts::ShownMessages()[0].text.startsWith("Save changes to"));
        QCOMPARE(Title(), QStringLiteral("other.xml - Quarn Editor"));
        QVERIFY(!Doc()->IsModified());
    }

    // Cancel in the progress window of an open from the recent files stops the read: the
    // database stays as it was, no error is shown, the entry stays, the status bar says so.
    void progressCancelStopsOpen() {
        const QString small = Copy("mixed.xml");
        QFile big(m_dir.filePath("big.xml"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        // The signals are read much more slowly per byte than the comments after them, so that
        // the progress window's estimate of the whole read passes half a second at its first
        // look (after 50 ms), however fast this machine reads them.
        big.write("<r>" + QByteArray("<Signal Name='x' Modulation='CW'/>").repeated(1000000));
        const QByteArray comment = "<!--" + QByteArray(1 << 20, 'c') + "-->";
        for (int i = 0; i < 100; ++i)
            big.write(comment);
        big.write("</r>");
        big.close();
        SaveRecentFiles({big.fileName()});
        Start({small});
        const QStringList recent = m_app->RecentFiles();
        // Once shown, the progress window runs the event loop while it reports: the cancel
        // comes from there, whenever the loop first runs with the window there.
        QTimer canceller;
        connect(&canceller, &QTimer::timeout, Frame(), [this] {
            if (auto* dialog = Frame()->findChild<QProgressDialog*>())
                dialog->cancel();
        });
        canceller.start(0);
        const qsizetype shown = CPrompts::ShownMessages().size();
        Trigger(ID_FILE_MRU_FILE1 + 1);
        canceller.stop();
        QCOMPARE(CPrompts::ShownMessages().size(), shown);
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), 5);
        QCOMPARE(m_app->RecentFiles(), recent);
        QCOMPARE(Frame()->statusBar()->currentMessage(), QStringLiteral("Cancelled."));
    }

    // A look id without a look of its own takes the Office 2007 look last chosen.
    void unknownLookFallsBack() {
        Start();
        Frame()->OnSelectLook(ID_LOOK_OFFICE_2007_SILVER);
        const QColor silver = QApplication::palette().color(QPalette::Window);
        Frame()->OnSelectLook(DefaultLook);
        QVERIFY(QApplication::palette().color(QPalette::Window) != silver);
        SetWorkspaceValue(QStringLiteral("ApplicationLook"), 999);
        m_app.reset();
        Start();
        QCOMPARE(QApplication::palette().color(QPalette::Window), silver);
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
        Doc()->SetModifiedFlag(true);
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

    void helpAboutCustomize() {
        Start();
        // Without a help file the user guide opens in its own window.
        QVERIFY(!QFile::exists(Frame()->HelpFilePath()));
        Trigger(ID_HELP);
        QVERIFY(CPrompts::OpenedUrls().isEmpty());
        QVERIFY(Frame()->HelpWindow() && Frame()->HelpWindow()->isVisible());
        CHelpWindow* window = Frame()->HelpWindow();
        const QString guide = window->Browser()->toPlainText();
        for (const char* topic :
             {"Sorting and filtering", "Ctrl+Shift+Z", "wildcard", "Merging", "quarn-tool check"})
            QVERIFY2(guide.contains(topic), topic);
        // The guide's headings are its contents; Find finds; Esc and Ctrl+W close.
        QVERIFY(!window->Contents()->findItems("Merging", Qt::MatchContains).isEmpty());
        // Back and Forward return through the places the contents jumped from.
        const int top = window->Place();
        window->Contents()->setCurrentRow(window->Contents()->count() - 1);
        const int last = window->Place();
        QVERIFY(last > top);
        QVERIFY(window->BackAction()->isEnabled() && !window->ForwardAction()->isEnabled());
        window->BackAction()->trigger();
        QCOMPARE(window->Place(), top);
        window->ForwardAction()->trigger();
        QCOMPARE(window->Place(), last);
        QVERIFY(window->FindNext(QStringLiteral("wildcard")));
        QCOMPARE(window->Browser()->textCursor().selectedText(), QStringLiteral("wildcard"));
        QVERIFY(!window->FindNext(QStringLiteral("no such words here")));
        for (const QKeyCombination key : {QKeyCombination(Qt::Key_Escape), Qt::CTRL | Qt::Key_W}) {
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTest::keyClick(window->Browser(), key.key(), key.keyboardModifiers());
            QVERIFY(!window->isVisible());
        }
        // With the help file beside the program, the desktop opens it at the topic.
        QFile help(Frame()->HelpFilePath());
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.close();
        auto remove = qScopeGuard([&help] { help.remove(); });
        Trigger(ID_HELP);
        QCOMPARE(CPrompts::OpenedUrls().size(), 1);
        QCOMPARE(CPrompts::OpenedUrls()[0].fileName(), QStringLiteral("korvel-decoder.chm"));
        QCOMPARE(CPrompts::OpenedUrls()[0].fragment(), QStringLiteral("6165"));
        // A help file nothing can open: the built-in guide after all.
        Frame()->HelpWindow()->hide();
        CPrompts::SetUrlsOpen(false);
        Trigger(ID_HELP);
        QCOMPARE(CPrompts::OpenedUrls().size(), 2);
        QVERIFY(Frame()->HelpWindow()->isVisible());
        CPrompts::SetUrlsOpen(true);
        QMenu* panes = Frame()->createPopupMenu();
        QStringList texts = MenuTexts(panes);
        QCOMPARE(texts, (QStringList{"Standard", "&Status Bar"}));
        delete panes;
        Trigger(ID_VIEW_STATUS_BAR);
        QVERIFY(Frame()->statusBar()->isHidden());
        // About names the licence, the homepage and the libraries, and offers About Qt.
        CAboutDlg about(Frame());
        const QString details = about.findChild<QLabel*>("details")->text();
        for (const QString& part : {QStringLiteral("GPL-3.0-or-later"), QStringLiteral("https://"),
                                    QStringLiteral("Qt ") + qVersion(), QStringLiteral("expat ")})
            QVERIFY2(details.contains(part), qPrintable(part));
        bool aboutQt = false;
        for (QPushButton* button : about.findChildren<QPushButton*>())
            aboutQt |= button->text() == "About &Qt";
        QVERIFY(aboutQt);
    }
};

int main(int argc, char** argv) {
    // Private settings and data folders for this run.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_DATA_DIRS", (home.path() + "/system").toUtf8());
    qputenv("XDG_STATE_HOME", (home.path() + "/state").toUtf8());
    QApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
