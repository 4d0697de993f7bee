#pragma once

#include "XmlNames.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

struct CKeptMarkup;
class CKeptRef;
struct SignalFileReport;

// Copies the markup of one Signal element that the record does not understand (attributes
// after the known ones, child elements, comments and processing instructions) as UTF-8 text
// that a save writes back, with the namespace declarations it needs. Names a UTF-8 file
// cannot hold are left out (a whole element with its content) and counted in the report.
class CKeptMarkupCopier {
public:
    CKeptMarkupCopier(const CNamespaceScopes& scopes, SignalFileReport* report)
        : m_scopes(scopes), m_report(report) {}

    // A new Signal element starts: nothing is kept yet.
    void Start();
    // An attribute of the Signal element itself.
    void KeepAttribute(const XmlName& name, const char* value);
    // Inside a kept element (its content goes with it), or inside a dropped one.
    bool Copying() const { return m_depth > 0; }
    bool Dropping() const { return m_droppedDepth > 0; }
    // An element at depth (the Signal's children are outermost) starts or ends.
    void ElementStart(const XML_Char* name, const XML_Char** attributes, int depth);
    void ElementEnd(const XML_Char* name, bool outermost);
    // Ends a dropped element; true when the element at depth was the dropped one.
    bool EndDropped(int depth);
    void Text(std::string_view text);
    // A comment or processing instruction: a line of its own when it is a child of the Signal.
    void OtherMarkup(std::string_view open, std::string_view body, std::string_view close);
    std::size_t Size() const { return m_attributes.size() + m_children.size(); }
    // What was kept, or null when nothing was; the copier starts empty again.
    CKeptRef Take();

private:
    void CountUnwritable();
    void OpenContent();
    void UsePrefix(std::string_view prefix);
    void AppendOwnDeclarations();
    void DeclareForAttribute(std::string_view prefix);

    const CNamespaceScopes& m_scopes;
    SignalFileReport* m_report;
    std::string m_attributes;
    std::string m_children;
    std::unordered_set<std::string> m_attributePrefixes; // declared on the Signal for those
    int m_depth = 0;                 // depth below the Signal of the element being copied, or 0
    int m_droppedDepth = 0;          // depth of a kept element that cannot be written back, or 0
    bool m_tagOpen = false;          // the kept element's start tag still waits for its '>'
    std::size_t m_declareAt = 0;     // where the outermost kept element's declarations go
    std::vector<std::string> m_used; // prefixes its markup uses, in order
    std::unordered_set<std::string> m_usedSet; // the same, to look up
    std::unordered_set<std::string> m_own;     // prefixes it declares itself
};
