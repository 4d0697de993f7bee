#pragma once

#include <libxml/xmlreader.h>
#include <libxml/xmlwriter.h>

#include <memory>

// Owners of libxml2's C handles.
struct XmlReaderDeleter {
    void operator()(xmlTextReaderPtr reader) const { xmlFreeTextReader(reader); }
};
struct XmlWriterDeleter {
    void operator()(xmlTextWriterPtr writer) const { xmlFreeTextWriter(writer); }
};

using XmlReaderHandle = std::unique_ptr<xmlTextReader, XmlReaderDeleter>;
using XmlWriterHandle = std::unique_ptr<xmlTextWriter, XmlWriterDeleter>;
