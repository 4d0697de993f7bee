#include "MulticarrierDialog.h"

#include "AccessibleNames.h"
#include "ControlIds.h"

#include "ParameterRules.h"
#include "Prompts.h"
#include "SignalText.h"
#include "SpacingDialog.h"
#include "SpacingText.h"
#include "StorableText.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

void CMulticarrierDialog::RefuseList(QWidget* parent, int carriers) {
    CPrompts::Message(
        parent, QMessageBox::Warning,
        QCoreApplication::translate("CMulticarrierDialog", "Multicarrier Signal"),
        QCoreApplication::translate("CMulticarrierDialog",
                                    "A list of spacings holds at most %1 carriers; this signal "
                                    "has %2. Use the same spacing for all carriers.")
            .arg(MaxListCarriers)
            .arg(carriers));
}

CMulticarrierDialog::CMulticarrierDialog(int carriers, char16_t* spacing, QWidget* parent)
    : QDialog(parent), m_nCarriers(carriers), m_pszSpacing(spacing),
      m_pSame(new QRadioButton(tr("&Same spacing for all carriers:"), this)),
      m_pMultiple(new QRadioButton(tr("&Multiple spacings:"), this)),
      m_pCommon(new QLineEdit(this)), m_pList(new QTableWidget(0, 2, this)) {
    setWindowTitle(tr("Multicarrier Signal"));
    m_pSame->setObjectName(ControlName(IDC_SAME_SPACING));
    m_pMultiple->setObjectName(ControlName(IDC_MULTIPLE_SPACINGS));
    m_pCommon->setObjectName(ControlName(IDC_SPACING));
    m_pCommon->setValidator(new CStorableTextValidator(SpacingTextLimit, m_pCommon));
    m_pList->setObjectName(ControlName(IDC_SPACING_LIST));
    m_pCommon->setAccessibleName(tr("Spacing for all carriers"));
    m_pCommon->setAccessibleDescription(tr("in hertz"));
    m_pList->setAccessibleName(tr("Spacing between each pair of carriers"));
    // A flat table of carrier pairs and their spacings, a row selected at a time; a row is
    // changed through the spacing dialog, not in place.
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setShowGrid(false);
    // Tab leaves the list for the next control; the arrows move within it.
    m_pList->setTabKeyNavigation(false);
    SayCurrentCellOnFocus(m_pList);
    m_pList->verticalHeader()->hide();
    m_pList->setHorizontalHeaderLabels({tr("Carriers"), tr("Spacing")});
    m_pList->horizontalHeader()->setDefaultSectionSize(140);
    m_pList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pList->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMulticarrierDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Toggled, not clicked: a screen reader's toggle action chooses too.
    for (QRadioButton* way : {m_pSame, m_pMultiple}) {
        connect(way, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                OnSpacingModeClicked();
        });
    }
    connect(m_pList, &QTableWidget::itemDoubleClicked, this,
            [this](QTableWidgetItem* item) { OnSpacingListDblClk(item); });
    m_pList->installEventFilter(this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_pSame, 0, 0);
    layout->addWidget(m_pCommon, 0, 1);
    layout->addWidget(m_pMultiple, 1, 0, 1, 2);
    layout->addWidget(m_pList, 2, 0, 1, 2);
    layout->addWidget(buttons, 3, 0, 1, 2);

    if (m_pszSpacing[0] == u'\0') {
        m_pszSpacing[0] = u'*';
        m_pszSpacing[1] = u'\0';
    }
    m_filled = ReadSpacingRows(QStringView(m_pszSpacing).toString(), m_nCarriers);
    (m_filled.isList ? m_pMultiple : m_pSame)->setChecked(true);
    m_pCommon->setText(m_filled.common);
    for (int i = 0; i < m_filled.cells.size(); ++i)
        AddRow(CarrierPairLabel(i), m_filled.cells[i]);
    OnSpacingModeClicked();
    // The first focus on the chosen way, not on the first radio button.
    (m_filled.isList ? m_pMultiple : m_pSame)->setFocus();
    m_bFilledAsList = m_filled.isList;
    m_filledCommon = m_pCommon->text();
    m_filledCells = Cells();
}

