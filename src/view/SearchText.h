#pragma once

#include "SignalSort.h"

#include <string>
#include <vector>

// The find over the texts it searches (Name, Decoder, Modulation, ITU Designator, Comments)
// for an ASCII find text, read in place: a record's own texts are scanned with ASCII case
// folded (any other character matches no ASCII text); the decoder and modulation names come
// from the vocabulary's tables, so each distinct name is looked at once per find. Nothing is
// copied or kept between finds.
class CSearchText {
public:
    // Collection positions, ascending, of the records whose texts contain needle (lower-case
    // ASCII).
    static std::vector<int> Find(const SignalCollection& records, const std::string& needle);
};
