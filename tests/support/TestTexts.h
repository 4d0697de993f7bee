#pragma once

#include "SignalSort.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class CSignalDescription;

// The FSK record the tests use as their everyday signal: "Baudot 50" unless named, decoder
// "baudot", 50 Bd, 170 Hz, code-check count 3, validated.
CSignalDescription FskRecord(const char16_t* name = u"Baudot 50");

// A record as reading leaves it: named, of the family, with the rate, shift and carrier count
// given, validated leniently (invalid or not).
std::unique_ptr<CSignalDescription> NewRecord(const QString& name, int family, double baud = 50,
                                              double shift = 0, int channels = 0);

// The bytes of a file in tests/data.
QByteArray TestData(const char* name);

// Record texts as Qt strings, for comparisons in tests.
QString Q(const char16_t* text);
// The text of a list cell, as a Qt string.
QString Cell(const CSignalDescription& signal, int column);
QStringList Names(const SignalCollection& records);

// The names of a document's records, in collection order.
template <typename Document>
requires requires(const Document& doc) {
    doc.Signals();
}
QStringList Names(const Document& doc) {
    return Names(doc.Signals());
}
