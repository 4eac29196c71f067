#include "core/plants/kind_plan.h"

#include "lib/fields.h"

namespace tes {

KindPlan PlanKind(const PlacementOptions& shared, const std::string& number, const KindsTable* table,
                  const KindFallback& fallback, KindScope scope) {
    KindPlan plan;
    plan.options = shared;
    plan.options.kindNumber = number;
    const KindRow* row = table ? table->find(number) : nullptr;
    const auto stop = [&plan](KindPlan::Status status, std::string reason) {
        plan.status = status;
        plan.reason = std::move(reason);
        return plan;
    };
    // An Enabled that cannot be read leaves the row enabled, and its fault refuses the kind below.
    if (row && scope == KindScope::All && !row->enabled)
        return stop(KindPlan::Status::Skip, "disabled");
    // A faulty view refuses every kind, a kind without a row too, and a faulty area the kinds it may act
    // on: the plants they keep would be wrong.
    if (table) {
        if (std::optional<std::string> unreadable = table->unreadableKind(number))
            return stop(KindPlan::Status::Refuse, std::move(*unreadable));
    }
    if (row && !row->maxFile.empty()) {
        plan.options.maxFile = row->maxFile;
        plan.options.objectName = row->object();
    } else {
        plan.options.maxFile = fallback.maxFile;
        plan.options.objectName = ObjectOrFileName(fallback.maxFile, fallback.objectName);
        if (scope == KindScope::All && plan.options.maxFile.empty())
            return stop(KindPlan::Status::Skip, "no Max file");
    }
    if (row)
        plan.options.takePlants(*row, table->seed());
    if (table) {
        plan.options.views = table->views();
        plan.options.areas = table->areas();
    }
    return plan;
}

} // namespace tes
