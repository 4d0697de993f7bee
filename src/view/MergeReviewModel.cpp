#include "MergeReviewModel.h"

#include "StoredFieldText.h"

#include <QCoreApplication>

#include <array>

namespace {

using Kind = MergeEntryKind;

// A value row's internal id is its entry's number + 1; an entry's row has 0.
quintptr ValueRowsOf(std::size_t entry) {
    return static_cast<quintptr>(entry) + 1;
}

QString FieldHeading(const StoredField& field) {
    if (field.heading == nullptr)
        return CMergeReviewModel::tr("Kept markup");
    return QCoreApplication::translate("Signal", field.heading);
}

// A signal in a few words: its decoder and modulation.
QString Brief(const CSignalDescription* s) {
    if (s == nullptr)
        return {};
    return StoredFieldText(*s, StoredFieldOf(StoredFieldId::Decoder)) + QStringLiteral(", ") +
           StoredFieldText(*s, StoredFieldOf(StoredFieldId::Modulation));
}

// Whether a value row can be chosen: a held signal takes the other's value.
bool ValuesChoosable(const MergeEntry& e) {
    return e.here != nullptr && e.there != nullptr && e.Choosable();
}

} // namespace

CMergeReviewModel::CMergeReviewModel(MergePlan& plan, QObject* parent)
    : QAbstractItemModel(parent), m_plan(plan) {}

QModelIndex CMergeReviewModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= ColumnCount || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, quintptr(0));
    return createIndex(row, column, ValueRowsOf(static_cast<std::size_t>(parent.row())));
}

QModelIndex CMergeReviewModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, quintptr(0));
}

int CMergeReviewModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return static_cast<int>(m_plan.entries.size());
    if (parent.internalId() != 0 || parent.column() != 0)
        return 0;
    const MergeEntry& e = m_plan.entries[static_cast<std::size_t>(parent.row())];
    return e.here != nullptr && e.there != nullptr ? static_cast<int>(e.fields.size()) : 0;
}

int CMergeReviewModel::columnCount(const QModelIndex&) const {
    return m_plan.threeWay ? ColumnCount : ColumnBase;
}

const MergeEntry* CMergeReviewModel::EntryAt(const QModelIndex& index) const {
    if (!index.isValid())
        return nullptr;
    const std::size_t entry =
        index.internalId() == 0 ? static_cast<std::size_t>(index.row()) : index.internalId() - 1;
    return entry < m_plan.entries.size() ? &m_plan.entries[entry] : nullptr;
}

QVariant CMergeReviewModel::data(const QModelIndex& index, int role) const {
    const MergeEntry* e = EntryAt(index);
    if (e == nullptr)
        return {};
    const bool valueRow = index.internalId() != 0;
    if (role == Qt::CheckStateRole && index.column() == ColumnSignal) {
        if (valueRow && ValuesChoosable(*e))
            return e->theirs[static_cast<std::size_t>(index.row())] ? Qt::Checked : Qt::Unchecked;
        if (!valueRow && e->Choosable())
            return e->chosen ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (valueRow) {
        const StoredField& field = *e->fields[static_cast<std::size_t>(index.row())].field;
        switch (index.column()) {
        case ColumnSignal:
            return FieldHeading(field);
        case ColumnWhat:
            return e->theirs[static_cast<std::size_t>(index.row())] ? tr("the other's value")
                                                                    : tr("this value kept");
        case ColumnHere:
            return StoredFieldText(*e->here, field);
        case ColumnThere:
            return StoredFieldText(*e->there, field);
        case ColumnBase:
            return e->base ? StoredFieldText(*e->base, field) : QString();
        default:
            return {};
        }
    }
    const CSignalDescription* named = e->there ? e->there : e->here;
    switch (index.column()) {
    case ColumnSignal:
        return QString(reinterpret_cast<const QChar*>(named->m_szName.c_str()));
    case ColumnWhat:
        return KindText(e->kind);
    case ColumnHere:
        return Brief(e->here);
    case ColumnThere:
        return Brief(e->there);
    case ColumnBase:
        return Brief(e->base);
    default:
        return {};
    }
}

bool CMergeReviewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    MergeEntry* e = const_cast<MergeEntry*>(EntryAt(index));
    if (e == nullptr || role != Qt::CheckStateRole || index.column() != ColumnSignal ||
        !(flags(index) & Qt::ItemIsUserCheckable))
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    if (index.internalId() != 0) {
        e->theirs[static_cast<std::size_t>(index.row())] = checked;
        // A value chosen from the other side makes its signal's change chosen too.
        if (checked && !e->chosen) {
            e->chosen = true;
            const QModelIndex entry = index.parent();
            emit dataChanged(entry, entry, {Qt::CheckStateRole});
        }
        emit dataChanged(index, index.siblingAtColumn(ColumnWhat));
        return true;
    }
    e->chosen = checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags CMergeReviewModel::flags(const QModelIndex& index) const {
    const MergeEntry* e = EntryAt(index);
    if (e == nullptr)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() != ColumnSignal)
        return flags;
    const bool choosable = index.internalId() != 0 ? ValuesChoosable(*e) : e->Choosable();
    return choosable ? flags | Qt::ItemIsUserCheckable : flags;
}

QVariant CMergeReviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ColumnSignal:
        return tr("Signal");
    case ColumnWhat:
        return tr("Change");
    case ColumnHere:
        return tr("Held");
    case ColumnThere:
        return tr("Other");
    case ColumnBase:
        return tr("Base");
    default:
        return {};
    }
}

QString CMergeReviewModel::KindText(MergeEntryKind kind) {
    switch (kind) {
    case Kind::New:
        return tr("new");
    case Kind::Identical:
        return tr("equal to a held signal (skipped)");
    case Kind::SameName:
        return tr("same name, other values");
    case Kind::ChangedThere:
        return tr("changed there");
    case Kind::ChangedHere:
        return tr("changed here");
    case Kind::ChangedBoth:
        return tr("changed on both sides");
    case Kind::RemovedThere:
        return tr("removed there");
    case Kind::RemovedHere:
        return tr("removed here, changed there");
    }
    return {};
}

QString CMergeReviewModel::Summary() const {
    constexpr std::size_t Kinds = static_cast<std::size_t>(Kind::RemovedHere) + 1;
    std::array<int, Kinds> counts{};
    for (const MergeEntry& e : m_plan.entries)
        ++counts[static_cast<std::size_t>(e.kind)];
    QStringList parts;
    for (std::size_t k = 0; k < Kinds; ++k) {
        if (counts[k] > 0)
            parts << QStringLiteral("%1 %2").arg(counts[k]).arg(KindText(static_cast<Kind>(k)));
    }
    return parts.isEmpty() ? tr("The other file brings nothing.")
                           : parts.join(QStringLiteral("; "));
}
