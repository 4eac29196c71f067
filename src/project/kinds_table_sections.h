#pragma once

#include "project/kinds_table_lines.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The sections of a kinds table's text as the lookup finds them, for its reader and its writer.
namespace tes::kinds_lines {

// What names one section of the table whatever its spelling: "vegetation_5" for [Vegetation_05],
// "view2" for [view2], "area3" for [Area03], "variation"; empty for a section the program does not know.
std::string SectionId(std::string_view section);

// The keys of one section: the first line of each key counts.
class SectionKeys {
public:
    void add(std::string_view line);
    const std::string* find(std::string_view key) const;
    // The key's text, nothing when the section has no such key.
    std::optional<std::string> text(std::string_view key) const;
    // The variants in the order of their numbers, whatever gaps lie between them: key and text.
    std::vector<std::pair<std::string, std::string>> variants() const;

private:
    std::vector<std::pair<std::string, std::string>> m_keys;
    // By the variant's number (its digits without leading zeros, shorter first): key and value.
    std::map<std::pair<std::size_t, std::string>, std::pair<std::string, std::string>> m_variants;
};

// One section the program knows, the first of its name; a later one of the same name is the user's.
struct IndexedSection {
    std::string name; // as the file writes it: "Vegetation_05"
    std::string id;
    SectionKeys keys;
    std::vector<std::string> lines; // as written, the header first
};

// The known sections of the text, each name once, in the order they first appear.
std::vector<IndexedSection> IndexSections(std::string_view text);

// The section of the index with this id; nothing when the text has none.
const IndexedSection* FindSection(const std::vector<IndexedSection>& index, std::string_view id);

} // namespace tes::kinds_lines
