#include "form/installed_example.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

// The program is installed in program/, the user's documents are in Documents/.
TEST(InstalledExample, IsOpenedFromTheUsersCopyWhichStaysTheirs) {
    TempDir dir;
    const std::string documents = dir.file("Documents");
    const auto open = [&](const std::string& project) {
        return ProjectOutsideProgramFolder(project, dir.file("program"), documents).path;
    };
    for (const char* other : {"programs/Valley.prj", "work/Valley.prj"}) // "programs" only begins alike
        EXPECT_EQ(open(dir.write(other, "")), dir.file(other));

    dir.write("program/examples/Valley/Valley.txt", "records");
    const std::string installed = dir.write("program/examples/Valley/Valley.prj", "installed");
    const std::string copy =
        JoinPath(JoinPath(JoinPath(documents, kExampleCopiesFolder), "Valley"), "Valley");
    EXPECT_EQ(open(dir.file("program/examples/../examples/Valley/Valley.prj")), copy + ".prj");
    EXPECT_EQ(ReadBytes(copy + ".txt"), "records");

    // Once there, the copy is never replaced.
    dir.write("Documents/Tolvane Enviro Scripter/Valley/Valley.prj", "edited");
    EXPECT_EQ(open(installed), copy + ".prj");
    EXPECT_EQ(ReadBytes(copy + ".prj"), "edited");
}

} // namespace
} // namespace tes::test
