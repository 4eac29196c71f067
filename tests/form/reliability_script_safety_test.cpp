// Whatever the user types or the project's paths hold, a placement script only places objects: no
// name, path or rotation text can end its literal early or start another MAXScript statement, in the
// window's lines or in the file's bytes.
#include "lib/text_codec.h"
#include "reliability_fixture.h"
#include "script_shape.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace tes::test {
namespace {

// The lines of a script file: each must end in CR LF, and no other CR or LF may occur.
Texts FileLines(const std::string& bytes) {
    Texts lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "the last line ends in CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void ExpectOnlyPlacementLines(const Texts& lines, const std::string& what) {
    ASSERT_GT(lines.size(), 10u) << what;
    for (const std::string& line : lines)
        EXPECT_TRUE(fuzz::IsPlacementScriptLine(line)) << what << ": " << line;
}

struct Entries {
    std::string objectName;
    std::string maxFile;
    std::string rotation;
    // The expected lines as the window shows them (the file holds their Windows-1252 form).
    std::string merge;
    std::string firstPosition;
    std::string rotate;
    std::string firstCopy;
};

class ScriptSafety : public ProjectRun {
protected:
    // A project folder whose path is longer than 260 characters and holds characters that Windows-1252
    // lacks; its script file is written there as for any other project.
    std::string deepProject() {
        std::filesystem::path folder = dir.path() / ("Проект ✓ " + std::string(100, 'd'));
        folder /= std::string(100, 'e');
        folder /= std::string(100, 'f');
        std::filesystem::create_directories(folder);
        const std::string base = (folder / "Wald").string();
        EXPECT_GT(base.size(), 300u);
        auto write = [&](const std::string& ext, const std::string& bytes) {
            return dir.write(std::filesystem::relative(base + ext, dir.path()).string(), bytes);
        };
        write(".txt", "3,300,0,300\r\n3,301,0,301\r\n");
        write(".scn", kPlainScene);
        write(".est", kPlainDefinitions);
        return write(".prj", "project");
    }
};

TEST_F(ScriptSafety, HostileEntriesStayInsideTheirLiterals) {
    const Entries cases[] = {
        {R"(Oak "Tree")", R"(C:\a"; deleteFile "x)", R"(45 [0,0,1]); deleteFile "x")",
         R"(mergeMAXFile "C:\A\"; DELETEFILE \"X" #mergeDups #select #noredraw)",
         R"($'Oak "Tree"'.pos = [-84.000000,84.000000,0.000000])",
         R"(rotate $'Oak "Tree"' (angleaxis 45 [0,0,1]))",
         R"(copy $'Oak "Tree"' isSelected:on name:"Oak \"Tree\"01")"},
        {R"(Tree*?\;)", R"(\\server\share\*.max\)", "45.0",
         R"(mergeMAXFile "\\\\SERVER\SHARE\\*.MAX\\" #mergeDups #select #noredraw)",
         R"($'Tree\*\?\\;'.pos = [-84.000000,84.000000,0.000000])",
         R"(rotate $'Tree\*\?\\;' (angleaxis 45.0 [0,0,1]))",
         R"(copy $'Tree\*\?\\;' isSelected:on name:"Tree*?\\;01")"},
        {"a;b", "C:\\x.max\r\nrotate $* 90\n", "+45;\r\ndelete $*",
         R"(mergeMAXFile "C:\X.MAX\r\nROTATE $* 90\n" #mergeDups #select #noredraw)",
         "$'a;b'.pos = [-84.000000,84.000000,0.000000]", "rotate $'a;b' (angleaxis 45 [0,0,1])",
         R"(copy $'a;b' isSelected:on name:"a;b01")"},
        {"Baum Ä", R"(C:\%TEMP%\Modèle\Ä.max)", "&H2D",
         R"(mergeMAXFile "C:\\%TEMP%\MODÈLE\Ä.MAX" #mergeDups #select #noredraw)",
         "$'Baum Ä'.pos = [-84.000000,84.000000,0.000000]", "rotate $'Baum Ä' (angleaxis 45 [0,0,1])",
         R"(copy $'Baum Ä' isSelected:on name:"Baum Ä01")"},
    };
    const std::string prj = deepProject();
    load(prj);
    ASSERT_TRUE(platform.messages.empty());
    const std::string scriptPath = ctx.session.ProjectBasePath + "_MainVeg_03.ms";
    for (const Entries& c : cases) {
        process(c.maxFile, c.objectName, c.rotation);

        EXPECT_TRUE(platform.messages.empty()) << c.objectName;
        const Texts lines = list(ListId::List2);
        ExpectOnlyPlacementLines(lines, c.objectName);
        ASSERT_EQ(lines.size(), 16u + 3u + 1u) << c.objectName;
        EXPECT_EQ(lines[8], c.merge);
        EXPECT_EQ(lines[12], c.firstPosition);
        EXPECT_EQ(lines[13], c.rotate);
        EXPECT_EQ(lines[17], c.firstCopy);

        // The file holds the same lines in Windows-1252.
        const Texts written = FileLines(ReadBytes(scriptPath));
        ExpectOnlyPlacementLines(written, c.objectName + " (file)");
        ASSERT_EQ(written.size(), lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(written[i], Utf8ToCp1252(lines[i]));
    }
}

// A character Windows-1252 lacks would be written as '?', a wildcard in a pathname and a wrong path in
// the merge: such a name or path is refused before anything changes.
TEST_F(ScriptSafety, CharactersTheCodePageLacksAreRefused) {
    load(writeProject("P", "3,300,0,300\r\n"));
    for (const auto& [maxFile, name] :
         {std::pair{R"(C:\Models\Tree.max)", "Baum ✓"}, std::pair{R"(C:\Modèles\Δέντρο.max)", "Tree"}}) {
        platform.messages.clear();
        process(maxFile, name, "0");
        EXPECT_EQ(
            platform.messages,
            Texts{"The Max file name and the object name must be written in the Windows-1252 code page"});
        EXPECT_TRUE(list(ListId::List2).empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("P_MainVeg_03.ms")));
}

TEST_F(ScriptSafety, NamesNoPathNameCanCarryAreRefused) {
    load(writeProject("P", "3,300,0,300\r\n"));
    for (const char* name : {"Tree\r\ndeleteFile \"x\"", "O'Hara'); deleteFile (\"x", "Tree\ndelete $*"}) {
        platform.messages.clear();
        process(R"(C:\Models\Tree.max)", name, "0");
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_TRUE(platform.messages[0].starts_with(
            "Please specify a Max object name without quotes or control characters"));
        EXPECT_TRUE(list(ListId::List2).empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("P_MainVeg_03.ms")));
}

// Linux allows line breaks and quotes in file names; the script's heading names its file without
// letting such a name start a line of its own.
TEST_F(ScriptSafety, AProjectNameWithALineBreakStaysInItsComment) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows allows no line break or quote in a file name";
#endif
    load(writeProject("P\r\ndeleteFile \"x\"\ndelete $*", "3,300,0,300\r\n"));
    ASSERT_TRUE(platform.messages.empty());
    process(R"(C:\Models\Tree.max)", "Tree", "0");
    EXPECT_TRUE(platform.messages.empty());

    const Texts lines = list(ListId::List2);
    ExpectOnlyPlacementLines(lines, "project name");
    EXPECT_EQ(lines[1], R"(-- Script File Name:  P??deleteFile "x"?delete $*_MainVeg_03.ms)");
    const Texts written = FileLines(ReadBytes(ctx.session.ScriptFilePath));
    ExpectOnlyPlacementLines(written, "project name (file)");
    EXPECT_EQ(written.size(), lines.size());
}

} // namespace
} // namespace tes::test
