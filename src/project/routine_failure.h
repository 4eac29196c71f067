#pragma once

#include "lib/failure.h"
#include "lib/numbers.h"

#include <string>
#include <string_view>

// The message form of the project readers that name the description first (the other form is
// UnexpectedErrorMessage in core/failure_message.h), and the failure that marks a cancelled read.
namespace tes {

// "Unexpected error in <routine>: " description " (" number ")"
inline std::string FailureMessageDescriptionFirst(std::string_view routine, const Failure& failure) {
    return "Unexpected error in " + std::string(routine) + ": " + failure.description() + " (" +
           SignPadded(failure.number()) + ")";
}

// A long read that the user stopped ends with this failure; the command that started it puts back
// what it had changed instead of reporting anything.
inline bool IsCancellation(const Failure& failure) {
    return failure.number() == failures::cancelled().number();
}

} // namespace tes
