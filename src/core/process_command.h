#pragma once

namespace tes {

struct Context;

// The Process button: checks the Max file, the object name and the vegetation choice, in that order,
// and then builds the script under the wait pointer.
void btnProcess_Click(Context& ctx);

} // namespace tes
