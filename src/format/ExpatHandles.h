#pragma once

#include <expat.h>

#include <memory>
#include <type_traits>

// Owner of expat's parser handle.
struct ExpatParserDeleter {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
using ParserHandle = std::unique_ptr<std::remove_pointer_t<XML_Parser>, ExpatParserDeleter>;
