#include "ConflictsDialog.h"

#include "AccessibleNames.h"
#include "Announcer.h"
#include "ConflictResolution.h"
#include "Prompts.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace {

QTableWidgetItem* Cell(const QString& text, bool editable) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(editable ? item->flags() | Qt::ItemIsEditable
                            : item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// The table, with a value being typed taken as the cell's text when Save is pressed.
class CResultTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    void CommitTyping() {
        if (state() != EditingState)
            return;
        if (QWidget* editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
};

} // namespace

CConflictsDialog::CConflictsDialog(CConflictResolution& resolution, QWidget* parent)
    : QDialog(parent), m_resolution(resolution), m_pTable(new CResultTable(this)),
      m_pAnnouncer(new CAnnouncer(this)) {
    setObjectName(QStringLiteral("Conflicts"));
    const QString output = resolution.Output();
    setWindowTitle(tr("Resolve Conflicts - %1").arg(QFileInfo(output).fileName()));
    auto& rows = resolution.Rows();
    auto* intro = new QLabel(
        tr("%1 conflicts of the merge into %2. Take Base, Ours or Theirs for the selected rows, "
           "or type a value in the Result column (F2). Save writes %2; closing without saving "
           "leaves it as it was.")
            .arg(rows.size())
            .arg(output),
        this);
    intro->setWordWrap(true);
    m_pTable->setColumnCount(ColumnResult + 1);
    m_pTable->setHorizontalHeaderLabels(
        {tr("Signal"), tr("Field"), tr("Base"), tr("Ours"), tr("Theirs"), tr("Result")});
    m_pTable->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < m_pTable->rowCount(); ++i) {
        const CConflictResolution::Row& row = rows[static_cast<std::size_t>(i)];
        m_pTable->setItem(i, ColumnSignal, Cell(row.name, false));
        m_pTable->setItem(i, ColumnField, Cell(row.field, false));
        m_pTable->setItem(i, ColumnBase, Cell(row.base, false));
        m_pTable->setItem(i, ColumnOurs, Cell(row.ours, false));
        m_pTable->setItem(i, ColumnTheirs, Cell(row.theirs, false));
        m_pTable->setItem(i, ColumnResult, Cell(row.result, row.typable));
    }
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    // Tab leaves the table; the arrows move between cells.
    m_pTable->setTabKeyNavigation(false);
    SayCurrentCellOnFocus(m_pTable);
    m_pTable->horizontalHeader()->setStretchLastSection(true);
    m_pTable->setAccessibleName(tr("Conflicts"));
    intro->setBuddy(m_pTable);
    auto* buttons = new QDialogButtonBox(this);
    const struct {
        const QString text;
        int side;
    } takes[] = {{tr("Take &Base"), 0}, {tr("Take &Ours"), 1}, {tr("Take &Theirs"), 2}};
    for (const auto& take : takes) {
        QPushButton* button = buttons->addButton(take.text, QDialogButtonBox::ActionRole);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, side = take.side] { Take(side); });
    }
    QPushButton* save = buttons->addButton(tr("&Save"), QDialogButtonBox::AcceptRole);
    save->setDefault(true);
    buttons->addButton(tr("Close without Saving"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_pTable, 1);
    layout->addWidget(m_pAnnouncer);
    layout->addWidget(buttons);
    resize(1000, 420);
    m_pTable->setFocus();
    if (m_pTable->rowCount() > 0)
        m_pTable->setCurrentCell(0, ColumnResult);
}

void CConflictsDialog::Take(int side) {
    std::set<int> selected;
    for (const QModelIndex& index : m_pTable->selectionModel()->selectedIndexes())
        selected.insert(index.row());
    if (selected.empty() && m_pTable->currentRow() >= 0)
        selected.insert(m_pTable->currentRow());
    QStringList said;
    for (int i : selected) {
        const CConflictResolution::Row& row = m_resolution.Rows()[static_cast<std::size_t>(i)];
        const QString& choice = row.choices[static_cast<std::size_t>(side)];
        if (choice.isNull())
            continue;
        m_pTable->item(i, ColumnResult)->setText(choice);
        said << tr("%1, %2: %3").arg(row.name, row.field, choice.isEmpty() ? tr("empty") : choice);
    }
    m_pAnnouncer->Say(said.isEmpty() ? tr("Nothing to take for the selected rows")
                                     : said.join(QStringLiteral("; ")));
}

QString CConflictsDialog::Said() const {
    return m_pAnnouncer->Said();
}

void CConflictsDialog::accept() {
    // A value being typed counts.
    static_cast<CResultTable*>(m_pTable)->CommitTyping();
    auto& rows = m_resolution.Rows();
    for (int i = 0; i < m_pTable->rowCount(); ++i)
        rows[static_cast<std::size_t>(i)].result = m_pTable->item(i, ColumnResult)->text();
    QString why;
    int row = -1;
    if (!m_resolution.Save(why, row)) {
        m_pAnnouncer->Say(why);
        CPrompts::Message(this, QMessageBox::Warning, QString(),
                          row >= 0 ? tr("This result cannot be saved: %1").arg(why)
                                   : tr("Cannot save the signal database.") +
                                         QStringLiteral("\n\n") + why);
        if (row >= 0)
            m_pTable->setCurrentCell(row, ColumnResult);
        return;
    }
    QDialog::accept();
}
