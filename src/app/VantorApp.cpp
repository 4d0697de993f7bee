#include "VantorApp.h"

#include "Prompts.h"

#include "AboutDlg.h"
#include "CommandAction.h"
#include "CommandIds.h"
#include "DesktopIntegration.h"
#include "DocTemplate.h"
#include "MainFrame.h"
#include "MessageBar.h"
#include "RecoveryKeeper.h"
#include "SingleInstance.h"
#include "VantorDoc.h"
#include "VantorView.h"
#include "Workspace.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMenu>
#include <QSessionManager>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

namespace {

// The shared code tables live in the first system data folder that has them.
void EnterCodeTablesFolder() {
    const QStringList folders =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    for (const QString& folder : folders) {
        if (folder == home)
            continue;
        const QString tables = folder + QStringLiteral("/Korvel/Quarn Code Tables");
        if (QFileInfo(tables).isDir() && QDir::setCurrent(tables))
            return;
    }
}

} // namespace

// The resources live in this static library: register them before first use.
static void InitResources() {
    Q_INIT_RESOURCE(quarn);
}

CVantorApp::CVantorApp()
    : m_pDoc(new CVantorDoc(this)), m_pTemplate(new CDocTemplate(m_pDoc, this)),
      m_pRecovery(new CRecoveryKeeper(m_pDoc, this)), m_recentFiles(LoadRecentFiles()) {
    InitResources();
    m_commands << MakeCommand(this, ID_APP_ABOUT, [this] { OnShowAbout(); })
               << MakeCommand(this, ID_FILE_NEW, [this] { m_pTemplate->FileNew(); })
               << MakeCommand(this, ID_FILE_OPEN, [this] { m_pTemplate->FileOpen(); })
               << MakeCommand(this, ID_FILE_CLOSE_DATABASE, [this] { OnFileCloseDatabase(); })
               << MakeCommand(this, ID_APP_EXIT, [this] { m_pFrame->close(); });
    for (int index = 0; index < 4; ++index) {
        const auto id = static_cast<std::uint32_t>(ID_FILE_MRU_FILE1 + index);
        m_recentCommands << MakeCommand(this, id, [this, index] { OpenRecentFile(index); });
    }
    m_commands << m_recentCommands;
    m_pClearRecent = new QAction(tr("Clear Recent &List"), this);
    connect(m_pClearRecent, &QAction::triggered, this, [this] {
        m_recentFiles.clear();
        SaveRecentFiles(m_recentFiles);
        UpdateRecentFileCommands();
    });
    UpdateRecentFileCommands();
}

CVantorApp::~CVantorApp() {
    // The keeper ends first: its copy still reads the document's records.
    delete m_pRecovery;
}

bool CVantorApp::InitInstance(const QStringList& args, QString& error) {
    InstallDesktopIntegration();
    m_pFrame = std::make_unique<CMainFrame>(m_pTemplate, m_commands);
    CMainFrame* frame = m_pFrame.get();
    m_pTemplate->SetWindow(frame);
    m_pTemplate->SetController(frame->View()->Controller());
    // Clear Recent List follows the recent files in the File menu.
    const QList<QAction*> fileItems = frame->FileMenu()->actions();
    frame->FileMenu()->insertAction(
        fileItems.value(fileItems.indexOf(frame->Action(ID_FILE_MRU_FILE4)) + 1), m_pClearRecent);
    connect(m_pTemplate, &CDocTemplate::titleChanged, frame, &QWidget::setWindowTitle);
    connect(m_pTemplate, &CDocTemplate::fileUsed, this, &CVantorApp::AddToRecentFiles);
    connect(m_pDoc, &CVantorDoc::modifiedChanged, frame, &QWidget::setWindowModified);
    connect(frame->View()->UndoStack(), &QUndoStack::indexChanged, m_pRecovery,
            &CRecoveryKeeper::Changed);
    connect(m_pTemplate, &CDocTemplate::snapshotRecovered, m_pRecovery, &CRecoveryKeeper::Adopt);
    // The news that snapshots work again replaces the news that they did not.
    for (const auto said : {&CRecoveryKeeper::snapshotFailed, &CRecoveryKeeper::snapshotWorks})
        connect(m_pRecovery, said, frame->MessageBar(), [frame](const QString& text) {
            frame->MessageBar()->Show(text, QStringLiteral("recovery"));
        });
    connect(qApp, &QGuiApplication::commitDataRequest, this, &CVantorApp::OnCommitData);
    connect(m_pTemplate, &CDocTemplate::notice, frame, &CMainFrame::ShowNotice);
    connect(m_pTemplate, &CDocTemplate::noticeWithActions, frame->MessageBar(),
            &CMessageBar::ShowWithActions);
    connect(m_pTemplate, &CDocTemplate::selectMerged, frame->View(), &CVantorView::SelectMerged);
    connect(m_pTemplate, &CDocTemplate::noticesCleared, frame->MessageBar(), &CMessageBar::Dismiss);
    connect(m_pTemplate, &CDocTemplate::statusMessage, frame,
            [frame](const QString& text) { frame->statusBar()->showMessage(text); });
    CDocTemplate* docTemplate = m_pTemplate;
    connect(frame, &CMainFrame::fileDropped, docTemplate,
            [docTemplate](const QString& path) { docTemplate->OpenFile(path); });
    connect(frame, &CMainFrame::closeRequested, docTemplate,
            [docTemplate](bool* accept) { *accept = docTemplate->SaveModified(); });
    // A relative path names a file of the folder the editor was started from.
    QStringList files;
    for (const QString& arg : args)
        files << (QDir::isAbsolutePath(arg) ? arg
                                            : QDir::cleanPath(QDir::currentPath() + u'/' + arg));
    EnterCodeTablesFolder();

    if (files.size() > 1) {
        error = tr("only one file can be opened");
        return false;
    }
    if (files.isEmpty()) {
        m_pDoc->OnNewDocument();
        frame->setWindowTitle(m_pTemplate->WindowTitle());
    } else if (const FileResult opened = m_pTemplate->OpenQuietly(files.first()); !opened) {
        // Without the file there is no window: the reason goes to the caller.
        error = opened.Message();
        return false;
    }
    frame->show();
    if (!files.isEmpty())
        m_pTemplate->ReportReading(files.first());
    // Unsaved changes a crash left behind: of the file opened, or of any file when none was.
    if (!files.isEmpty())
        m_pTemplate->OfferRecovery(files.first());
    else
        m_pTemplate->OfferAnyRecovery();
    return true;
}

