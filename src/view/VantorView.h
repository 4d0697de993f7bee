#pragma once

#include "CommandTarget.h"

#include <QTableView>

#include <cstdint>

class CVantorDoc;
class CSignalDescription;
class CSignalRowModel;
class QMenu;

// The main list: one row per record that passes the modulation filter, in collection
// order; sorts the collection on a header click and carries the list editing commands.
class CVantorView : public QTableView, public CCommandTarget {
    Q_OBJECT
public:
    CVantorView(CVantorDoc* doc, QWidget* parent = nullptr);

    CSignalRowModel* RowModel() const { return m_pModel; }
    void SetContextMenu(QMenu* menu) { m_pContextMenu = menu; }

    int SortColumn() const { return m_nSortColumn; }
    bool SortDescending() const { return m_bSortDescending; }

    void RebuildRows();
    void OnColumnClick(int column);
    void OnFilter(std::uint32_t id);
    void OnSignalNew();
    void OnSignalDelete();
    void OnSignalEnable() { SetSelectedDisabled(false); }
    void OnSignalDisable() { SetSelectedDisabled(true); }
    void OnEditSelectAll();
    void EditRow(int row);
    void SelectSignalRow(const CSignalDescription* signal);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::vector<int> SelectedRows() const;
    void SetSelectedDisabled(bool disabled);
    void ShowSortOrder();
    void AfterEdit(const CSignalDescription* signal);

    CVantorDoc* m_pDoc;
    CSignalRowModel* m_pModel;
    QMenu* m_pContextMenu = nullptr;
    int m_nSortColumn = 0;
    bool m_bSortDescending = false;
};
