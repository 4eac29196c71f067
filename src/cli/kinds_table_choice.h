#pragma once

#include "project/kinds_table.h"

#include <optional>
#include <string>

namespace tes {
class Platform;
} // namespace tes

namespace tes::cli {

struct LoadedProject;

// The kinds table a command works on and where it is kept.
struct KindsTableChoice {
    std::string path;
    KindsTable table;
};

// The table `kindsFile` names, with its notice shown when it is damaged; without one, the table beside
// the loaded project, whose notice the load has shown already.
KindsTableChoice ChooseKindsTable(const LoadedProject& project, const std::optional<std::string>& kindsFile,
                                  Platform& platform);

} // namespace tes::cli
