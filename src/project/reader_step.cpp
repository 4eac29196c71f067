#include "project/reader_step.h"

#include <string_view>

namespace tes {

namespace {

std::string_view ShownName(ReaderStep step) {
    switch (step) {
    case ReaderStep::ProjectInfo:
        return "GetProjectInfo";
    case ReaderStep::VegetationKinds:
        return "LoadVegetationList";
    }
    return {};
}

} // namespace

Message ReaderFailure(ReaderStep step, const Failure& failure) {
    return UnexpectedErrorDescriptionFirst(ShownName(step), failure);
}

} // namespace tes
