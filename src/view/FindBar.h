#pragma once

#include <QWidget>

class QEvent;
class QLineEdit;

// In a bar's field, keys typed without Ctrl or Alt belong to the text, even those the window
// uses for its commands (Ins adds a signal, Del deletes signals); function keys and Escape
// stay the window's and the bar's. True when event is such a key's shortcut check, now taken.
bool TakeTypedKey(QEvent* event);

// The bar above the list that filters the rows as the user types. Escape clears and
// closes it.
class CFindBar : public QWidget {
    Q_OBJECT
public:
    explicit CFindBar(QWidget* parent = nullptr);

    QLineEdit* Edit() const { return m_pEdit; }
    // Shows the bar and puts the cursor in it with its text selected.
    void Activate();
    void Close();

signals:
    void findTextChanged(const QString& text);
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_pEdit;
};
