#pragma once

#include "MergePlan.h"

#include <QDialog>

class CMergeReviewModel;
class QCheckBox;
class QLabel;
class QSortFilterProxyModel;
class QTreeView;

// File > Merge's review: what the other file would bring, signal by signal, each change with a
// check box (Space), the values a signal differs in below it. Apply makes the checked changes
// (the plan holds them); Cancel changes nothing. Signals equal to held ones are shown on
// request: a merge of a new release is mostly those.
class CMergeReviewDialog : public QDialog {
    Q_OBJECT
public:
    // since: for a merge against a base, when the base was taken in ("changes since ...").
    CMergeReviewDialog(MergePlan& plan, const QString& otherPath, const QString& since = {},
                       QWidget* parent = nullptr);

    QTreeView* Tree() const { return m_pTree; }
    CMergeReviewModel* Model() const { return m_pModel; }
    QCheckBox* ShowEqual() const { return m_pShowEqual; }

private:
    void ShowEqualChanged(bool shown);

    CMergeReviewModel* m_pModel;
    QSortFilterProxyModel* m_pShown;
    QTreeView* m_pTree;
    QCheckBox* m_pShowEqual;
};
