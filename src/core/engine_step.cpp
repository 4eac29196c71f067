#include "core/engine_step.h"

#include "lib/fields.h"

#include <string_view>

namespace tes {

namespace {

constexpr std::string_view kFileLead = "\n\nFile: ";

std::string_view ShownName(EngineStep step) {
    switch (step) {
    case EngineStep::ReadEnvironment:
        return "ReadEnvironmentFile";
    case EngineStep::BuildScript:
        return "BuildScript";
    case EngineStep::AddScript:
        return "btnAddFile";
    case EngineStep::SaveCombination:
        return "btnSaveAs";
    }
    return {};
}

} // namespace

Message StepFailure(EngineStep step, const Failure& failure) {
    Message message = UnexpectedError(ShownName(step), failure);
    if (failure.file().empty())
        return message;
    message.text += std::string(kFileLead) + failure.file();
    if (failure.number() == failures::pathNotFound().number())
        message.text += "\nFolder not found: " + FolderOfPath(failure.file());
    return message;
}

std::string FailureLine(const Message& message) {
    const std::string_view text = std::string_view(message.text).substr(0, message.text.find(kFileLead));
    std::string line;
    for (const char c : text) {
        if (c != '\n' && c != '\r' && c != ' ')
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

std::string FailureFile(const Message& message) {
    const std::size_t lead = message.text.find(kFileLead);
    if (lead == std::string::npos)
        return {};
    const std::size_t from = lead + kFileLead.size();
    return message.text.substr(from, message.text.find('\n', from) - from);
}

} // namespace tes
