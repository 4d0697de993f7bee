#pragma once

#include <QElapsedTimer>
#include <QFrame>
#include <QStringList>

class CAnnouncer;
class QAction;
class QLabel;
class QHBoxLayout;
class QToolButton;
class QVBoxLayout;

// A bar above the list for what the user should know but need not answer at once (what a
// file holds that a save will not keep, names this version does not know). It stays until
// closed; a later message is added below the ones shown, or replaces the one of its kind.
// Each message stands on its own row with its buttons (with the Alt+letters of their
// actions), which close only that message. The bar shows at most three lines of text; "More"
// shows the rest.
class CMessageBar : public QFrame {
    Q_OBJECT
public:
    explicit CMessageBar(QWidget* parent = nullptr);

    // Shows text (added to what is shown, when the bar is open); a text of a kind replaces
    // the message of that kind shown before.
    void Show(const QString& text, const QString& kind = QString());
    // The same, with a button for each action; a button's message goes once it was pressed.
    void ShowWithActions(const QString& text, const QList<QAction*>& actions,
                         const QString& kind = QString());
    // Closes the bar and forgets its messages.
    void Dismiss();
    // Takes the message of a kind away (what it said no longer holds); the bar closes when
    // nothing is left.
    void Withdraw(const QString& kind);
    // The messages shown now, oldest first.
    const QStringList& Messages() const { return m_messages; }
    // The lines the bar shows at most until "More" is pressed.
    static constexpr int ShownLines = 3;

signals:
    // The bar closed while it held the focus (its close button pressed): the focus goes
    // where the window's owner puts it, not to the next control in the chain.
    void closedWithFocus();

protected:
    void changeEvent(QEvent* event) override;

private:
    // The palette's tooltip colours: a light note on any theme, dark ones included.
    void TakeColours();

    struct Message {
        quint64 id;
        QString kind;
        QWidget* row; // the message's text and its buttons
        QLabel* text;
    };
    void Remove(qsizetype index);
    void RemoveId(quint64 id);
    void Refresh();
    // Shows the newest notice again in a moment, once.
    void NoticeAgain();

    QVBoxLayout* m_pRows;
    QToolButton* m_pMore;
    bool m_bExpanded = false;
    QElapsedTimer m_sinceNotice;     // since the newest notice came
    QElapsedTimer m_sinceActivation; // since the window became active
    bool m_bSaidAgain = false;       // the newest notice was shown again
    CAnnouncer* m_pAgain;            // says the newest notice once more
    QStringList m_messages;          // the texts of m_entries, in the same order
    QList<Message> m_entries;
    quint64 m_nNextId = 1;
};
