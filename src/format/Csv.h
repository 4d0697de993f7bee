#pragma once

#include <QByteArray>
#include <QStringList>

// One record of comma-separated values (RFC 4180): fields holding a comma, a quote or a
// line break are quoted with their quotes doubled; the line ends with CR LF. UTF-8.
QByteArray CsvRecord(const QStringList& fields);

// A cell as a spreadsheet may take it: a text that begins with =, +, -, @, tab or CR would
// be run as a formula and gets a leading '. Numbers and wildcards (digits, signs, points,
// commas, spaces, exponents and *) stay as they are.
QString SpreadsheetSafe(const QString& cell);
