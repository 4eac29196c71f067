#pragma once

#include "lib/atomic_file.h"
#include "lib/line_list.h"
#include "lib/message.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tes {

// Appends the lines of a script file to the combination (a line ends at CR LF or a lone CR; a lone LF
// is an ordinary character; a last line without terminator counts), then two empty lines that part it
// from the next script. An unexpected failure gives "Unexpected error in btnAddFile ..."; the lines
// read before it stay, without the two empty lines.
Messages AddScriptToCombination(LineList& combination, const std::string& path);

// Writes every line followed by CR LF, replacing `path` only when complete. An unexpected failure
// gives "Unexpected error in btnSaveAs ..." and leaves `path` as it was.
Messages SaveCombination(const LineList& combination, const std::string& path,
                         std::uint64_t byteLimit = kNoByteLimit);

struct CombineRequest {
    std::vector<std::string> inputs; // in the order they are joined
    std::string output;
    std::uint64_t byteLimit = kNoByteLimit; // the output fails as a full disk does beyond it
};

struct CombineResult {
    LineList combination;
    bool written = false;
    Messages messages;
};

// Joins the scripts into one file; stops at the first script that cannot be read.
CombineResult CombineScripts(const CombineRequest& request);

} // namespace tes
