#include "ProblemsModel.h"

#include "LocalDecimal.h"
#include "SignalTr.h"

#include <QLocale>

namespace {

// A heading's index carries no id; a problem's carries its kind's place among the headings
// plus one.
constexpr quintptr HeadingId = 0;

QString Q(const char16_t* text) {
    return QStringView(text).toString();
}

QString Percent(double fraction) {
    return LocalDecimal(QString::number(fraction * 100, 'f', 1)) + QStringLiteral(" %");
}

QString KindHeading(HealthKind kind, qsizetype count) {
    switch (kind) {
    case HealthKind::Duplicate:
        return CProblemsModel::tr("Duplicates (%1)").arg(count);
    case HealthKind::SameName:
        return CProblemsModel::tr("Same name, other values (%1)").arg(count);
    case HealthKind::Confusable:
        return CProblemsModel::tr("Cannot be told apart (%1)").arg(count);
    case HealthKind::Designator:
        return CProblemsModel::tr("ITU designators (%1)").arg(count);
    case HealthKind::Invalid:
        return CProblemsModel::tr("Invalid (%1)").arg(count);
    case HealthKind::UnknownName:
        return CProblemsModel::tr("Unknown names (%1)").arg(count);
    }
    return {};
}

QString Detail(const HealthProblem& p) {
    const CSignalDescription& s = *p.signal;
    const QString other = p.other != nullptr ? Q(p.other->m_szName) : QString();
    switch (p.kind) {
    case HealthKind::Duplicate:
        return CProblemsModel::tr("equal to an earlier \u201C%1\u201D").arg(other);
    case HealthKind::SameName: {
        QStringList fields;
        for (const FieldDifference& field : p.fields)
            fields << QLatin1String(field.key);
        return CProblemsModel::tr("differs in %1 from an earlier signal of that name")
            .arg(fields.join(QStringLiteral(", ")));
    }
    case HealthKind::Confusable:
        return CProblemsModel::tr("cannot be told from \u201C%1\u201D (%2 and %3), largest "
                                  "deviation %4")
            .arg(other, Q(s.GetModeName()), Q(p.other->GetModeName()), Percent(p.deviation));
    case HealthKind::Designator:
        if (p.designatorBandwidth == 0)
            return CProblemsModel::tr("\u201C%1\u201D is not four bandwidth characters (as 3K00) "
                                      "and an emission class")
                .arg(Q(s.m_szITU));
        return CProblemsModel::tr("\u201C%1\u201D gives %2 Hz, the bandwidth is %3 Hz (%4 off)")
            .arg(Q(s.m_szITU), QLocale().toString(p.designatorBandwidth),
                 QLocale().toString(s.m_dBandwidth), Percent(p.deviation));
    case HealthKind::Invalid:
        return SignalTr(SignalProblemSource(s.InvalidProblem()));
    case HealthKind::UnknownName:
        return CProblemsModel::tr("a decoder mode or modulation this version does not know");
    }
    return {};
}

} // namespace

CProblemsModel::CProblemsModel(QObject* parent) : QAbstractItemModel(parent) {}

void CProblemsModel::SetProblems(std::vector<HealthProblem> problems) {
    beginResetModel();
    m_problems = std::move(problems);
    m_kinds.clear();
    for (auto& places : m_byKind)
        places.clear();
    for (std::size_t i = 0; i < m_problems.size(); ++i)
        m_byKind[static_cast<int>(m_problems[i].kind)].push_back(i);
    for (int kind = 0; kind < HealthKindCount; ++kind) {
        if (!m_byKind[kind].empty())
            m_kinds.push_back(static_cast<HealthKind>(kind));
    }
    endResetModel();
}

const HealthProblem* CProblemsModel::Problem(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == HeadingId)
        return nullptr;
    const auto& places = m_byKind[static_cast<int>(m_kinds[index.internalId() - 1])];
    return &m_problems[places[index.row()]];
}

QModelIndex CProblemsModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, HeadingId);
    return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex CProblemsModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == HeadingId)
        return {};
    return createIndex(int(child.internalId() - 1), 0, HeadingId);
}

int CProblemsModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return int(m_kinds.size());
    if (parent.internalId() != HeadingId || parent.column() != 0)
        return 0;
    return int(m_byKind[static_cast<int>(m_kinds[parent.row()])].size());
}

int CProblemsModel::columnCount(const QModelIndex&) const {
    return 2;
}

QVariant CProblemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const HealthProblem* p = Problem(index);
    if (role == ProblemRole)
        return p != nullptr ? qlonglong(p - m_problems.data()) : qlonglong(-1);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (p == nullptr) {
        if (index.column() != 0)
            return {};
        const HealthKind kind = m_kinds[index.row()];
        return KindHeading(kind, qsizetype(m_byKind[static_cast<int>(kind)].size()));
    }
    return index.column() == 0 ? Q(p->signal->m_szName) : Detail(*p);
}

QVariant CProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? tr("Signal") : tr("Problem");
}
