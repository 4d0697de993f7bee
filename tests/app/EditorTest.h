#pragma once

// What every suite of the editor's window shares: an editor started offscreen in folders of
// its own (settings, data, state), the files it works on, and helpers that read the window.
#include "AboutDlg.h"
#include "CommandAction.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "ControlIds.h"
#include "DesktopIntegration.h"
#include "DocTemplate.h"
#include "EditorSettings.h"
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
#include "TestDocument.h"
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
#include <QDockWidget>
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
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUndoStack>

#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>

inline QString DataFile(const QString& name) {
    return QStringLiteral(QUARN_TEST_DATA "/") + name;
}

// The texts of a menu's entries, popups marked with ">" and separators as "-".
inline QStringList MenuTexts(const QMenu* menu) {
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

// Leaves a snapshot of path as a run that then ended would: written by another process,
// with the first signal disabled.
inline bool LeaveSnapshot(const QString& path) {
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

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The button of the message bar with that text, if it shows one.
// File > Merge's review, applied as it opens (what a merge brings by default).
inline void ApplyMergeReview() {
    CPrompts::PushDialogHandler([](QDialog&) { return int(QDialog::Accepted); });
}

inline QPushButton* BarButton(const CMessageBar* bar, const QString& text) {
    for (QPushButton* button : bar->findChildren<QPushButton*>()) {
        if (button->text() == text && button->isVisibleTo(bar))
            return button;
    }
    return nullptr;
}

// The base of the window's suites: each test starts in an emptied folder with answers to
// every question queued (CPrompts' test mode), and ends with the editor closed.
class CEditorTest : public QObject {
    Q_OBJECT

protected:
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
    // A copy of the test data file name in the test's folder, named as given (or as it is).
    QString Copy(const QString& name, const QString& as = {}) {
        const QString target = m_dir.filePath(as.isEmpty() ? name : as);
        QFile::remove(target);
        QFile::copy(DataFile(name), target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        return target;
    }

    // Called by QTest around each test; cleanup also by tests that close the editor on the way.
protected slots:
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
            MarkSaved(*Doc());
            m_app->ExitInstance();
        }
        m_app.reset();
    }
};

// Runs a suite in private settings, data and state folders.
template <typename Suite> int RunEditorTest(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_DATA_DIRS", (home.path() + "/system").toUtf8());
    qputenv("XDG_STATE_HOME", (home.path() + "/state").toUtf8());
    QApplication app(argc, argv);
    Suite suite;
    return QTest::qExec(&suite, argc, argv);
}
