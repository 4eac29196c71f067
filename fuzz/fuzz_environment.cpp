// The environment reader on arbitrary bytes: every kept line holds a comma, and the reader never
// keeps more lines than the file has.
#include "core/context.h"
#include "fuzz_support.h"
#include "project/environment_reader.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static tes::fuzz::QuietPlatform platform;
    const std::string_view bytes = tes::fuzz::AsText(data, size);
    tes::Context ctx(platform);
    ctx.session.EnvironmentFilePath = tes::fuzz::WriteScratchFile("fuzz.txt", bytes);
    ctx.session.TerrainWidth = size % 7;
    if (size % 2)
        ctx.form.setText(tes::TextField::txtOverlap, "1E6"); // keep nearly every record
    tes::ReadEnvironmentFile(ctx);

    const tes::LineList& list1 = ctx.form.list(tes::ListId::List1);
    const auto breaks =
        std::count(bytes.begin(), bytes.end(), '\r') + std::count(bytes.begin(), bytes.end(), '\n');
    if (list1.size() > static_cast<std::size_t>(breaks) + 1)
        tes::fuzz::Fail("no more lines than the file has");
    for (std::size_t i = 0; i < list1.size(); ++i)
        if (list1[i].find(',') == std::string_view::npos)
            tes::fuzz::Fail("every kept line holds a comma");
    return 0;
}
