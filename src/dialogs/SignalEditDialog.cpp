#include "SignalEditDialog.h"
#include "AccessibleNames.h"
#include "SignalTr.h"

#include "ControlIds.h"
#include "LocalDecimal.h"
#include "MulticarrierDialog.h"
#include "NumberFormat.h"
#include "ParameterRules.h"
#include "Prompts.h"
#include "SignalColumns.h"
#include "SignalText.h"
#include "SpacingText.h"
#include "StorableText.h"
#include "Vocabulary.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

std::u16string Utf16(const QString& text) {
    return text.toStdU16String();
}

QString Q(const char16_t* text) {
    return QStringView(text).toString();
}

// Index of text in a vocabulary; a text that is not there gives 0.
std::int32_t LookupOrZero(const char16_t* const* table, const QString& text) {
    const std::int32_t index =
        CSignalDescription::LookupName(table, Utf16(text.left(VocabularyNameLimit)));
    return index < 0 ? 0 : index;
}

// The comment's room left shows once fewer code units than this remain.
constexpr qsizetype CommentRoomShown = 50;

} // namespace

CSignalEditDialog::CSignalEditDialog(CSignalDescription* signal, QWidget* parent)
    : QDialog(parent), m_pSignal(signal), m_pFamilies(new QButtonGroup(this)),
      m_pName(new QLineEdit(this)), m_pDecoder(new QComboBox(this)),
      m_pModulation(new QComboBox(this)), m_pCodecheck(new QLineEdit(this)),
      m_pDisabled(new QCheckBox(tr("&Recognition disabled"), this)), m_pITU(new QLineEdit(this)),
      m_pComment(new CCommentEdit(CSignalDescription::CommentCapacity - 1, this)),
      m_pCommentRoom(new QLabel(this)), m_pOk(nullptr) {
    setWindowTitle(tr("Signal Parameters Editor"));
    m_pName->setObjectName(ControlName(IDC_NAME));
    m_pName->setValidator(
        new CStorableTextValidator(CSignalDescription::NameCapacity - 1, m_pName));
    m_pDecoder->setObjectName(ControlName(IDC_DECODER));
    m_pModulation->setObjectName(ControlName(IDC_MODULATION));
    m_pCodecheck->setObjectName(ControlName(IDC_CODECHECK));
    m_pCodecheck->setMaxLength(CodecheckTextLimit);
    m_pDisabled->setObjectName(ControlName(IDC_DISABLED));
    m_pITU->setObjectName(ControlName(IDC_ITU));
    m_pITU->setValidator(new CStorableTextValidator(CSignalDescription::ITUCapacity - 1, m_pITU));
    m_pComment->setObjectName(ControlName(IDC_COMMENT));
    m_pComment->setTabChangesFocus(true);
    m_pComment->installEventFilter(this);

    QHBoxLayout* familyRow = FamilyRow();
    QGridLayout* common = CommonFields();
    QWidget* pageArea = Pages();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    m_pOk->setDefault(true);
    m_pCancel = buttons->button(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSignalEditDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addLayout(familyRow, 0, 0, 1, 2);
    layout->addLayout(common, 1, 0);
    layout->addWidget(pageArea, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);

    OnInitDialog();
    ShowCommentRoom();
    FixFamilyTabStop();
    NameByLabels(this);
    connect(m_pDecoder, &QComboBox::currentIndexChanged, this,
            &CSignalEditDialog::OnDecoderSelChange);
    m_pName->setFocus();
    // What each text control shows before the user touches it.
    for (const QLineEdit* edit : findChildren<QLineEdit*>())
        m_filledTexts.insert(edit, edit->text());
}

// "Edit Signal:" and the five family buttons.
QHBoxLayout* CSignalEditDialog::FamilyRow() {
    auto* familyRow = new QHBoxLayout;
    auto* familyLabel = new QLabel(tr("Edit Si&gnal:"), this);
    familyLabel->setObjectName(QStringLiteral("familyLabel"));
    familyRow->addWidget(familyLabel);
    // The buttons as one named group for screen readers; it draws nothing of its own.
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("familyGroup"));
    group->setFlat(true);
    group->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0; padding: 0; }"));
    group->setAccessibleName(tr("Signal family"));
    auto* buttons = new QHBoxLayout(group);
    buttons->setContentsMargins(0, 0, 0, 0);
    familyRow->addWidget(group);
    const char* families[] = {"FSK", "MFSK", "PSK", "OFDM", "CW"};
    for (int family = 1; family <= 5; ++family) {
        auto* button = new QRadioButton(QLatin1String(families[family - 1]), group);
        button->setObjectName(ControlName(IDC_FAMILY_BASE + family));
        button->setFocusPolicy(Qt::ClickFocus);
        m_pFamilies->addButton(button, family);
        button->installEventFilter(this);
        buttons->addWidget(button);
    }
    familyLabel->setBuddy(m_pFamilies->button(1));
    familyRow->addStretch();
    // Toggled, not clicked: a screen reader's toggle action and the arrow keys choose too.
    connect(m_pFamilies, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            OnModulationClicked();
    });
    connect(m_pFamilies, &QButtonGroup::idToggled, this, &CSignalEditDialog::FixFamilyTabStop);

    return familyRow;
}

