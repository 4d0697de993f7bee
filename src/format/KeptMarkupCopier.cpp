#include "KeptMarkupCopier.h"

#include "SignalDescription.h"
#include "SignalFileReport.h"
#include "SignalXml.h"

void CKeptMarkupCopier::Start() {
    m_attributes.clear();
    m_children.clear();
    m_attributePrefixes.clear();
    m_depth = 0;
    m_droppedDepth = 0;
    m_tagOpen = false;
}

void CKeptMarkupCopier::CountUnwritable() {
    if (m_report)
        ++m_report->unwritableNames;
}

// Declares on the Signal a prefix one of its kept attributes uses. The "xml" prefix is bound
// without a declaration and may not be declared empty; the file's root declares xsi.
void CKeptMarkupCopier::DeclareForAttribute(std::string_view prefix) {
    const std::string_view uri = prefix.empty() ? std::string_view() : m_scopes.Binding(prefix);
    if (uri.empty() || (prefix == "xsi" && uri == InstanceNamespace) ||
        !m_attributePrefixes.emplace(prefix).second)
        return;
    m_attributes += " xmlns:" + std::string(prefix) + "=\"";
    CSignalXml::AppendAttributeValue(m_attributes, uri);
    m_attributes += '"';
}

void CKeptMarkupCopier::KeepAttribute(const XmlName& name, const char* value) {
    if (!WritableName(name)) {
        CountUnwritable();
        return;
    }
    DeclareForAttribute(name.prefix);
    // A value naming a prefix (xsi:type="p:Kind") keeps its binding.
    DeclareForAttribute(ValuePrefix(value));
    m_attributes += ' ';
    AppendQualified(m_attributes, name);
    m_attributes += "=\"";
    CSignalXml::AppendAttributeValue(m_attributes, value);
    m_attributes += '"';
}

// Closes the start tag of the kept element the parser is in, before content goes into it.
void CKeptMarkupCopier::OpenContent() {
    if (m_tagOpen) {
        m_children += '>';
        m_tagOpen = false;
    }
}

void CKeptMarkupCopier::UsePrefix(std::string_view prefix) {
    if (m_usedSet.emplace(prefix).second)
        m_used.emplace_back(prefix);
}

// The namespace declarations made on the element the parser is starting.
void CKeptMarkupCopier::AppendOwnDeclarations() {
    for (const auto& [prefix, uri] : m_scopes.Declared()) {
        if (!WritableName(prefix)) {
            CountUnwritable();
            continue;
        }
        m_children += prefix.empty() ? " xmlns=\"" : " xmlns:" + prefix + "=\"";
        CSignalXml::AppendAttributeValue(m_children, uri);
        m_children += '"';
    }
}

void CKeptMarkupCopier::ElementStart(const XML_Char* name, const XML_Char** attributes, int depth) {
    const XmlName element = SplitName(name);
    if (!WritableName(element)) {
        CountUnwritable();
        m_droppedDepth = depth;
        return;
    }
    OpenContent();
    const bool outermost = m_depth == 0;
    if (outermost) {
        m_children += "      ";
        m_used.clear();
        m_usedSet.clear();
        m_own.clear();
        for (const auto& binding : m_scopes.Declared())
            m_own.insert(binding.first);
    }
    // Prefixes the kept markup uses ("" for a default namespace): the ones bound outside it
    // are declared on its outermost element when it ends.
    if (!element.prefix.empty() || !element.uri.empty())
        UsePrefix(element.prefix);
    m_children += '<';
    AppendQualified(m_children, element);
    if (outermost)
        m_declareAt = m_children.size();
    AppendOwnDeclarations();
    for (int i = 0; attributes[i]; i += 2) {
        const XmlName attribute = SplitName(attributes[i]);
        if (!WritableName(attribute)) {
            CountUnwritable();
            continue;
        }
        if (!attribute.prefix.empty())
            UsePrefix(attribute.prefix);
        if (const std::string_view named = ValuePrefix(attributes[i + 1]);
            !named.empty() && !m_scopes.Binding(named).empty())
            UsePrefix(named);
        m_children += ' ';
        AppendQualified(m_children, attribute);
        m_children += "=\"";
        CSignalXml::AppendAttributeValue(m_children, attributes[i + 1]);
        m_children += '"';
    }
    m_tagOpen = true;
    if (outermost)
        m_depth = 1;
}

void CKeptMarkupCopier::ElementEnd(const XML_Char* name, bool outermost) {
    if (m_tagOpen) {
        m_children += "/>";
        m_tagOpen = false;
    } else {
        m_children += "</";
        AppendQualified(m_children, SplitName(name));
        m_children += '>';
    }
    if (!outermost)
        return;
    std::string declarations;
    for (const std::string& prefix : m_used) {
        if (m_own.count(prefix) != 0)
            continue;
        const std::string_view uri = m_scopes.Binding(prefix);
        if (uri.empty() || (prefix == "xsi" && uri == InstanceNamespace))
            continue;
        declarations += prefix.empty() ? " xmlns=\"" : " xmlns:" + prefix + "=\"";
        CSignalXml::AppendAttributeValue(declarations, uri);
        declarations += '"';
    }
    m_children.insert(m_declareAt, declarations);
    m_children += '\n';
    m_depth = 0;
}

bool CKeptMarkupCopier::EndDropped(int depth) {
    if (depth != m_droppedDepth)
        return false;
    m_droppedDepth = 0;
    return true;
}

void CKeptMarkupCopier::Text(std::string_view text) {
    OpenContent();
    CSignalXml::AppendText(m_children, text);
}

void CKeptMarkupCopier::OtherMarkup(std::string_view open, std::string_view body,
                                    std::string_view close) {
    OpenContent();
    const bool own = m_depth == 0; // a child of the Signal: a line of its own
    if (own)
        m_children += "      ";
    m_children += open;
    m_children += body;
    m_children += close;
    if (own)
        m_children += '\n';
}

CKeptRef CKeptMarkupCopier::Take() {
    CKeptRef kept;
    if (!m_attributes.empty() || !m_children.empty())
        kept = CKeptRef(CKeptMarkup{std::move(m_attributes), std::move(m_children)});
    m_attributes.clear();
    m_children.clear();
    return kept;
}
