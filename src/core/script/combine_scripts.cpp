#include "core/script/combine_scripts.h"

#include "core/engine_step.h"
#include "lib/failure.h"
#include "lib/line_reader.h"

#include <new>
#include <string_view>

namespace tes {

namespace {

// Runs the work and turns its unexpected failure into the step's message.
template <typename Work> Messages Reported(EngineStep step, Work work) {
    Messages messages;
    try {
        work();
    } catch (const Failure& failure) {
        messages.push_back(StepFailure(step, failure));
    } catch (const std::bad_alloc&) {
        messages.push_back(StepFailure(step, failures::outOfMemory()));
    }
    return messages;
}

} // namespace

Messages AddScriptToCombination(LineList& combination, const std::string& path) {
    return Reported(EngineStep::AddScript, [&] {
        LineReader reader(LineBreaks::CrOrCrLf, false);
        reader.open(path);
        std::string decoded;
        std::string_view line;
        while (reader.next(line)) {
            decoded.clear();
            reader.appendDecoded(decoded, line);
            combination.append(decoded);
        }
        reader.close();
        combination.append("");
        combination.append("");
    });
}

Messages SaveCombination(const LineList& combination, const std::string& path, std::uint64_t byteLimit) {
    return Reported(EngineStep::SaveCombination, [&] {
        AtomicTextWriter writer(path, byteLimit);
        for (std::size_t row = 0; row < combination.size(); ++row)
            writer.writeLine(combination[row]);
        writer.commit();
    });
}

CombineResult CombineScripts(const CombineRequest& request) {
    CombineResult result;
    for (const std::string& input : request.inputs) {
        result.messages = AddScriptToCombination(result.combination, input);
        if (!result.messages.empty())
            return result;
    }
    result.messages = SaveCombination(result.combination, request.output, request.byteLimit);
    result.written = result.messages.empty();
    return result;
}

} // namespace tes
