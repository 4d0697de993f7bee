#pragma once

#include "CommandTarget.h"

#include <QMainWindow>

class CCommandRouter;
class CDocTemplate;
class CVantorView;
class QLabel;
class QMenu;
class QToolBar;

// The main window: menu bar, the movable "Standard" toolbar with its customize drop-down,
// the status bar with the prompt pane and the lock indicators, the list view, the looks,
// help and dropped files.
class CMainFrame : public QMainWindow, public CCommandTarget {
    Q_OBJECT
public:
    CMainFrame(CDocTemplate* docTemplate, QWidget* parent = nullptr);

    CCommandRouter* Router() const { return m_pRouter; }
    CVantorView* View() const { return m_pView; }
    QToolBar* ToolBar() const { return m_pToolBar; }
    QMenu* FileMenu() const { return m_pFileMenu; }
    QMenu* ContextMenu() const { return m_pContextMenu; }
    QMenu* LookMenu() const { return m_pLookMenu; }
    int CurrentLook() const { return m_nLook; }
    QString HelpFilePath() const;

    void OnSelectLook(int lookId);
    void OnHelpContents();

    QMenu* createPopupMenu() override;

signals:
    void fileDropped(const QString& path);
    void closeRequested(bool* accept);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildToolBar();
    void BuildStatusBar();
    void FillPaneMenu(QMenu* menu);

    CCommandRouter* m_pRouter;
    CVantorView* m_pView;
    QToolBar* m_pToolBar = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QMenu* m_pContextMenu = nullptr;
    QMenu* m_pLookMenu = nullptr;
    QLabel* m_pPrompt = nullptr;
    int m_nLook;
};
