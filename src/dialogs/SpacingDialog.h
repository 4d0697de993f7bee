#pragma once

#include <QDialog>

class QLineEdit;

// Edits the spacing of one pair of carriers.
class CSpacingDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSpacingDialog(QWidget* parent = nullptr);

    QString m_pszTitle; // caption; empty keeps "Dialog"
    double m_dSpacing = 0.0;

    int DoModal();
    QLineEdit* SpacingEdit() const { return m_pEdit; }
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_pEdit;
};
