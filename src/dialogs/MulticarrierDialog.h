#pragma once

#include <QDialog>
#include <QStringList>

#include "SpacingText.h"

class QLineEdit;
class QRadioButton;
class QTableWidget;
class QTableWidgetItem;

// Edits the spacing text of a multicarrier signal: one spacing for all pairs of
// neighbouring carriers, or one per pair (double-click a row to change it).
class CMulticarrierDialog : public QDialog {
    Q_OBJECT
public:
    // spacing: the caller's text (CSignalDescription::SpacingCapacity), read now and rewritten on
    // OK. An empty text becomes "*" at once.
    CMulticarrierDialog(int carriers, char16_t* spacing, QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    // Says that a list of spacings cannot be shown for so many carriers.
    static void RefuseList(QWidget* parent, int carriers);
    void accept() override;

    // For tests and the row double-click.
    QRadioButton* SameButton() const { return m_pSame; }
    QRadioButton* MultipleButton() const { return m_pMultiple; }
    QLineEdit* CommonEdit() const { return m_pCommon; }
    QTableWidget* List() const { return m_pList; }
    // Opens the spacing dialog on a row; spacingDialog lets tests answer it.
    void OnSpacingListDblClk(QTableWidgetItem* item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddRow(const QString& pair, const QString& spacing);
    void OnSpacingModeClicked();
    QStringList Cells() const;

    int m_nCarriers;
    char16_t* m_pszSpacing;
    QRadioButton* m_pSame;
    QRadioButton* m_pMultiple;
    QLineEdit* m_pCommon;
    QTableWidget* m_pList;
    // What the controls showed when the dialog opened.
    SpacingRows m_filled;
    bool m_bFilledAsList = false;
    QString m_filledCommon;
    QStringList m_filledCells;
};
