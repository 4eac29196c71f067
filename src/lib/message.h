#pragma once

#include "lib/failure.h"

#include <string>
#include <string_view>
#include <vector>

namespace tes {

// What a message tells its reader about the work that produced it.
enum class MessageKind {
    Notice,  // something was missing or corrected, and the work went on ("Using default...")
    Refusal, // the input cannot be used; the work did not start or stopped ("Please specify a Max file")
    Failure, // a routine failed unexpectedly ("Unexpected error in BuildScript ...")
};

// A message for the user. The work that produces it returns it; whoever called the work shows it.
struct Message {
    MessageKind kind = MessageKind::Notice;
    std::string text;

    bool operator==(const Message&) const = default;
};

using Messages = std::vector<Message>;

inline Message Notice(std::string text) {
    return {MessageKind::Notice, std::move(text)};
}
inline Message Refusal(std::string text) {
    return {MessageKind::Refusal, std::move(text)};
}

// True when a message says the work could not be done as asked (a refusal or a failure).
bool AnyRefusalOrFailure(const Messages& messages);

// A routine's unexpected failure: "Unexpected error in <routine> ", two line feeds, the sign-padded
// number, " - " and the description.
Message UnexpectedError(std::string_view routine, const Failure& failure);
// The form of the routines that name the description first: "Unexpected error in <routine>: "
// description " (" number ")".
Message UnexpectedErrorDescriptionFirst(std::string_view routine, const Failure& failure);

} // namespace tes
