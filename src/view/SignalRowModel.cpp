#include "SignalRowModel.h"
#include "SignalTr.h"

#include "CommandIds.h"
#include "LocalDecimal.h"
#include "RowColours.h"
#include "SignalColumns.h"
#include "SignalComparison.h"
#include "SignalDescription.h"
#include "SignalDiff.h"
#include "VantorDoc.h"

#include <QApplication>
#include <QColor>
#include <QGuiApplication>
#include <QHash>
#include <QLocale>
#include <QPalette>
#include <QSet>
#include <QStyle>

#include <algorithm>
#include <string>
#include <utility>

namespace {

QString Reference(const char16_t* text) {
    return QString::fromRawData(reinterpret_cast<const QChar*>(text),
                                static_cast<qsizetype>(std::char_traits<char16_t>::length(text)));
}

} // namespace

namespace {

// The filter commands come in the order of the record's filters.
SignalFilter FilterOf(std::uint32_t id) {
    return static_cast<SignalFilter>(id - ID_FILTER_ALL);
}
static_assert(ID_FILTER_PSK_MULTICARRIER - ID_FILTER_ALL ==
              static_cast<int>(SignalFilter::PskMulticarrier));

} // namespace

CSignalRowModel::CSignalRowModel(CVantorDoc* doc, QObject* parent)
    : QAbstractTableModel(parent), m_pDoc(doc), m_nFilterId(ID_FILTER_ALL) {
    MapRows();
    connect(doc, &CVantorDoc::aboutToReset, this, [this] { beginResetModel(); });
    connect(doc, &CVantorDoc::resetDone, this, [this] {
        // Another database: no record of the last find by parameters is held any more.
        m_matches.clear();
        m_bMatching = false;
        m_pComparison = nullptr;
        MapRows();
        endResetModel();
    });
    connect(doc, &CVantorDoc::aboutToInsert, this, &CSignalRowModel::BeforeInsert);
    connect(doc, &CVantorDoc::inserted, this, &CSignalRowModel::AfterChange);
    connect(doc, &CVantorDoc::aboutToRemove, this, &CSignalRowModel::BeforeRemove);
    connect(doc, &CVantorDoc::removed, this, &CSignalRowModel::AfterChange);
    connect(doc, &CVantorDoc::signalsChanged, this, &CSignalRowModel::Changed);
    connect(doc, &CVantorDoc::aboutToReorder, this, [this] {
        m_change = Change::Reorder;
        m_bRanked = false; // the rows follow the new order
        BeginLayout();
    });
    connect(doc, &CVantorDoc::reordered, this, &CSignalRowModel::AfterChange);
}

int CSignalRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rowMap.size() + m_otherRows.size());
}

int CSignalRowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : SignalColumnCount + (m_bMatching ? 1 : 0);
}

QVariant CSignalRowModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const CSignalDescription& s = *RecordAt(index.row());
    if (m_pComparison != nullptr) {
        if (QVariant compared = Compared(s, index.row(), index.column(), role); compared.isValid())
            return compared;
    }
    if (index.column() == MatchColumn) {
        if (role != Qt::DisplayRole)
            return {};
        const auto found = m_matches.find(&s);
        return found == m_matches.end()
                   ? QString()
                   : QLocale().toString(found->second.deviation * 100, 'f', 1) + QLatin1Char('%');
    }
    switch (role) {
    case Qt::DisplayRole: {
        // Texts the record holds are handed out as views (painting allocates nothing for
        // them); numbers are formatted into a string of their own.
        CellBuffer buffer;
        const char16_t* text = SignalCellText(s, index.column(), buffer);
        if (IsNumberColumn(index.column()))
            return LocalDecimal(QStringView(text).toString());
        return Reference(text);
    }
    case Qt::ForegroundRole: {
        const QColor colour = RowColour(s, QGuiApplication::palette().color(QPalette::Base));
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::DecorationRole:
        // Invalid rows are told by a sign as well as by colour.
        if (index.column() == 0 && s.IsInvalid())
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        return {};
    case Qt::ToolTipRole:
        if (const SignalProblem problem = s.InvalidProblem(); problem != SignalProblem::None)
            return SignalTr(SignalProblemSource(problem));
        return {};
    case Qt::AccessibleDescriptionRole:
        return RowState(s);
    default:
        return {};
    }
}