QStringList CMulticarrierDialog::Cells() const {
    QStringList cells;
    for (int i = 0; i < m_pList->rowCount(); ++i)
        cells << m_pList->item(i, 1)->text();
    return cells;
}

void CMulticarrierDialog::OnSpacingModeClicked() {
    if (m_pMultiple->isChecked() && m_nCarriers > MaxListCarriers) {
        RefuseList(this, m_nCarriers);
        m_pSame->setChecked(true);
    }
    m_pCommon->setEnabled(m_pSame->isChecked());
    m_pList->setEnabled(!m_pSame->isChecked());
}

bool CMulticarrierDialog::eventFilter(QObject* watched, QEvent* event) {
    // F2 and Enter open the current row like a double click; Enter with no current row
    // goes on to the dialog's default button.
    if (watched == m_pList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool opens = key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter;
        if (opens && m_pList->currentItem() != nullptr) {
            OnSpacingListDblClk(m_pList->currentItem());
            return true;
        }
        // Home and End (with Ctrl too) go to the first and last carrier pair, as in a list.
        if ((key == Qt::Key_Home || key == Qt::Key_End) && m_pList->rowCount() > 0) {
            const int row = key == Qt::Key_Home ? 0 : m_pList->rowCount() - 1;
            m_pList->setCurrentCell(row, std::max(m_pList->currentColumn(), 0));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CMulticarrierDialog::AddRow(const QString& pair, const QString& spacing) {
    const int row = m_pList->rowCount();
    m_pList->insertRow(row);
    m_pList->setItem(row, 0, new QTableWidgetItem(pair));
    m_pList->setItem(row, 1, new QTableWidgetItem(spacing));
}

void CMulticarrierDialog::OnSpacingListDblClk(QTableWidgetItem* item) {
    if (item == nullptr)
        return;
    const int row = item->row();
    QTableWidgetItem* spacing = m_pList->item(row, 1);
    CSpacingDialog dialog(this);
    dialog.m_pszTitle = CarrierPairLabel(row);
    dialog.m_dSpacing = ParseRealText(spacing->text().left(SpacingValueLimit));
    if (CPrompts::RunDialog(dialog) == QDialog::Accepted)
        spacing->setText(RealText(dialog.m_dSpacing));
}

void CMulticarrierDialog::accept() {
    // Untouched, the text stays exactly as stored: the rows show each value with six
    // digits and the list without its spaces.
    const bool untouched =
        m_pMultiple->isChecked() == m_bFilledAsList &&
        (m_bFilledAsList ? Cells() == m_filledCells : m_pCommon->text() == m_filledCommon);
    if (untouched) {
        QDialog::accept();
        return;
    }
    QString text;
    if (m_pSame->isChecked()) {
        text = m_pCommon->text();
    } else if (m_pMultiple->isChecked()) {
        // Rows the user did not change give back their stored text.
        text = RejoinSpacingCells(m_filled, Cells());
        if (text.size() > SpacingTextLimit) {
            // The record holds SpacingTextLimit characters: say so instead of cutting the list.
            CPrompts::Message(
                this, QMessageBox::Warning,
                QCoreApplication::translate("CMulticarrierDialog", "Multicarrier Signal"),
                QCoreApplication::translate("CMulticarrierDialog",
                                            "The spacing list is %1 characters long; at most "
                                            "%2 characters can be stored. Shorten the values "
                                            "or use the same spacing for all carriers.")
                    .arg(text.size())
                    .arg(SpacingTextLimit));
            return;
        }
    }
    CopyText(m_pszSpacing, CSignalDescription::SpacingCapacity, text.toStdU16String());
    QDialog::accept();
}
