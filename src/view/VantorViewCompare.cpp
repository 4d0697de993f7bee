// The list's comparison with another version: File > Compare With, the differences marked,
// F8 and Shift+F8 to go through them, Take from Other, Esc to end. The controller holds the
// comparison; the list shows it.
#include "VantorView.h"

#include "Prompts.h"
#include "SignalComparison.h"
#include "SignalRowModel.h"

#include <QApplication>
#include <QItemSelectionModel>

void CVantorView::OnFileCompare() {
    const QString path =
        CPrompts::OpenFileName(this, tr("Compare With"), CPrompts::DatabasesFilter(),
                               CPrompts::StartFolder(m_pDoc->GetPathName()));
    if (!path.isEmpty())
        CompareWith(path);
}

FileResult CVantorView::CompareWith(const QString& path) {
    const FileResult read = m_pController->Compare(path);
    if (!read) {
        if (!read.IsCancelled())
            CPrompts::Message(this, QMessageBox::Critical, QString(),
                              tr("Cannot compare.\n\n%1").arg(read.Message()));
        return read;
    }
    emit notice(Comparison()->Count().Total() == 0
                    ? tr("Compared with %1: no difference.").arg(path)
                    : tr("Compared with %1: %2. F8 goes to the next difference, Esc ends the "
                         "comparison.")
                          .arg(path, ComparisonCounts()),
                QStringLiteral("compare"));
    return read;
}

void CVantorView::EndComparison() {
    m_pController->EndComparison();
}

void CVantorView::ShowComparison() {
    // The rows mark what the comparison found; commands follow whether there is one.
    m_pModel->SetComparison(m_pController->Comparison());
    UpdateCommands();
    emit comparisonChanged();
}

void CVantorView::GoToDifference(bool forward) {
    const int rows = m_pModel->rowCount();
    const int start = currentIndex().isValid() ? currentIndex().row() : (forward ? -1 : rows);
    for (int row = start + (forward ? 1 : -1); row >= 0 && row < rows; row += forward ? 1 : -1) {
        if (m_pModel->IsDifferent(row)) {
            const int column = currentIndex().isValid() ? currentIndex().column() : 0;
            const QModelIndex index = m_pModel->index(row, std::max(column, 0));
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
            ScrollToRowOnly(index);
            return;
        }
    }
    QApplication::beep();
    emit statusMessage(forward ? tr("No difference after this row")
                               : tr("No difference before this row"));
}

void CVantorView::TakeFromOther() {
    std::vector<const CSignalDescription*> theirs;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = std::max(range.top(), m_pModel->OwnRowCount()); row <= range.bottom(); ++row)
            theirs.push_back(m_pModel->RecordAt(row));
    }
    const QString text = m_pController->TakeFromOther(SelectedSignals(), theirs);
    if (!text.isEmpty())
        emit statusMessage(text);
}
