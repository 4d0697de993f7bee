#include "ListCommands.h"

#include "ChangeSignalsDialog.h"
#include "CommandAction.h"
#include "CommandIds.h"
#include "CommandKeys.h"
#include "CommandTable.h"
#include "ImportReportDialog.h"
#include "ProblemsPane.h"
#include "Prompts.h"
#include "SignalComparison.h"
#include "SignalController.h"
#include "SignalDescription.h"
#include "SignalEditDialog.h"
#include "SignalRowModel.h"
#include "SignalSteps.h"
#include "VantorDoc.h"
#include "VantorView.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QScopeGuard>
#include <QUndoStack>

CListCommands::CListCommands(CVantorView* view, CSignalController* controller)
    : QObject(view), m_pView(view), m_pController(controller) {
    AddFiltersAndSorts();
    Add(ID_SIGNAL_NEW, [this] { New(); });
    Add(ID_SIGNAL_DELETE, [this] { Delete(); });
    Add(ID_SIGNAL_ENABLE, [this] { SetDisabled(false); });
    Add(ID_SIGNAL_DISABLE, [this] { SetDisabled(true); });
    Add(ID_EDIT_SELECT_ALL, [view] { view->OnEditSelectAll(); });
    Add(ID_EDIT_COPY, [this] { Copy(); });
    Add(ID_EDIT_CUT, [this] { Cut(); });
    Add(ID_EDIT_PASTE, [this] { Paste(); });
    Add(ID_SIGNAL_EDIT, [this, view] { EditRow(view->currentIndex().row()); });
    Add(ID_SIGNAL_DUPLICATE, [this] { Duplicate(); });
    Add(ID_SIGNAL_CHANGE_SELECTED, [this] { ChangeSelectedDialog(); });
    Add(ID_FILE_EXPORT, [this] { Export(); });
    Add(ID_FILE_IMPORT, [this] { Import(); });
    Add(ID_FILE_COMPARE, [this] { Compare(); });
    Add(ID_EDIT_TAKE_FROM_OTHER, [this] { TakeFromOther(); });
    Add(ID_VIEW_NEXT_DIFFERENCE, [this] { GoToDifference(true); });
    Add(ID_VIEW_PREVIOUS_DIFFERENCE, [this] { GoToDifference(false); });
    Add(ID_VIEW_END_COMPARISON, [this] { EndComparison(); });
    QUndoStack* history = view->Document()->History();
    Add(ID_EDIT_UNDO, [view, history] {
        if (view->Document()->CanUndo())
            history->undo();
    });
    Add(ID_EDIT_REDO, [history] { history->redo(); });
}

// The filters, then View > Sort By: a column as a header click sorts it, then the direction.
void CListCommands::AddFiltersAndSorts() {
    // The filters are one choice: an exclusive group draws radio marks.
    auto* filters = new QActionGroup(this);
    for (std::uint32_t id = ID_FILTER_ALL; id <= ID_FILTER_PSK_MULTICARRIER; ++id) {
        Add(id, [this, id] { m_pView->RowModel()->SetFilter(id); });
        m_commands[id]->setCheckable(true);
        m_commands[id]->setChecked(id == m_pView->RowModel()->Filter());
        filters->addAction(m_commands[id]);
    }
    auto* columns = new QActionGroup(this);
    columns->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (std::uint32_t id = ID_SORT_BY_FIRST; id <= ID_SORT_BY_LAST; ++id) {
        Add(id, [this, id] { ColumnClicked(static_cast<int>(id - ID_SORT_BY_FIRST)); });
        m_commands[id]->setCheckable(true);
        columns->addAction(m_commands[id]);
    }
    auto* directions = new QActionGroup(this);
    directions->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const bool descending : {false, true}) {
        const std::uint32_t id = descending ? ID_SORT_DESCENDING : ID_SORT_ASCENDING;
        Add(id, [this, descending] { SortBy(m_pController->SortColumn(), descending); });
        m_commands[id]->setCheckable(true);
        directions->addAction(m_commands[id]);
    }
}

void CListCommands::Add(std::uint32_t id, std::function<void()> run) {
    m_commands.insert(id, MakeCommand(m_pView, id, std::move(run)));
}