// What the colours and the warning sign show, in words, for screen readers.
QString CSignalRowModel::RowState(const CSignalDescription& s) {
    QStringList state;
    if (s.IsInvalid()) {
        const SignalProblem problem = s.InvalidProblem();
        state << (problem == SignalProblem::None
                      ? tr("invalid")
                      : tr("invalid: %1").arg(SignalTr(SignalProblemSource(problem))));
    }
    if (s.m_bDisabled)
        state << tr("disabled");
    if (s.IsMerged())
        state << tr("merged");
    return state.join(QStringLiteral(", "));
}

QVariant CSignalRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return section == MatchColumn ? tr("Match") : SignalTr(SignalColumnSource(section));
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void CSignalRowModel::SetFilter(std::uint32_t filterId) {
    m_nFilterId = filterId;
    Rearrange();
}

void CSignalRowModel::SetFindText(const QString& text) {
    m_finder = CTextFinder(text);
    Rearrange();
}

bool CSignalRowModel::IsFiltered() const {
    return m_nFilterId != ID_FILTER_ALL || !m_finder.IsEmpty() || m_bMatching;
}

void CSignalRowModel::SetComparison(const CSignalComparison* comparison) {
    m_pComparison = comparison;
    Rearrange();
}

void CSignalRowModel::SetMatches(const std::vector<Match>& matches) {
    m_matches.clear();
    m_matches.reserve(matches.size());
    for (std::size_t i = 0; i < matches.size(); ++i)
        m_matches.emplace(matches[i].signal, Rank{matches[i].deviation, i});
    m_bMatching = true;
    m_bRanked = true;
    Rearrange();
}

void CSignalRowModel::ClearMatches() {
    if (!m_bMatching)
        return;
    m_matches.clear();
    m_bMatching = false;
    m_bRanked = false;
    Rearrange();
}

void CSignalRowModel::RebuildRows() {
    Rearrange();
}

void CSignalRowModel::Rearrange() {
    BeginLayout();
    MapRows();
    EndLayout();
}

// Rows that move (a sort, a filter, a find, scattered insertions and removals) are a change of
// the layout: persistent indexes (the selection, the current row) follow their records, a row
// whose record is no longer shown loses them. Never a reset: the view keeps its selection
// and scroll position without help.
void CSignalRowModel::BeginLayout() {
    emit aboutToRearrange();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_layoutFrom = persistentIndexList();
    m_layoutRecords.clear();
    m_layoutRecords.reserve(static_cast<std::size_t>(m_layoutFrom.size()));
    const int rows = rowCount();
    for (const QModelIndex& index : m_layoutFrom)
        m_layoutRecords.push_back(index.row() < rows ? RecordAt(index.row()) : nullptr);
}

void CSignalRowModel::EndLayout() {
    if (!m_layoutFrom.isEmpty()) {
        const int rows = rowCount();
        QModelIndexList to;
        to.reserve(m_layoutFrom.size());
        if (m_layoutRecords.size() <= 16) {
            // A few followed records: one pass over the rows looks for them.
            std::vector<int> rowOf(m_layoutRecords.size(), -1);
            for (int row = 0; row < rows; ++row) {
                const CSignalDescription* record = RecordAt(row);
                for (std::size_t i = 0; i < m_layoutRecords.size(); ++i) {
                    if (m_layoutRecords[i] == record)
                        rowOf[i] = row;
                }
            }
            for (qsizetype i = 0; i < m_layoutFrom.size(); ++i) {
                const int row = rowOf[static_cast<std::size_t>(i)];
                to << (row < 0 ? QModelIndex() : index(row, m_layoutFrom[i].column()));
            }
        } else {
            // Many: the followed records are looked up, in one pass over the rows, in a table
            // of their own (far fewer than the rows, even with a large selection).
            // QHash probes in place: most rows are not followed, and a miss reads no node.
            QHash<const CSignalDescription*, int> rowOf;
            rowOf.reserve(static_cast<qsizetype>(m_layoutRecords.size()));
            for (const CSignalDescription* record : m_layoutRecords)
                rowOf.insert(record, -1);
            for (int row = 0; row < rows; ++row) {
                if (const auto found = rowOf.find(RecordAt(row)); found != rowOf.end())
                    *found = row;
            }
            for (qsizetype i = 0; i < m_layoutFrom.size(); ++i) {
                const int row = rowOf.value(m_layoutRecords[static_cast<std::size_t>(i)]);
                to << (row < 0 ? QModelIndex() : index(row, m_layoutFrom[i].column()));
            }
        }
        changePersistentIndexList(m_layoutFrom, to);
    }
    m_layoutFrom.clear();
    m_layoutRecords.clear();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit rearranged();
}

