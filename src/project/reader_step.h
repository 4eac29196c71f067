#pragma once

#include "lib/failure.h"
#include "lib/message.h"

namespace tes {

// The project readers whose unexpected failure reaches the user. Each reader names itself; the text
// its message shows for it is kept here.
enum class ReaderStep {
    ProjectInfo,     // the scene's facts
    VegetationKinds, // the kinds and their names
};

// "Unexpected error in <step>: " description " (" number ")".
Message ReaderFailure(ReaderStep step, const Failure& failure);

} // namespace tes
