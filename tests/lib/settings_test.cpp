#include "lib/failure.h"
#include "lib/settings.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>

namespace tes {
namespace {

// A settings store that cannot be reached.
class BrokenStore : public test::FakePlatform {
public:
    std::string readSetting(const std::string&, const std::string&) override {
        throw failures::permissionDenied();
    }
    void writeSetting(const std::string&, const std::string&, const std::string&) override {
        throw failures::permissionDenied();
    }
};

TEST(Settings, ValuesReadBackUnchanged) {
    test::FakePlatform platform;
    const std::string key = SettingsKeyPath("Tolvane Enviro Scripter");
    EXPECT_EQ(key, "Software\\Tolvane Enviro Scripter");
    EXPECT_EQ(GetRegStr(platform, key, "DefaultDir"), "");
    SetRegStr(platform, "DefaultDir", "C:\\Projects", key);
    SetRegStr(platform, "ObjectDir", "", key);
    EXPECT_EQ(GetRegStr(platform, key, "DefaultDir"), "C:\\Projects");
    EXPECT_EQ(GetRegStr(platform, key, "ObjectDir"), "");
    EXPECT_TRUE(platform.messages.empty());
}

TEST(Settings, AFailingStoreIsReportedOnReadingOnly) {
    BrokenStore platform;
    SetRegStr(platform, "DefaultDir", "x", "Software\\T");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(GetRegStr(platform, "Software\\T", "DefaultDir"), "");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "Unexpected error in GetRegStr \n\n 70 - Permission denied");
}

} // namespace
} // namespace tes
