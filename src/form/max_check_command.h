#pragma once

#include "core/check/max_check.h"

namespace tes {

struct Context;

// The folder MaxCheck made inside the folder the user chooses, so that the check's files never mix
// with files of the user's own.
inline constexpr const char* kMaxCheckFolder = "MaxCheck";

// Help's "Write a 3ds Max check...": asks for a folder (starting in the project's, else the remembered
// one), writes the check into its folder MaxCheck and says where it is and how to run it, or why it
// was not written. Nothing is written when the user cancels.
MaxCheckResult mnuWriteMaxCheck_Click(Context& ctx);

} // namespace tes
