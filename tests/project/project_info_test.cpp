#include "project/project_info.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes::test {
namespace {

const std::string kWidthMessage = "Cannot determine TerrainWidth value from project files.  Using default...";
const std::string kScaleMessage =
    "Cannot determine TerrainWidthScale value from project files.  Using default...";
const std::string kSunMessage = "Error reading Sun Location(Light2) in SCN file. Using default...";
const std::string kPitchMessage = "Tolvane 90 degree Pitch bug detected.  Correcting to 89.9 degrees";

class ProjectInfoTest : public ::testing::Test {
protected:
    // Reads the scene into `values`, which keep what they held where the scene gives nothing.
    void readScene(const std::string& scene) { readFile(dir.write("Valley.scn", scene)); }
    void readFile(const std::string& path) {
        Messages messages;
        ReadProjectInfo(path, values, messages);
        texts.clear();
        for (const Message& message : messages)
            texts.push_back(message.text);
    }
    static std::string scene(const std::string& width, const std::string& target) {
        return "[Environment]\r\nTerrainWidth=" + width +
               "\r\nTerrainWidthScale=2.5\r\n[Light2]\r\nTargetPosition=" + target + "\r\n";
    }

    TempDir dir;
    SceneValues values;
    std::vector<std::string> texts; // the messages of the last read
};

TEST_F(ProjectInfoTest, TurnsTheSunTargetIntoHeadingAndPitch) {
    struct Case {
        const char* target;
        const char* heading;
        const char* pitch;
        bool clamped;
    };
    const Case cases[] = {
        {"1801,199,801", "45", "45", false},          {"1799,190,799", "225", "84.3", false},
        {"1810,150,790", "135", "88.9", false},       {"1790,199.5,805", "296.6", "26.6", false},
        {"1800,200,800", "90", "0", false},           // the reference point itself
        {"1700,200,800", "270", "0", false},          // straight along -X
        {"1800,200,700", "180", "0", false},          // straight along -Z
        {"1799.95,200,900", "360", "0", false},       // 359.97 rounds up to a full circle
        {"1800,-1000,900", "0", "89.9", true},        // far below: the pitch is corrected
        {"1800,-372.957213,900", "0", "89.9", false}, // exactly on the limit
        {"1800,300,900", "0", "-89.4", false},        // above the reference height
        {"1790,199", "180.7", "45", false},           // no z: it reads 0
        {"1800.0000004,199,801", "0", "45", false},   // an offset below half a millionth is 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        readScene(scene("5", c.target));
        EXPECT_EQ(values.heading, c.heading);
        EXPECT_EQ(values.pitch, c.pitch);
        EXPECT_EQ(texts, c.clamped ? std::vector<std::string>{kPitchMessage} : std::vector<std::string>{});
    }
}

TEST_F(ProjectInfoTest, ReadsTheTileCountAsWrittenAndRounded) {
    struct Case {
        const char* width;
        std::int32_t count;
        const char* shown;
    };
    const Case cases[] = {
        {"5", 5, "5 x 5"}, {"4.5", 4, "4.5 x 4.5"}, {"5.5", 6, "5.5 x 5.5"}, {"many", 0, "many x many"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        values.terrainWidth = 9;
        readScene(scene(c.width, "1801,199,801"));
        EXPECT_EQ(values.terrainWidth, c.count);
        EXPECT_EQ(values.tileFormat, c.shown);
        EXPECT_EQ(values.gridRes, "2.5");
        EXPECT_TRUE(texts.empty());
    }
}

TEST_F(ProjectInfoTest, MissingValuesKeepWhatWasHeld) {
    values.terrainWidth = 7;
    values.heading = "12";
    values.pitch = "3";
    readScene("[Light1]\r\nTargetPosition=1801,199,801\r\n");
    EXPECT_EQ(texts, (std::vector<std::string>{kWidthMessage, kScaleMessage, kSunMessage}));
    EXPECT_EQ(values.terrainWidth, 7);
    EXPECT_EQ(values.tileFormat, "5 x 5");
    EXPECT_EQ(values.gridRes, "3.0");
    EXPECT_EQ(values.heading, "90");
    EXPECT_EQ(values.pitch, "45");

    readFile(dir.file("Missing.scn"));
    EXPECT_EQ(texts, (std::vector<std::string>{kWidthMessage, kScaleMessage, kSunMessage}));
}

TEST_F(ProjectInfoTest, ATileCountBeyondThirtyTwoBitsEndsTheReading) {
    values.terrainWidth = 5;
    readScene(scene("3000000000", "1801,199,801"));
    EXPECT_EQ(texts, std::vector<std::string>{"Unexpected error in GetProjectInfo: Overflow ( 6)"});
    EXPECT_EQ(values.terrainWidth, 5);
    EXPECT_EQ(values.tileFormat, "5 x 5");
    EXPECT_EQ(values.gridRes, "3.0"); // the steps after the failure did not run
    EXPECT_EQ(values.heading, "90.0");
}

} // namespace
} // namespace tes::test
