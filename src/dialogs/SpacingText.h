#pragma once

#include <QString>
#include <QStringList>

// The carrier spacing text of a multicarrier signal: "*", one value for every pair of
// neighbouring carriers, or a list of one value per pair joined by ",".

#include "SignalDescription.h"

// The record's spacing text without its terminator.
inline constexpr int SpacingTextLimit = CSignalDescription::SpacingCapacity - 1;
// One pair's spacing as the spacing dialog shows and reads it.
inline constexpr int SpacingValueLimit = 31;

// The most carriers a list of spacings is shown for: a longer list cannot fit the text.
inline constexpr int MaxListCarriers = 100;

struct SpacingRows {
    bool isList = false; // "Multiple spacings:" rather than one common value
    QString common;      // the text for the common-value edit (single form)
    QStringList cells;   // one "Spacing" cell per pair of carriers (none beyond MaxListCarriers)
    // For a list: the text read, and where each cell's value starts and ends in it.
    QString source;
    QList<qsizetype> starts;
    QList<qsizetype> ends;
};

// True when the text is a list: it holds a comma or a space.
bool IsSpacingList(const QString& text);

// The OFDM page's spacing edit: the stored text unless it is a list.
QString OfdmSpacingText(const char16_t* spacing);

// Splits a spacing text into carriers - 1 rows. An empty text reads as "*". In a list the
// values are read one after the other; after each value every character that is not a digit
// is skipped; missing values give 0 and surplus values are ignored.
SpacingRows ReadSpacingRows(const QString& text, int carriers);

// Joins the cells with "," (no spaces), each value whole: the caller checks the length.
QString JoinSpacingCells(const QStringList& cells);
// The list read into filled, with only the cells that differ from it put in: every other
// value, separator and extra value stays as the text had it.
QString RejoinSpacingCells(const SpacingRows& filled, const QStringList& cells);

// "Carriers 1-2" for row 0, and so on.
QString CarrierPairLabel(int row);
