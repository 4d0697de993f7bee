#pragma once

#include <expat.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// Names as expat gives them with namespace triplets, and the namespace bindings in force
// where the parser stands: what the Signal reader and the kept-markup copier share.

// Names arrive as "namespace\nlocal": a line feed cannot occur in a local name.
inline constexpr char NamespaceSeparator = '\n';

// The schema-instance namespace, whose prefix the writer declares on the root element.
inline constexpr std::string_view InstanceNamespace = "http://www.w3.org/2001/XMLSchema-instance";

// "uri\nlocal\nprefix", "uri\nlocal" (the default namespace) or "local" (no namespace).
struct XmlName {
    std::string_view uri;
    std::string_view local;
    std::string_view prefix;
};

XmlName SplitName(const XML_Char* name);
std::string_view LocalName(const XML_Char* name);
// Whether a UTF-8 file can hold the name: expat takes U+00AA, U+00B5 and U+00BA as name
// characters in UTF-16 and ISO-8859-1 input but not in UTF-8, which the editor writes.
bool WritableName(std::string_view utf8);
bool WritableName(const XmlName& name);
// The name as written: "prefix:local" or "local".
void AppendQualified(std::string& out, const XmlName& name);
// The prefix a value may name as a qualified name ("p" of "p:Kind"), or empty.
std::string_view ValuePrefix(std::string_view value);

// The namespace declarations of the open elements.
class CNamespaceScopes {
public:
    // A declaration for the element that starts next.
    void Declare(std::string prefix, std::string uri);
    // The declarations made for the element that starts now; Open moves them into its scope.
    const std::vector<std::pair<std::string, std::string>>& Declared() const { return m_declared; }
    void Open();
    void Close();
    // The namespace a prefix is bound to, or empty.
    std::string_view Binding(std::string_view prefix) const;

private:
    std::vector<std::pair<std::string, std::string>> m_declared;
    std::vector<std::vector<std::pair<std::string, std::string>>> m_scopes;
    // The same bindings by prefix, innermost last: a look-up costs the same however many
    // declarations an element makes.
    std::unordered_map<std::string, std::vector<std::string>> m_bindings;
};
