#pragma once

#include <QWidget>

#include <vector>

class QAction;
class QLineEdit;
class QListWidget;
class QTextBrowser;

// The user guide in a window of its own, for when no help file beside the program can be
// shown: the guide's headings as contents, the text, and a find field (Ctrl+F; Enter finds
// the next match), and Back/Forward (Alt+Left/Alt+Right) through the places a contents
// entry jumped from. Esc and Ctrl+W close it.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return m_pBrowser; }
    QListWidget* Contents() const { return m_pContents; }
    QLineEdit* FindField() const { return m_pFind; }
    // Finds text after the cursor, from the start again at the end; false when it is nowhere.
    bool FindNext(const QString& text);
    QAction* BackAction() const { return m_pBack; }
    QAction* ForwardAction() const { return m_pForward; }
    // The text's scroll position: what Back and Forward return to.
    int Place() const;

private:
    void FillContents();
    // Shows the heading at position, remembering the place left for Back.
    void GoTo(int position);
    // Returns to the last place of from, keeping the present one in to.
    void Return(std::vector<int>& from, std::vector<int>& to);
    void UpdateMoves();

    QTextBrowser* m_pBrowser;
    QListWidget* m_pContents;
    QLineEdit* m_pFind;
    QAction* m_pBack;
    QAction* m_pForward;
    std::vector<int> m_back;
    std::vector<int> m_forward;
};
