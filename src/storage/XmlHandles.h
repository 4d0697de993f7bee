#pragma once

#include <libxml/xmlwriter.h>

#include <memory>

// Owner of libxml2's writer handle.
struct XmlWriterDeleter {
    void operator()(xmlTextWriterPtr writer) const { xmlFreeTextWriter(writer); }
};

using XmlWriterHandle = std::unique_ptr<xmlTextWriter, XmlWriterDeleter>;
