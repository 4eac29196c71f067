#include "cli/kinds_table_choice.h"

#include "form/context.h"

namespace tes::cli {

KindsTableChoice ChooseKindsTable(const Context& ctx, const std::optional<std::string>& kindsFile,
                                  Platform& platform) {
    KindsTableChoice choice;
    choice.path = kindsFile ? *kindsFile : ctx.kindsTablePath;
    Messages messages;
    choice.table = KindsTable::Read(choice.path, messages);
    if (kindsFile)
        ShowMessages(platform, messages);
    return choice;
}

} // namespace tes::cli
