#include "support/maxscript_cursor.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tes::test {
namespace {

// The 3ds Max snippet that copies shapes as areas (docs/areas_from_max.ms, shown in the docs): its
// literals end on their lines and its parentheses pair over the lines, so 3ds Max reads it whole; the
// settings the docs tell the user to change are its first statement; and the lines it prints start
// as --areas-from reads them.
TEST(AreasFromMax, SnippetReadsWholeAndPrintsTheReadersForm) {
    std::istringstream text(ReadBytes(std::string(TES_EXAMPLES_DIR) + "/../docs/areas_from_max.ms"));
    int depth = 0;
    int starts = 0;
    bool settingsRead = false;
    for (std::string line; std::getline(text, line);) {
        EXPECT_NO_THROW(depth += ParenthesisBalance(line)) << line;
        EXPECT_GE(depth, 0) << line;
        MaxCursor c(line);
        if (!settingsRead && !line.starts_with("--")) {
            for (const char* name : {"roadWidth", "tolerance"}) {
                EXPECT_EQ(c.identifier(), name);
                c.expect("=");
                EXPECT_GT(c.number(), 0);
                c.expect(";");
            }
            EXPECT_EQ(c.identifier(), "areasFile");
            c.expect("=");
            EXPECT_EQ(c.string(), "");
            settingsRead = true;
        } else if (c.take("local") && c.identifier() == "txt" && c.take("=")) {
            EXPECT_EQ(c.string(), "--area \"");
            ++starts;
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_TRUE(settingsRead);
    EXPECT_EQ(starts, 1);
}

} // namespace
} // namespace tes::test
