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

// The byte the current event starts at, counted from the start of the input.
inline std::uint64_t ParserByteIndex(XML_Parser parser) {
#ifdef QUARN_EXPAT_64_BIT_POSITIONS
    return static_cast<std::uint64_t>(XML_GetCurrentByteIndex64(parser));
#else
    return static_cast<std::uint64_t>(XML_GetCurrentByteIndex(parser));
#endif
}

// The parser's buffer around the current event: the event starts at offset, the buffer
// holds size bytes; null when expat keeps no context.
inline const char* ParserInputContext(XML_Parser parser, std::uint64_t& offset,
                                      std::uint64_t& size) {
#ifdef QUARN_EXPAT_64_BIT_POSITIONS
    std::int64_t at = 0;
    std::uint64_t held = 0;
    const char* buffer = XML_GetInputContext64(parser, &at, &held);
#else
    int at = 0;
    int held = 0;
    const char* buffer = XML_GetInputContext(parser, &at, &held);
#endif
    offset = static_cast<std::uint64_t>(at);
    size = static_cast<std::uint64_t>(held);
    return buffer;
}