void CListCommands::Update() {
    const bool selected = m_pView->selectionModel()->hasSelection();
    const QModelIndex current = m_pView->currentIndex();
    m_commands[ID_EDIT_COPY]->setEnabled(selected);
    m_commands[ID_EDIT_CUT]->setEnabled(selected);
    // A compared version's row can be duplicated into this database, not edited in it.
    m_commands[ID_SIGNAL_EDIT]->setEnabled(current.isValid() &&
                                           !m_pView->RowModel()->IsOtherRow(current.row()));
    m_commands[ID_SIGNAL_DUPLICATE]->setEnabled(current.isValid());
    m_commands[ID_SIGNAL_CHANGE_SELECTED]->setEnabled(selected);
    m_commands[ID_EDIT_PASTE]->setEnabled(ClipboardOffersSignals());
    const bool comparing = m_pController->Comparison() != nullptr;
    m_commands[ID_EDIT_TAKE_FROM_OTHER]->setEnabled(comparing && selected);
    for (std::uint32_t id :
         {ID_VIEW_NEXT_DIFFERENCE, ID_VIEW_PREVIOUS_DIFFERENCE, ID_VIEW_END_COMPARISON})
        m_commands[id]->setEnabled(comparing);
    // The menu names the change an Undo or Redo takes back or makes again, between the menu
    // text and its key, both from the command table.
    const QUndoStack* history = m_pView->Document()->History();
    const bool canUndo = m_pView->Document()->CanUndo();
    const bool canRedo = history->canRedo();
    const auto named = [](std::uint32_t id, const QString& step) {
        const QString text = CommandText(id);
        return text.section(u'\t', 0, 0) + (step.isEmpty() ? QString() : u' ' + step) + u'\t' +
               text.section(u'\t', 1);
    };
    m_commands[ID_EDIT_UNDO]->setEnabled(canUndo);
    m_commands[ID_EDIT_UNDO]->setText(
        named(ID_EDIT_UNDO, canUndo ? history->undoText() : QString()));
    m_commands[ID_EDIT_REDO]->setEnabled(canRedo);
    m_commands[ID_EDIT_REDO]->setText(
        named(ID_EDIT_REDO, canRedo ? history->redoText() : QString()));
}

