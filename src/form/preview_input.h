#pragma once

#include "core/preview/preview_scene.h"
#include "form/preview_views.h"
#include "lib/line_list.h"
#include "lib/platform.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tes {

struct Context;

// What the preview of the loaded tile is drawn from, as the window's fields hold it now: the
// placement options as Process reads them, the overlap, the sun heading, the kinds list, and the kinds
// table's rows, seed and views.
PreviewInput PreviewInputFromForm(const Context& ctx);

// The part of the program the preview window reads: the loaded records, the fields it draws them
// with, the folder it offers for saving, and the platform; and the kinds table whose views it sets.
struct PreviewSource {
    Platform& platform;
    const LineList& records;             // List1
    std::function<PreviewInput()> input; // the fields as they stand at the call
    const std::string& saveFolder;       // the loaded project's folder
    PreviewViewsTable views;
    const std::string& outputFolder; // Script Options' Output folder: saving starts there when it is set
    const std::vector<std::uint32_t>& recordLines; // each List1 record's line in the environment file
    const std::string& environmentFile;
};

// How the preview names the record of List1 row `row`: "Line 3050 of Valley.txt: 5,1795.19,12,2173.67",
// by the line a user finds in the environment file and as the point caches' ID.
std::string RecordLabel(const PreviewSource& source, std::size_t row);

PreviewSource PreviewSourceOf(Context& ctx);

} // namespace tes
