#pragma once

#include "SignalDescription.h"
#include "SignalSort.h"
#include "VantorDoc.h"

#include <QUndoCommand>

#include <cstdint>
#include <memory>
#include <vector>

// The steps of the history. Each makes its change in redo() through the document's
// operations and takes it back in undo(); records out of the collection belong to the step
// that took them out. Steps note positions only together with the arrangement they belong
// to: after a sort made since, records go back to their sorted places instead, so that
// undoing a change never undoes a sort.
class CSignalStep : public QUndoCommand {
public:
    CSignalStep(CVantorDoc* doc, const QString& text);
    ~CSignalStep() override;

    // The memory the step holds (records taken out, positions, orders), in bytes.
    virtual std::size_t Bytes() const;
    // Frees what the step holds; it can no longer be undone (the oldest steps go first when
    // the history holds too much).
    virtual void Release();
    bool IsReleased() const { return m_bReleased; }

private:
    // The records taken out, their texts included.
    std::size_t PoolBytes() const;

protected:
    // The step is about these held records, standing at positions when the caller knows them.
    void Hold(std::vector<CSignalDescription*> records, std::vector<int> positions);
    // Takes the records the step added out again (New, Paste, Merge), with the order before
    // a sort the step made, when nothing was sorted since.
    void TakeAddedBack();
    // Where the step's records stand now.
    std::vector<int> Positions();
    // Takes the step's records out of the collection into the pool, noting their positions.
    void TakeOut();
    // Puts the pool back: at the noted positions while the collection is arranged as when
    // they left, else at their sorted places (at the end when the order is unknown).
    void PutBack();

    // Notes the arrangement before a redo, and after it.
    void Begin();
    void End();
    // True when the collection is arranged as the last redo left it.
    bool Exact() const;
    // After an undo made exactly: the collection is arranged as before the redo again.
    void Restore();
    // Sorts the whole collection, noting the order before for SortBack().
    void SortAll(int column, bool descending);
    // Gives the order before SortAll() back when nothing was sorted since.
    void SortBack();

    CVantorDoc* m_pDoc;
    std::vector<CSignalDescription*> m_records;     // the records the step is about
    SignalCollection m_pool;                        // those of them out of the collection
    std::vector<int> m_positions;                   // where the pooled records stood
    std::vector<CSignalDescription*> m_orderBefore; // only when the step sorted everything
    CVantorDoc::SortOrder m_sortBefore;
    std::uint64_t m_nBefore = 0; // the arrangement before the last redo
    std::uint64_t m_nAfter = 0;  // and after it
    std::uint64_t m_nSorted = 0; // the arrangement SortAll() left
    std::uint64_t m_nGiven = 0;  // the arrangement positions given to the step belong to
    std::size_t m_nSize = sizeof(CSignalStep); // the step itself, set by each kind
    bool m_bReleased = false;
};

// New, Duplicate, Paste: adds records at their places under the list's sort. When the
// collection does not follow that sort (after a merge), the whole collection is sorted, and
// undo gives the order before back.
class CInsertSignalsStep : public CSignalStep {
public:
    CInsertSignalsStep(CVantorDoc* doc, const QString& text, SignalCollection records, int column,
                       bool descending);
    void redo() override;
    void undo() override;

private:
    int m_nColumn;
    bool m_bDescending;
};

// Merge: appends records at the end; the order becomes unknown.
class CMergeSignalsStep : public CSignalStep {
public:
    CMergeSignalsStep(CVantorDoc* doc, const QString& text, SignalCollection records);
    void redo() override;
    void undo() override;
};

// Delete and Cut.
class CRemoveSignalsStep : public CSignalStep {
public:
    // positions: where the records stand now, when the caller knows it (ascending).
    CRemoveSignalsStep(CVantorDoc* doc, const QString& text,
                       std::vector<CSignalDescription*> records, std::vector<int> positions = {});
    void redo() override;
    void undo() override;
};

// Edit: gives a record a new value and moves it to its place under the list's sort.
class CEditSignalStep : public CSignalStep {
public:
    CEditSignalStep(CVantorDoc* doc, CSignalDescription* record, const CSignalDescription& value,
                    int column, bool descending);
    void redo() override;
    void undo() override;

private:
    void Exchange();

    CSignalDescription m_value; // the value the record does not hold now
    int m_nColumn;
    bool m_bDescending;
    int m_nFrom = 0; // where the record stood before the edit
};

// Enable and Disable: flips the flag of the records whose flag differs.
class CFlagSignalsStep : public CSignalStep {
public:
    CFlagSignalsStep(CVantorDoc* doc, const QString& text, std::vector<CSignalDescription*> records,
                     std::vector<int> positions = {});
    void redo() override;
    void undo() override;
};

// one ("Delete Signal") for a single signal, else many ("Delete %1 Signals") with the count.
QString CountedText(const QString& one, const QString& many, std::size_t count);

// Change Selected Signals: gives each record its new value in one step; the collection is
// sorted again under the list's sort, and undo gives the order before back.
class CEditSignalsStep : public CSignalStep {
public:
    CEditSignalsStep(CVantorDoc* doc, const QString& text, std::vector<CSignalDescription*> records,
                     std::vector<CSignalDescription> values, int column, bool descending);
    void redo() override;
    void undo() override;

private:
    void Exchange();

    std::vector<CSignalDescription> m_values; // the values the records do not hold now
    int m_nColumn;
    bool m_bDescending;
};

// Change Selected Signals: one field set on many records, which trade that field's values with
// the step, then take their places under the sort if the field orders it.
class CChangeSignalsStep : public CSignalStep {
public:
    CChangeSignalsStep(CVantorDoc* doc, const QString& text,
                       std::vector<CSignalDescription*> records, SignalChangeField field,
                       std::vector<ChangedValues> values, int column, bool descending);
    void redo() override;
    void undo() override;

private:
    std::vector<ChangedValues> m_values; // the values the records do not hold now
    SignalChangeField m_field;
    int m_nColumn;
    bool m_bDescending;
};

// Several steps as one step of the history (Take from Other: edits, removals and
// insertions): made in their order, taken back in the reverse.
class CStepGroup : public CSignalStep {
public:
    CStepGroup(CVantorDoc* doc, const QString& text,
               std::vector<std::unique_ptr<CSignalStep>> steps);
    void redo() override;
    void undo() override;
    std::size_t Bytes() const override;
    void Release() override;

private:
    std::vector<std::unique_ptr<CSignalStep>> m_steps;
};
