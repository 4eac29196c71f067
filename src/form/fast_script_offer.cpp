#include "form/fast_script_offer.h"

#include "form/context.h"
#include "form/startup.h"

#include <algorithm>

namespace tes {

std::vector<std::string> KindsNeedingFastScript(const KindsTable& table) {
    std::vector<std::string> kinds;
    for (const KindRow& row : table.rows()) {
        if (row.plants.varies() || (!table.views().empty() && row.plants.detail.any()) ||
            row.plants.stand == PlantStand::Base)
            kinds.push_back(row.number);
    }
    return kinds;
}

void OfferFastScript(Context& ctx, const std::vector<std::string>& before) {
    if (ctx.scriptStyle.shape != ScriptShape::Classic)
        return;
    std::vector<std::string> added;
    for (const std::string& kind : KindsNeedingFastScript(ctx.kindsTable)) {
        if (std::find(before.begin(), before.end(), kind) == before.end())
            added.push_back(kind);
    }
    if (added.empty())
        return;
    std::string names;
    for (std::size_t i = 0; i < added.size(); ++i)
        names += (i == 0 ? "" : i + 1 == added.size() ? " and " : ", ") + ("Vegetation_" + added[i]);
    const std::string text =
        names + (added.size() == 1 ? " now has" : " now have") +
        " plants that differ, grow lighter far away or stand on their base, which only the "
        "fast script can write; the classic script chosen in Script Options refuses " +
        (added.size() == 1 ? "it" : "them") + ".\n\nUse the fast script from now on?";
    if (!ctx.platform.askYesNo(text))
        return;
    ctx.scriptStyle.shape = ScriptShape::Fast;
    SaveScriptStyle(ctx, ctx.scriptStyle);
}

} // namespace tes
