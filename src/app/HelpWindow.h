#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

// The user guide in a window of its own, for when no help file beside the program can be
// shown: the guide's headings as contents, the text, and a find field (Ctrl+F; Enter finds
// the next match). Esc and Ctrl+W close it.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return m_pBrowser; }
    QListWidget* Contents() const { return m_pContents; }
    QLineEdit* FindField() const { return m_pFind; }
    // Finds text after the cursor, from the start again at the end; false when it is nowhere.
    bool FindNext(const QString& text);

private:
    void FillContents();

    QTextBrowser* m_pBrowser;
    QListWidget* m_pContents;
    QLineEdit* m_pFind;
};