void CListCommands::ShowSortOrder() {
    // The arrow shows only while the rows follow it: open sorts by name, merge appends, rows
    // ranked by a find by parameters follow no column.
    const CVantorDoc::SortOrder& order = m_pView->Document()->GetSortOrder();
    const bool follows = order.known && !m_pView->RowModel()->IsRanked();
    QHeaderView* header = m_pView->horizontalHeader();
    header->setSortIndicatorShown(follows);
    // View > Sort By marks the order the rows follow, and nothing when they follow none.
    for (std::uint32_t id = ID_SORT_BY_FIRST; id <= ID_SORT_DESCENDING; ++id)
        m_commands[id]->setChecked(false);
    if (!follows)
        return;
    header->setSortIndicator(order.column,
                             order.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    m_commands[ID_SORT_BY_FIRST + static_cast<std::uint32_t>(order.column)]->setChecked(true);
    m_commands[order.descending ? ID_SORT_DESCENDING : ID_SORT_ASCENDING]->setChecked(true);
}

void CListCommands::SortBy(int column, bool descending) {
    // A million records take a moment to sort: show that the request was heard.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    m_pController->SortBy(column, descending);
    ShowSortOrder();
}

void CListCommands::ColumnClicked(int column) {
    // A click on the column the list remembers reverses its order; any other sorts ascending.
    if (column >= 0)
        SortBy(column, column == m_pController->SortColumn() && !m_pController->SortDescending());
}

void CListCommands::New() {
    auto signal = std::make_unique<CSignalDescription>();
    if (!CSignalEditDialog::Edit(m_pView, *signal))
        return;
    SignalCollection records;
    records.push_back(std::move(signal));
    m_pView->SelectAppended(m_pController->Append(std::move(records), tr("New Signal")));
}

void CListCommands::Duplicate() {
    const QModelIndex current = m_pView->currentIndex();
    if (!current.isValid())
        return;
    auto copy = std::make_unique<CSignalDescription>(*m_pView->RowModel()->RecordAt(current.row()));
    if (!CSignalEditDialog::Edit(m_pView, *copy))
        return;
    SignalCollection records;
    records.push_back(std::move(copy));
    m_pView->SelectAppended(m_pController->Append(std::move(records), tr("Duplicate Signal")));
}

void CListCommands::EditRow(int row) {
    if (row < 0 || row >= m_pView->RowModel()->OwnRowCount())
        return;
    CSignalDescription* signal = m_pView->RowModel()->SignalAt(row);
    CSignalDescription value = *signal;
    if (!CSignalEditDialog::Edit(m_pView, value))
        return;
    const QModelIndex current = m_pView->currentIndex();
    const int column = current.isValid() ? current.column() : m_pView->columnAt(0);
    m_pController->Edit(signal, std::move(value));
    m_pView->SelectSignalRow(signal, column);
}

void CListCommands::Delete() {
    if (!m_pView->selectionModel()->hasSelection() || m_pView->SelectedRows().empty())
        return;
    if (CPrompts::Message(m_pView, QMessageBox::Warning, tr("Warning"),
                          tr("Do you really want to delete the selected items?"),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::Yes)
        return;
    DeleteSelected(tr("Delete Signal"), tr("Delete %1 Signals"));
}

void CListCommands::DeleteSelected(const QString& one, const QString& many) {
    std::vector<CSignalDescription*> doomed;
    std::vector<int> positions;
    for (int row : m_pView->SelectedRows()) {
        positions.push_back(m_pView->RowModel()->PositionOfRow(row));
        doomed.push_back(m_pView->RowModel()->SignalAt(row));
    }
    if (doomed.empty())
        return;
    m_pController->Delete(std::move(doomed), std::move(positions), one, many);
    // No row is selected or focused afterwards: a second Delete deletes nothing.
    m_pView->selectionModel()->clear();
}

void CListCommands::SetDisabled(bool disabled) {
    std::vector<CSignalDescription*> records;
    std::vector<int> positions;
    for (int row : m_pView->SelectedRows()) {
        records.push_back(m_pView->RowModel()->SignalAt(row));
        positions.push_back(m_pView->RowModel()->PositionOfRow(row));
    }
    m_pController->SetDisabled(records, positions, disabled);
}

void CListCommands::ChangeSelectedDialog() {
    const auto selected = static_cast<int>(m_pView->selectionModel()->selectedRows().size());
    if (selected == 0)
        return;
    CChangeSignalsDialog dialog(selected, m_pView);
    if (CPrompts::RunDialog(dialog) == QDialog::Accepted)
        ChangeSelected(dialog.Change());
}

void CListCommands::ChangeSelected(const SignalChange& change) {
    // The other version's rows are not this database's to change: SelectedSignals leaves
    // them out.
    const CSignalController::ChangeOutcome outcome =
        m_pController->ChangeSignals(m_pView->SelectedSignals(), change);
    if (!outcome.changed.empty())
        m_pView->SelectSignals(outcome.changed);
    emit notice(outcome.Summary(), QStringLiteral("change"));
}

void CListCommands::Copy() {
    const std::vector<CSignalDescription*> selected = m_pView->SelectedSignals();
    if (selected.empty())
        return;
    QByteArray xml;
    QString error;
    if (!CSignalController::SignalsXml(selected, xml, error)) {
        CPrompts::Message(m_pView, QMessageBox::Critical, QString(), error);
        return;
    }
    auto* data = new QMimeData;
    data->setData(SignalsMimeType(), xml);
    data->setText(QString::fromUtf8(xml));
    // Spreadsheets take the cells as tab-separated text, one row per signal.
    data->setData(QStringLiteral("text/tab-separated-values"), m_pView->SelectedCells().toUtf8());
    QGuiApplication::clipboard()->setMimeData(data);
}

void CListCommands::Cut() {
    if (!m_pView->selectionModel()->hasSelection())
        return;
    Copy();
    // Cut asks nothing: the signals are on the clipboard and Undo brings them back.
    DeleteSelected(tr("Cut Signal"), tr("Cut %1 Signals"));
}

void CListCommands::Paste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QByteArray xml;
    if (data && data->hasFormat(SignalsMimeType()))
        xml = data->data(SignalsMimeType());
    else if (data && data->hasText())
        xml = data->text().toUtf8();
    const CSignalController::PasteOutcome pasted = m_pController->Paste(xml);
    if (pasted.added.empty()) {
        // Said in the status bar: nothing changed, and nothing needs an answer.
        emit statusMessage(tr("The clipboard holds no signal database. %1").arg(pasted.error));
        return;
    }
    m_pView->SelectAppended(pasted.added);
    const std::size_t count = pasted.added.size();
    emit statusMessage(count == 1 ? tr("1 signal pasted") : tr("%1 signals pasted").arg(count));
}

void CListCommands::Export() {
    // NAME.csv beside the database (or where files were last chosen).
    const QString database = m_pView->Document()->GetPathName();
    const QString name =
        database.isEmpty() ? tr("Untitled") : QFileInfo(database).completeBaseName();
    const QString path = CPrompts::SaveFileName(
        m_pView, tr("Export"),
        tr("CSV Files (*.csv);;OpenDocument Spreadsheets (*.ods);;All Files (*)"),
        CPrompts::StartFolder(database) + u'/' + name + QStringLiteral(".csv"),
        QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const FileResult written = m_pView->ExportRows(path);
    if (!written) {
        CPrompts::Message(m_pView, QMessageBox::Critical, QString(),
                          tr("Cannot export.\n\n%1").arg(written.Message()));
        return;
    }
    if (!written.Message().isEmpty())
        CPrompts::Message(m_pView, QMessageBox::Warning, QString(), written.Message() + u'.');
    const int rows = m_pView->RowModel()->OwnRowCount();
    emit statusMessage(rows == 1 ? tr("1 signal exported to %1").arg(path)
                                 : tr("%1 signals exported to %2").arg(rows).arg(path));
}

void CListCommands::Import() {
    const QString path = CPrompts::OpenFileName(
        m_pView, tr("Import"), tr("Spreadsheets (*.csv *.ods *.txt);;All Files (*)"),
        CPrompts::StartFolder(m_pView->Document()->GetPathName()));
    if (!path.isEmpty())
        ImportFile(path);
}

void CListCommands::ImportFile(const QString& path) {
    const RepeatCounts before = m_pView->Document()->CountRepeats();
    const CSignalController::ImportOutcome imported = m_pController->Import(path);
    if (!imported.error.isEmpty()) {
        CPrompts::Message(m_pView, QMessageBox::Critical, QString(),
                          tr("Cannot import.\n\n%1").arg(imported.error));
        return;
    }
    m_pView->SelectAppended(imported.added);
    const int added = static_cast<int>(imported.added.size());
    // How a file that is not UTF-8 with commas was read is said with the count.
    const QString done = added == 1 ? tr("1 signal imported from %1").arg(path)
                                    : tr("%1 signals imported from %2").arg(added).arg(path);
    emit statusMessage(imported.readAs.isEmpty() ? done : tr("%1 (%2)").arg(done, imported.readAs));
    if (const QString repeats = CProblemsPane::RepeatsText(tr("The import"), before,
                                                           m_pView->Document()->CountRepeats());
        !repeats.isEmpty())
        emit notice(repeats, QStringLiteral("repeats"));
    if (imported.leftOut.isEmpty())
        return;
    // What was left out, in a window the user can copy from.
    QStringList lines = imported.leftOut;
    if (!imported.readAs.isEmpty())
        lines.prepend(QStringLiteral("%1: %2").arg(path, imported.readAs));
    CImportReportDialog report(added, lines, m_pView);
    CPrompts::RunDialog(report);
}

void CListCommands::Compare() {
    const QStringList revisions = m_pController->Revisions();
    const QString path = CPrompts::OpenFileOrName(
        m_pView, tr("Compare With"), CPrompts::DatabasesFilter(),
        CPrompts::StartFolder(m_pView->Document()->GetPathName()), revisions);
    if (!path.isEmpty())
        CompareWith(path);
}

FileResult CListCommands::CompareWith(const QString& path) {
    // A name that is no file, typed where the open file is in a git work tree: a revision.
    const bool revision = !QFileInfo::exists(path) && !m_pController->Revisions().isEmpty();
    const QString shown = revision ? QFileInfo(path).fileName() + u':' +
                                         QFileInfo(m_pView->Document()->GetPathName()).fileName()
                                   : path;
    const FileResult read = revision ? m_pController->CompareRevision(QFileInfo(path).fileName())
                                     : m_pController->Compare(path);
    if (!read) {
        if (!read.IsCancelled())
            CPrompts::Message(m_pView, QMessageBox::Critical, QString(),
                              tr("Cannot compare.\n\n%1").arg(read.Message()));
        return read;
    }
    emit notice(m_pController->Comparison()->Count().Total() == 0
                    ? tr("Compared with %1: no difference.").arg(shown)
                    : tr("Compared with %1: %2. F8 goes to the next difference, Esc ends the "
                         "comparison.")
                          .arg(shown, m_pController->ComparisonCounts()),
                QStringLiteral("compare"));
    return read;
}

void CListCommands::EndComparison() {
    m_pController->EndComparison();
}

void CListCommands::GoToDifference(bool forward) {
    const CSignalRowModel* model = m_pView->RowModel();
    const QModelIndex current = m_pView->currentIndex();
    const int rows = model->rowCount();
    const int start = current.isValid() ? current.row() : (forward ? -1 : rows);
    for (int row = start + (forward ? 1 : -1); row >= 0 && row < rows; row += forward ? 1 : -1) {
        if (model->IsDifferent(row)) {
            m_pView->SelectRow(row, current.isValid() ? current.column() : 0);
            return;
        }
    }
    QApplication::beep();
    emit statusMessage(forward ? tr("No difference after this row")
                               : tr("No difference before this row"));
}

void CListCommands::TakeFromOther() {
    const CSignalRowModel* model = m_pView->RowModel();
    std::vector<const CSignalDescription*> theirs;
    for (const QItemSelectionRange& range : m_pView->selectionModel()->selection()) {
        for (int row = std::max(range.top(), model->OwnRowCount()); row <= range.bottom(); ++row)
            theirs.push_back(model->RecordAt(row));
    }
    const QString text = m_pController->TakeFromOther(m_pView->SelectedSignals(), theirs);
    if (!text.isEmpty())
        emit statusMessage(text);
}
