#pragma once

#include <QFrame>
#include <QStringList>

class QAction;
class QLabel;
class QHBoxLayout;

// A bar above the list for what the user should know but need not answer at once (what a
// file holds that a save will not keep, names this version does not know). It stays until
// closed; a later message is added below the ones shown.
class CMessageBar : public QFrame {
    Q_OBJECT
public:
    explicit CMessageBar(QWidget* parent = nullptr);

    // Shows text (added to what is shown, when the bar is open).
    void Show(const QString& text);
    // The same, with a button for each action; a button closes the bar after its action.
    void ShowWithActions(const QString& text, const QList<QAction*>& actions);
    // Closes the bar and forgets its messages.
    void Dismiss();
    // The messages shown now, oldest first.
    const QStringList& Messages() const { return m_messages; }

protected:
    void changeEvent(QEvent* event) override;

private:
    // The palette's tooltip colours: a light note on any theme, dark ones included.
    void TakeColours();

    QLabel* m_pText;
    QHBoxLayout* m_pButtons;
    QStringList m_messages;
};
