#pragma once

#include "OdsTable.h"
#include "SignalSort.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringList>

#include <functional>
#include <optional>

// One record of comma-separated values (RFC 4180): fields holding a comma, a quote or a
// line break are quoted with their quotes doubled; the line ends with CR LF. UTF-8.
QByteArray CsvRecord(const QStringList& fields);

// A cell as a spreadsheet may take it: a text that begins with =, +, -, @, tab or CR would
// be run as a formula and gets a leading '. One plain number or the wildcard stays as it is.
QString SpreadsheetSafe(const QString& cell);

class CSignalDescription;
struct StoredField;

// The columns a spreadsheet gets, in order: the list's 14, then the stored values no column
// shows (the minimum numbers of tones and carriers, the disabled flag), so that Export and
// Import carry every value a save keeps but kept markup.
const QList<const StoredField*>& CsvFields();
// The headings (English, or in the interface's language) and a record's cells, each made safe
// for a spreadsheet. The list's columns hold the cells as the list shows them, but for values
// the list shows empty (a negative pilot frequency) and for names this version does not know,
// which are written as stored; a spacing list gets a space after each comma, so that a
// spreadsheet keeps it as text instead of reading a number with thousands separators.
QByteArray CsvHeadings(bool translated);
QByteArray CsvCells(const CSignalDescription& signal);
// The same as an OpenDocument spreadsheet's rows: numbers in number cells, the rest in text
// cells, none guarded (a text cell is never a formula).
QList<SheetCell> SheetHeadings(bool translated);
QList<SheetCell> SheetCells(const CSignalDescription& signal);

// The separator of a table's text: the one of comma, semicolon and tab that its first line
// holds most of (outside quotes); a comma when it holds none.
QChar CsvSeparator(const QString& text);

// Reads separated values (RFC 4180 with the separator given; CR LF, LF or CR alone): the
// records with the line each starts on. False with why (and the line) for a quote left open.
using CsvTable = SheetRows;
// The same as a reader fed a text in pieces: each record goes to row with its line as soon as
// it has ended. Finish ends the text.
class CsvRowReader {
public:
    using Row = std::function<void(QStringList& cells, int line)>;
    CsvRowReader(QChar separator, Row row);
    void Feed(QStringView text);
    bool Finish(QString& why, int& line);

private:
    // One code unit, with the one after it (none at the end); true when it took that one too.
    bool Step(QChar c, std::optional<QChar> next);
    void EndRecord();

    QChar m_cSeparator;
    Row m_row;
    QStringList m_record;
    QString m_field;
    QChar m_cPending;
    bool m_bPending = false;
    bool m_bQuoted = false;
    bool m_bFieldStarted = false;
    int m_nAt = 1;
    int m_nStart = 1;
};
bool ReadCsv(const QString& text, QChar separator, CsvTable& table, QString& why, int& line);

// The field a heading names (its English heading, its heading in any language the interface
// speaks, or its key, in any case), or null.
const StoredField* CsvFieldNamed(const QString& heading);

// A record from the cells of a row, as Export writes them: fields holds, for each cell, the
// field it belongs to (null: none). Cells are read as the list shows them: "*" any value,
// empty not given, "12 (min. 8)" a count with its minimum, the leading ' of a cell made safe
// for a spreadsheet dropped (CSV only: the typed cells of an OpenDocument file are never
// guarded); a decimal comma where the reading says so. False with why for a number cell that
// is not a number and a text longer than its field holds.
struct CsvReading {
    bool decimalComma = false;
    bool guarded = true;
};
bool SignalFromCsv(const QList<const StoredField*>& fields, const QStringList& cells,
                   CSignalDescription& s, CsvReading reading, QString& why);

// A typed value for one field of s, read as a spreadsheet cell of the field is and checked as
// the edit dialog checks the signal; s stays as it was when false (with why). Kept markup
// cannot be typed.
bool SetFieldFromText(CSignalDescription& s, const StoredField& field, const QString& text,
                      QString& why);

// A spreadsheet's rows as signals (File > Import, quarn-tool import; CSV, or an OpenDocument
// spreadsheet's first table): the records of the rows
// that pass the edit dialog's checks, the rows refused (line and why), the headings that
// name no column, and how the file was read. False with why (and the line) when the data is
// not a table of signals or holds no row of them.
struct CsvImport {
    SignalCollection records;
    QList<std::pair<int, QString>> refused;
    QStringList unknownColumns;
    int headingLine = 1;
    QString encoding; // "UTF-8", "UTF-16LE", "UTF-16BE" or "Windows-1252"
    QChar separator = u',';
    // How the file was read, when not UTF-8 with commas ("read as Windows-1252, separated by
    // semicolons, with decimal commas"); empty otherwise.
    QString ReadAs() const;
};
// The device is read a chunk at a time (a second time for text that may not be UTF-8) and
// never held whole, but for a spreadsheet's zip archive.
bool ImportCsv(QIODevice& device, CsvImport& result, QString& why, int& line);
bool ImportCsv(const QByteArray& data, CsvImport& result, QString& why, int& line);
