#include "lib/line_list.h"

#include <gtest/gtest.h>
#include <string>

namespace tes {
namespace {

// Lines built in pieces read back whole, and the bytes behind the last line are zero padding, however
// short the last piece was and however the list was emptied.
TEST(LineList, KeepsItsLinesAndZeroPaddingBehindThem) {
    LineList list;
    EXPECT_EQ(list.text().data()[0], '\0');
    list.append("5,1920,0,1920");
    list.appendText({"copy ", "$Tree", ""});
    list.appendChar('!');
    list.endLine();
    list.endLine();
    list.appendText("x");
    list.endLine();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], "5,1920,0,1920");
    EXPECT_EQ(list[1], "copy $Tree!");
    EXPECT_EQ(list[2], "");
    EXPECT_EQ(list[3], "x");
    EXPECT_EQ(std::string(list.text().data() + list.textBytes(), kReadPadding),
              std::string(kReadPadding, '\0'));

    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.textBytes(), 0u);
    list.append("7");
    EXPECT_EQ(std::string(list.text().data() + 1, kReadPadding), std::string(kReadPadding, '\0'));
}

} // namespace
} // namespace tes
