#include "core/engine_step.h"

#include <string_view>

namespace tes {

namespace {

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
    return UnexpectedError(ShownName(step), failure);
}

} // namespace tes
