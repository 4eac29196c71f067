#include "core/script/maxscript_literals.h"

#include <gtest/gtest.h>
#include <string>

namespace tes {
namespace {

struct TextCase {
    std::string input;
    std::string expected;
};

TEST(MaxScriptLiterals, PathNamesQuoteEverythingButPlainIdentifiers) {
    const TextCase cases[] = {
        {"Tree", "$Tree"},
        {"Tree_01", "$Tree_01"},
        {"Oak Tree", "$'Oak Tree'"},
        {"Oak-Tree.1", "$'Oak-Tree.1'"},
        {R"(a*b?c\d)", R"($'a\*b\?c\\d')"},
        {"a/b", "$'a/b'"},
        {"B\xC3\xA4ume", "$'B\xC3\xA4ume'"},
        {R"(say "hi")", R"($'say "hi"')"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(MaxPathName(c.input), c.expected) << c.input;
}

TEST(MaxScriptLiterals, NamesWithQuotesOrControlCharactersCannotBeWritten) {
    const struct {
        std::string name;
        bool writable;
    } cases[] = {
        {"Tree", true},     {"Oak Tree", true},  {R"(a"b\c*)", true}, {"B\xC3\xA4ume", true},
        {"O'Hara", false},  {"Tree\r\n", false}, {"a\tb", false},     {std::string("a\0b", 3), false},
        {"del\x7F", false}, {"", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsWritableMaxName(c.name), c.writable) << c.name;
}

TEST(MaxScriptLiterals, StringBodiesEscapeQuotesAndBackslashes) {
    EXPECT_EQ(MaxStringBody("Tree01"), "Tree01");
    EXPECT_EQ(MaxStringBody(R"(a"b\c*?)"), R"(a\"b\\c*?)");
}

TEST(MaxScriptLiterals, FilePathsKeepEveryBackslashMaxScriptWouldEat) {
    const TextCase cases[] = {
        {R"(C:\MODELS\TREE.MAX)", R"(C:\MODELS\TREE.MAX)"},
        {R"(\\SERVER\SHARE\TREE.MAX)", R"(\\\\SERVER\SHARE\TREE.MAX)"},
        {R"(C:\MODELS\\\TREE.MAX)", R"(C:\MODELS\\\\\\TREE.MAX)"},
        {R"(C:\MODELS\)", R"(C:\MODELS\\)"},
        {R"(C:\%TEMP%\A.MAX)", R"(C:\\%TEMP%\A.MAX)"},
        {R"(C:\A"B)", R"(C:\A\"B)"},
        {R"(C:\"B)", R"(C:\\\"B)"},
        {R"(X.MAX" #select; deleteFile "C:\Y)", R"(X.MAX\" #select; deleteFile \"C:\Y)"},
        {"A\r\nB", R"(A\r\nB)"},
        {"A\\\nB", R"(A\\\nB)"},
        {R"(\*\?)", R"(\\*\\?)"},
        {"", ""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(MaxFilePathBody(c.input), c.expected) << c.input;
}

TEST(MaxScriptLiterals, AnglesStayAsTypedOnlyWhenTheyArePlainNumbers) {
    const TextCase cases[] = {
        {"45.0", "45.0"},     {"-26.6", "-26.6"}, {"1e2", "1e2"},
        {"1.5E-3", "1.5E-3"}, {"296.6", "296.6"}, {R"(45 [0,0,1]); deleteFile "x")", "45"},
        {"45)", "45"},        {" 45", "45"},      {"+45", "45"},
        {"45.", "45"},        {".5", "0.5"},      {"&H10", "16"},
        {"1D2", "100"},       {"abc", "0"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(MaxAngleText(c.input), c.expected) << c.input;
}

} // namespace
} // namespace tes
