#include "XmlNames.h"

XmlName SplitName(const XML_Char* name) {
    const std::string_view text(name);
    const std::size_t first = text.find(NamespaceSeparator);
    if (first == std::string_view::npos)
        return {{}, text, {}};
    const std::size_t second = text.find(NamespaceSeparator, first + 1);
    if (second == std::string_view::npos)
        return {text.substr(0, first), text.substr(first + 1), {}};
    return {text.substr(0, first), text.substr(first + 1, second - first - 1),
            text.substr(second + 1)};
}

std::string_view LocalName(const XML_Char* name) {
    return SplitName(name).local;
}

bool WritableName(std::string_view utf8) {
    for (std::size_t i = utf8.find('\xC2'); i != std::string_view::npos && i + 1 < utf8.size();
         i = utf8.find('\xC2', i + 1)) {
        const char next = utf8[i + 1];
        if (next == '\xAA' || next == '\xB5' || next == '\xBA')
            return false;
    }
    return true;
}

bool WritableName(const XmlName& name) {
    return WritableName(name.local) && WritableName(name.prefix);
}

void AppendQualified(std::string& out, const XmlName& name) {
    if (!name.prefix.empty()) {
        out += name.prefix;
        out += ':';
    }
    out += name.local;
}

std::string_view ValuePrefix(std::string_view value) {
    const std::size_t colon = value.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return {};
    const std::string_view prefix = value.substr(0, colon);
    return prefix.find_first_of(" \t\r\n/\"'<>=") == std::string_view::npos ? prefix
                                                                            : std::string_view();
}

void CNamespaceScopes::Declare(std::string prefix, std::string uri) {
    m_bindings[prefix].push_back(uri);
    m_declared.emplace_back(std::move(prefix), std::move(uri));
}

void CNamespaceScopes::Open() {
    m_scopes.push_back(std::move(m_declared));
    m_declared.clear();
}

void CNamespaceScopes::Close() {
    if (m_scopes.empty())
        return;
    for (const auto& binding : m_scopes.back())
        m_bindings[binding.first].pop_back();
    m_scopes.pop_back();
}

std::string_view CNamespaceScopes::Binding(std::string_view prefix) const {
    const auto found = m_bindings.find(std::string(prefix));
    return found == m_bindings.end() || found->second.empty() ? std::string_view()
                                                              : found->second.back();
}
