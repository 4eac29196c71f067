#pragma once

#include "project/kinds_table.h"
#include "project/kinds_table_sections.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tes::kinds_lines {

// Reads the section's `key` into `target` with the key's reader; a text the reader refuses is kept
// among `faults` with its reason, and `target` keeps its value. A missing key leaves both alone.
template <typename Reader, typename T>
void TakeSectionValue(const SectionKeys& keys, std::string_view key, Reader read, T& target,
                      std::vector<KeyFault>& faults) {
    const std::string* text = keys.find(key);
    if (!text)
        return;
    auto value = read(*text);
    if (value.read())
        target = std::move(value.value);
    else
        faults.push_back({std::string(key), *text, std::move(value.problem), 0});
}

} // namespace tes::kinds_lines
