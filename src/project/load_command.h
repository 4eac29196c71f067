#pragma once

namespace tes {

struct Context;

// The project Browse button: asks for a .prj file and loads the project it names.
void btnBrowseProjectFile_Click(Context& ctx);

} // namespace tes
