#include "cli_run.h"
#include "project/kind_key_table.h"

#include <gtest/gtest.h>
#include <regex>

namespace tes {
// A failure names the key.
void PrintTo(const KindKey& key, std::ostream* out) {
    *out << key.name;
}
} // namespace tes

namespace tes::test {
namespace {

// Where an option's name ends: "--keep" is not found in "--keep-far".
const std::string kNameEnd = "(?![a-z0-9-])";

std::string Escaped(std::string_view text) {
    return std::regex_replace(std::string(text), std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
}

// The lines of a group of `kinds --help`, each with its line feed, up to the blank lines before the next.
std::string HelpGroup(const std::string& help, std::string_view group) {
    const std::size_t start = help.find("\n" + std::string(group) + ":\n");
    return start == std::string::npos ? "" : help.substr(start, help.find("\n\n\n", start) + 1 - start);
}

// Whether a line of the group shows the option with what it takes, and then its help.
bool ListsOption(const std::string& group, std::string_view name, std::string_view valueName,
                 std::string_view help) {
    const std::string takes = valueName.empty() ? "" : " " + Escaped(valueName);
    return std::regex_search(group, std::regex("\n  " + Escaped(name) + takes + kNameEnd + "[^\n]*\n?[ ]*" +
                                               Escaped(help) + "\n"));
}

// Whether the man page has a paragraph tagged with the option, its hyphens escaped as roff has them.
bool ManPageTags(const std::string& page, std::string_view name) {
    const std::string roff = std::regex_replace(Escaped(name), std::regex("-"), R"(\\-)");
    return std::regex_search(page, std::regex("\n\\.TP\n\\.BI? " + roff + kNameEnd));
}

// Each key of the kinds table reaches the command line from its declaration alone: its column in what
// `kinds` prints, its option and flag in the help of `kinds` under its group, and in the man page.
class KindKeyOptionsTest : public testing::TestWithParam<KindKey> {};

TEST_P(KindKeyOptionsTest, ReachesPrintHelpAndManPage) {
    const KindKey& key = GetParam();
    TempDir dir;
    const std::string header = Lines(RunEnviroScript({"kinds", SmallProject().writeTo(dir)}).out).at(0);
    EXPECT_NE(("\t" + header + "\t").find("\t" + std::string(key.column) + "\t"), std::string::npos)
        << header;

    const std::string group = HelpGroup(RunEnviroScript({"kinds", "--help"}).out, key.option.group);
    const std::string page = ReadBytes(std::string(TES_SOURCE_DIR) + "/packaging/enviro-script.1.in");
    if (!key.option.name.empty()) {
        EXPECT_TRUE(ListsOption(group, key.option.name, key.option.valueName, key.option.help)) << group;
        EXPECT_TRUE(ManPageTags(page, key.option.name));
    }
    if (!key.option.flag.empty()) {
        EXPECT_TRUE(ListsOption(group, key.option.flag, {}, key.option.flagHelp)) << group;
        EXPECT_TRUE(ManPageTags(page, key.option.flag));
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, KindKeyOptionsTest, testing::ValuesIn(KindKeys().begin(), KindKeys().end()),
                         [](const testing::TestParamInfo<KindKey>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace tes::test
