#pragma once

#include "SignalSort.h"

#include <cstddef>
#include <string>
#include <vector>

// The texts the find searches (Name, Decoder, Modulation, ITU Designator, Comments) of every
// record in collection order, folded to lower-case ASCII bytes in one buffer; any other
// character is one byte that no ASCII text contains. An ASCII find text is then one pass
// over contiguous memory instead of several cache misses per record. Built on first use
// after Invalidate().
class CSearchText {
public:
    void Invalidate() { m_bValid = false; }
    // Collection positions, ascending, of the records whose texts contain needle (folded).
    std::vector<int> Find(const SignalCollection& records, const std::string& needle);

private:
    void Build(const SignalCollection& records);

    std::string m_text;                // fields end with '\0'
    std::vector<std::size_t> m_starts; // where each record's texts begin, and the end
    bool m_bValid = false;
};
