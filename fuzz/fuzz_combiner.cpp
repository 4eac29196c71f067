// The combiner on arbitrary bytes: a file added and saved reads back as the same lines.
#include "core/script/combine_scripts.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = tes::fuzz::WriteScratchFile("in.ms", tes::fuzz::AsText(data, size));
    const std::string output = tes::fuzz::ScratchFolder() + "/out.ms";

    tes::LineList first;
    bool utf8 = false; // a file behind a byte-order mark is saved as UTF-8 again
    if (!tes::AddScriptToCombination(first, input, &utf8).empty())
        tes::fuzz::Fail("a written file can be read");
    if (first.size() < 2 || !first[first.size() - 1].empty() || !first[first.size() - 2].empty())
        tes::fuzz::Fail("two empty lines close every added file");
    if (!tes::SaveCombination(first, output, tes::kNoByteLimit, utf8).empty())
        tes::fuzz::Fail("the scratch folder can be written");

    tes::LineList second;
    if (!tes::AddScriptToCombination(second, output).empty())
        tes::fuzz::Fail("a saved file can be read");
    if (second.size() != first.size() + 2)
        tes::fuzz::Fail("a saved list reads back line for line");
    for (std::size_t i = 0; i < first.size(); ++i)
        if (first[i] != second[i])
            tes::fuzz::Fail("a saved line reads back unchanged");
    return 0;
}
