#include "project/kinds_table.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

// The kinds table is shared: a save writes its own changes into the file as it is at that moment.
namespace tes::test {
namespace {

const std::string kTwo = "[Vegetation_2]\r\nMaxFile=a.max\r\n";
const PlantView kView{{0, 0}, {0, 50}};

void SetKeep(KindsTable& table, const char* number, double keep) {
    KindRow row = table.find(number) ? *table.find(number) : KindRow(number, "b.max");
    row.plants.thinning.keep = keep;
    table.set(row);
}

struct SharedCase {
    const char* name;
    std::string before;                      // when the program read the table
    std::function<void(KindsTable&)> change; // the program's
    std::string meanwhile;                   // what another writer left on disk before the save
    std::string after;
    std::vector<std::string> replaced;
};

TEST(KindsTableShared, ASaveChangesOnlyItsOwnKeysInTheFileAsItIsNow) {
    const std::string faultyViews =
        "[View1]\r\nCamera=0,0\r\nTarget=1,0\r\nFov=abc\r\n[View2]\r\nCamera=10,10\r\n"
        "Target=10,10\r\n";
    const std::string spacedViews = "[View1]\r\nCamera=0,0\r\nTarget=0,50\r\n\r\n[View2]\r\nCamera=1,1\r\n"
                                    "Target=0,50\r\n\r\n; the far one\r\n[View3]\r\nCamera=2,2\r\n"
                                    "Target=0,50\r\n";
    const SharedCase cases[] = {
        {"a note and a section written by hand stay",
         kTwo,
         [](KindsTable& t) { SetKeep(t, "2", 40); },
         "; my note\r\n" + kTwo + "[Vegetation_7]\r\nMaxFile=D:\\M\\Seven.max\r\n",
         "; my note\r\n" + kTwo + "Keep=40\r\n[Vegetation_7]\r\nMaxFile=D:\\M\\Seven.max\r\n",
         {}},
        {"another key of the row stays",
         kTwo,
         [](KindsTable& t) { SetKeep(t, "2", 40); },
         kTwo + "KeepFar=50\r\n",
         kTwo + "KeepFar=50\r\nKeep=40\r\n",
         {}},
        {"the same key: the save wins and names what it replaced",
         kTwo + "Keep=60\r\n",
         [](KindsTable& t) { SetKeep(t, "2", 40); },
         kTwo + "Keep=30\r\n",
         kTwo + "Keep=40\r\n",
         {"Vegetation_2: Keep=30"}},
        {"a new row goes after the sections written meanwhile",
         kTwo,
         [](KindsTable& t) { SetKeep(t, "5", 40); },
         kTwo + "[Vegetation_7]\r\nMaxFile=c.max\r\n",
         kTwo +
             "[Vegetation_7]\r\nMaxFile=c.max\r\n[Vegetation_5]\r\nMaxFile=b.max\r\nEnabled=1\r\nKeep=40\r\n",
         {}},
        {"the seed",
         kTwo,
         [](KindsTable& t) { t.setSeed(7); },
         kTwo + "[Variation]\r\n; mine\r\nSeed=3\r\n",
         kTwo + "[Variation]\r\n; mine\r\nSeed=7\r\n",
         {"Variation: Seed=3"}},
        {"a view added keeps the views that cannot be read byte for byte",
         faultyViews,
         [](KindsTable& t) { t.setView(t.viewSections().size(), kView); },
         faultyViews,
         faultyViews +
             "[View3]\r\nCamera=0,0\r\nTarget=0,50\r\nFov=45\r\nMargin=10\r\nKeepRadius=0\r\nFar=0\r\n",
         {}},
        {"a view removed leaves the others as written",
         faultyViews,
         [](KindsTable& t) { t.removeView(0); },
         faultyViews,
         "[View2]\r\nCamera=10,10\r\nTarget=10,10\r\n",
         {}},
        {"a view removed takes the blank line that parted it from the next",
         spacedViews,
         [](KindsTable& t) { t.removeView(1); },
         spacedViews,
         "[View1]\r\nCamera=0,0\r\nTarget=0,50\r\n\r\n; the far one\r\n[View3]\r\nCamera=2,2\r\n"
         "Target=0,50\r\n",
         {}},
        {"the last view removed leaves no blank line at the end",
         spacedViews.substr(0, spacedViews.find("; the far one")),
         [](KindsTable& t) { t.removeView(1); },
         spacedViews.substr(0, spacedViews.find("; the far one")),
         "[View1]\r\nCamera=0,0\r\nTarget=0,50\r\n",
         {}},
        {"a view mended changes only its own keys",
         faultyViews,
         [](KindsTable& t) {
             t.setView(0, {{0, 0}, {1, 0}, 60});
         },
         faultyViews + "[Vegetation_2]\r\nMaxFile=a.max\r\n",
         "[View1]\r\nCamera=0,0\r\nTarget=1,0\r\nFov=60\r\n[View2]\r\nCamera=10,10\r\nTarget=10,10\r\n" +
             kTwo,
         {}},
    };
    for (const SharedCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.write("P.tes.ini", c.before);
        Messages messages;
        KindsTable table = KindsTable::Read(path, messages);
        c.change(table);
        dir.write("P.tes.ini", c.meanwhile);
        table.write(path);
        EXPECT_EQ(ReadBytes(path), c.after);
        EXPECT_EQ(table.replaced(), c.replaced);
        // The table now holds the file as written.
        const KindsTable again = KindsTable::Read(path, messages);
        EXPECT_EQ(table.rows(), again.rows());
        EXPECT_EQ(table.viewSections(), again.viewSections());
        EXPECT_FALSE(table.unsaved());
    }
}

TEST(KindsTableShared, ASaveThatChangesNothingLeavesTheFileAlone) {
    TempDir dir;
    const std::string path = dir.write("P.tes.ini", kTwo + "Keep=40\r\n");
    Messages messages;
    KindsTable table = KindsTable::Read(path, messages);
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    const auto time = std::filesystem::last_write_time(path);
    SetKeep(table, "2", 40);
    table.write(path);
    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(std::filesystem::last_write_time(path), time);

    KindsTable none;
    none.write(dir.file("None.tes.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("None.tes.ini"))) << "nothing to say, no file";
}

TEST(KindsTableShared, FollowingTheFileKeepsTheChangesNotYetSaved) {
    TempDir dir;
    const std::string path = dir.write("Valley.tes.ini", kTwo);
    Messages messages;
    KindsTable table = KindsTable::Read(path, messages);
    EXPECT_FALSE(table.follow(path, messages)) << "the file did not change";
    SetKeep(table, "2", 40);
    dir.write("Valley.tes.ini", kTwo + "Turn=0:90\r\n[View1]\r\nCamera=0,0\r\nTarget=1,0\r\nFov=abc\r\n");
    EXPECT_TRUE(table.follow(path, messages));
    ASSERT_NE(table.find("2"), nullptr);
    EXPECT_EQ(table.find("2")->plants.thinning.keep, 40);
    EXPECT_TRUE(table.find("2")->plants.turn);
    EXPECT_TRUE(table.unsaved());
    ASSERT_EQ(messages.size(), 1u) << "the file's fault is reported";
    EXPECT_EQ(table.viewFaults().size(), 1u);
    table.write(path);
    EXPECT_EQ(ReadBytes(path),
              kTwo + "Turn=0:90\r\nKeep=40\r\n[View1]\r\nCamera=0,0\r\nTarget=1,0\r\nFov=abc\r\n");
}

} // namespace
} // namespace tes::test