bool CVantorApp::ListenForOtherStarts() {
    if (!m_pInstance) {
        m_pInstance = new CSingleInstance(this);
        connect(m_pInstance, &CSingleInstance::activateRequested, this, &CVantorApp::BringToFront);
        connect(m_pInstance, &CSingleInstance::openRequested, this, &CVantorApp::OpenHandedFile);
    }
    return m_pInstance->Listen();
}

void CVantorApp::OpenHandedFile(const QString& path) {
    BringToFront();
    // While a dialog of the editor is open (an edit, a question, a progress window) the
    // file waits, so that nothing the dialog works on is replaced under it.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(300, this, [this, path] { OpenHandedFile(path); });
        return;
    }
    m_pTemplate->OpenFile(path);
}

void CVantorApp::BringToFront() {
    if (!m_pFrame)
        return;
    m_pFrame->setWindowState(m_pFrame->windowState() & ~Qt::WindowMinimized);
    m_pFrame->show();
    m_pFrame->raise();
    m_pFrame->activateWindow();
}

void CVantorApp::OnCommitData(QSessionManager& manager) {
    if (!m_pDoc->IsModified())
        return;
    if (manager.allowsInteraction()) {
        const bool settled = m_pTemplate->SaveModified();
        manager.release();
        if (!settled)
            manager.cancel();
        return;
    }
    m_pRecovery->SnapshotNow();
    m_pRecovery->KeepAtExit();
}

void CVantorApp::ExitInstance() {
    if (m_pFrame)
        m_pFrame->SaveLayout();
    CleanWorkspace();
    SaveRecentFiles(m_recentFiles);
}

void CVantorApp::OnShowAbout() {
    CAboutDlg about(m_pFrame.get());
    CPrompts::RunDialog(about);
}

void CVantorApp::OnFileCloseDatabase() {
    m_pTemplate->FileNew();
}

void CVantorApp::OpenRecentFile(int index) {
    if (index < 0 || index >= m_recentFiles.size())
        return;
    const QString path = m_recentFiles[index];
    if (!m_pTemplate->SaveModified())
        return;
    // A cancelled open keeps the entry: the file is still there.
    if (m_pTemplate->OpenFile(path, false).GetStatus() == FileResult::Status::Failed)
        RemoveFromRecentFiles(path);
}

void CVantorApp::AddToRecentFiles(const QString& path) {
    m_recentFiles = AddRecentFile(m_recentFiles, path);
    SaveRecentFiles(m_recentFiles);
    UpdateRecentFileCommands();
}

void CVantorApp::RemoveFromRecentFiles(const QString& path) {
    m_recentFiles.removeAll(path);
    SaveRecentFiles(m_recentFiles);
    UpdateRecentFileCommands();
}

void CVantorApp::UpdateRecentFileCommands() {
    m_pClearRecent->setVisible(!m_recentFiles.isEmpty());
    for (int index = 0; index < m_recentCommands.size(); ++index) {
        QAction* action = m_recentCommands[index];
        if (index < m_recentFiles.size()) {
            action->setText(QStringLiteral("&%1 %2").arg(index + 1).arg(
                QString(m_recentFiles[index]).replace(u'&', QStringLiteral("&&"))));
            action->setEnabled(true);
            action->setVisible(true);
        } else if (index == 0) {
            action->setText(tr("Recent File"));
            action->setEnabled(false);
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
}
