// The Kinds dialog's entries: following the table under the user's edits, and the kinds left unmended.
#include "core/plants/kind_entries.h"

#include <gtest/gtest.h>

namespace tes {
namespace {

// The dialog's entries follow the table under the user's edits, and name what the table changed.
TEST(KindEntries, FollowingKeepsTheUsersChangesAndNamesTheTablesOwn) {
    KindEntry opened;
    opened.row = {"5", "D:\\M\\Oak.max", "", true};
    KindEntry edited = opened;
    edited.row.plants.thinning.keep = 60;
    KindEntry now = opened;
    now.row.plants.thinning.keep = 30;
    now.row.maxFile = "D:\\M\\Elm.max";
    KindEntry added;
    added.row = {"7", "D:\\M\\Fir.max", "", true};

    const FollowedKinds followed = FollowKindEntries({opened}, {edited}, {now, added});
    ASSERT_EQ(followed.edited.size(), 2u);
    EXPECT_EQ(followed.edited[0].row.plants.thinning.keep, 60);
    EXPECT_EQ(followed.edited[0].row.maxFile, "D:\\M\\Elm.max");
    EXPECT_EQ(followed.changed[0], (std::vector<std::string>{"MaxFile", "Keep"}));
    EXPECT_EQ(followed.opened[0].row, now.row);
    EXPECT_EQ(followed.from, (std::vector<std::size_t>{0, std::string::npos}));
}

// OK names each kind left with a value that cannot be read, as not built until it is mended.
TEST(KindEntries, KindsLeftUnmendedAreNamed) {
    KindEntry faulty;
    faulty.row = {"5", "D:\\M\\Oak.max", "", true};
    faulty.row.faults = {{"Turn", "0:36O", "is not FROM:TO", 0}};
    KindEntry sound;
    sound.row = {"7", "", "", true};
    EXPECT_FALSE(UnmendedKindsNotice({sound}, "Valley.tes.ini"));
    EXPECT_EQ(UnmendedKindsNotice({faulty, sound}, "Valley.tes.ini"),
              Notice("Vegetation_5 keeps a value of Valley.tes.ini that cannot be read (Turn=0:36O is not "
                     "FROM:TO): the kind is not built until it is mended."));
}

} // namespace
} // namespace tes
