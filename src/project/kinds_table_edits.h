#pragma once

#include "project/kinds_table.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A kinds table's changes as texts of keys, applied to its file as the file is at that moment.
namespace tes::kinds_lines {

// The table's file as it is now.
struct TableFile {
    bool exists = false;
    bool readable = true; // false: no kinds table (not INI text, not a file, no access)
    std::string why;      // when not readable: "line 3, \"just some words\", is no section, ..."
    std::string text;     // UTF-8 without a byte-order mark, each line ended by LF
    bool utf8 = false;    // the file is UTF-8 behind a byte-order mark
};
TableFile ReadTableFile(const std::string& path);

// A key's new text; nothing takes the key out.
using KeyText = std::pair<std::string, std::optional<std::string>>;

// What changes in one section.
struct SectionEdit {
    std::string name; // as a new section is headed: "Vegetation_5", "View3", "Variation"
    std::vector<KeyText> keys;
    std::optional<std::vector<std::string>> variants; // the texts of Variant1, Variant2 ..., as a whole
    bool remove = false;                              // the section goes, its keys with it
};

// What changed from `base` to `now`, key by key.
std::vector<SectionEdit> TableEdits(const KindsTableContents& base, const KindsTableContents& now);

// The text with the edits made: each in the first section of its name, a section the text lacks
// added at its end; every other line as it was. Where `text` gives a key another text than
// `baseText` did and the edit replaces it, `replaced` gets "Vegetation_2: Keep=30".
std::string ApplyTableEdits(std::string_view text, std::string_view baseText,
                            const std::vector<SectionEdit>& edits, std::vector<std::string>& replaced);

} // namespace tes::kinds_lines
