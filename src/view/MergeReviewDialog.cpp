#include "MergeReviewDialog.h"

#include "MergeReviewModel.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Hides the entries of signals equal to held ones that bring nothing, unless asked.
class CChangesOnly : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetEqualShown(bool shown) {
        m_bEqualShown = shown;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (m_bEqualShown || parent.isValid())
            return true;
        const auto* model = static_cast<const CMergeReviewModel*>(sourceModel());
        const MergeEntry* e = model->EntryAt(model->index(row, 0));
        return e->kind != MergeEntryKind::Identical || e->Choosable();
    }

private:
    bool m_bEqualShown = false;
};

} // namespace

CMergeReviewDialog::CMergeReviewDialog(MergePlan& plan, const QString& otherPath,
                                       const QString& since, QWidget* parent)
    : QDialog(parent), m_pModel(new CMergeReviewModel(plan, this)),
      m_pShown(new CChangesOnly(this)), m_pTree(new QTreeView(this)),
      m_pShowEqual(new QCheckBox(tr("Show signals &equal to held ones"), this)) {
    setObjectName(QStringLiteral("MergeReview"));
    setWindowTitle(tr("Merge %1").arg(QFileInfo(otherPath).fileName()));
    QString intro = tr("What %1 brings: %2.").arg(otherPath, m_pModel->Summary());
    if (!since.isEmpty())
        intro += u' ' + tr("Changes since the version of %1.").arg(since);
    intro += u' ' + tr("Checked changes are made as one step when you apply; Space checks or "
                       "unchecks the current one.");
    auto* label = new QLabel(intro, this);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pShown->setSourceModel(m_pModel);
    m_pTree->setModel(m_pShown);
    m_pTree->setUniformRowHeights(true);
    m_pTree->setAllColumnsShowFocus(true);
    m_pTree->setAccessibleName(tr("What the merge brings"));
    m_pTree->setAccessibleDescription(m_pModel->Summary());
    m_pTree->header()->setStretchLastSection(true);
    m_pTree->setColumnWidth(CMergeReviewModel::ColumnSignal, 220);
    m_pTree->setColumnWidth(CMergeReviewModel::ColumnWhat, 200);
    m_pTree->setColumnWidth(CMergeReviewModel::ColumnHere, 180);
    m_pTree->setColumnWidth(CMergeReviewModel::ColumnThere, 180);
    label->setBuddy(m_pTree);
    connect(m_pShowEqual, &QCheckBox::toggled, this, &CMergeReviewDialog::ShowEqualChanged);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* apply = buttons->addButton(tr("&Apply"), QDialogButtonBox::AcceptRole);
    apply->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pTree, 1);
    layout->addWidget(m_pShowEqual);
    layout->addWidget(buttons);
    resize(900, 480);
    m_pTree->setFocus();
    m_pTree->setCurrentIndex(m_pShown->index(0, 0));
}

void CMergeReviewDialog::ShowEqualChanged(bool shown) {
    static_cast<CChangesOnly*>(m_pShown)->SetEqualShown(shown);
    if (!m_pTree->currentIndex().isValid())
        m_pTree->setCurrentIndex(m_pShown->index(0, 0));
}
