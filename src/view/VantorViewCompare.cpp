// The list's comparison with another version: File > Compare With, the differences marked,
// F8 and Shift+F8 to go through them, Take from Other, Esc to end.
#include "VantorView.h"

#include "CommandIds.h"
#include "Prompts.h"
#include "SignalComparison.h"
#include "SignalRowModel.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QTimer>

#include <algorithm>

void CVantorView::OnFileCompare() {
    const QString path =
        CPrompts::OpenFileName(this, tr("Compare With"), CPrompts::DatabasesFilter(),
                               CPrompts::StartFolder(m_pDoc->GetPathName()));
    if (!path.isEmpty())
        CompareWith(path);
}

FileResult CVantorView::CompareWith(const QString& path) {
    SignalCollection other;
    const FileResult read = m_pDoc->ReadOther(path, other);
    if (!read) {
        if (!read.IsCancelled())
            CPrompts::Message(this, QMessageBox::Critical, QString(),
                              tr("Cannot compare.\n\n%1").arg(read.Message()));
        return read;
    }
    // A comparison before this one: the rows let go of its records before they go.
    if (m_pComparison)
        m_pModel->SetComparison(nullptr);
    m_pComparison = std::make_unique<CSignalComparison>(path, std::move(other));
    m_pComparison->Compare(m_pDoc->Signals());
    m_pModel->SetComparison(m_pComparison.get());
    UpdateCommands();
    emit comparisonChanged();
    const CSignalComparison::Counts counts = m_pComparison->Count();
    emit notice(counts.Total() == 0
                    ? tr("Compared with %1: no difference.").arg(path)
                    : tr("Compared with %1: %2. F8 goes to the next difference, Esc ends the "
                         "comparison.")
                          .arg(path, ComparisonCounts()),
                QStringLiteral("compare"));
    return read;
}

QString CVantorView::ComparisonCounts() const {
    if (!m_pComparison)
        return {};
    const CSignalComparison::Counts counts = m_pComparison->Count();
    return tr("%1 added, %2 removed, %3 changed")
        .arg(counts.added)
        .arg(counts.removed)
        .arg(counts.changed);
}

void CVantorView::EndComparison() {
    if (!m_pComparison)
        return;
    m_pModel->SetComparison(nullptr);
    m_pComparison.reset();
    UpdateCommands();
    emit comparisonChanged();
}

void CVantorView::QueueCompareAgain() {
    // A step may change the collection several times: the records pair once after it.
    if (!m_pComparison || m_bCompareQueued)
        return;
    m_bCompareQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_bCompareQueued = false;
        CompareAgain();
    });
}

void CVantorView::CompareAgain() {
    if (!m_pComparison)
        return;
    if (m_pModel->Comparison() == nullptr) {
        // Another database was opened: the comparison was of the one before.
        m_pComparison.reset();
        UpdateCommands();
        emit comparisonChanged();
        return;
    }
    m_pComparison->Compare(m_pDoc->Signals());
    m_pModel->SetComparison(m_pComparison.get());
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
    if (!m_pComparison)
        return;
    std::vector<CSignalDescription*> edited;
    std::vector<CSignalDescription> values;
    std::vector<CSignalDescription*> removed;
    SignalCollection added;
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        if (m_pModel->IsOtherRow(row)) {
            added.push_back(std::make_unique<CSignalDescription>(*m_pModel->RecordAt(row)));
            continue;
        }
        CSignalDescription* own = m_pModel->SignalAt(row);
        switch (m_pComparison->StateOf(own)) {
        case CSignalComparison::State::Changed: {
            CSignalDescription value = *m_pComparison->OtherOf(own);
            value.SetMerged(own->IsMerged());
            edited.push_back(own);
            values.push_back(std::move(value));
            break;
        }
        case CSignalComparison::State::Removed:
            removed.push_back(own);
            break;
        default:
            break;
        }
    }
    const QString text = m_pController->TakeFromOther(std::move(edited), std::move(values),
                                                      std::move(removed), std::move(added));
    if (text.isEmpty())
        return;
    emit statusMessage(text);
}
