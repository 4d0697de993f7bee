#include "ProblemsPane.h"

#include "CommandIds.h"
#include "LocalDecimal.h"
#include "SignalTr.h"
#include "VantorDoc.h"
#include "VantorView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int ProblemRole = Qt::UserRole;

std::vector<const CSignalDescription*> InOrder(const SignalCollection& records) {
    std::vector<const CSignalDescription*> ordered;
    ordered.reserve(records.size());
    for (const auto& signal : records)
        ordered.push_back(signal.get());
    return ordered;
}

QString Q(const char16_t* text) {
    return QStringView(text).toString();
}

QString Percent(double fraction) {
    return LocalDecimal(QString::number(fraction * 100, 'f', 1)) + QStringLiteral(" %");
}

QString KindHeading(HealthKind kind, qsizetype count) {
    switch (kind) {
    case HealthKind::Duplicate:
        return CProblemsPane::tr("Duplicates (%1)").arg(count);
    case HealthKind::SameName:
        return CProblemsPane::tr("Same name, other values (%1)").arg(count);
    case HealthKind::Confusable:
        return CProblemsPane::tr("Cannot be told apart (%1)").arg(count);
    case HealthKind::Designator:
        return CProblemsPane::tr("ITU designators (%1)").arg(count);
    case HealthKind::Invalid:
        return CProblemsPane::tr("Invalid (%1)").arg(count);
    case HealthKind::UnknownName:
        return CProblemsPane::tr("Unknown names (%1)").arg(count);
    }
    return {};
}

QString Detail(const HealthProblem& p) {
    const CSignalDescription& s = *p.signal;
    const QString other = p.other != nullptr ? Q(p.other->m_szName) : QString();
    switch (p.kind) {
    case HealthKind::Duplicate:
        return CProblemsPane::tr("equal to an earlier \u201C%1\u201D").arg(other);
    case HealthKind::SameName: {
        QStringList fields;
        for (const FieldDifference& field : p.fields)
            fields << QLatin1String(field.key);
        return CProblemsPane::tr("differs in %1 from an earlier signal of that name")
            .arg(fields.join(QStringLiteral(", ")));
    }
    case HealthKind::Confusable:
        return CProblemsPane::tr("cannot be told from \u201C%1\u201D (%2 and %3), largest "
                                 "deviation %4")
            .arg(other, Q(s.GetModeName()), Q(p.other->GetModeName()), Percent(p.deviation));
    case HealthKind::Designator:
        if (p.designatorBandwidth == 0)
            return CProblemsPane::tr("\u201C%1\u201D is not four bandwidth characters (as 3K00) "
                                     "and an emission class")
                .arg(Q(s.m_szITU));
        return CProblemsPane::tr("\u201C%1\u201D gives %2 Hz, the bandwidth is %3 Hz (%4 off)")
            .arg(Q(s.m_szITU), QLocale().toString(p.designatorBandwidth),
                 QLocale().toString(s.m_dBandwidth), Percent(p.deviation));
    case HealthKind::Invalid:
        return SignalTr(SignalProblemSource(s.InvalidProblem()));
    case HealthKind::UnknownName:
        return CProblemsPane::tr("a decoder mode or modulation this version does not know");
    }
    return {};
}

} // namespace

CProblemsPane::CProblemsPane(CVantorView* view, QWidget* parent)
    : QWidget(parent), m_pView(view), m_pTree(new QTreeWidget(this)), m_pSummary(new QLabel(this)),
      m_pGoTo(new QPushButton(tr("&Go to"), this)),
      m_pBoth(new QPushButton(tr("Select &Both"), this)),
      m_pDelete(new QPushButton(tr("&Delete Later"), this)),
      m_pEdit(new QPushButton(tr("&Edit..."), this)), m_pRefresh(new QTimer(this)) {
    setObjectName(QStringLiteral("problemsPane"));
    setAccessibleName(tr("Problems"));
    m_pTree->setObjectName(QStringLiteral("problemsTree"));
    m_pTree->setAccessibleName(tr("Problems"));
    m_pTree->setColumnCount(2);
    m_pTree->setHeaderLabels({tr("Signal"), tr("Problem")});
    m_pTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_pTree->setUniformRowHeights(true);
    m_pDelete->setToolTip(tr("Deletes the later of two duplicates"));
    m_pBoth->setToolTip(tr("Selects both signals of the pair in the list"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_pGoTo, m_pBoth, m_pDelete, m_pEdit}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_pSummary);
    layout->addWidget(m_pTree, 1);
    layout->addLayout(buttons);
    m_pRefresh->setSingleShot(true);
    m_pRefresh->setInterval(300);
    connect(m_pRefresh, &QTimer::timeout, this, &CProblemsPane::Refresh);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, &CProblemsPane::UpdateButtons);
    connect(m_pTree, &QTreeWidget::itemActivated, this, [this] { GoTo(false); });
    connect(m_pGoTo, &QPushButton::clicked, this, [this] { GoTo(false); });
    connect(m_pBoth, &QPushButton::clicked, this, [this] { GoTo(true); });
    connect(m_pDelete, &QPushButton::clicked, this, [this] {
        GoTo(false);
        emit commandRequested(ID_SIGNAL_DELETE);
    });
    connect(m_pEdit, &QPushButton::clicked, this, [this] {
        GoTo(false);
        emit commandRequested(ID_SIGNAL_EDIT);
    });
    // Records the entries point to may go with any change: the list is made again.
    CVantorDoc* doc = view->Document();
    for (auto change : {&CVantorDoc::aboutToReset, &CVantorDoc::aboutToReorder})
        connect(doc, change, this, &CProblemsPane::Stale);
    connect(doc, &CVantorDoc::aboutToRemove, this, &CProblemsPane::Stale);
    connect(doc, &CVantorDoc::inserted, this, &CProblemsPane::Stale);
    connect(doc, &CVantorDoc::signalsChanged, this, &CProblemsPane::Stale);
    UpdateButtons();
}

