#pragma once

#include <QWidget>

class QLineEdit;

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
