#pragma once

#include "CommandTable.h"

#include <QHash>
#include <QList>
#include <QMainWindow>

#include <cstdint>
#include <span>

class CAnnouncer;
class CDetailsPane;
class CProblemsPane;
class CDocTemplate;
class CFindBar;
class CParameterBar;
class CMessageBar;
class CHelpWindow;
class CVantorView;
class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QToolBar;

// The main window: menu bar, the movable "Standard" toolbar with its customize drop-down,
// the status bar with the prompt pane and the lock indicators, the list view, the looks,
// help and dropped files. Its menus and toolbar show the commands of the list, the document
// template, the application (appCommands) and its own, as the command table orders them.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CDocTemplate* docTemplate, const QList<QAction*>& appCommands,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // A notice for the message bar, of a kind; duplicates brought in come with Show Problems.
    void ShowNotice(const QString& text, const QString& kind);
    // The command with this id, whoever runs it.
    QAction* Action(std::uint32_t id) const { return m_actions.value(id); }
    CVantorView* View() const { return m_pView; }
    CDetailsPane* Details() const { return m_pDetails; }
    // What the window said to screen readers last (a find's count, a command's outcome).
    CAnnouncer* Announcer() const { return m_pAnnouncer; }
    // View > Details: the pane shown with the focus in its fields, or hidden with the focus
    // back in the list.
    void ShowDetails(bool shown);
    QDockWidget* DetailsDock() const { return m_pDetailsDock; }
    CProblemsPane* Problems() const { return m_pProblems; }
    QDockWidget* ProblemsDock() const { return m_pProblemsDock; }
    QToolBar* ToolBar() const { return m_pToolBar; }
    CFindBar* FindBar() const { return m_pFindBar; }
    CParameterBar* ParameterBar() const { return m_pParameterBar; }
    CMessageBar* MessageBar() const { return m_pMessageBar; }
    CHelpWindow* HelpWindow() const { return m_pHelpWindow; }
    QMenu* FileMenu() const { return m_pFileMenu; }
    QMenu* ContextMenu() const { return m_pContextMenu; }
    QMenu* LookMenu() const { return m_pLookMenu; }
    int CurrentLook() const { return m_nLook; }
    QString HelpFilePath() const;

    void OnSelectLook(int lookId);
    void OnHelpContents();

    QMenu* createPopupMenu() override;
    // Shows the lock-key states in the CAP, NUM and SCRL panes.
    void UpdateLockPanes();
    // The toolbar's own buttons the user removed through its drop-down.
    QList<std::uint32_t> HiddenButtons() const { return m_hiddenButtons; }
    void SetButtonShown(std::uint32_t id, bool shown);
    void ResetToolBar();
    // Gives the window, the toolbar and the list's columns their remembered layout; the
    // first time, columns as wide as their headings.
    void RestoreLayout();
    void SaveLayout();

signals:
    void fileDropped(const QString& path);
    void closeRequested(bool* accept);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QAction*> OwnCommands();
    void BuildCentral();
    void BuildDetailsDock();
    void BuildProblemsDock();
    // F6: the focus from the list to the details pane or back.
    void SwitchPane();
    void BuildMenus();
    void AddCommands(const QList<QAction*>& commands);
    void BuildMenu(QMenu* menu, std::span<const MenuEntry> entries);
    void BuildToolBar();
    void FillToolBar();
    void FillCustomizeMenu(QMenu* menu);
    void BuildStatusBar();
    void FillPaneMenu(QMenu* menu);
    void UpdateCountPanes();

    QHash<std::uint32_t, QAction*> m_actions;
    CVantorView* m_pView;
    CDetailsPane* m_pDetails;
    QDockWidget* m_pDetailsDock = nullptr;
    CProblemsPane* m_pProblems = nullptr;
    QDockWidget* m_pProblemsDock = nullptr;
    QAction* m_pShowProblems = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QMenu* m_pContextMenu = nullptr;
    QMenu* m_pLookMenu = nullptr;
    CFindBar* m_pFindBar;
    CParameterBar* m_pParameterBar;
    CMessageBar* m_pMessageBar;
    CHelpWindow* m_pHelpWindow = nullptr;
    QLabel* m_pPrompt = nullptr;
    QLabel* m_pFindPane = nullptr;
    QLabel* m_pCountPane = nullptr;
    CAnnouncer* m_pAnnouncer = nullptr;
    bool m_bCountFiltered = false; // the count pane counted the rows a find or filter shows
    QLabel* m_pLockPanes[3] = {};
    QList<std::uint32_t> m_hiddenButtons;
    int m_nLook;
};