// The fields every family has, each with its label, and the comment's room below them.
QGridLayout* CSignalEditDialog::CommonFields() {
    auto* common = new QGridLayout;
    const struct {
        const char* label;
        QWidget* widget;
    } rows[] = {{QT_TR_NOOP("&Name:"), m_pName},
                {QT_TR_NOOP("&Decoder:"), m_pDecoder},
                {QT_TR_NOOP("&Modulation:"), m_pModulation},
                {QT_TR_NOOP("Codec&heck Count:"), m_pCodecheck},
                {nullptr, m_pDisabled},
                {QT_TR_NOOP("&ITU Designator:"), m_pITU},
                {QT_TR_NOOP("Commen&ts:"), m_pComment}};
    for (int row = 0; row < 7; ++row) {
        if (rows[row].label == nullptr) {
            common->addWidget(rows[row].widget, row, 1);
            continue;
        }
        auto* label = new QLabel(tr(rows[row].label), this);
        label->setBuddy(rows[row].widget);
        common->addWidget(rows[row].widget, row, 1);
        if (rows[row].widget != m_pComment) {
            common->addWidget(label, row, 0); // centred like the field's one line of text
            continue;
        }
        // The comment's first line starts below the edit's frame and document margin.
        label->setContentsMargins(
            0, m_pComment->frameWidth() + qRound(m_pComment->document()->documentMargin()), 0, 0);
        common->addWidget(label, row, 0, Qt::AlignTop);
    }
    // The room left in the comment, once it runs short.
    m_pCommentRoom->setObjectName(QStringLiteral("commentRoom"));
    common->addWidget(m_pCommentRoom, 7, 1);
    connect(m_pComment, &CCommentEdit::roomChanged, this, &CSignalEditDialog::ShowCommentRoom);

    return common;
}

// The four families' pages, stacked in one place: the family shows one of them.
QWidget* CSignalEditDialog::Pages() {
    auto* pageArea = new QWidget(this);
    pageArea->setMinimumWidth(260);
    auto* pageLayout = new QGridLayout(pageArea);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    m_pPageFSK = new CSignalEditDialogChild(CSignalEditDialogChild::PageFSK, pageArea);
    m_pPageMFSK = new CSignalEditDialogChild(CSignalEditDialogChild::PageMFSK, pageArea);
    m_pPagePSK = new CSignalEditDialogChild(CSignalEditDialogChild::PagePSK, pageArea);
    m_pPageOFDM = new CSignalEditDialogChild(CSignalEditDialogChild::PageOFDM, pageArea);
    for (CSignalEditDialogChild* page : {m_pPageFSK, m_pPageMFSK, m_pPagePSK, m_pPageOFDM}) {
        pageLayout->addWidget(page, 0, 0);
        connect(page, &CSignalEditDialogChild::editSpacingRequested, this,
                &CSignalEditDialog::OnEditSpacing);
    }

    return pageArea;
}

