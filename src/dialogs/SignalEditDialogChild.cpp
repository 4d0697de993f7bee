#include "SignalEditDialogChild.h"

#include "ControlIds.h"
#include "ParameterRules.h"
#include "SignalEditDialog.h"
#include "SpacingText.h"
#include "StorableText.h"
#include "Vocabulary.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

bool CSignalEditDialogChild::Create(int templateId, CSignalEditDialog* owner) {
    setParent(owner);
    setObjectName(QStringLiteral("page%1").arg(templateId));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setColumnStretch(1, 1);
    const QString hz = QStringLiteral("Hz");
    const QString bd = QStringLiteral("Bd");
    switch (templateId) {
    case PageFSK:
        AddField(IDC_BAUDRATE, QStringLiteral("Baud Rate:"), bd);
        AddField(IDC_SHIFT, QStringLiteral("Shift:"), hz);
        AddField(IDC_BANDWIDTH, QStringLiteral("Bandwidth:"), hz);
        layout->addWidget(new QLabel(QStringLiteral("VFT"), this), layout->rowCount(), 0, 1, 3);
        AddField(IDC_NUM_CHANNELS, QStringLiteral("No. of Channels:"), QString());
        AddField(IDC_NUM_CHANNELS_MIN, QStringLiteral("Minimum No.\nof Channels:"), QString());
        AddSpacingButton();
        AddField(IDC_PILOT_FREQUENCY, QStringLiteral("Pilot Frequency:"), hz);
        break;
    case PageMFSK:
        AddField(IDC_BAUDRATE, QStringLiteral("Baud Rate:"), bd);
        AddField(IDC_TONE_DURATION, QStringLiteral("Tone Duration:"), QStringLiteral("ms"));
        AddField(IDC_SPACING, QStringLiteral("Spacing:"), hz);
        AddField(IDC_NUM_TONES, QStringLiteral("No. of Tones:"), QString());
        AddField(IDC_NUM_TONES_MIN, QStringLiteral("Minimum\nNo. of Tones:"), QString());
        AddField(IDC_BANDWIDTH, QStringLiteral("Bandwidth:"), hz);
        // The coupling follows only what the user types: textEdited is not raised by setText.
        connect(Edit(IDC_BAUDRATE), &QLineEdit::textEdited, this,
                &CSignalEditDialogChild::OnBaudRateUpdate);
        connect(Edit(IDC_TONE_DURATION), &QLineEdit::textEdited, this,
                &CSignalEditDialogChild::OnToneDurationUpdate);
        break;
    case PagePSK:
        AddField(IDC_SYMBOL_RATE, QStringLiteral("Symbol Rate:"), bd);
        AddField(IDC_BANDWIDTH, QStringLiteral("Bandwidth:"), hz);
        layout->addWidget(new QLabel(QStringLiteral("Multicarrier"), this), layout->rowCount(), 0,
                          1, 3);
        AddField(IDC_NUM_CHANNELS, QStringLiteral("No. of Carriers:"), QString());
        AddField(IDC_NUM_CHANNELS_MIN, QStringLiteral("Minimum\nNo. of Carriers:"), QString());
        AddSpacingButton();
        AddField(IDC_PILOT_FREQUENCY, QStringLiteral("Pilot Frequency:"), hz);
        break;
    case PageOFDM: {
        m_pSubcarrier = new QComboBox(this);
        m_pSubcarrier->setObjectName(ControlName(IDC_SUBCARRIER));
        const int row = layout->rowCount();
        layout->addWidget(new QLabel(QStringLiteral("Subcarrier:"), this), row, 0);
        layout->addWidget(m_pSubcarrier, row, 1, 1, 2);
        AddField(IDC_SYMBOL_RATE, QStringLiteral("Symbol Rate:"), bd);
        AddField(IDC_NUM_CHANNELS, QStringLiteral("No. of Carriers:"), QString());
        AddField(IDC_NUM_CHANNELS_MIN, QStringLiteral("Minimum\nNo. of Carriers:"), QString());
        AddField(IDC_BANDWIDTH, QStringLiteral("Bandwidth:"), hz);
        AddField(IDC_SPACING, QStringLiteral("Spacing:"), hz);
        Edit(IDC_SPACING)
            ->setValidator(new CStorableTextValidator(SpacingTextLimit, Edit(IDC_SPACING)));
        AddField(IDC_PILOT_FREQUENCY, QStringLiteral("Pilot Frequency:"), hz);
        break;
    }
    default:
        return false;
    }
    layout->setRowStretch(layout->rowCount(), 1);
    hide();
    m_pOwner = owner;
    return true;
}

void CSignalEditDialogChild::AddField(int id, const QString& label, const QString& unit) {
    auto* layout = static_cast<QGridLayout*>(this->layout());
    const int row = layout->rowCount();
    auto* edit = new QLineEdit(this);
    edit->setObjectName(ControlName(id));
    edit->setMaxLength(id == IDC_SPACING ? SpacingTextLimit : NumberTextLimit);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(edit);
    layout->addWidget(caption, row, 0);
    layout->addWidget(edit, row, 1);
    if (!unit.isEmpty())
        layout->addWidget(new QLabel(unit, this), row, 2);
}

void CSignalEditDialogChild::AddSpacingButton() {
    auto* layout = static_cast<QGridLayout*>(this->layout());
    const int row = layout->rowCount();
    auto* button = new QPushButton(QStringLiteral("Edit ..."), this);
    button->setObjectName(ControlName(IDC_EDIT_SPACING));
    button->setAutoDefault(false);
    layout->addWidget(new QLabel(QStringLiteral("Spacing:"), this), row, 0);
    layout->addWidget(button, row, 1);
    connect(button, &QPushButton::clicked, this, [this] {
        if (m_pOwner)
            m_pOwner->OnEditSpacing();
    });
}

QLineEdit* CSignalEditDialogChild::Edit(int id) const {
    return findChild<QLineEdit*>(ControlName(id), Qt::FindDirectChildrenOnly);
}

QString CSignalEditDialogChild::Text(int id) const {
    const QLineEdit* edit = Edit(id);
    return edit ? edit->text() : QString();
}

void CSignalEditDialogChild::SetText(int id, const QString& text) {
    if (QLineEdit* edit = Edit(id))
        edit->setText(text);
}

void CSignalEditDialogChild::OnBaudRateUpdate() {
    if (!Edit(IDC_TONE_DURATION) || !m_pOwner || m_pOwner->GetCheckedModulation() != ModulationMfsk)
        return;
    SetText(IDC_TONE_DURATION, CoupledText(Text(IDC_BAUDRATE)));
}

void CSignalEditDialogChild::OnToneDurationUpdate() {
    if (!Edit(IDC_BAUDRATE) || !m_pOwner || m_pOwner->GetCheckedModulation() != ModulationMfsk)
        return;
    SetText(IDC_BAUDRATE, CoupledText(Text(IDC_TONE_DURATION)));
}
