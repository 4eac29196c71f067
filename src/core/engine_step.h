#pragma once

#include "lib/failure.h"
#include "lib/message.h"

#include <string>

namespace tes {

// The engine's steps whose unexpected failure reaches the user. The engine names its own step; the
// text each message shows for it is kept here, the same whoever asked for the work.
enum class EngineStep {
    ReadEnvironment, // the records of the tile
    BuildScript,     // one placement script
    AddScript,       // a script appended to a combination
    SaveCombination, // the combination written
};

// "Unexpected error in <step> ", two line feeds, the sign-padded number, " - " and the description;
// then, for a file that could not be written, a paragraph that names it ("File: D:\Out\V.ms") and,
// when its folder is missing, the folder ("Folder not found: D:\Out").
Message StepFailure(EngineStep step, const Failure& failure);

// A message on one line without the file it names, for a list of kinds: "Unexpected error in
// BuildScript 76 - Path not found".
std::string FailureLine(const Message& message);
// The file a step's failure names, or the empty text.
std::string FailureFile(const Message& message);

} // namespace tes
