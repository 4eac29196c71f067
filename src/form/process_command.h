#pragma once

#include "core/script/placement_script.h"
#include "form/chosen_kind.h"
#include "lib/message.h"

#include <string>
#include <string_view>

namespace tes {

struct Context;

// The placement options as the window's fields hold them.
PlacementOptions PlacementOptionsFromForm(const Context& ctx);
// The scripts' paths without their ending: the project's base path, or its name in the output folder.
std::string ScriptBasePath(const Context& ctx);

// Builds the placement script of the kind the combo box names: the lines go into List2 and, while
// Session.SaveToFile is set, into the .ms file next to the project. Returns the messages it showed.
Messages BuildScript(Context& ctx);

// The Process button: checks the Max file, the object name and the vegetation choice, in that order,
// and then builds the script under the wait pointer. Returns the messages it showed.
Messages btnProcess_Click(Context& ctx);

} // namespace tes
