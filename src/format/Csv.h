#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

// One record of comma-separated values (RFC 4180): fields holding a comma, a quote or a
// line break are quoted with their quotes doubled; the line ends with CR LF. UTF-8.
QByteArray CsvRecord(const QStringList& fields);

// A cell as a spreadsheet may take it: a text that begins with =, +, -, @, tab or CR would
// be run as a formula and gets a leading '. One plain number or the wildcard stays as it is.
QString SpreadsheetSafe(const QString& cell);

class CSignalDescription;

// The list's 14 columns as CSV records, as File > Export and quarn-tool list --csv write them:
// the headings (heading gives each column's, English or translated), and a record's cells,
// each made safe for a spreadsheet.
QByteArray CsvHeadings(const std::function<QString(int column)>& heading);
QByteArray CsvCells(const CSignalDescription& signal);