bool CSignalEditDialog::Untouched(const QLineEdit* edit) const {
    const auto it = m_filledTexts.constFind(edit);
    return it != m_filledTexts.constEnd() && *it == edit->text();
}

bool CSignalEditDialog::Edit(QWidget* parent, CSignalDescription& signal) {
    CSignalEditDialog dialog(&signal, parent);
    return dialog.DoModal() == QDialog::Accepted;
}

void CSignalEditDialog::UseAsPane() {
    setWindowFlags(Qt::Widget);
    m_pOk->setText(tr("Apply"));
    m_pCancel->setText(tr("Re&vert"));
}

int CSignalEditDialog::DoModal() {
    return CPrompts::RunDialog(*this);
}

void CSignalEditDialog::OnInitDialog() {
    m_pDecoder->view()->setMinimumWidth(225);
    for (int i = 0; i < DecoderModeCount; ++i)
        m_pDecoder->addItem(Q(DecoderModeNames[i]));

    const CSignalDescription& s = *m_pSignal;
    if (s.m_nModulation >= 1 && s.m_nModulation <= 5)
        FamilyButton(s.m_nModulation)->setChecked(true);
    ShowModulationPage(s.m_nModulation);
    m_pName->setText(Q(s.m_szName));
    m_pDecoder->setCurrentIndex(s.m_nMode);
    const bool hasSubmodes = s.m_nModulation == ModulationFsk || s.m_nModulation == ModulationPsk;
    m_pModulation->setCurrentIndex(hasSubmodes ? s.m_nSubmode : 0);
    m_pDisabled->setChecked(s.m_bDisabled);
    CellBuffer counter;
    m_pCodecheck->setText(Q(SignalCellText(s, ColumnCodecheckCounter, counter)));
    m_pITU->setText(Q(s.m_szITU));
    m_pComment->SetComment(Q(s.m_szComment));
    QComboBox* subcarrier = m_pPageOFDM->SubcarrierCombo();
    for (int i = 0; i < SubcarrierModulationCount; ++i)
        subcarrier->addItem(Q(SubcarrierModulationNames[i]));
    subcarrier->setCurrentIndex(s.m_nModulation == ModulationOfdm ? s.m_nSubmode : 0);
    FillPages();
    CopyText(m_szPendingSpacing, s.m_szSpacing);
    OnDecoderSelChange();
}

void CSignalEditDialog::FillPages() {
    const CSignalDescription& s = *m_pSignal;
    // The numbers as the list shows them, in the locale's decimals.
    const auto cell = [&s](int column) {
        CellBuffer buffer;
        return LocalDecimal(Q(SignalCellText(s, column, buffer)));
    };
    const QString baud = cell(ColumnBaudrate);
    const QString bandwidth = cell(ColumnBandwidth);
    const QString pilot = cell(ColumnPilotFrequency);
    const QString channels = CountText(s.m_nNumChannels);
    const QString channelsMin = CountText(s.m_nNumChannelsMin);

    m_pPageFSK->SetText(IDC_BAUDRATE, baud);
    m_pPageFSK->SetText(IDC_SHIFT, cell(ColumnShift));
    m_pPageFSK->SetText(IDC_BANDWIDTH, bandwidth);
    m_pPageFSK->SetText(IDC_NUM_CHANNELS, channels);
    m_pPageFSK->SetText(IDC_NUM_CHANNELS_MIN, channelsMin);
    m_pPageFSK->SetText(IDC_PILOT_FREQUENCY, pilot);

    m_pPageMFSK->SetText(IDC_BAUDRATE, baud);
    m_pPageMFSK->SetText(IDC_TONE_DURATION, ToneDurationText(s.m_dBaudrate));
    m_pPageMFSK->SetText(IDC_SPACING, cell(ColumnShift));
    m_pPageMFSK->SetText(IDC_NUM_TONES, CountText(s.m_nNumTones));
    m_pPageMFSK->SetText(IDC_NUM_TONES_MIN, CountText(s.m_nNumTonesMin));
    m_pPageMFSK->SetText(IDC_BANDWIDTH, bandwidth);

    m_pPagePSK->SetText(IDC_SYMBOL_RATE, baud);
    m_pPagePSK->SetText(IDC_BANDWIDTH, bandwidth);
    m_pPagePSK->SetText(IDC_NUM_CHANNELS, channels);
    m_pPagePSK->SetText(IDC_NUM_CHANNELS_MIN, channelsMin);
    m_pPagePSK->SetText(IDC_PILOT_FREQUENCY, pilot);

    m_pPageOFDM->SetText(IDC_SYMBOL_RATE, baud);
    m_pPageOFDM->SetText(IDC_NUM_CHANNELS, channels);
    m_pPageOFDM->SetText(IDC_NUM_CHANNELS_MIN, channelsMin);
    m_pPageOFDM->SetText(IDC_BANDWIDTH, bandwidth);
    m_pPageOFDM->SetText(IDC_SPACING, OfdmSpacingText(s.m_szSpacing));
    m_pPageOFDM->SetText(IDC_PILOT_FREQUENCY, pilot);
}

