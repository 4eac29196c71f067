// Faults while writing scripts and combined files: each is reported once in the routine's own form,
// the program goes on, an earlier file of the same name stays intact and no temporary file is left.
#include "core/combine_scripts.h"
#include "form/combiner_commands.h"
#include "form/process_command.h"
#include "script_fixture.h"
#include "support/combiner_fixture.h"

#include <csignal>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace tes::test {
namespace {

using Texts = std::vector<std::string>;

// While it lives, the file system refuses to let any file of this process grow beyond `bytes`
// (writes fail with EFBIG, as on a full disk); works for every user, root included.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

std::string ReadAll(std::istream& in) {
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Texts Entries(const std::filesystem::path& folder) {
    Texts names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct BuildFault {
    const char* name;
    std::function<void(ScriptProject&)> arrange;
    std::string message;
    Texts entries; // the project folder afterwards
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
        if (c.arrange)
            c.arrange(p);
        {
            FileSizeLimit limit(c.arrange ? RLIM_INFINITY : 1000);
            BuildScript(p.ctx);
        }
        EXPECT_EQ(p.platform.messages, Texts{c.message}) << c.name;
        EXPECT_EQ(p.script().size(), 16u + 3u * 199u) << c.name; // the lines stay in the window
        EXPECT_EQ(ReadBytes(p.scriptPath()), "earlier script\r\n") << c.name;
        EXPECT_EQ(Entries(p.dir.path()), c.entries) << c.name;

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
TEST(BuildScriptFaults, AScriptOpenElsewhereIsReplaced) {
    ScriptProject p;
    p.dir.write("Valley_MainVeg_05.ms", "earlier script\r\n");
    p.addRecord("5,1920,0,1920");
    std::ifstream reader(p.scriptPath(), std::ios::binary);
    std::ofstream writer(p.scriptPath(), std::ios::binary | std::ios::app);

    BuildScript(p.ctx);

    EXPECT_TRUE(p.platform.messages.empty());
    EXPECT_TRUE(ReadBytes(p.scriptPath()).starts_with("-- Tolvane"));
    EXPECT_EQ(ReadAll(reader), "earlier script\r\n");
    EXPECT_EQ(Entries(p.dir.path()), Texts{"Valley_MainVeg_05.ms"});
}

using CombinerFaults = CombinerFixture;

TEST_F(CombinerFaults, AddingWhatIsNoFileIsReported) {
    std::filesystem::create_directory(dir.path() / "folder.ms");
    const std::string plain = dir.write("plain", "x");
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {dir.file("folder.ms"), "Unexpected error in btnAddFile \n\n 75 - Path/File access error"},
        {plain + "/a.ms", "Unexpected error in btnAddFile \n\n 76 - Path not found"},
    };
    for (const auto& c : cases) {
        platform.messages.clear();
        add(c.path);
        EXPECT_EQ(platform.messages, Texts{c.message}) << c.path;
        EXPECT_EQ(ctx.lstMaxScripts.size(), 0u);
        EXPECT_FALSE(platform.waitCursor);
    }
}

TEST_F(CombinerFaults, AFailedSaveKeepsTheListAndWhatIsOnDisk) {
    std::filesystem::create_directory(dir.path() / "folder.ms");
    const std::string plain = dir.write("plain", "x");
    const std::string old = dir.write("old.ms", "old\r\n");
    add(dir.write("a.ms", std::string(5000, 'x') + "\r\n"));
    const struct {
        std::string path;
        rlim_t sizeLimit;
        std::string message;
    } cases[] = {
        {dir.file("folder.ms"), RLIM_INFINITY,
         "Unexpected error in btnSaveAs \n\n 75 - Path/File access error"},
        {plain + "/new.ms", RLIM_INFINITY, "Unexpected error in btnSaveAs \n\n 76 - Path not found"},
        {old, 1000, "Unexpected error in btnSaveAs \n\n 61 - Disk full"},
    };
    for (const auto& c : cases) {
        platform.messages.clear();
        {
            FileSizeLimit limit(c.sizeLimit);
            saveAs(c.path);
        }
        EXPECT_EQ(platform.messages, Texts{c.message}) << c.path;
        EXPECT_EQ(ctx.lstMaxScripts.size(), 3u);
        EXPECT_FALSE(platform.waitCursor);
    }
    EXPECT_EQ(ReadBytes(old), "old\r\n");
    EXPECT_EQ(ReadBytes(plain), "x");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder.ms"));
    EXPECT_EQ(Entries(dir.path()), (Texts{"a.ms", "folder.ms", "old.ms", "plain"}));

    // An open handle on the old file does not stop the save.
    std::ifstream reader(old, std::ios::binary);
    saveAs(old);
    EXPECT_EQ(ReadBytes(old), std::string(5000, 'x') + "\r\n\r\n\r\n");
    EXPECT_EQ(ReadAll(reader), "old\r\n");
}

} // namespace
} // namespace tes::test
