#pragma once

#include <libxml/xmlreader.h>
#include <libxml/xmlwriter.h>

class CSignalDescription;

// The Signal element: one record as four attributes and optional text children.
class CSignalXml {
public:
    // Fills a freshly constructed record from the reader's current Signal start tag, then
    // validates it leniently and updates its display texts. Every element yields a record;
    // the validation message (or null) goes to *message when given. Returns true.
    static bool ReadXml(xmlTextReaderPtr reader, CSignalDescription& signal,
                        const char16_t** message = nullptr);

    // Writes one complete Signal element inside the open SignalList element. Returns false
    // when the writer reported an error, or when a text holds a character that XML cannot
    // carry: then *unwritable (when given) names that field and nothing of it is written.
    static bool WriteXml(xmlTextWriterPtr writer, const CSignalDescription& signal,
                         const char** unwritable = nullptr);
};
