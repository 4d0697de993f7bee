#pragma once

#include <libxml/xmlreader.h>
#include <libxml/xmlwriter.h>

#include <optional>
#include <string>

class CSignalDescription;

// What reading one Signal element found besides the record itself.
struct SignalReadNotes {
    // The lenient validation's message, or null when the record is valid.
    const char16_t* message = nullptr;
    // A Mode or Modulation value (UTF-8) that names nothing this version knows: the record
    // holds "no-mode" or no modulation instead.
    std::optional<std::string> unknownMode;
    std::optional<std::string> unknownModulation;
};

// The Signal element: one record as four attributes and optional text children.
class CSignalXml {
public:
    // Fills a freshly constructed record from the reader's current Signal start tag, then
    // validates it leniently and updates its display texts. Every element yields a record;
    // what else was found goes to *notes when given. Returns true.
    static bool ReadXml(xmlTextReaderPtr reader, CSignalDescription& signal,
                        SignalReadNotes* notes = nullptr);

    // Writes one complete Signal element inside the open SignalList element. Returns false
    // when the writer reported an error, or when a text holds a character that XML cannot
    // carry: then *unwritable (when given) names that field and nothing of it is written.
    static bool WriteXml(xmlTextWriterPtr writer, const CSignalDescription& signal,
                         const char** unwritable = nullptr);
};
