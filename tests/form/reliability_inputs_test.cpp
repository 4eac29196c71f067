// Bad input in a project's files: the load finishes, each reader reports in its own form or falls
// back to its default, and Process afterwards writes only well-formed placement lines.
#include "reliability_fixture.h"
#include "script_shape.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace tes::test {
namespace {

const std::string kInfoOverflow = "Unexpected error in GetProjectInfo: Overflow ( 6)";
const std::string kReaderOverflow = "Unexpected error in ReadEnvironmentFile \n\n 6 - Overflow";
const std::string kReaderDivision = "Unexpected error in ReadEnvironmentFile \n\n 11 - Division by zero";

// Random bytes without anything that starts a number (digits, signs, '.', '&'), so every field of
// every garbage line reads as 0 and lies off the tile.
std::string Garbage(std::size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(rng());
        if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == '&')
            c = '\0';
    }
    return bytes;
}

std::string Scene(const std::string& width, const std::string& scale, const std::string& target) {
    return "[Environment]\r\nTerrainWidth=" + width + "\r\nTerrainWidthScale=" + scale +
           "\r\n[Light2]\r\nTargetPosition=" + target + "\r\n";
}

using namespace std::string_literals;

struct BadProject {
    const char* name;
    std::string environment;
    std::string scene;
    std::string definitions;
    Texts messages;
    Texts records;    // List1 after the load
    Texts vegetation; // the combo's entries
};

const std::string kRecord = "3,300,0,300";
const std::string kNulRecord = "3,300\0,0,300"s;

const BadProject kBadProjects[] = {
    {"garbage environment",
     Garbage(65536, 1) + "\r\n" + kRecord + "\r\n",
     kPlainScene,
     kPlainDefinitions,
     {},
     {kRecord},
     {"Vegetation_3:  Larch"}},
    {"NUL bytes in records",
     kNulRecord + "\r\n\0\0\0\r\n3,3\0"s
                  "00,0,300\r\n",
     kPlainScene,
     kPlainDefinitions,
     {},
     {kNulRecord},
     {"Vegetation_3:  Larch"}},
    // Without a tile count the window's tile is the one around the origin at the default grid
    // resolution, and the record at 300 lies on it.
    {"garbage scene",
     kRecord,
     Garbage(4096, 2),
     kPlainDefinitions,
     {kWidthMessage, kScaleMessage, kSunMessage},
     {kRecord},
     {"Vegetation_3:  Larch"}},
    {"NUL bytes in the scene",
     kRecord,
     "[Environment]\r\nTerrainWidth=3\0 \r\n\0\0\r\nTerrainWidthScale=1\r\n"s,
     kPlainDefinitions,
     {kSunMessage},
     {kRecord},
     {"Vegetation_3:  Larch"}},
    {"garbage definitions", kRecord, kPlainScene, Garbage(4096, 3), {}, {kRecord}, {"Vegetation_3:  "}},
    {"NUL bytes in the definitions",
     kRecord,
     kPlainScene,
     "[Vegetation_3]\r\n\0\r\nName=Lar\0ch\r\n"s,
     {},
     {kRecord},
     {"Vegetation_3:  Lar\0ch"s}},
    {"environment of CRs only", std::string(5000, '\r'), kPlainScene, kPlainDefinitions, {}, {}, {}},
    {"scene of CRs only",
     kRecord,
     std::string(5000, '\r'),
     kPlainDefinitions,
     {kWidthMessage, kScaleMessage, kSunMessage},
     {kRecord},
     {"Vegetation_3:  Larch"}},
    {"definitions of CRs only",
     kRecord,
     kPlainScene,
     std::string(5000, '\r'),
     {},
     {kRecord},
     {"Vegetation_3:  "}},
    {"numbers beyond the range in records",
     "3,1E999,0,300\r\n3,-1E999,0,300\r\n3,&HFFFFFFFFFFFF,0,300\r\n3,300,0,1e-400\r\n3,300,1E999,300\r\n",
     kPlainScene,
     kPlainDefinitions,
     {},
     {"3,300,1E999,300"},
     {"Vegetation_3:  Larch"}},
    {"tile count beyond the double range",
     kRecord,
     Scene("1E999", "1", "1,0,1"),
     kPlainDefinitions,
     {kInfoOverflow},
     {kRecord},
     {"Vegetation_3:  Larch"}},
    {"negative tile count beyond the double range",
     kRecord,
     Scene("-1E999", "1", "1,0,1"),
     kPlainDefinitions,
     {kInfoOverflow},
     {kRecord},
     {"Vegetation_3:  Larch"}},
    {"hexadecimal tile count beyond 32 bits",
     kRecord,
     Scene("&HFFFFFFFFFFFF", "1", "1,0,1"),
     kPlainDefinitions,
     {kInfoOverflow},
     {kRecord},
     {"Vegetation_3:  Larch"}},
    {"tile count below the double range",
     "3,0,0,0",
     Scene("1e-400", "1", "1,0,1"),
     kPlainDefinitions,
     {},
     {"3,0,0,0"},
     {"Vegetation_3:  Larch"}},
    {"grid resolution 0", kRecord, Scene("3", "0", "1,0,1"), kPlainDefinitions, {kReaderDivision}, {}, {}},
    {"negative grid resolution", "3,-300,0,-300", Scene("3", "-1", "1,0,1"), kPlainDefinitions, {}, {}, {}},
    {"huge grid resolution",
     kRecord,
     Scene("3", "1e307", "1,0,1"),
     kPlainDefinitions,
     {kReaderOverflow},
     {},
     {}},
    {"grid resolution beyond the double range",
     kRecord,
     Scene("3", "1E999", "1,0,1"),
     kPlainDefinitions,
     {kReaderOverflow},
     {},
     {}},
    {"sun beyond the double range",
     kRecord,
     Scene("3", "1", "1E999,0,1"),
     kPlainDefinitions,
     {kInfoOverflow},
     {kRecord},
     {"Vegetation_3:  Larch"}},
    {"thousands of commas",
     kRecord + std::string(5000, ',') + "\r\n3" + std::string(5000, ',') + "\r\n",
     Scene("3", "1", "1,0,1" + std::string(5000, ',')),
     kPlainDefinitions,
     {},
     {kRecord + std::string(5000, ',')},
     {"Vegetation_3:  Larch"}},
    {"long section name and value",
     kRecord,
     kPlainScene,
     "[" + std::string(10000, 'S') + "]\r\nName=x\r\n[Vegetation_3]\r\nName=" + std::string(10000, 'N') +
         "\r\n",
     {},
     {kRecord},
     {"Vegetation_3:  " + std::string(254, 'N')}},
    {"long vegetation number",
     std::string(10000, '0') + kRecord,
     kPlainScene,
     kPlainDefinitions,
     {},
     {std::string(10000, '0') + kRecord},
     {"Vegetation_3:  Larch"}},
};

