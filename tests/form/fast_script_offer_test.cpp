// Kinds given plants the classic script cannot write are named, and the fast script offered, once.
#include "form/context.h"
#include "form/fast_script_offer.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

TEST(FastScriptOffer, NamesTheNewKindsAndAYesChoosesTheFastScript) {
    KindRow turned{"5", "a.max", "", true};
    turned.plants.turn = ValueRange{0, 360};
    KindRow far{"7", "b.max", "", true};
    far.plants.detail = {"c.max", "", 400, 0};
    const struct {
        const char* name;
        ScriptShape shape;
        std::vector<std::string> before;
        bool view;
        bool yes;
        const char* asked; // empty: nothing asked
    } cases[] = {
        {"a new turn", ScriptShape::Classic, {}, false, true, "Vegetation_5 now has"},
        {"known before", ScriptShape::Classic, {"5"}, false, true, ""},
        {"fast chosen", ScriptShape::Fast, {}, true, true, ""},
        {"a far model with a view, No",
         ScriptShape::Classic,
         {},
         true,
         false,
         "Vegetation_5 and Vegetation_7 now have"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        platform.answerYes = c.yes;
        Context ctx{platform};
        ctx.scriptStyle.shape = c.shape;
        ctx.kindsTable.set(turned);
        ctx.kindsTable.set(far);
        if (c.view)
            ctx.kindsTable.setViews({PlantView{{0, 0}, {1, 0}}});
        OfferFastScript(ctx, c.before);
        ASSERT_EQ(platform.questions.size(), *c.asked ? 1u : 0u);
        if (*c.asked) {
            EXPECT_EQ(platform.questions[0].rfind(c.asked, 0), 0u) << platform.questions[0];
        }
        const bool switched = *c.asked && c.yes;
        EXPECT_EQ(ctx.scriptStyle.shape, switched ? ScriptShape::Fast : c.shape);
        EXPECT_EQ(platform.settingWrites.empty(), !switched);
    }
}

} // namespace
} // namespace tes::test
