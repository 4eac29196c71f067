#pragma once

#include "project/kinds_table.h"
#include "project/kinds_table_sections.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The [AreaN] sections of a kinds table, for its reader and its writer.
namespace tes::kinds_lines {

// The area sections of the text in the order of their numbers, each with its area or its faults.
std::vector<AreaSection> AreaSectionsOf(const std::vector<IndexedSection>& index);

// An area's keys as the file holds them: every key but a closed area's Width and an area's Kinds when
// it acts on every kind.
using AreaKeyTexts = std::vector<std::pair<std::string_view, std::optional<std::string>>>;
AreaKeyTexts AreaTexts(const PlantArea& area);
// The same keys as the lines of a section that could not be read hold them.
AreaKeyTexts WrittenAreaTexts(const std::vector<std::string>& lines);

} // namespace tes::kinds_lines
