#pragma once

#include "SignalDescription.h"
#include "SignalSort.h"

#include <QString>

#include <unordered_map>
#include <unordered_set>
#include <vector>

// The open database compared with another version of it: which of its signals the other
// holds changed or not at all, and which the other holds that it does not. The other's
// records live as long as the comparison.
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

    // Pairs the open database's records with the other's anew (after every change).
    void Compare(const SignalCollection& own);

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
    QString m_otherPath;
    SignalCollection m_other; // in name order, so that pairing never sorts it again
    std::vector<const CSignalDescription*> m_otherInFileOrder;
    std::unordered_map<const CSignalDescription*, const CSignalDescription*> m_changed;
    std::unordered_set<const CSignalDescription*> m_removed;
    std::vector<const CSignalDescription*> m_added;
};
