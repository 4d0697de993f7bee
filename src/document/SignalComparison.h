#pragma once

#include "SignalDescription.h"
#include "SignalSort.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <string>
#include <unordered_set>
#include <vector>

// The open database compared with another version of it: which of its signals the other
// holds changed or not at all, and which the other holds that it does not. The other's
// records live as long as the comparison.
//
// After the first pairing, a change pairs again only the names it touched: the owner tells
// the comparison of records about to change or go (Forget), of records changed or come
// (Touch), and of a new order or new records throughout (Rearranged).
class CSignalComparison {
public:
    enum class State { Same, Changed, Removed, Added };
    struct Counts {
        int added = 0;
        int removed = 0;
        int changed = 0;
        int Total() const { return added + removed + changed; }
    };

    CSignalComparison(QString otherPath, SignalCollection other);

    // Pairs the open database's records with the other's anew (after every change): the
    // names touched since the last pairing, or all of them.
    void Compare(const SignalCollection& own);
    // Records about to change in place or to leave the database: their names as they are now
    // pair again, and the comparison holds nothing of them.
    void Forget(const std::vector<const CSignalDescription*>& records);
    // Records changed in place or come into the database: their names pair again.
    void Touch(const std::vector<const CSignalDescription*>& records);
    // The records' order changed, or all of them: the next pairing pairs every name.
    void Rearranged() { m_bWhole = true; }

    // Changed: the other holds the signal with other values; Removed: the other does not
    // hold it; Same otherwise (also for a record the comparison does not know).
    State StateOf(const CSignalDescription* own) const;
    // The other's version of a changed record, else nullptr.
    const CSignalDescription* OtherOf(const CSignalDescription* own) const;
    // The other's signals the open database does not hold, in the other's order.
    const std::vector<const CSignalDescription*>& Added() const { return m_added; }
    Counts Count() const;
    const QString& OtherPath() const { return m_otherPath; }

private:
    void CompareWhole(const SignalCollection& own);
    void CompareTouched(const SignalCollection& own);
    void TouchName(std::u16string_view name);
    // m_added from m_addedAt (in the other's file order).
    void ListAdded();

    QString m_otherPath;
    SignalCollection m_other;          // in name order (by code unit), file order within a name
    std::vector<std::size_t> m_fileAt; // for each of m_other, its place in the file
    // Open addressing: a million records of a comparison fill them without a node each.
    QHash<const CSignalDescription*, const CSignalDescription*> m_changed;
    QSet<const CSignalDescription*> m_removed;
    std::vector<std::size_t> m_addedAt; // places in m_other, ascending by file place
    std::vector<const CSignalDescription*> m_added;
    bool m_bWhole = true;                         // every name pairs again next time
    std::unordered_set<std::u16string> m_touched; // names that pair again next time
};
