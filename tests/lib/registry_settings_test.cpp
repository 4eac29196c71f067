// The Windows registry store, in the current user's registry (under Wine, the build's own prefix).
#ifdef _WIN32
#include "lib/registry_settings.h"
#include "lib/settings.h"
#include "lib/wide_text.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tes {
namespace {

// A key of its own, so a test run on a real machine leaves the program's settings alone.
class RegistrySettings : public ::testing::Test {
protected:
    const std::string key = SettingsKeyPath("Tolvane Enviro Scripter Tests");
    void SetUp() override { removeKey(); }
    void TearDown() override { removeKey(); }
    void removeKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, WideFromUtf8(key).c_str()); }
    bool keyExists() const {
        HKEY opened = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, WideFromUtf8(key).c_str(), 0, KEY_READ, &opened) !=
            ERROR_SUCCESS)
            return false;
        ::RegCloseKey(opened);
        return true;
    }
};

TEST_F(RegistrySettings, AFirstRunReadsEmptyAndCreatesNothing) {
    EXPECT_EQ(ReadRegistryString(key, "DefaultDir"), "");
    EXPECT_FALSE(keyExists());
}

TEST_F(RegistrySettings, StringValuesReadBackUnchanged) {
    const struct {
        const char* name;
        std::string value;
    } cases[] = {
        {"DefaultDir", R"(C:\Projects)"},
        {"ObjectDir", ""},
        {"Unicode", "C:\\\xCE\x94\xCE\xAD\xCE\xBD\xCF\x84\xCF\x81\xCE\xBF \xD0\x9B\xD0\xB5\xD1\x81 "
                    "\xE6\xA3\xAE\\Mod\xC3\xA8les"}, // Greek, Cyrillic, CJK, Windows-1252
        {"Na\xC3\xAFve \xE2\x82\xAC", "x"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(WriteRegistryString(key, c.name, c.value)) << c.name;
    for (const auto& c : cases)
        EXPECT_EQ(ReadRegistryString(key, c.name), c.value) << c.name;

    // Stored as other Windows programs expect it: REG_SZ, the terminating zero counted.
    DWORD type = 0;
    DWORD bytes = 0;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, WideFromUtf8(key).c_str(), L"DefaultDir", RRF_RT_ANY, &type,
                             nullptr, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, (std::string(R"(C:\Projects)").size() + 1) * sizeof(wchar_t));

    EXPECT_TRUE(WriteRegistryString(key, "DefaultDir", "D:\\"));
    EXPECT_EQ(ReadRegistryString(key, "DefaultDir"), "D:\\");
}

} // namespace
} // namespace tes
#endif
