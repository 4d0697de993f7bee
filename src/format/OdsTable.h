#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// OpenDocument spreadsheets (.ods) of one table, for Export and Import: cells are typed, so
// that a spreadsheet keeps a text as a text (a spacing list is never read as a number) and a
// number as the number written.
struct SheetCell {
    QString text;
    bool number = false; // a plain number ("45.45", "-1"): a number cell with that value
};

// True when data starts as a zip archive does (as every OpenDocument file does).
bool IsZipArchive(const QByteArray& data);

// The spreadsheet of rows in one table named sheet. False with why when a text holds a
// character an XML file cannot carry, or the archive cannot be made.
bool WriteOds(const QList<QList<SheetCell>>& rows, const QString& sheet, QByteArray& out,
              QString& why);

// The first table of a spreadsheet: its rows that hold anything, each with its row number;
// a number cell as the value the file stores (not as a locale shows it), a true or false
// cell as 1 or 0, a text cell's paragraphs joined by line breaks. False with why (and the
// row) when data is not an OpenDocument spreadsheet or its content cannot be read.
struct SheetRows {
    QList<QStringList> records;
    QList<int> lines;
};
bool ReadOds(const QByteArray& data, SheetRows& rows, QString& why, int& line);
