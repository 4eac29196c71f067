#include "cli/command_line.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace tes::test {
namespace {

// The options a document names: in the man page the tags of its indented paragraphs (.TP), hyphens
// escaped; in the help its section on the command line.
std::set<std::string> DocumentedOptions(const std::string& path) {
    std::string text = ReadBytes(std::string(TES_SOURCE_DIR) + "/" + path);
    if (path.ends_with(".html")) {
        const std::size_t start = text.find("<h2 id=\"cli\">");
        text = start == std::string::npos ? "" : text.substr(start, text.find("<h2", start + 1) - start);
    } else {
        std::string tags;
        for (std::smatch tag; std::regex_search(text, tag, std::regex(R"(\n\.TP\n([^\n]*))"));
             text = tag.suffix())
            tags += tag[1].str() + "\n";
        text = std::regex_replace(tags, std::regex(R"(\\-)"), "-");
    }
    static const std::regex option("--[a-z0-9][a-z0-9-]*");
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        names.insert(it->str());
    return names;
}

class DocumentedOptionsTest : public testing::TestWithParam<const char*> {};

TEST_P(DocumentedOptionsTest, ListsEveryOptionOfEveryCommand) {
    const std::set<std::string> listed = DocumentedOptions(GetParam());
    cli::CommandLine line;
    std::vector<const CLI::App*> commands{&line.app};
    for (const CLI::App* command : line.app.get_subcommands([](CLI::App*) { return true; }))
        commands.push_back(command);
    for (const CLI::App* command : commands) {
        for (const CLI::Option* option : command->get_options()) {
            for (const std::string& name : option->get_lnames())
                EXPECT_TRUE(listed.contains("--" + name)) << command->get_name() << " --" << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Docs, DocumentedOptionsTest,
                         testing::Values("packaging/enviro-script.1.in", "docs/TES_Help.html"));

} // namespace
} // namespace tes::test
