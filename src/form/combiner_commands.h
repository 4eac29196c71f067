#pragma once

#include "lib/message.h"

namespace tes {

struct CombinerState;

// The combiner window's buttons. Add File appends a chosen script to lstMaxScripts; Save As writes
// the list into a chosen file and says in the state's status where it went. Each returns the messages it
// showed; a cancelled dialog does nothing.
Messages btnAddFile_Click(CombinerState& combiner);
Messages btnSaveAs_Click(CombinerState& combiner);

} // namespace tes
