// The environment reader on arbitrary bytes: every kept line holds a comma, and the reader never
// keeps more lines than the file has.
#include "core/load_project.h"
#include "fuzz_support.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = tes::fuzz::AsText(data, size);
    const std::string path = tes::fuzz::WriteScratchFile("fuzz.txt", bytes);
    tes::TileOptions tile;
    if (size % 2)
        tile.overlap = "1E6"; // keep nearly every record
    tes::LoadFields fields;
    fields.scene.terrainWidth = static_cast<std::int32_t>(size % 7);
    tes::LineList list1;
    tes::Messages messages;
    tes::ReadEnvironment(path, tile, fields, list1, messages, tes::NoProgress());

    const auto breaks =
        std::count(bytes.begin(), bytes.end(), '\r') + std::count(bytes.begin(), bytes.end(), '\n');
    if (list1.size() > static_cast<std::size_t>(breaks) + 1)
        tes::fuzz::Fail("no more lines than the file has");
    for (std::size_t i = 0; i < list1.size(); ++i)
        if (list1[i].find(',') == std::string_view::npos)
            tes::fuzz::Fail("every kept line holds a comma");
    return 0;
}
