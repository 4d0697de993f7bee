#pragma once

#include "DocumentMarkup.h"
#include "FileIdentity.h"
#include "SignalXml.h"

#include <QString>
#include <QStringList>

#include <map>
#include <string>

class CSignalDescription;

// What reading a whole file found besides its records: its root, and what a save will not
// write back as the file has it.
struct SignalFileReport {
    static constexpr int MaxNumberExamples = 3;

    CFileIdentity file;          // the file read, as it was when it was opened
    std::string root;            // the root element's local name
    bool hasSignals = false;     // the file holds Signal elements
    SignalDocumentMarkup markup; // what a save writes back around the signals
    // Outside Signal elements (but for what markup holds): these are not kept.
    int comments = 0;
    int instructions = 0;
    bool doctype = false;
    bool textOutside = false;            // other than white space
    std::map<std::string, int> elements; // other than SignalDatabase and SignalList
    int signalsOutsideList = 0;
    int listAttributes = 0; // on SignalDatabase or SignalList, other than a save writes
    // Inside records, not kept: markup within a known field (its text is read), and markup
    // whose name a UTF-8 file cannot hold.
    int fieldMarkup = 0;
    int signalsWithText = 0; // text directly inside the Signal element
    int repeatedFields = 0;  // a known child given again: the earlier value is replaced
    int unwritableNames = 0;
    // Inside records: texts cut to their capacity (names, ITU designators, comments,
    // spacings), numbers whose saved form reads as another value.
    int cut[4] = {};
    int numbers = 0;
    QStringList numberExamples;

    void Count(const CSignalDescription& signal, const SignalReadNotes& notes);
    // One sentence of all of it, or empty when a save keeps everything.
    QString Notice() const;
    // The part about content outside the records ("... will not be saved"), or empty.
    QString Dropped() const;
    // Neither a SignalDatabase root nor any Signal element: another kind of XML file.
    bool Foreign() const;
};
