#include "SpacingDialog.h"

#include "ControlIds.h"

#include "LocalDecimal.h"
#include "ParameterRules.h"
#include "Prompts.h"
#include "SpacingText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

CSpacingDialog::CSpacingDialog(QWidget* parent) : QDialog(parent), m_pEdit(new QLineEdit(this)) {
    setWindowTitle(tr("Dialog"));
    m_pEdit->setObjectName(ControlName(IDC_SPACING));
    m_pEdit->setMaxLength(SpacingValueLimit);
    m_pEdit->setAccessibleName(tr("Spacing"));
    m_pEdit->setAccessibleDescription(tr("in hertz"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(tr("&Spacing:"), m_pEdit);
    layout->addRow(buttons);
}

void CSpacingDialog::showEvent(QShowEvent* event) {
    m_pEdit->setText(LocalDecimal(RealText(m_dSpacing)));
    // Typing replaces the value, as in any dialog's first edit.
    m_pEdit->selectAll();
    if (!m_pszTitle.isEmpty())
        setWindowTitle(m_pszTitle);
    QDialog::showEvent(event);
}

int CSpacingDialog::DoModal() {
    return CPrompts::RunDialog(*this);
}

void CSpacingDialog::accept() {
    m_dSpacing = ParseRealText(m_pEdit->text());
    QDialog::accept();
}
