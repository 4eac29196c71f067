#pragma once

#include "lib/atomic_file.h"
#include "lib/line_list.h"
#include "lib/platform.h"

#include <cstdint>
#include <string>

namespace tes {

// What the combiner window works on: its own list and, of the rest of the program, only the platform
// and the folders its dialogs open in.
struct CombinerState {
    CombinerState(Platform& p, const std::string& folder, const std::string& scriptsFolder = kNoFolder)
        : platform(p), defaultDir(folder), outputFolder(scriptsFolder) {}
    CombinerState(const CombinerState&) = delete;
    CombinerState& operator=(const CombinerState&) = delete;

    static inline const std::string kNoFolder;

    Platform& platform;
    const std::string& defaultDir;   // the session's folder for project and script files
    const std::string& outputFolder; // where the scripts go, when not beside the project: dialogs start there
    LineList lstMaxScripts;
    std::string status; // what the last Save As did, for the window's status line: "Wrote D:\\All.ms"
    bool utf8 = false;  // a script added was UTF-8, and so is the file saved
    std::uint64_t fileByteLimit = kNoByteLimit; // tests make Save As fail as on a full disk
};

} // namespace tes
