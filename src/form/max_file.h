#pragma once

namespace tes {

struct Context;

// The Max file and the object name: while "Use abbr. Max file name" is checked, the object name
// follows the Max file's base name whenever the file field changes, is clicked or double-clicked,
// gains or loses the focus, and when the box is checked.
void txtMaxFile_Change(Context& ctx);
void txtMaxFile_Click(Context& ctx);
void txtMaxFile_DblClick(Context& ctx);
void txtMaxFile_GotFocus(Context& ctx);
void txtMaxFile_LostFocus(Context& ctx);
void chkUseMaxName_Click(Context& ctx);

// The Max file Browse button: the chosen file's folder is remembered, and the file goes into the
// field (whose change derives the object name).
void btnBrowseMaxFile_Click(Context& ctx);

} // namespace tes
