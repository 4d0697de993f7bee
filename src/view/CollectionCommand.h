#pragma once

#include "SignalDescription.h"
#include "VantorDoc.h"

#include <QPointer>
#include <QUndoCommand>

#include <vector>

// One undoable change of the collection, recorded after it was made: the order of the
// records before and after (records that left the collection are kept here), the values
// of edited records and the disabled flags that changed.
class CCollectionCommand : public QUndoCommand {
public:
    CCollectionCommand(CVantorDoc* doc, const QString& text);
    ~CCollectionCommand() override;

    void SetOrders(std::vector<CSignalDescription*> before, CVantorDoc::SortOrder sortBefore);
    // Records out of the collection after the change (deleted ones).
    void KeepRemoved(SignalCollection&& removed);
    // record holds its new value now.
    void AddValueChange(CSignalDescription* record, const CSignalDescription& before);
    // record's disabled flag was flipped.
    void AddFlagChange(CSignalDescription* record);

    void undo() override;
    void redo() override;

    // The memory the step holds (records taken out, orders, values), in bytes.
    std::size_t Bytes() const;
    // Frees what the step holds; it can no longer be undone (the oldest steps go first
    // when the history holds too much).
    void Release();
    bool IsReleased() const { return m_bReleased; }

private:
    void Apply(bool after);

    struct ValueChange {
        CSignalDescription* record;
        CSignalDescription before;
        CSignalDescription after;
    };
    QPointer<CVantorDoc> m_pDoc;
    bool m_bReorders = false;
    std::vector<CSignalDescription*> m_before;
    std::vector<CSignalDescription*> m_after;
    CVantorDoc::SortOrder m_sortBefore;
    CVantorDoc::SortOrder m_sortAfter;
    SignalCollection m_pool; // records not in the collection in the current state
    std::vector<ValueChange> m_values;
    std::vector<CSignalDescription*> m_flags;
    bool m_bFirstRedo = true;
    bool m_bReleased = false;
};

// "Delete 3 Signals", "Delete Signal".
QString CountedText(const QString& verb, std::size_t count);
