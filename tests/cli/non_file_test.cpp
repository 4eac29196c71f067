#include "cli_run.h"
#include "picture/preview_png.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tes::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// Each command refuses a project file, environment file or kinds table that is a pipe no one writes
// to, a folder or a device, naming it, within a second, and writes nothing.
TEST(NonFile, EveryCommandRefusesItAtOnce) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no pipes or devices that stand in a folder as files do";
#else
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    std::vector<Strings> commands = {
        {"info"}, {"records"}, {"build", "--all"}, {"kinds"}, {"kinds", "--set", "5"}};
    if (CanDrawPreviewPictures())
        commands.push_back({"preview", "--png", dir.file("P.png")});
    const std::pair<const char*, std::function<void(const std::string&)>> nodes[] = {
        {"a pipe", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
        {"a folder", [](const std::string& path) { fs::create_directory(path); }},
        {"a device", [](const std::string& path) { fs::create_symlink("/dev/null", path); }}};
    for (const auto& [file, what] : {std::pair<std::string, std::string>{"P.prj", "The project file "},
                                     {"P.txt", "The environment file "},
                                     {"P.tes.ini", "The kinds table "}}) {
        for (const auto& [kind, make] : nodes) {
            const std::string path = dir.file(file);
            fs::remove(path);
            make(path);
            for (Strings args : commands) {
                SCOPED_TRACE(file + " " + kind + " " + args[0]);
                args.insert(args.begin() + 1, prj);
                const auto start = std::chrono::steady_clock::now();
                const CliRun run = RunEnviroScript(args);
                EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
                EXPECT_EQ(run.status, 1);
                EXPECT_EQ(run.err, what + path + " is " + kind + ", not a regular file.\n");
                EXPECT_EQ(run.out, "");
                EXPECT_EQ(dir.entries().size(), file == "P.tes.ini" ? 5u : 4u);
            }
            fs::remove(path);
            SmallProject().writeTo(dir);
        }
    }
#endif
}

} // namespace
} // namespace tes::test
