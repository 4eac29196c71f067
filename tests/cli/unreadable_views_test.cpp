#include "cli_run.h"
#include "picture/preview_png.h"
#include "project/kinds_table.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

// A view that cannot be read: `kinds` prints its lines as written and why, in its place among the
// views, and `preview` names it and fails unless the run gives its own views.
TEST(UnreadableViews, KindsShowsThemAndPreviewFails) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    Messages why; // the load's notice, which says where to mend the view
    KindsTable::Read(dir.write("P.tes.ini", "[View1]\r\nCamera=0,0\r\nTarget=1,0\r\nFov=abc\r\n"
                                            "[View2]\r\nCamera=0,0\r\nTarget=60,40\r\n"),
                     why);
    ASSERT_EQ(why.size(), 1u);
    const CliRun kinds = RunEnviroScript({"kinds", prj});
    EXPECT_EQ(kinds.out.substr(kinds.out.find("view\t")),
              "view\t1\tcannot be read\t" + why[0].text +
                  "\n\t[View1]\n\tCamera=0,0\n\tTarget=1,0\n\tFov=abc\n"
                  "view\t2\t0,0:60,40\tfov 45\tmargin 10\tkeep radius 0\tfar 0\n");
    if (!CanDrawPreviewPictures())
        GTEST_SKIP() << "this build cannot draw pictures";
    const std::string png = dir.file("P.png");
    const CliRun preview = RunEnviroScript({"preview", prj, "--png", png});
    EXPECT_EQ(preview.status, 1);
    EXPECT_EQ(preview.err, why[0].text +
                               "\nThe views of P.tes.ini cannot all be read, so the picture shows every "
                               "plant; mend them, or give this run's views with --view or --no-view.\n");
    EXPECT_EQ(RunEnviroScript({"preview", prj, "--png", png, "--no-view"}).status, 0);
}

} // namespace
} // namespace tes::test
