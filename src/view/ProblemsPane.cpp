#include "ProblemsPane.h"

#include "CommandIds.h"
#include "ProblemsModel.h"
#include "VantorDoc.h"
#include "VantorView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

std::vector<const CSignalDescription*> InOrder(const SignalCollection& records) {
    std::vector<const CSignalDescription*> ordered;
    ordered.reserve(records.size());
    for (const auto& signal : records)
        ordered.push_back(signal.get());
    return ordered;
}

} // namespace

CProblemsPane::CProblemsPane(CVantorView* view, QWidget* parent)
    : QWidget(parent), m_pView(view), m_pModel(new CProblemsModel(this)),
      m_pTree(new QTreeView(this)), m_pSummary(new QLabel(this)),
      m_pGoTo(new QPushButton(tr("&Go to"), this)),
      m_pBoth(new QPushButton(tr("Select &Both"), this)),
      m_pDelete(new QPushButton(tr("&Delete Later"), this)),
      m_pEdit(new QPushButton(tr("&Edit..."), this)), m_pRefresh(new QTimer(this)) {
    setObjectName(QStringLiteral("problemsPane"));
    setAccessibleName(tr("Problems"));
    m_pTree->setObjectName(QStringLiteral("problemsTree"));
    m_pTree->setAccessibleName(tr("Problems"));
    m_pTree->setModel(m_pModel);
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
    connect(m_pTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CProblemsPane::UpdateButtons);
    connect(m_pTree, &QTreeView::activated, this, [this] { GoTo(false); });
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
    QStringList brought;
    if (duplicates > 0)
        brought << (duplicates == 1 ? tr("1 duplicate") : tr("%1 duplicates").arg(duplicates));
    if (sameName > 0)
        brought << (sameName == 1 ? tr("1 signal with the name of another")
                                  : tr("%1 signals with the name of another").arg(sameName));
    if (brought.isEmpty())
        return {};
    if (brought.size() == 1)
        return tr("%1 brought in %2: Show Problems lists them").arg(what, brought[0]);
    return tr("%1 brought in %2 and %3: Show Problems lists them")
        .arg(what, brought[0], brought[1]);
}

void CProblemsPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_bStale)
        Refresh();
}

void CProblemsPane::Stale() {
    m_bStale = true;
    // Nothing points to a record that may be gone.
    m_pModel->SetProblems({});
    m_pSummary->setText(tr("Looking again..."));
    UpdateButtons();
    if (isVisible())
        m_pRefresh->start();
}

void CProblemsPane::Refresh() {
    m_pRefresh->stop();
    m_bStale = false;
    m_pModel->SetProblems(
        FindHealthProblems(InOrder(m_pView->Document()->Signals()), HealthOptions()));
    for (int row = 0; row < m_pModel->rowCount(); ++row)
        m_pTree->setFirstColumnSpanned(row, {}, true);
    m_pTree->expandAll();
    const std::size_t found = m_pModel->Problems().size();
    m_pSummary->setText(found == 0   ? tr("No problems found")
                        : found == 1 ? tr("1 problem found")
                                     : tr("%1 problems found").arg(found));
    if (m_pModel->rowCount() > 0)
        m_pTree->setCurrentIndex(m_pModel->index(0, 0));
    UpdateButtons();
}

const std::vector<HealthProblem>& CProblemsPane::Problems() const {
    return m_pModel->Problems();
}

const HealthProblem* CProblemsPane::Current() const {
    return m_bStale ? nullptr : m_pModel->Problem(m_pTree->currentIndex());
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