QRadioButton* CSignalEditDialog::FamilyButton(int family) const {
    return static_cast<QRadioButton*>(m_pFamilies->button(family));
}

CSignalEditDialogChild& CSignalEditDialog::Page(int family) {
    switch (family) {
    case ModulationFsk:
        return *m_pPageFSK;
    case ModulationMfsk:
        return *m_pPageMFSK;
    case ModulationPsk:
        return *m_pPagePSK;
    default:
        return *m_pPageOFDM;
    }
}

int CSignalEditDialog::GetCheckedModulation() const {
    for (int family = 1; family <= 5; ++family) {
        if (FamilyButton(family)->isChecked())
            return family;
    }
    return 0;
}

void CSignalEditDialog::OnModulationClicked() {
    ShowModulationPage(GetCheckedModulation());
}

void CSignalEditDialog::ShowModulationPage(int family) {
    for (auto* page : {m_pPageFSK, m_pPageMFSK, m_pPagePSK, m_pPageOFDM})
        page->hide();
    if (family >= ModulationFsk && family <= ModulationOfdm)
        Page(family).show();
    m_pModulation->clear();
    const bool hasSubmodes = family == ModulationFsk || family == ModulationPsk;
    if (family == ModulationPsk) {
        for (int i = 0; i < PskSubmodeCount; ++i)
            m_pModulation->addItem(Q(PskSubmodeNames[i]));
    } else if (family == ModulationFsk) {
        for (int i = 0; i < FskSubmodeCount; ++i)
            m_pModulation->addItem(Q(FskSubmodeNames[i]));
    } else {
        m_pModulation->addItem(Q(TableEntry(ModulationNames, ModulationCount, family)));
    }
    m_pModulation->setEnabled(hasSubmodes);
    m_pModulation->setCurrentIndex(0);
}

void CSignalEditDialog::OnDecoderSelChange() {
    m_pCodecheck->setEnabled(m_pDecoder->currentIndex() > 0);
}

void CSignalEditDialog::OnEditSpacing() {
    const int family = GetCheckedModulation();
    if (family != ModulationFsk && family != ModulationPsk)
        return;
    const std::int32_t carriers = ParseCountText(Page(family).Text(IDC_NUM_CHANNELS));
    if (carriers < 2) {
        // The FSK page calls its carriers channels: the translations follow the page.
        CPrompts::Message(this, QMessageBox::Critical, tr("Error"),
                          family == ModulationFsk
                              ? tr("Please enter the number of carriers first", "FSK: channels")
                              : tr("Please enter the number of carriers first"));
        return;
    }
    // A list longer than the text can hold is refused before anything is made for it.
    if (carriers > MaxListCarriers && IsSpacingList(Q(m_szPendingSpacing))) {
        CMulticarrierDialog::RefuseList(this, carriers);
        return;
    }
    CMulticarrierDialog dialog(carriers, m_szPendingSpacing, this);
    CPrompts::RunDialog(dialog);
    // Enter now finishes the signal instead of opening the list again.
    m_pOk->setFocus(Qt::OtherFocusReason);
}