void PrintTo(const BadProject& p, std::ostream* out) {
    *out << p.name;
}

class BadProjectTest : public ProjectRun, public ::testing::WithParamInterface<BadProject> {};

TEST_P(BadProjectTest, LoadsWhatItCanAndProcessesSafely) {
    const BadProject& p = GetParam();
    load(writeProject("Bad", p.environment, p.scene, p.definitions));

    EXPECT_EQ(platform.messages, p.messages) << p.name;
    EXPECT_EQ(list(ListId::List1), p.records) << p.name;
    EXPECT_EQ(ctx.form.comboItems(), p.vegetation) << p.name;
    EXPECT_TRUE(ctx.form.processEnabled()) << p.name;
    EXPECT_FALSE(platform.waitCursor);

    platform.messages.clear();
    process(R"(C:\Models\Tree.max)", "Tree", "45");
    for (const std::string& line : list(ListId::List2))
        EXPECT_TRUE(fuzz::IsPlacementScriptLine(line)) << p.name << ": " << line;
    EXPECT_LE(platform.messages.size(), 1u) << p.name;
}

INSTANTIATE_TEST_SUITE_P(Inputs, BadProjectTest, ::testing::ValuesIn(kBadProjects));

// The peak memory of the process, printed for the record (0 where the system does not say it).
long PeakResidentKilobytes() {
#ifdef _WIN32
    return 0;
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

// A single line of 100 MB, on the tile and off it: it is read in one piece, kept or dropped like any
// other record, and processed. The peak memory is printed (the bound is the input's size times a
// small factor: the read buffer, the kept record and the script).
TEST_F(ProjectRun, ASingleLineOf100MegabytesIsReadAndProcessed) {
    constexpr std::size_t kSize = 100u << 20;
    for (const bool onTheTile : {true, false}) {
        const std::string head = onTheTile ? kRecord + "," : "3,0,0,0,";
        std::string environment = head;
        environment.append(kSize, 'x');
        environment += "\r\n" + kRecord + "\r\n";
        const long before = PeakResidentKilobytes();
        load(writeProject("Long", environment));
        environment.clear();
        environment.shrink_to_fit();

        EXPECT_TRUE(platform.messages.empty());
        const LineList& records = ctx.form.list(ListId::List1);
        ASSERT_EQ(records.size(), onTheTile ? 2u : 1u);
        EXPECT_EQ(records[0].size(), onTheTile ? head.size() + kSize : kRecord.size());

        process(R"(C:\Models\Tree.max)", "Tree", "0");
        EXPECT_TRUE(platform.messages.empty());
        EXPECT_EQ(ctx.form.list(ListId::List2).size(), onTheTile ? 16u + 3u : 16u);
        std::printf("[ peak RSS ] %s: %ld MB before, %ld MB after\n", onTheTile ? "kept" : "dropped",
                    before / 1024, PeakResidentKilobytes() / 1024);
    }
}

} // namespace
} // namespace tes::test