QString CProblemsPane::RepeatsText(const QString& what, RepeatCounts before, RepeatCounts after) {
    const int duplicates = std::max(after.duplicates - before.duplicates, 0);
    const int sameName = std::max(after.sameName - before.sameName, 0);
    if (duplicates == 0 && sameName == 0)
        return {};
    return tr("%1 brought in %2 and %3: Show Problems lists them")
        .arg(what, duplicates == 1 ? tr("1 duplicate") : tr("%1 duplicates").arg(duplicates),
             sameName == 1 ? tr("1 signal with the name of another")
                           : tr("%1 signals with the name of another").arg(sameName));
}

void CProblemsPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_bStale)
        Refresh();
}

void CProblemsPane::Stale() {
    m_bStale = true;
    // Nothing points to a record that may be gone.
    m_problems.clear();
    m_pTree->clear();
    m_pSummary->setText(tr("Looking again..."));
    UpdateButtons();
    if (isVisible())
        m_pRefresh->start();
}

void CProblemsPane::Refresh() {
    m_pRefresh->stop();
    m_bStale = false;
    m_problems = FindHealthProblems(InOrder(m_pView->Document()->Signals()), HealthOptions());
    m_pTree->clear();
    std::vector<QTreeWidgetItem*> kinds(HealthKindCount, nullptr);
    std::vector<qsizetype> counts(HealthKindCount, 0);
    for (std::size_t i = 0; i < m_problems.size(); ++i) {
        const HealthProblem& p = m_problems[i];
        const int kind = static_cast<int>(p.kind);
        if (kinds[kind] == nullptr)
            kinds[kind] = new QTreeWidgetItem;
        auto* item = new QTreeWidgetItem(kinds[kind], {Q(p.signal->m_szName), Detail(p)});
        item->setData(0, ProblemRole, qulonglong(i));
        ++counts[kind];
    }
    for (int kind = 0; kind < HealthKindCount; ++kind) {
        if (kinds[kind] == nullptr)
            continue;
        kinds[kind]->setText(0, KindHeading(static_cast<HealthKind>(kind), counts[kind]));
        m_pTree->addTopLevelItem(kinds[kind]);
        kinds[kind]->setFirstColumnSpanned(true);
        kinds[kind]->setExpanded(true);
    }
    m_pSummary->setText(m_problems.empty()       ? tr("No problems found")
                        : m_problems.size() == 1 ? tr("1 problem found")
                                                 : tr("%1 problems found").arg(m_problems.size()));
    if (m_pTree->topLevelItemCount() > 0)
        m_pTree->setCurrentItem(m_pTree->topLevelItem(0));
    UpdateButtons();
}

const HealthProblem* CProblemsPane::Current() const {
    const QTreeWidgetItem* item = m_pTree->currentItem();
    if (item == nullptr || item->parent() == nullptr || m_bStale)
        return nullptr;
    const auto index = item->data(0, ProblemRole).toULongLong();
    return index < m_problems.size() ? &m_problems[index] : nullptr;
}

void CProblemsPane::UpdateButtons() {
    const HealthProblem* p = Current();
    m_pGoTo->setEnabled(p != nullptr);
    m_pBoth->setEnabled(p != nullptr && p->other != nullptr);
    m_pDelete->setEnabled(p != nullptr && p->kind == HealthKind::Duplicate);
    m_pEdit->setEnabled(p != nullptr);
}

void CProblemsPane::GoTo(bool both) {
    const HealthProblem* p = Current();
    if (p == nullptr)
        return;
    std::vector<const CSignalDescription*> records{p->signal};
    if (both && p->other != nullptr)
        records.push_back(p->other);
    m_pView->SelectSignals(records);
}
