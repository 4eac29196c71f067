#pragma once

#include "lib/message.h"
#include "project/kinds_table.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The views the preview window sets: each change goes into the loaded project's kinds table at once,
// so that Process, Process All and the command line take the views the preview shows.
namespace tes {

// The kinds table the views are kept in, and its file (empty: no project, nothing is written).
struct PreviewViewsTable {
    KindsTable& table;
    const std::string& path;
};

// Each returns the message when the table could not be written (a damaged table is never written
// over), for the window to show; the table keeps the change all the same.

// Sets view `index`, or adds it when `index` is past the last; writes the table when `store` (a drag
// stores once, when it ends). A view that cannot be used is refused and changes nothing.
std::optional<Message> SetPreviewView(PreviewViewsTable views, std::size_t index, const PlantView& view,
                                      bool store);
std::optional<Message> RemovePreviewView(PreviewViewsTable views, std::size_t index);
std::optional<Message> StorePreviewViews(PreviewViewsTable views);

// The numbers of a view the preview's panel shows.
enum class ViewField { cameraX, cameraY, targetX, targetY, fov, margin, keepRadius, far };

// What a number typed into the panel did.
struct ViewFieldEdit {
    std::string problem;            // why the text was not taken ("Fov=200 is not ..."); empty: taken
    std::optional<Message> failure; // taken, but the table could not be written
};

// Reads the text by its key's rule in the kinds table (a coordinate as one half of Camera=X,Y), sets
// the value in view `index` and writes the table. A text that cannot be read, or a view it would
// leave that cannot be used, changes nothing.
ViewFieldEdit SetPreviewViewField(PreviewViewsTable views, std::size_t index, ViewField field,
                                  std::string_view text);

// The field's value as the panel shows it ("-120.5"), as the kinds table writes it.
std::string ViewFieldText(const PlantView& view, ViewField field);

} // namespace tes
