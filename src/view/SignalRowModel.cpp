#include "SignalRowModel.h"

#include "CommandIds.h"
#include "SignalColumns.h"
#include "SignalDescription.h"
#include "VantorDoc.h"

#include <QColor>

#include <algorithm>
#include <string>

namespace {

// Row text colours by the record's state, in the order they take precedence.
const QColor MergedColour(0, 160, 0);
const QColor MergedInvalidColour(255, 160, 0);
const QColor InvalidColour(255, 0, 0);
const QColor DisabledColour(160, 160, 160);

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
    RebuildRows();
}

int CSignalRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rowMap.size());
}

int CSignalRowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : SignalColumnCount;
}

QVariant CSignalRowModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const CSignalDescription& s = *SignalAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return Reference(SignalCellText(s, index.column()));
    case Qt::ForegroundRole:
        if (s.m_bMerged)
            return s.m_bInvalid ? MergedInvalidColour : MergedColour;
        if (s.m_bInvalid)
            return InvalidColour;
        if (s.m_bDisabled)
            return DisabledColour;
        return {};
    case Qt::ToolTipRole:
        if (const char16_t* reason = s.InvalidReason())
            return QStringView(reason).toString();
        if (const char16_t* message = m_pDoc->GetReadMessage(&s))
            return QStringView(message).toString();
        return {};
    default:
        return {};
    }
}

QVariant CSignalRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return Reference(SignalColumnHeading(section));
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void CSignalRowModel::SetFilter(std::uint32_t filterId) {
    m_nFilterId = filterId;
    MapRows();
}

void CSignalRowModel::SetFindText(const QString& text) {
    m_finder = CTextFinder(text);
    MapRows();
}

bool CSignalRowModel::IsFiltered() const {
    return m_nFilterId != ID_FILTER_ALL || !m_finder.IsEmpty();
}

void CSignalRowModel::RebuildRows() {
    m_searchText.Invalidate();
    MapRows();
}

void CSignalRowModel::MapRows() {
    beginResetModel();
    m_rowMap.clear();
    const SignalCollection& records = m_pDoc->Signals();
    const bool family = m_nFilterId != ID_FILTER_ALL;
    if (!IsFiltered()) {
        m_rowMap.resize(records.size());
        for (std::size_t i = 0; i < records.size(); ++i)
            m_rowMap[i] = static_cast<int>(i);
    } else if (!m_finder.FoldedAscii().empty()) {
        // An ASCII find text searches the folded copy of the texts in one pass.
        m_rowMap = m_searchText.Find(records, m_finder.FoldedAscii());
        if (family) {
            std::erase_if(m_rowMap, [&](int position) {
                return !records[static_cast<std::size_t>(position)]->MatchesFilter(
                    FilterOf(m_nFilterId));
            });
        }
    } else {
        for (std::size_t i = 0; i < records.size(); ++i) {
            const CSignalDescription& s = *records[i];
            if ((!family || s.MatchesFilter(FilterOf(m_nFilterId))) && m_finder.Matches(s))
                m_rowMap.push_back(static_cast<int>(i));
        }
    }
    endResetModel();
}

void CSignalRowModel::RowsChanged(int first, int last) {
    emit dataChanged(index(first, 0), index(last, SignalColumnCount - 1));
}

int CSignalRowModel::RowOfPosition(int position) const {
    const auto it = std::lower_bound(m_rowMap.begin(), m_rowMap.end(), position);
    return (it != m_rowMap.end() && *it == position) ? static_cast<int>(it - m_rowMap.begin()) : -1;
}

CSignalDescription* CSignalRowModel::SignalAt(int row) const {
    return m_pDoc->GetSignal(PositionOfRow(row));
}
