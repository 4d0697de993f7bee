#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>

class CVantorDoc;
class CDocTemplate;
class CMainFrame;
class CRecoveryKeeper;
class CSingleInstance;
class QAction;
class QSessionManager;

// The application: settings, the recent-file list, the document template and the main
// frame; start-up from the command line and the exit sequence.
class CVantorApp : public QObject {
    Q_OBJECT
public:
    CVantorApp();
    ~CVantorApp() override;

    // Creates the document and the main frame and opens the file named by args (at most
    // one path). Returns false with a message in error when the file cannot be opened;
    // no window is shown then.
    bool InitInstance(const QStringList& args, QString& error);
    // Erases the workspace group of the settings; the recent-file list stays.
    void ExitInstance();

    CMainFrame* MainFrame() const { return m_pFrame.get(); }
    CDocTemplate* Template() const { return m_pTemplate; }
    CVantorDoc* Document() const { return m_pDoc; }
    const QStringList& RecentFiles() const { return m_recentFiles; }
    QAction* ClearRecentFilesAction() const { return m_pClearRecent; }
    CRecoveryKeeper* Recovery() const { return m_pRecovery; }

    // Takes the files of later starts in this session (see CSingleInstance): each is opened
    // as File > Open would, after the window came to the front. False when another editor
    // takes them already.
    bool ListenForOtherStarts();
    // Shows the window in front of the others, restored when it was minimised.
    void BringToFront();
    // A later start's file: opened as File > Open does, once no dialog of the editor is open.
    void OpenHandedFile(const QString& path);

    void OnShowAbout();
    void OnFileCloseDatabase();
    void OpenRecentFile(int index);

private:
    // Shows the recent-file list in its four commands.
    void UpdateRecentFileCommands();
    void AddToRecentFiles(const QString& path);
    void RemoveFromRecentFiles(const QString& path);
    // The session is ending: ask the save question when the session manager lets us, keep
    // a recovery snapshot when it does not.
    void OnCommitData(QSessionManager& manager);

    CVantorDoc* m_pDoc;
    CDocTemplate* m_pTemplate;
    CRecoveryKeeper* m_pRecovery;
    std::unique_ptr<CMainFrame> m_pFrame;
    QStringList m_recentFiles;
    QList<QAction*> m_commands;       // About, New, Open, Close, Exit, the recent files
    QList<QAction*> m_recentCommands; // the four recent-file commands
    QAction* m_pClearRecent;          // empties the list
    CSingleInstance* m_pInstance = nullptr;
};
