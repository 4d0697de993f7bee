#pragma once

#include "SignalDescription.h"
#include "SignalSort.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <cstdint>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

// The open database compared with another version of it: which of its signals the other
// holds changed or not at all, and which the other holds that it does not. The other's
// records live as long as the comparison.
//
// After the first pairing, a change pairs again only what it touched: the owner tells the
// comparison of records about to change in place (Changing) and changed (Changed), about to
// leave (Leaving) and come (Came), and of a new order (Rearranged). A record whose name stands
// once here and at most once in the other keeps its partner while it keeps its name, and
// only its values are compared again; other names pair again, and a new order pairs again
// the names the order decides.
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
    // Records about to change in place, and changed: the names they had and have pair again,
    // or, for a record alone under a name it keeps, its values are compared again.
    void Changing(const std::vector<const CSignalDescription*>& records);
    void Changed(const std::vector<const CSignalDescription*>& records);
    // Records about to leave the database, and come into it: their names pair again, and the
    // comparison holds nothing of those that left.
    void Leaving(const std::vector<const CSignalDescription*>& records);
    void Came(const std::vector<const CSignalDescription*>& records);
    // The records' order changed: the names standing more than once here pair again.
    void Rearranged();

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
    // The record's name pairs again, and the comparison holds nothing of the record.
    void Unpair(const CSignalDescription* record);
    // The values of the records in m_refresh against their partners'.
    void Refresh();
    // The places in m_other of the name's records.
    std::pair<std::size_t, std::size_t> OtherRun(std::u16string_view name) const;
    // m_added from m_addedAt (in the other's file order).
    void ListAdded();

    QString m_otherPath;
    SignalCollection m_other;          // in name order (by code unit), file order within a name
    std::vector<std::size_t> m_fileAt; // for each of m_other, its place in the file
    // The first of each name's run in m_other, plus one (0: empty), by the name's hash with
    // open addressing: a name is found in a probe or two instead of a search among a million.
    std::vector<std::uint32_t> m_nameSlots;
    // Open addressing: a million records of a comparison fill them without a node each.
    QHash<const CSignalDescription*, const CSignalDescription*> m_changed;
    QSet<const CSignalDescription*> m_removed;
    std::vector<std::size_t> m_addedAt; // places in m_other, ascending by file place
    std::vector<const CSignalDescription*> m_added;
    // Records whose name stands once here and at most once in the other, with their partners
    // (nullptr: none).
    QHash<const CSignalDescription*, const CSignalDescription*> m_single;
    std::unordered_set<std::u16string> m_repeated; // names standing more than once here
    bool m_bWhole = true;                          // every name pairs again next time
    bool m_bRearranged = false;                    // the names of m_repeated pair again next time
    std::unordered_set<std::u16string> m_touched;  // names that pair again next time
    std::vector<const CSignalDescription*> m_refresh; // of m_single, changed since
};
