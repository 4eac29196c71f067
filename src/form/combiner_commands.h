#pragma once

#include "lib/message.h"

namespace tes {

struct Context;

// The combiner window's buttons. Add File appends a chosen script to lstMaxScripts; Save As writes
// the list into a chosen file. Each returns the messages it showed; a cancelled dialog does nothing.
Messages btnAddFile_Click(Context& ctx);
Messages btnSaveAs_Click(Context& ctx);

} // namespace tes
