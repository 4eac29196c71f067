#pragma once

#include "lib/failure.h"
#include "lib/numbers.h"

#include <string>
#include <string_view>

namespace tes {

// The message a routine shows for an unexpected failure: "Unexpected error in <routine> ", two line
// feeds, the sign-padded number, " - " and the description.
inline std::string UnexpectedErrorMessage(std::string_view routine, const Failure& failure) {
    std::string text = "Unexpected error in ";
    text += routine;
    text += " \n\n";
    text += SignPadded(failure.number());
    text += " - ";
    text += failure.description();
    return text;
}

} // namespace tes
