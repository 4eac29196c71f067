#pragma once

#include "form/preview_views.h"
#include "project/kinds_table.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The areas the preview draws and edits: each change goes into the loaded project's kinds table, the
// same save the views take, so that Process, Process All and the command line take the areas shown.
namespace tes {

// The values of an area the preview's panel shows beside its points.
enum class AreaField { mode, kinds, width, falloff };
inline constexpr std::size_t kAreaFields = 4;
using AreaFieldTexts = std::array<std::string, kAreaFields>;

// An area's values as the table writes them ("exclude", "1,5", "" for a closed area, "0"), or as
// written where it cannot be read; and why each field of such an area is marked (empty: it is not).
AreaFieldTexts AreaFieldsOf(const AreaSection& section);
AreaFieldTexts AreaFieldFaultsOf(const AreaSection& section);
// The values a new area starts with: exclude, every kind, closed, a hard edge.
AreaFieldTexts NewAreaFields();

// How the panel's list names an area: "Area2: line 8 wide, include, kinds 1,5, falloff 4".
std::string AreaListText(const AreaSection& section);

// The area the points drawn make with the panel's values: closed when Width is empty, else a line
// that wide. The problem names the value that cannot be read, or why the shape cannot be used. With
// no points only the values are read (those a new area will take).
struct AreaDraft {
    std::optional<PlantArea> area;
    std::string problem;
    AreaField field{}; // the value the problem is of
};
AreaDraft DraftArea(std::vector<GroundPoint> points, const AreaFieldTexts& texts);

// Sets area `index` (mending one that could not be read), or adds one when `index` is past the last;
// writes the table when `store` (a drag of a point stores once, when it ends). An area that cannot be
// used is refused and changes nothing. The message when the table could not be written.
std::optional<Message> SetPreviewArea(PreviewViewsTable table, std::size_t index, const PlantArea& area,
                                      bool store);
std::optional<Message> RemovePreviewArea(PreviewViewsTable table, std::size_t index);

// Reads the panel's values by the table's rules and sets them in area `index`, keeping its points.
struct AreaFieldEdit {
    std::string problem; // why the values were not taken; empty: taken
    AreaField field{};
    std::optional<Message> failure; // taken, but the table could not be written
};
AreaFieldEdit SetPreviewAreaFields(PreviewViewsTable table, std::size_t index, const AreaFieldTexts& texts);

// The point of `points` nearest (X, Y) within `reach`, if any.
std::optional<std::size_t> AreaPointNear(const std::vector<GroundPoint>& points, double X, double Y,
                                         double reach);

} // namespace tes
