#include "ChangeSignalsDialog.h"

#include "AccessibleNames.h"
#include "ControlIds.h"
#include "ParameterRules.h"
#include "Prompts.h"
#include "SignalDescription.h"
#include "StorableText.h"
#include "Vocabulary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace {

const char* const FieldNames[] = {
    QT_TRANSLATE_NOOP("CChangeSignalsDialog", "Decoder mode and code-check count"),
    QT_TRANSLATE_NOOP("CChangeSignalsDialog", "Code-check count"),
    QT_TRANSLATE_NOOP("CChangeSignalsDialog", "ITU designator"),
    QT_TRANSLATE_NOOP("CChangeSignalsDialog", "Comment"),
    QT_TRANSLATE_NOOP("CChangeSignalsDialog", "Disabled"),
    QT_TRANSLATE_NOOP("CChangeSignalsDialog", "Baud / symbol rate"),
    QT_TRANSLATE_NOOP("CChangeSignalsDialog", "Bandwidth"),
};

} // namespace

CChangeSignalsDialog::CChangeSignalsDialog(int selected, QWidget* parent)
    : QDialog(parent), m_pField(new QComboBox(this)), m_pValues(new QStackedWidget(this)),
      m_pDecoder(new QComboBox(this)), m_pCount(new QLineEdit(this)), m_pValue(new QLineEdit(this)),
      m_pDisabled(new QCheckBox(tr("&Recognition disabled"), this)) {
    setWindowTitle(tr("Change Selected Signals"));
    for (const char* name : FieldNames)
        m_pField->addItem(tr(name));
    for (int mode = 0; DecoderModeNames[mode] != nullptr; ++mode)
        m_pDecoder->addItem(QStringView(DecoderModeNames[mode]).toString());
    // Page 0: decoder and count; 1: a text or number; 2: the flag.
    auto* decoderPage = new QWidget(this);
    auto* decoderForm = new QFormLayout(decoderPage);
    decoderForm->setContentsMargins(0, 0, 0, 0);
    decoderForm->addRow(tr("&Decoder:"), m_pDecoder);
    decoderForm->addRow(tr("Codec&heck Count:"), m_pCount);
    auto* valuePage = new QWidget(this);
    auto* valueForm = new QFormLayout(valuePage);
    valueForm->setContentsMargins(0, 0, 0, 0);
    valueForm->addRow(tr("&Value:"), m_pValue);
    m_pValues->addWidget(decoderPage);
    m_pValues->addWidget(valuePage);
    m_pValues->addWidget(m_pDisabled);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CChangeSignalsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(selected == 1
                                ? tr("The selected signal gets the value:")
                                : tr("%1 selected signals get the same value:").arg(selected),
                            this));
    form->addRow(tr("&Field:"), m_pField);
    form->addRow(m_pValues);
    form->addRow(buttons);
    connect(m_pField, &QComboBox::currentIndexChanged, this, &CChangeSignalsDialog::ShowField);
    m_pCount->setMaxLength(CodecheckTextLimit);
    ShowField(0);
    NameByLabels(this);
}

void CChangeSignalsDialog::ShowField(int field) {
    const auto kind = static_cast<SignalChangeField>(field);
    m_pValues->setCurrentIndex(kind == SignalChangeField::Decoder    ? 0
                               : kind == SignalChangeField::Disabled ? 2
                                                                     : 1);
    m_pValue->clear();
    m_pValue->setAccessibleName(m_pField->currentText());
    // Each field takes what the edit dialog's takes: a text up to its capacity and what a
    // file can carry, a number up to the length of the dialog's number fields.
    delete m_pValue->validator();
    m_pValue->setValidator(nullptr);
    switch (kind) {
    case SignalChangeField::ITU:
        m_pValue->setValidator(
            new CStorableTextValidator(CSignalDescription::ITUCapacity - 1, m_pValue));
        break;
    case SignalChangeField::Comment:
        m_pValue->setValidator(
            new CStorableTextValidator(CSignalDescription::CommentCapacity - 1, m_pValue));
        break;
    case SignalChangeField::Codecheck:
        m_pValue->setMaxLength(CodecheckTextLimit);
        break;
    default:
        m_pValue->setMaxLength(NumberTextLimit);
        break;
    }
}

// A number field's text that is not a number: said, with the field focused.
bool CChangeSignalsDialog::Refused(QLineEdit* edit, const QString& name, bool count) {
    if (IsWholeNumber(edit->text(), count, !count))
        return false;
    CPrompts::Message(this, QMessageBox::Warning, tr("Data Error"),
                      tr("%1: %2 is not a number").arg(name, edit->text()));
    edit->setFocus();
    edit->selectAll();
    return true;
}

void CChangeSignalsDialog::accept() {
    m_change = {};
    m_change.field = static_cast<SignalChangeField>(m_pField->currentIndex());
    switch (m_change.field) {
    case SignalChangeField::Decoder:
        if (Refused(m_pCount, tr("Codecheck count"), true))
            return;
        m_change.mode = m_pDecoder->currentIndex();
        m_change.count = ParseCountText(m_pCount->text());
        break;
    case SignalChangeField::Codecheck:
        if (Refused(m_pValue, m_pField->currentText(), true))
            return;
        m_change.count = ParseCountText(m_pValue->text());
        break;
    case SignalChangeField::ITU:
    case SignalChangeField::Comment:
        m_change.text = m_pValue->text().toStdU16String();
        break;
    case SignalChangeField::Disabled:
        m_change.disabled = m_pDisabled->isChecked();
        break;
    case SignalChangeField::Baudrate:
    case SignalChangeField::Bandwidth:
        if (Refused(m_pValue, m_pField->currentText(), false))
            return;
        m_change.value = ParseRealOrAny(m_pValue->text());
        break;
    }
    QDialog::accept();
}
