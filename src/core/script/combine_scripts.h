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
// read before it stay, without the two empty lines. A script that begins with a UTF-8 byte-order mark
// is UTF-8: its mark is not a line's text (3ds Max reads a mark only at the start of a file, so one
// inside a joined script would stop it there), and `utf8`, when given, becomes true.
Messages AddScriptToCombination(LineList& combination, const std::string& path, bool* utf8 = nullptr);

// Writes every line followed by CR LF, replacing `path` only when complete: in Windows-1252, or with
// `utf8` in UTF-8 behind one byte-order mark. An unexpected failure gives "Unexpected error in
// btnSaveAs ..." and leaves `path` as it was.
Messages SaveCombination(const LineList& combination, const std::string& path,
                         std::uint64_t byteLimit = kNoByteLimit, bool utf8 = false);

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

// Joins the scripts into one file; stops at the first script that cannot be read. The file is UTF-8
// when any of the scripts is.
CombineResult CombineScripts(const CombineRequest& request);

} // namespace tes