bool CSignalRowModel::Shows(const CSignalDescription& signal) const {
    return (m_nFilterId == ID_FILTER_ALL || signal.MatchesFilter(FilterOf(m_nFilterId))) &&
           m_finder.Matches(signal) && (!m_bMatching || m_matches.count(&signal) != 0);
}

void CSignalRowModel::MapRows() {
    m_rowMap.clear();
    m_otherRows.clear();
    if (m_pComparison != nullptr) {
        for (const CSignalDescription* other : m_pComparison->Added()) {
            if (Shows(*other))
                m_otherRows.push_back(other);
        }
    }
    const SignalCollection& records = m_pDoc->Signals();
    if (!IsFiltered()) {
        m_rowMap.resize(records.size());
        for (std::size_t i = 0; i < records.size(); ++i)
            m_rowMap[i] = static_cast<int>(i);
    } else if (!m_finder.FoldedAscii().empty()) {
        // An ASCII find text is searched for in one pass over the records.
        m_rowMap = CSearchText::Find(records, m_finder.FoldedAscii());
        if (m_nFilterId != ID_FILTER_ALL) {
            std::erase_if(m_rowMap, [&](int position) {
                return !records[static_cast<std::size_t>(position)]->MatchesFilter(
                    FilterOf(m_nFilterId));
            });
        }
        if (m_bMatching) {
            std::erase_if(m_rowMap, [&](int position) {
                return m_matches.count(records[static_cast<std::size_t>(position)].get()) == 0;
            });
        }
    } else {
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (Shows(*records[i]))
                m_rowMap.push_back(static_cast<int>(i));
        }
    }
    m_rowOfRanked.clear();
    if (IsRanked()) {
        // Nearest first, as the find ranked them.
        const auto rank = [&](int position) {
            return m_matches.at(records[static_cast<std::size_t>(position)].get()).rank;
        };
        std::sort(m_rowMap.begin(), m_rowMap.end(),
                  [&](int a, int b) { return rank(a) < rank(b); });
        m_rowOfRanked.reserve(m_rowMap.size());
        for (std::size_t row = 0; row < m_rowMap.size(); ++row)
            m_rowOfRanked.emplace(m_rowMap[row], static_cast<int>(row));
    }
}

// While the rows stand in the matches' order, a change of the collection maps them again.
bool CSignalRowModel::RemapWhileRanked() {
    if (!IsRanked())
        return false;
    m_change = Change::Remap;
    BeginLayout();
    return true;
}

void CSignalRowModel::BeforeInsert(const std::vector<int>& positions,
                                   const SignalCollection* records) {
    if (RemapWhileRanked())
        return;
    // Positions after the insertion: a held record moves down by the new ones before it.
    m_nextMap.clear();
    m_nextMap.reserve(m_rowMap.size() + positions.size());
    int first = -1;
    int last = -1;
    bool together = true;
    std::size_t j = 0;
    const auto takeNew = [&] {
        if (Shows(*(*records)[j])) {
            const int row = static_cast<int>(m_nextMap.size());
            together = together && (first < 0 || row == last + 1);
            first = first < 0 ? row : first;
            last = row;
            m_nextMap.push_back(positions[j]);
        }
        ++j;
    };
    for (int position : m_rowMap) {
        while (j < positions.size() && positions[j] <= position + static_cast<int>(j))
            takeNew();
        m_nextMap.push_back(position + static_cast<int>(j));
    }
    while (j < positions.size())
        takeNew();
    if (first < 0) {
        m_change = Change::None;
    } else if (together) {
        m_change = Change::Insert;
        beginInsertRows(QModelIndex(), first, last);
    } else {
        m_change = Change::Rearrange;
        BeginLayout();
    }
}

