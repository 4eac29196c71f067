// The window runs under the user's locale (Qt sets it), yet a point cache reads the script's numbers
// with a full stop as their decimal point.
#include "form/process_command.h"
#include "script_fixture.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>

namespace tes::test {
namespace {

// German, with its decimal comma: the system's, or made once into the build folder from the sources
// that Debian's locales package installs.
bool UseGermanLocale() {
    const auto german = [] {
        return std::setlocale(LC_ALL, "de_DE.UTF-8") && *std::localeconv()->decimal_point == ',';
    };
#ifndef _WIN32
    const std::string made = TES_TEST_LOCALE_DIR "/de_DE.UTF-8";
    if (!german() && !std::filesystem::exists(made)) {
        [[maybe_unused]] const int status =
            std::system(("mkdir -p '" TES_TEST_LOCALE_DIR "' && localedef -i de_DE -f UTF-8 '" + made +
                         ".new' >/dev/null 2>&1; mv '" + made + ".new' '" + made + "'")
                            .c_str());
    }
    ::setenv("LOCPATH", TES_TEST_LOCALE_DIR, 1);
#endif
    return german();
}

TEST(ProcessUnderLocale, TheCacheHoldsTheNumbersOfTheCLocale) {
    ScriptProject p;
    p.addRecord("5,1900,10,1910");
    p.set(TextField::txtObjectScale, "33.333333");
    p.set(TextField::txtRotationAngle, "126.9");
    p.ctx.scriptStyle = {ScriptShape::Fast, false, false, PointCache::Csv};
    const auto process = [&p] {
        btnProcess_Click(p.ctx);
        return ReadBytes(p.dir.file("Valley_MainVeg_05.csv"));
    };
    const std::string plain = process(), before = std::setlocale(LC_ALL, nullptr);
    const bool german = UseGermanLocale();
    const std::string underLocale = german ? process() : plain;
    std::setlocale(LC_ALL, before.c_str());
    if (!german)
        GTEST_SKIP() << "no German locale could be had (Debian's locales package holds its sources)";
    // The Scale channel, then the ID and the kind.
    EXPECT_NE(plain.find(",0.33333334,0.33333334,0.33333334,1,5\r\n"), std::string::npos) << plain;
    EXPECT_EQ(underLocale, plain);
}

} // namespace
} // namespace tes::test
