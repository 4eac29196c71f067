// Faults while writing a script file: each is reported once in the routine's own form, the program
// goes on, an earlier script of the same name stays intact and no temporary file is left.
#include "form/process_command.h"
#include "lib/fields.h"
#include "script_fixture.h"
#include "support/file_size_limit.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes::test {
namespace {

using Texts = std::vector<std::string>;

struct BuildFault {
    const char* name;
    std::function<void(ScriptProject&)> arrange;
    std::string message; // then the file, its folder when missing, and what to do
    Texts entries;       // the project folder afterwards
};

TEST(BuildScriptFaults, AreReportedOnceAndLeaveNoTrace) {
    const BuildFault cases[] = {
        {"script folder is a file",
         [](ScriptProject& p) { p.ctx.session.ProjectBasePath = p.dir.write("plain", "x") + "/Valley"; },
         "Unexpected error in BuildScript \n\n 76 - Path not found",
         {"Valley_MainVeg_05.ms", "plain"}},
        {"script folder missing",
         [](ScriptProject& p) { p.ctx.session.ProjectBasePath = p.dir.file("gone/Valley"); },
         "Unexpected error in BuildScript \n\n 76 - Path not found",
         {"Valley_MainVeg_05.ms"}},
        {"file system refuses to write",
         {},
         "Unexpected error in BuildScript \n\n 61 - Disk full",
         {"Valley_MainVeg_05.ms"}},
    };
    for (const auto& c : cases) {
        ScriptProject p;
        p.dir.write("Valley_MainVeg_05.ms", "earlier script\r\n");
        for (int i = 0; i < 200; ++i)
            p.addRecord("5,1920,0,1920");
        if (!c.arrange && !FileSizeLimit::kAvailable)
            continue; // a full disk is made by a file size limit, which Windows does not have
        if (c.arrange)
            c.arrange(p);
        {
            FileSizeLimit limit(c.arrange ? kNoFileSizeLimit : 1000);
            BuildScript(p.ctx);
        }
        const std::string file = p.ctx.session.ProjectBasePath + "_MainVeg_05.ms";
        // The folders arranged are missing (or files); the full disk's is there.
        const std::string folder = c.arrange ? "\nFolder not found: " + FolderOfPath(file) : "";
        EXPECT_EQ(p.platform.messages, Texts{c.message + "\n\nFile: " + file + folder +
                                             "\n\nChoose an Output folder in Script Options."})
            << c.name;
        EXPECT_EQ(p.script().size(), 16u + 3u * 199u) << c.name; // the lines stay in the window
        EXPECT_EQ(ReadBytes(p.scriptPath()), "earlier script\r\n") << c.name;
        EXPECT_EQ(p.dir.entries(), c.entries) << c.name;

        // The program goes on: with the fault gone the next build writes the script.
        p.platform.messages.clear();
        p.ctx.session.ProjectBasePath = p.dir.file("Valley");
        BuildScript(p.ctx);
        EXPECT_TRUE(p.platform.messages.empty()) << c.name;
        EXPECT_TRUE(ReadBytes(p.scriptPath()).starts_with("-- Tolvane")) << c.name;
    }
}

// On Linux nothing locks a file another program holds open: a script that 3ds Max or an editor still
// has open is replaced all the same, and the other program keeps reading the version it opened.
// Windows refuses to replace a file that is open without leave to delete it (as the C library opens
// files): the build reports that once and the earlier script stays whole.
TEST(BuildScriptFaults, AScriptOpenElsewhereIsReplacedWhereTheSystemAllowsIt) {
    ScriptProject p;
    p.dir.write("Valley_MainVeg_05.ms", "earlier script\r\n");
    p.addRecord("5,1920,0,1920");
    std::ifstream reader(p.scriptPath(), std::ios::binary);
    std::ofstream writer(p.scriptPath(), std::ios::binary | std::ios::app);

    BuildScript(p.ctx);

#ifdef _WIN32
    EXPECT_EQ(p.platform.messages,
              Texts{"Unexpected error in BuildScript \n\n 70 - Permission denied\n\nFile: " + p.scriptPath() +
                    "\n\nChoose an Output folder in Script Options."});
    EXPECT_EQ(ReadBytes(p.scriptPath()), "earlier script\r\n");
#else
    EXPECT_TRUE(p.platform.messages.empty());
    EXPECT_TRUE(ReadBytes(p.scriptPath()).starts_with("-- Tolvane"));
#endif
    EXPECT_EQ(ReadRest(reader), "earlier script\r\n");
    EXPECT_EQ(p.dir.entries(), Texts{"Valley_MainVeg_05.ms"});
}

} // namespace
} // namespace tes::test
