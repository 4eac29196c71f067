#pragma once

#include "core/all_kinds.h"
#include "lib/message.h"

#include <string>

namespace tes {

struct Context;

// Process All's request as the window's fields and the loaded kinds table give it, without a joined
// script.
AllKindsRequest AllKindsRequestFromForm(Context& ctx);

// Process All: one script per kind of the tile whose row in the kinds table is enabled and names a
// Max file, with the window's placement options, under one progress display with Cancel. The
// output pane shows the last script; the summary goes to the status line and one message box.
// Returns the messages it showed (the summary is a failure when a kind failed).
Messages btnProcessAll_Click(Context& ctx);

// The combined script Process All writes when asked to join: <base>_MainVeg_All.ms (or _PerVeg_).
std::string JoinedScriptPath(const Context& ctx);

// Stores the kinds table beside the project; the status line says so. False, with a message shown,
// when it cannot be written or was read from a damaged file (which is never written over): the table
// is then read again from its file, so that no change the file lacks lives on in the window.
bool SaveKindsTable(Context& ctx);

// A kind picked from the list whose row in the kinds table names a Max file puts that file and object
// into the fields, so Process builds what Process All built for it.
void comboSelectVegetation_Click(Context& ctx);

// After a Max file is chosen: the kind the combo box names (picked, or its key typed) takes it (and
// the typed object name when the name does not follow the file), and the table is stored.
void RememberKindMaxFile(Context& ctx);

} // namespace tes
