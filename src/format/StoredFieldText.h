#pragma once

#include "StoredFields.h"

#include <QString>

class CSignalDescription;

// A stored value in words (StoredFields.h): a text as it is; a real as the file writes it (six
// significant digits), "*" for the wildcard, empty when not given; a count likewise; a flag
// "0" or "1"; a decoder or modulation by its name, one this version does not know by the name
// it was read with; kept markup as the file had it.
QString StoredFieldText(const CSignalDescription& signal, const StoredField& field);
