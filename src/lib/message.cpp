#include "lib/message.h"

#include "lib/numbers.h"

#include <algorithm>

namespace tes {

bool AnyRefusalOrFailure(const Messages& messages) {
    return std::any_of(messages.begin(), messages.end(),
                       [](const Message& message) { return message.kind != MessageKind::Notice; });
}

Message UnexpectedError(std::string_view routine, const Failure& failure) {
    std::string text = "Unexpected error in ";
    text += routine;
    text += " \n\n";
    text += SignPadded(failure.number());
    text += " - ";
    text += failure.description();
    return {MessageKind::Failure, std::move(text)};
}

Message UnexpectedErrorDescriptionFirst(std::string_view routine, const Failure& failure) {
    return {MessageKind::Failure, "Unexpected error in " + std::string(routine) + ": " +
                                      failure.description() + " (" + SignPadded(failure.number()) + ")"};
}

} // namespace tes