double CSignalEditDialog::Real(const CSignalEditDialogChild& page, int id, double stored,
                               double (*parse)(const QString&)) const {
    const QLineEdit* edit = page.Edit(id);
    return Untouched(edit) ? stored : parse(edit->text());
}

std::int32_t CSignalEditDialog::Count(const CSignalEditDialogChild& page, int id,
                                      std::int32_t stored,
                                      std::int32_t (*parse)(const QString&)) const {
    const QLineEdit* edit = page.Edit(id);
    return Untouched(edit) ? stored : parse(edit->text());
}

void CSignalEditDialog::BuildRecord(CSignalDescription& s) const {
    // A field whose control the user did not touch keeps its stored value exactly: the
    // controls show numbers with six digits, hide values they cannot show and normalise
    // line breaks. Values no control of the family shows stay while the family is the same.
    const CSignalDescription& o = *m_pSignal;
    s = CSignalDescription();
    s.m_pKept = o.m_pKept; // what the file held that this version does not understand
    s.m_nModulation = GetCheckedModulation();
    if (s.m_nModulation == o.m_nModulation && s.m_nModulation != 0) {
        s = o;
    }
    if (Untouched(m_pName))
        CopyText(s.m_szName, o.m_szName);
    else
        CopyText(s.m_szName, Utf16(m_pName->text()));
    s.m_nMode = m_pDecoder->currentIndex();
    s.m_bDisabled = m_pDisabled->isChecked();
    const std::u16string counter = Utf16(m_pCodecheck->text().left(CodecheckTextLimit));
    s.m_nCodecheckCounter =
        Untouched(m_pCodecheck) ? o.m_nCodecheckCounter : ParseULong(std::u16string_view(counter));
    if (Untouched(m_pITU))
        CopyText(s.m_szITU, o.m_szITU);
    else
        CopyText(s.m_szITU, Utf16(m_pITU->text()));
    // The comment control gives back every character it was given, the user's changes applied.
    CopyText(s.m_szComment, Utf16(m_pComment->Comment()));
    const auto& fsk = *m_pPageFSK;
    const auto& mfsk = *m_pPageMFSK;
    const auto& psk = *m_pPagePSK;
    const auto& ofdm = *m_pPageOFDM;
    switch (s.m_nModulation) {
    case ModulationFsk:
        s.m_nSubmode = LookupOrZero(FskSubmodeNames, m_pModulation->currentText());
        // The page has no tones: validation makes them 2 (more would turn it into MFSK).
        s.m_nNumTones = 0;
        s.m_dBaudrate = Real(fsk, IDC_BAUDRATE, o.m_dBaudrate, ParseRealOrAny);
        s.m_dShift = Real(fsk, IDC_SHIFT, o.m_dShift, ParseRealOrAny);
        s.m_dBandwidth = Real(fsk, IDC_BANDWIDTH, o.m_dBandwidth, ParseRealOrAny);
        ReadCarriers(fsk, s);
        break;
    case ModulationMfsk:
        s.m_dBaudrate = Real(mfsk, IDC_BAUDRATE, o.m_dBaudrate, ParseRealOrAny);
        s.m_dShift = Real(mfsk, IDC_SPACING, o.m_dShift, ParseRealOrAny);
        s.m_nNumTones = Count(mfsk, IDC_NUM_TONES, o.m_nNumTones, ParseCountOrAny);
        s.m_nNumTonesMin = Count(mfsk, IDC_NUM_TONES_MIN, o.m_nNumTonesMin, ParseCountOrAny);
        s.m_dBandwidth = Real(mfsk, IDC_BANDWIDTH, o.m_dBandwidth, ParseRealOrAny);
        break;
    case ModulationPsk:
        s.m_nSubmode = LookupOrZero(PskSubmodeNames, m_pModulation->currentText());
        s.m_dBaudrate = Real(psk, IDC_SYMBOL_RATE, o.m_dBaudrate, ParseRealOrAny);
        s.m_dBandwidth = Real(psk, IDC_BANDWIDTH, o.m_dBandwidth, ParseRealOrAny);
        ReadCarriers(psk, s);
        break;
    case ModulationOfdm:
        s.m_nSubmode =
            LookupOrZero(SubcarrierModulationNames, ofdm.SubcarrierCombo()->currentText());
        s.m_dBaudrate = Real(ofdm, IDC_SYMBOL_RATE, o.m_dBaudrate, ParseRealOrAny);
        s.m_nNumChannels = Count(ofdm, IDC_NUM_CHANNELS, o.m_nNumChannels, ParseCountOrAny);
        s.m_nNumChannelsMin =
            Count(ofdm, IDC_NUM_CHANNELS_MIN, o.m_nNumChannelsMin, ParseCountOrAny);
        s.m_dBandwidth = Real(ofdm, IDC_BANDWIDTH, o.m_dBandwidth, ParseRealOrAny);
        if (Untouched(ofdm.Edit(IDC_SPACING)))
            CopyText(s.m_szSpacing, o.m_szSpacing);
        else
            CopyText(s.m_szSpacing, Utf16(ofdm.Text(IDC_SPACING)));
        s.m_dPilotFrequency = Real(ofdm, IDC_PILOT_FREQUENCY, o.m_dPilotFrequency, ParseRealOrAny);
        break;
    default:
        break;
    }
}

