#include "UnknownNames.h"

#include <functional>
#include <new>
#include <unordered_map>
#include <vector>

namespace {

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
        return std::hash<std::string_view>()(name);
    }
};

struct NameTable {
    std::vector<std::string> names{std::string()};
    std::unordered_map<std::string, std::uint32_t, NameHash, std::equal_to<>> indices;
};

NameTable& Table() {
    static NameTable table;
    return table;
}

} // namespace

std::uint32_t InternUnknownName(std::string_view name) {
    NameTable& table = Table();
    // Looked up without making a string: most names were met before.
    if (const auto it = table.indices.find(name); it != table.indices.end())
        return it->second;
    if (table.names.size() >= (std::size_t{1} << UnknownNameBits))
        throw std::bad_alloc();
    const auto index = static_cast<std::uint32_t>(table.names.size());
    table.names.emplace_back(name);
    table.indices.emplace(std::string(name), index);
    return index;
}

const std::string& UnknownName(std::uint32_t index) {
    const NameTable& table = Table();
    return index < table.names.size() ? table.names[index] : table.names.front();
}
