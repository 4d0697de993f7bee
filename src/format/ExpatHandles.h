#pragma once

#include <expat.h>

#include <cstdint>
#include <memory>
#include <type_traits>

// Owner of expat's parser handle.
struct ExpatParserDeleter {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
using ParserHandle = std::unique_ptr<std::remove_pointer_t<XML_Parser>, ExpatParserDeleter>;

// Where the parser stands: line and column (both from 1), with the 64-bit functions where
// this expat has them.
inline std::uint64_t ParserLine(XML_Parser parser) {
#ifdef QUARN_EXPAT_64_BIT_POSITIONS
    return XML_GetCurrentLineNumber64(parser);
#else
    return XML_GetCurrentLineNumber(parser);
#endif
}

inline std::uint64_t ParserColumn(XML_Parser parser) {
#ifdef QUARN_EXPAT_64_BIT_POSITIONS
    return XML_GetCurrentColumnNumber64(parser) + 1;
#else
    return XML_GetCurrentColumnNumber(parser) + 1;
#endif
}
