#include "form/kinds_table_follow.h"

#include "form/chosen_kind.h"
#include "form/context.h"
#include "form/status_text.h"
#include "lib/file_access.h"

#include <system_error>

namespace tes {

KindsTableStamp KindsTableStampOf(const std::string& path) {
    const std::filesystem::path file = PathFromUtf8(path);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error || !std::filesystem::exists(status))
        return {};
    if (!std::filesystem::is_regular_file(status))
        return {KindsTableStamp::Kind::Other, 0, {}};
    KindsTableStamp stamp{KindsTableStamp::Kind::Regular, std::filesystem::file_size(file, error), {}};
    stamp.time = std::filesystem::last_write_time(file, error);
    return stamp;
}

bool FollowKindsTable(Context& ctx) {
    if (ctx.kindsTablePath.empty())
        return false;
    // Reading the file only when its size or time changed keeps a frequent look cheap.
    const KindsTableStamp stamp = KindsTableStampOf(ctx.kindsTablePath);
    if (stamp == ctx.kindsTableStamp || stamp.kind == KindsTableStamp::Kind::Other)
        return false;
    ctx.kindsTableStamp = stamp;
    const bool untouched = ChosenKindFieldsUntouched(ctx);
    // Its unreadable values are counted in the status line, not shown in a box at every change.
    Messages faults;
    if (!ctx.kindsTable.follow(ctx.kindsTablePath, faults))
        return false;
    if (untouched)
        FillChosenKindFields(ctx);
    ctx.form.setStatusText(FollowedKindsTableStatus(ctx.kindsTable));
    return true;
}

} // namespace tes
