#include "SignalEditDialogChild.h"

#include "ControlIds.h"
#include "ParameterRules.h"
#include "SpacingText.h"
#include "StorableText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// One row of a page: a number field, a heading, the spacing button or the subcarrier combo.
struct Row {
    enum Kind { Field, Heading, SpacingButton, Subcarrier } kind;
    int id;
    const char* label;
    const char* unit;
};

constexpr Row FskRows[] = {
    {Row::Field, IDC_BAUDRATE, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "&Baud Rate:"), "Bd"},
    {Row::Field, IDC_SHIFT, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "&Shift:"), "Hz"},
    {Row::Field, IDC_BANDWIDTH, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Band&width:"), "Hz"},
    {Row::Heading, 0, "VFT", ""},
    {Row::Field, IDC_NUM_CHANNELS, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "No. of Channe&ls:"),
     ""},
    {Row::Field, IDC_NUM_CHANNELS_MIN,
     QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Minim&um No.\nof Channels:"), ""},
    {Row::SpacingButton, 0, "", ""},
    {Row::Field, IDC_PILOT_FREQUENCY,
     QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Pilot &Frequency:"), "Hz"}};
constexpr Row MfskRows[] = {
    {Row::Field, IDC_BAUDRATE, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "&Baud Rate:"), "Bd"},
    {Row::Field, IDC_TONE_DURATION, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Tone Dur&ation:"),
     "ms"},
    {Row::Field, IDC_SPACING, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "&Spacing:"), "Hz"},
    {Row::Field, IDC_NUM_TONES, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "No. o&f Tones:"), ""},
    {Row::Field, IDC_NUM_TONES_MIN,
     QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Minim&um\nNo. of Tones:"), ""},
    {Row::Field, IDC_BANDWIDTH, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Band&width:"), "Hz"}};
constexpr Row PskRows[] = {
    {Row::Field, IDC_SYMBOL_RATE, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "S&ymbol Rate:"),
     "Bd"},
    {Row::Field, IDC_BANDWIDTH, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Band&width:"), "Hz"},
    {Row::Heading, 0, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Multicarrier"), ""},
    {Row::Field, IDC_NUM_CHANNELS, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "No. of C&arriers:"),
     ""},
    {Row::Field, IDC_NUM_CHANNELS_MIN,
     QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Minim&um\nNo. of Carriers:"), ""},
    {Row::SpacingButton, 0, "", ""},
    {Row::Field, IDC_PILOT_FREQUENCY,
     QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Pilot &Frequency:"), "Hz"}};
constexpr Row OfdmRows[] = {
    {Row::Subcarrier, IDC_SUBCARRIER, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Su&bcarrier:"),
     ""},
    {Row::Field, IDC_SYMBOL_RATE, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "S&ymbol Rate:"),
     "Bd"},
    {Row::Field, IDC_NUM_CHANNELS, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "No. of C&arriers:"),
     ""},
    {Row::Field, IDC_NUM_CHANNELS_MIN,
     QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Minim&um\nNo. of Carriers:"), ""},
    {Row::Field, IDC_BANDWIDTH, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Band&width:"), "Hz"},
    {Row::Field, IDC_SPACING, QT_TRANSLATE_NOOP("CSignalEditDialogChild", "&Spacing:"), "Hz"},
    {Row::Field, IDC_PILOT_FREQUENCY,
     QT_TRANSLATE_NOOP("CSignalEditDialogChild", "Pilot &Frequency:"), "Hz"}};

} // namespace

CSignalEditDialogChild::CSignalEditDialogChild(Page page, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("page%1").arg(page));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setColumnStretch(1, 1);
    const auto build = [&](const auto& rows) {
        for (const Row& row : rows) {
            switch (row.kind) {
            case Row::Field:
                AddField(row.id, tr(row.label), QString::fromUtf8(row.unit));
                break;
            case Row::Heading:
                layout->addWidget(new QLabel(tr(row.label), this), layout->rowCount(), 0, 1, 3);
                break;
            case Row::SpacingButton:
                AddSpacingButton();
                break;
            case Row::Subcarrier:
                AddSubcarrierCombo(tr(row.label));
                break;
            }
        }
    };
    switch (page) {
    case PageFSK:
        build(FskRows);
        break;
    case PageMFSK:
        build(MfskRows);
        // The coupling follows only what the user types: textEdited is not raised by setText.
        connect(Edit(IDC_BAUDRATE), &QLineEdit::textEdited, this,
                &CSignalEditDialogChild::OnBaudRateUpdate);
        connect(Edit(IDC_TONE_DURATION), &QLineEdit::textEdited, this,
                &CSignalEditDialogChild::OnToneDurationUpdate);
        break;
    case PagePSK:
        build(PskRows);
        break;
    case PageOFDM:
        build(OfdmRows);
        Edit(IDC_SPACING)
            ->setValidator(new CStorableTextValidator(SpacingTextLimit, Edit(IDC_SPACING)));
        break;
    }
    layout->setRowStretch(layout->rowCount(), 1);
    hide();
}

void CSignalEditDialogChild::AddSubcarrierCombo(const QString& label) {
    auto* layout = static_cast<QGridLayout*>(this->layout());
    m_pSubcarrier = new QComboBox(this);
    m_pSubcarrier->setObjectName(ControlName(IDC_SUBCARRIER));
    const int row = layout->rowCount();
    auto* caption = new QLabel(label, this);
    caption->setBuddy(m_pSubcarrier);
    layout->addWidget(caption, row, 0);
    layout->addWidget(m_pSubcarrier, row, 1, 1, 2);
}

// A unit as a screen reader says it.
QString CSignalEditDialogChild::UnitName(const QString& unit) {
    if (unit == QLatin1String("Bd"))
        return tr("baud");
    if (unit == QLatin1String("Hz"))
        return tr("hertz");
    if (unit == QLatin1String("ms"))
        return tr("milliseconds");
    return unit;
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
    if (!unit.isEmpty()) {
        layout->addWidget(new QLabel(unit, this), row, 2);
        edit->setAccessibleDescription(tr("in %1").arg(UnitName(unit)));
    }
}

void CSignalEditDialogChild::AddSpacingButton() {
    auto* layout = static_cast<QGridLayout*>(this->layout());
    const int row = layout->rowCount();
    auto* button = new QPushButton(tr("&Edit ..."), this);
    button->setObjectName(ControlName(IDC_EDIT_SPACING));
    button->setAccessibleName(tr("Edit carrier spacings"));
    auto* caption = new QLabel(tr("S&pacing:"), this);
    caption->setBuddy(button);
    layout->addWidget(caption, row, 0);
    layout->addWidget(button, row, 1);
    connect(button, &QPushButton::clicked, this, &CSignalEditDialogChild::editSpacingRequested);
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

// The MFSK page couples only while it is the page shown, that is while MFSK is chosen.
void CSignalEditDialogChild::OnBaudRateUpdate() {
    if (isHidden())
        return;
    SetText(IDC_TONE_DURATION, CoupledText(Text(IDC_BAUDRATE)));
}

void CSignalEditDialogChild::OnToneDurationUpdate() {
    if (isHidden())
        return;
    SetText(IDC_BAUDRATE, CoupledText(Text(IDC_TONE_DURATION)));
}
