#pragma once

#include "core/line_list.h"

#include <string>

namespace tes {

struct Context;

// Appends the lines of a script file to `lines` (a line ends at CR LF or a lone CR; a lone LF is an
// ordinary character; a last line without terminator counts), then two empty lines. Throws Failure;
// the lines read before a failure stay, and the two empty lines are then not appended.
void AppendScriptFile(LineList& lines, const std::string& path);
// Writes every line followed by CR LF, replacing `path` only when complete. Throws Failure.
void SaveScriptLines(const LineList& lines, const std::string& path);

// The combiner window's buttons.
void btnAddFile_Click(Context& ctx);
void btnSaveAs_Click(Context& ctx);

} // namespace tes
