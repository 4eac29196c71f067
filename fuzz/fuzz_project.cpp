// A whole load and build on a fuzzed project. The input holds the environment file, the scene file,
// the definitions file and the user's entries (Max file, object name, rotation text, heading,
// vegetation), separated by lines of five hashes. Every script line the build emits must have one
// of the writer's shapes. Saved builds also write the point caches the input's size picks.
#include "form/context.h"
#include "form/load_command.h"
#include "form/main_events.h"
#include "form/process_command.h"
#include "form/startup.h"
#include "fuzz_support.h"
#include "script_shape.h"

#include <array>
#include <filesystem>
#include <vector>

namespace {

std::vector<std::string_view> Split(std::string_view text, std::string_view separator, std::size_t parts) {
    std::vector<std::string_view> out;
    while (out.size() + 1 < parts) {
        const std::size_t at = text.find(separator);
        if (at == std::string_view::npos)
            break;
        out.push_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    out.push_back(text);
    out.resize(parts);
    return out;
}

std::string_view Line(std::string_view text, std::size_t index) {
    for (std::size_t i = 0; i < index; ++i) {
        const std::size_t at = text.find('\n');
        if (at == std::string_view::npos)
            return {};
        text.remove_prefix(at + 1);
    }
    return text.substr(0, text.find('\n'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tes::TextField;
    const auto parts = Split(tes::fuzz::AsText(data, size), "\n#####\n", 4);
    const std::string folder = tes::fuzz::ScratchFolder();
    tes::fuzz::WriteScratchFile("P.prj", "project");
    tes::fuzz::WriteScratchFile("P.txt", parts[0]);
    tes::fuzz::WriteScratchFile("P.scn", parts[1]);
    tes::fuzz::WriteScratchFile("P.est", parts[2]);
    const std::string_view entries = parts[3];

    tes::fuzz::QuietPlatform platform;
    auto ctx = tes::CreateProgram(platform);
    tes::StartSession(*ctx);
    tes::OpenProject(*ctx, folder + "/P.prj");

    ctx->form.setText(TextField::txtMaxFile, Line(entries, 0));
    if (!Line(entries, 1).empty()) {
        ctx->form.setCheck(tes::CheckBox::chkUseMaxName, tes::kUnchecked);
        ctx->form.setText(TextField::txtMaxObjectName, Line(entries, 1));
    }
    ctx->form.setCheck(tes::CheckBox::chkFaceTolvaneSun, tes::kUnchecked);
    ctx->form.setText(TextField::txtRotationAngle, Line(entries, 2));
    ctx->form.setText(TextField::txtObjectScale, Line(entries, 3));
    if (size % 3 == 0)
        ctx->form.setCheck(tes::CheckBox::chkUseObjectScale, tes::kChecked);
    ctx->session.SaveToFile = size % 2 == 0;
    ctx->scriptStyle.cache = static_cast<tes::PointCache>(size / 2 % 4);

    std::vector<std::string> choices(ctx->form.comboItems().begin(), ctx->form.comboItems().end());
    choices.emplace_back(Line(entries, 4));
    for (const std::string& choice : choices) {
        ctx->form.setComboText(choice);
        tes::btnProcess_Click(*ctx);
        const tes::LineList& script = ctx->form.list(tes::ListId::List2);
        for (std::size_t i = 0; i < script.size(); ++i)
            if (!tes::fuzz::IsPlacementScriptLine(script[i]))
                tes::fuzz::Fail("a script line has a writer's shape");
    }
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.path().extension() == ".ms" || entry.path().extension() == ".prt" ||
            entry.path().extension() == ".csv")
            std::filesystem::remove(entry.path(), ec);
    return 0;
}
