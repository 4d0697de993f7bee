#pragma once

#include <QString>

// The record's own texts (column headings, validation messages) in the user's language:
// the record keeps them in English, as files, quarn-tool and the tests see them.
QString ModelTr(const char16_t* text);