void CSignalEditDialog::ReadCarriers(const CSignalEditDialogChild& page,
                                     CSignalDescription& s) const {
    const CSignalDescription& o = *m_pSignal;
    s.m_nNumChannels = Count(page, IDC_NUM_CHANNELS, o.m_nNumChannels, ParseCountOrAny);
    s.m_nNumChannelsMin = Count(page, IDC_NUM_CHANNELS_MIN, o.m_nNumChannelsMin, ParseCountOrAny);
    CopyText(s.m_szSpacing, m_szPendingSpacing);
    s.m_dPilotFrequency = Real(page, IDC_PILOT_FREQUENCY, o.m_dPilotFrequency, ParseRealOrAny);
}

QString CSignalEditDialog::FieldName(const QWidget* field) const {
    for (const QLabel* label : findChildren<QLabel*>()) {
        if (label->buddy() == field) {
            QString name = label->text().remove(u'&').remove(u':').replace(u'\n', u' ');
            return name.left(1) + name.mid(1).toLower();
        }
    }
    return QString();
}

QLineEdit* CSignalEditDialog::NotANumber() {
    const int family = GetCheckedModulation();
    std::vector<QLineEdit*> fields;
    if (family >= ModulationFsk && family <= ModulationOfdm) {
        for (QLineEdit* edit : Page(family).findChildren<QLineEdit*>()) {
            // The OFDM spacing is a text; the tone duration only feeds the baud rate.
            if (edit != Page(family).Edit(IDC_SPACING) || family == ModulationMfsk)
                fields.push_back(edit);
        }
    }
    if (m_pCodecheck->isEnabled() && !Untouched(m_pCodecheck) &&
        !IsWholeNumber(m_pCodecheck->text(), true, false))
        return m_pCodecheck;
    for (QLineEdit* edit : fields) {
        const bool count = edit == Page(family).Edit(IDC_NUM_CHANNELS) ||
                           edit == Page(family).Edit(IDC_NUM_CHANNELS_MIN) ||
                           edit == Page(family).Edit(IDC_NUM_TONES) ||
                           edit == Page(family).Edit(IDC_NUM_TONES_MIN);
        if (!Untouched(edit) && !IsWholeNumber(edit->text(), count, true))
            return edit;
    }
    return nullptr;
}

