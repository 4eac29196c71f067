#include "form/preview_input.h"
#include "program_fixture.h"

namespace tes::test {
namespace {

using PreviewInputTest = ProgramTest;

// The preview keeps the plants the build would: it takes the kinds table's views.
TEST_F(PreviewInputTest, TakesTheViewsOfTheKindsTable) {
    EXPECT_TRUE(PreviewInputFromForm(ctx).views.empty());
    const std::vector<PlantView> views = {{{0, 0}, {300, 200}, 60, 10, 0, 600}};
    ctx.kindsTable.setViews(views);
    EXPECT_EQ(PreviewInputFromForm(ctx).views, views);
}

} // namespace
} // namespace tes::test
