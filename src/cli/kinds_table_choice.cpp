#include "cli/kinds_table_choice.h"

#include "cli/loaded_project.h"
#include "lib/platform.h"

namespace tes::cli {

KindsTableChoice ChooseKindsTable(const LoadedProject& project, const std::optional<std::string>& kindsFile,
                                  Platform& platform) {
    if (!kindsFile)
        return {project.kindsTablePath, project.kindsTable};
    KindsTableChoice choice;
    choice.path = *kindsFile;
    Messages messages;
    choice.table = KindsTable::Read(choice.path, messages);
    for (const Message& message : messages)
        platform.showMessage(message.text);
    return choice;
}

} // namespace tes::cli
