#pragma once

#include "lib/failure.h"
#include "lib/message.h"

namespace tes {

// The engine's steps whose unexpected failure reaches the user. The engine names its own step; the
// text each message shows for it is kept here, the same whoever asked for the work.
enum class EngineStep {
    ReadEnvironment, // the records of the tile
    BuildScript,     // one placement script
    AddScript,       // a script appended to a combination
    SaveCombination, // the combination written
};

// "Unexpected error in <step> ", two line feeds, the sign-padded number, " - " and the description.
Message StepFailure(EngineStep step, const Failure& failure);

} // namespace tes
