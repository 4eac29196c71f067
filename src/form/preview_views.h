#pragma once

#include "lib/message.h"
#include "project/kinds_table.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The views the preview window sets: each change goes into the loaded project's kinds table at once,
// so that Process, Process All and the command line take the views the preview shows.
namespace tes {

// The kinds table the views are kept in, and its file (empty: no project, nothing is written).
struct PreviewViewsTable {
    KindsTable& table;
    const std::string& path;
};

// Each returns the message when the table could not be written (a damaged table is never written
// over), for the window to show; the table then reads its file again, so no change is left half made.

// The views are the table's [ViewN] sections, those that cannot be read included (viewSections).

// The views whose plants the preview marks: none while one cannot be read, as the plants it keeps
// are then unknown.
std::vector<PlantView> PreviewedViews(const KindsTable& table);

// Sets view `index` (mending one that could not be read), or adds it when `index` is past the last; writes
// the table when `store` (a drag stores once, when it ends). A view that cannot be used is refused and
// changes nothing.
std::optional<Message> SetPreviewView(PreviewViewsTable views, std::size_t index, const PlantView& view,
                                      bool store);
std::optional<Message> RemovePreviewView(PreviewViewsTable views, std::size_t index);
std::optional<Message> StorePreviewViews(PreviewViewsTable views);

// The numbers of a view the preview's panel shows.
enum class ViewField { cameraX, cameraY, targetX, targetY, fov, margin, keepRadius, far };
inline constexpr std::size_t kViewFields = 8;
using ViewFieldTexts = std::array<std::string, kViewFields>;

// What the panel shows in each field: the view's numbers, or the texts as written where it cannot be
// read; and why each field of such a view is marked (empty: it is not).
ViewFieldTexts ViewFieldsOf(const ViewSection& section);
ViewFieldTexts ViewFieldFaultsOf(const ViewSection& section);

// What a number typed into the panel did.
struct ViewFieldEdit {
    std::string problem;            // why the text was not taken ("Fov=200 is not ..."); empty: taken
    ViewField field{};              // the field the problem is of: another still unreadable, or the typed one
    std::optional<Message> failure; // taken, but the table could not be written
};

// Reads the text by its key's rule in the kinds table (a coordinate as one half of Camera=X,Y), sets
// the value in view `index` and writes the table. A text that cannot be read, another field of the
// view that still cannot, or a view it would leave that cannot be used, changes nothing.
ViewFieldEdit SetPreviewViewField(PreviewViewsTable views, std::size_t index, ViewField field,
                                  std::string_view text);

// The same with the texts of every field as the panel holds them, `field` the one just typed.
ViewFieldEdit SetPreviewViewFields(PreviewViewsTable views, std::size_t index, const ViewFieldTexts& texts,
                                   ViewField field);

// The field's value as the panel shows it ("-120.5"), as the kinds table writes it.
std::string ViewFieldText(const PlantView& view, ViewField field);

} // namespace tes
