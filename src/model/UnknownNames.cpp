#include "UnknownNames.h"

#include <unordered_map>
#include <vector>

namespace {

struct NameTable {
    std::vector<std::string> names{std::string()};
    std::unordered_map<std::string, std::uint32_t> indices;
};

NameTable& Table() {
    static NameTable table;
    return table;
}

} // namespace

std::uint32_t InternUnknownName(std::string_view name) {
    NameTable& table = Table();
    const auto [it, added] = table.indices.try_emplace(
        std::string(name), static_cast<std::uint32_t>(table.names.size()));
    if (added)
        table.names.emplace_back(name);
    return it->second;
}

const std::string& UnknownName(std::uint32_t index) {
    const NameTable& table = Table();
    return index < table.names.size() ? table.names[index] : table.names.front();
}