void CSignalRowModel::BeforeRemove(const std::vector<int>& positions) {
    if (RemapWhileRanked())
        return;
    m_nextMap.clear();
    m_nextMap.reserve(m_rowMap.size());
    int first = -1;
    int last = -1;
    bool together = true;
    std::size_t j = 0;
    for (std::size_t row = 0; row < m_rowMap.size(); ++row) {
        const int position = m_rowMap[row];
        while (j < positions.size() && positions[j] < position)
            ++j;
        if (j < positions.size() && positions[j] == position) {
            together = together && (first < 0 || static_cast<int>(row) == last + 1);
            first = first < 0 ? static_cast<int>(row) : first;
            last = static_cast<int>(row);
        } else {
            m_nextMap.push_back(position - static_cast<int>(j));
        }
    }
    if (first < 0) {
        m_change = Change::None;
    } else if (together) {
        m_change = Change::Remove;
        beginRemoveRows(QModelIndex(), first, last);
    } else {
        m_change = Change::Rearrange;
        BeginLayout();
    }
}

void CSignalRowModel::AfterChange() {
    const Change change = std::exchange(m_change, Change::None);
    if (change == Change::Reorder || change == Change::Remap) {
        // A new order, or ranked rows: every row is mapped again.
        MapRows();
    } else {
        m_rowMap.swap(m_nextMap);
    }
    m_nextMap.clear();
    switch (change) {
    case Change::Insert:
        endInsertRows();
        break;
    case Change::Remove:
        endRemoveRows();
        break;
    case Change::Rearrange:
    case Change::Reorder:
    case Change::Remap:
        EndLayout();
        break;
    case Change::None:
        break;
    }
}

void CSignalRowModel::Changed(const std::vector<int>& positions, bool texts) {
    // Every record shown in the collection's order: a change takes none in or out, and each
    // record's row is its position.
    const bool everyRecord = !IsFiltered() && m_rowMap.size() == m_pDoc->Signals().size();
    // A changed text may take a record into the rows or out of them.
    bool moved = false;
    for (std::size_t i = 0; texts && !everyRecord && i < positions.size(); ++i) {
        const int position = positions[i];
        if ((RowOfPosition(position) >= 0) != Shows(*m_pDoc->GetSignal(position)))
            moved = true;
    }
    if (moved) {
        Rearrange();
        return;
    }
    // Changed rows in runs of neighbours: all of a million rows is one notice. Beyond a few
    // hundred runs (a scattered selection) one notice spans them all, as the view and its
    // listeners take each notice on its own.
    constexpr std::size_t MostNotices = 256;
    std::vector<std::pair<int, int>> runs;
    for (int position : positions) {
        const int row = everyRecord ? position : RowOfPosition(position);
        if (row < 0)
            continue;
        if (runs.empty() || row != runs.back().second + 1)
            runs.emplace_back(row, row);
        else
            runs.back().second = row;
    }
    if (runs.size() > MostNotices) {
        std::pair<int, int> span = runs.front();
        for (const auto& [first, last] : runs)
            span = {std::min(span.first, first), std::max(span.second, last)};
        runs = {span};
    }
    for (const auto& [first, last] : runs)
        emit dataChanged(index(first, 0), index(last, SignalColumnCount - 1));
}

template <typename Chosen>
QItemSelection CSignalRowModel::WholeRows(int rows, Chosen chosen) const {
    QItemSelection selection;
    const int lastColumn = columnCount() - 1;
    int first = -1;
    for (int row = 0; row <= rows; ++row) {
        const bool taken = row < rows && chosen(row);
        if (taken && first < 0)
            first = row;
        if (!taken && first >= 0) {
            selection.select(index(first, 0), index(row - 1, lastColumn));
            first = -1;
        }
    }
    return selection;
}

QItemSelection
CSignalRowModel::RowsOf(const std::vector<const CSignalDescription*>& records) const {
    if (records.empty())
        return {};
    QSet<const CSignalDescription*> wanted;
    wanted.reserve(static_cast<qsizetype>(records.size()));
    for (const CSignalDescription* record : records)
        wanted.insert(record);
    return WholeRows(rowCount(), [&](int row) { return wanted.contains(RecordAt(row)); });
}

