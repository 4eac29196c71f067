#include "lib/text_codec.h"

#include <gtest/gtest.h>

namespace tes {
namespace {

TEST(TextCodec, EveryWindows1252ByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

struct CodecCase {
    std::string_view cp1252;
    std::string_view utf8;
};

TEST(TextCodec, DecodesTheHighBytes) {
    const CodecCase cases[] = {
        {"plain", "plain"},
        {"\x80", "\xE2\x82\xAC"},   // euro sign
        {"\x9F", "\xC5\xB8"},       // Ÿ
        {"\x81", "\xC2\x81"},       // unassigned: the C1 control of the same value
        {"caf\xE9", "caf\xC3\xA9"}, // café
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
    }
}

TEST(TextCodec, UnmappableOrMalformedTextBecomesAQuestionMark) {
    const CodecCase cases[] = {
        {"?", "\xD0\xB6"}, // Cyrillic letter
        {"a?b", "a\xF0\x9F\x8C\xB2"
                "b"},            // a tree emoji
        {"?", "\xC2\x80"},       // U+0080 has no byte in Windows-1252
        {"?x", "\xFFx"},         // not UTF-8
        {"?", "\xC3"},           // cut sequence
        {"??", "\xC0\xAF"},      // overlong encoding
        {"???", "\xED\xA0\x80"}, // a surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
}

TEST(TextCodec, AppendsAndRecognisesAscii) {
    std::string out = "x";
    AppendCp1252AsUtf8(out, "\xE9");
    AppendUtf8AsCp1252(out, "\xC3\xA9");
    EXPECT_EQ(out, "x\xC3\xA9\xE9");
    EXPECT_TRUE(IsAscii("abc\r\n"));
    EXPECT_FALSE(IsAscii("ab\xE9"));
}

} // namespace
} // namespace tes
