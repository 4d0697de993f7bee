#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CSignalDescription;

// What reading one Signal element found besides the record itself.
struct SignalReadNotes {
    // The lenient validation's message, or null when the record is valid.
    const char16_t* message = nullptr;
    // The line the Signal element starts on.
    unsigned long line = 0;
    // Texts cut to their capacity (SignalText bits).
    std::uint8_t cut = 0;
    // Numbers whose saved form will read as another value: the field and that form.
    std::vector<std::pair<const char*, std::string>> numbers;

    enum SignalText : std::uint8_t { CutName = 1, CutITU = 2, CutComment = 4, CutSpacing = 8 };
};

// The Signal element: one record as four attributes and optional text children.
class CSignalXml {
public:
    // Reading fills a freshly constructed record: each attribute of the Signal element and
    // each child element's text (names are local names, values UTF-8), in file order; then
    // FinishReading validates it leniently (putting back the wildcards it restores). Every
    // element yields a record, valid or not.
    static void ReadAttribute(CSignalDescription& signal, std::string_view name,
                              std::string_view value, SignalReadNotes& notes);
    static void ReadChild(CSignalDescription& signal, std::string_view name, std::string_view value,
                          SignalReadNotes& notes);
    // True for the names the record reads; any other attribute or child is kept as markup.
    static bool IsKnownAttribute(std::string_view name);
    // The known attribute's place among the names the record reads (below 4), or -1.
    static int KnownAttributeIndex(std::string_view name);
    // The known child's place among the names the record reads (below 32), or -1.
    static int KnownChildIndex(std::string_view name);
    static void FinishReading(CSignalDescription& signal, SignalReadNotes& notes);

    // Appends one complete Signal element (UTF-8), indented for its place inside SignalList,
    // to out. Returns false when a text holds a character that XML cannot carry: then
    // *unwritable (when given) names that field and nothing of it is appended.
    static bool WriteXml(std::string& out, const CSignalDescription& signal,
                         const char** unwritable = nullptr);

    // Escaping as the writer does it: character data, and attribute values (with tab and
    // line breaks as references).
    static void AppendText(std::string& out, std::string_view utf8);
    static void AppendAttributeValue(std::string& out, std::string_view utf8);
};