QWidget* CSignalEditDialog::FieldAtFault(SignalProblem problem) {
    const int family = GetCheckedModulation();
    const auto field = [&](int id) -> QWidget* {
        return family >= ModulationFsk && family <= ModulationOfdm ? Page(family).Edit(id)
                                                                   : nullptr;
    };
    switch (SignalProblemField(problem)) {
    case SignalField::Name:
        return m_pName;
    case SignalField::Modulation:
        return m_pFamilies->button(std::max(family, 1));
    case SignalField::Rate:
        return field(family == ModulationPsk || family == ModulationOfdm ? IDC_SYMBOL_RATE
                                                                         : IDC_BAUDRATE);
    case SignalField::Shift:
        return field(IDC_SHIFT);
    case SignalField::Spacing:
        return field(IDC_SPACING);
    case SignalField::NumTones:
        return field(IDC_NUM_TONES);
    case SignalField::NumChannels:
        return field(IDC_NUM_CHANNELS);
    case SignalField::Codecheck:
        return m_pCodecheck;
    case SignalField::None:
        break;
    }
    return nullptr;
}

void CSignalEditDialog::ShowDataError(const QString& message, QWidget* field) {
    CPrompts::Message(this, QMessageBox::Warning, tr("Data Error"), message);
    if (field == nullptr || !field->isEnabled())
        return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
}

void CSignalEditDialog::accept() {
    // A number field holds a whole number or nothing: "45,45" is not read as 45.
    if (QLineEdit* edit = NotANumber()) {
        ShowDataError(tr("%1: %2 is not a number").arg(FieldName(edit), edit->text()), edit);
        return;
    }
    CSignalDescription record;
    BuildRecord(record);
    if (const SignalProblem problem = record.Settle(false); problem != SignalProblem::None) {
        ShowDataError(SignalTr(SignalProblemSource(problem)), FieldAtFault(problem));
        return;
    }
    *m_pSignal = record;
    QDialog::accept();
}

bool CSignalEditDialog::eventFilter(QObject* watched, QEvent* event) {
    // The arrow keys choose the next or previous family, as in any radio group.
    const int family = m_pFamilies->id(qobject_cast<QAbstractButton*>(watched));
    if (family > 0 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int step = key == Qt::Key_Right || key == Qt::Key_Down ? 1
                         : key == Qt::Key_Left || key == Qt::Key_Up  ? -1
                                                                     : 0;
        if (step != 0) {
            QAbstractButton* next = m_pFamilies->button((family - 1 + step + 5) % 5 + 1);
            next->setFocus(Qt::TabFocusReason);
            next->click();
            return true;
        }
    }
    // Enter in the comments presses OK, as in the other fields; Ctrl+Enter breaks the line.
    if (watched == m_pComment && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & Qt::ControlModifier)) {
            m_pOk->click();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            m_pComment->insertPlainText(QStringLiteral("\n"));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CSignalEditDialog::ShowCommentRoom() {
    const qsizetype room = m_pComment->Room();
    m_pCommentRoom->setText(room == 1 ? tr("1 character left")
                                      : tr("%1 characters left").arg(room));
    m_pCommentRoom->setVisible(room < CommentRoomShown);
}

void CSignalEditDialog::FixFamilyTabStop() {
    // The family group is one tab stop: the chosen family's button, or the first one while
    // none is chosen (Alt+G goes there too). The arrow keys choose within the group.
    const int chosen = std::max(GetCheckedModulation(), 1);
    for (int family = 1; family <= 5; ++family)
        m_pFamilies->button(family)->setFocusPolicy(family == chosen ? Qt::StrongFocus
                                                                     : Qt::ClickFocus);
    if (auto* label = findChild<QLabel*>(QStringLiteral("familyLabel")))
        label->setBuddy(m_pFamilies->button(chosen));
}