QItemSelection CSignalRowModel::RowsOfPositions(const std::vector<int>& positions) const {
    std::size_t next = 0;
    return WholeRows(OwnRowCount(), [&](int row) {
        const int position = PositionOfRow(row);
        while (next < positions.size() && positions[next] < position)
            ++next;
        return next < positions.size() && positions[next] == position;
    });
}

std::uint64_t CSignalRowModel::Arrangement() const {
    return m_pDoc->Arrangement();
}

int CSignalRowModel::RowOfPosition(int position) const {
    if (IsRanked()) {
        const auto found = m_rowOfRanked.find(position);
        return found == m_rowOfRanked.end() ? -1 : found->second;
    }
    const auto it = std::lower_bound(m_rowMap.begin(), m_rowMap.end(), position);
    return (it != m_rowMap.end() && *it == position) ? static_cast<int>(it - m_rowMap.begin()) : -1;
}

CSignalDescription* CSignalRowModel::SignalAt(int row) const {
    return m_pDoc->GetSignal(PositionOfRow(row));
}

const CSignalDescription* CSignalRowModel::RecordAt(int row) const {
    if (IsOtherRow(row))
        return m_otherRows[static_cast<std::size_t>(row - OwnRowCount())];
    return SignalAt(row);
}

bool CSignalRowModel::IsDifferent(int row) const {
    if (m_pComparison == nullptr)
        return false;
    return IsOtherRow(row) ||
           m_pComparison->StateOf(SignalAt(row)) != CSignalComparison::State::Same;
}

QVariant CSignalRowModel::Compared(const CSignalDescription& s, int row, int column,
                                   int role) const {
    if (role != Qt::BackgroundRole && role != Qt::ToolTipRole &&
        role != Qt::AccessibleDescriptionRole)
        return {};
    using State = CSignalComparison::State;
    const State state = IsOtherRow(row) ? State::Added : m_pComparison->StateOf(&s);
    if (state == State::Same)
        return {};
    QString said; // what the cell's difference is, in words
    bool marked = true;
    if (state == State::Added) {
        said = tr("only in the other version");
    } else if (state == State::Removed) {
        said = tr("not in the other version");
    } else {
        const CSignalDescription& other = *m_pComparison->OtherOf(&s);
        CellBuffer mine;
        CellBuffer theirs;
        const std::u16string_view ours =
            column < SignalColumnCount ? SignalCellText(s, column, mine) : std::u16string_view();
        const std::u16string_view their = column < SignalColumnCount
                                              ? SignalCellText(other, column, theirs)
                                              : std::u16string_view();
        if (ours != their) {
            said = their.empty() ? tr("the other version has nothing")
                                 : tr("the other version has \u201C%1\u201D")
                                       .arg(IsNumberColumn(column)
                                                ? LocalDecimal(QStringView(their).toString())
                                                : QStringView(their).toString());
        } else if (column == 0) {
            // The name cell marks the row and names every field that differs, those no
            // column shows (the disabled flag, kept markup) included; painting needs no names.
            if (role != Qt::BackgroundRole) {
                QStringList keys;
                for (const FieldDifference& field : DiffFields(s, other))
                    keys << QString::fromLatin1(field.key);
                said = tr("the other version differs in %1").arg(keys.join(QStringLiteral(", ")));
            }
        } else {
            said = tr("changed in the other version");
            marked = false;
        }
    }
    switch (role) {
    case Qt::BackgroundRole:
        if (!marked)
            return {};
        return ComparedColour(static_cast<int>(state),
                              QGuiApplication::palette().color(QPalette::Base));
    case Qt::ToolTipRole: {
        const QString problem = s.IsInvalid() && s.InvalidProblem() != SignalProblem::None
                                    ? SignalTr(SignalProblemSource(s.InvalidProblem())) + u'\n'
                                    : QString();
        return problem + said.left(1).toUpper() + said.mid(1);
    }
    default: {
        const QString rowState = RowState(s);
        return rowState.isEmpty() ? said : rowState + QStringLiteral(", ") + said;
    }
    }
}
