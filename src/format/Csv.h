#pragma once

#include "SignalSort.h"

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

// Reads comma-separated values (RFC 4180; UTF-8, an optional byte-order mark; CR LF or LF):
// the records with the line each starts on. False with why (and the line) for a quote left
// open.
struct CsvTable {
    QList<QStringList> records;
    QList<int> lines;
};
bool ReadCsv(const QByteArray& data, CsvTable& table, QString& why, int& line);

// A record from the cells of a row of the list's columns, as Export writes them: columns
// holds, for each cell, the list column it belongs to (-1: not one). Cells are read as the
// list shows them: "*" any value, empty not given, "12 (min. 8)" a count with its minimum,
// the leading ' of a cell made safe for a spreadsheet dropped. False with why for a number
// cell that is not a number.
bool SignalFromCsv(const QList<int>& columns, const QStringList& cells, CSignalDescription& s,
                   QString& why);
// The list column a heading names (English heading or quarn-tool's key, in any case), or -1.
int CsvColumnNamed(const QString& heading);

// A spreadsheet's rows as signals (File > Import, quarn-tool import): the records of the rows
// that pass the edit dialog's checks, the rows refused (line and why) and the headings that
// name no column. False with why (and the line) when the data is not a table of signals.
struct CsvImport {
    SignalCollection records;
    QList<std::pair<int, QString>> refused;
    QStringList unknownColumns;
    int headingLine = 1;
};
bool ImportCsv(const QByteArray& data, CsvImport& result, QString& why, int& line);
