#include "core/script/combine_scripts.h"

#include "core/engine_step.h"
#include "lib/failure.h"
#include "lib/line_reader.h"
#include "lib/text_codec.h"

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

Messages AddScriptToCombination(LineList& combination, const std::string& path, bool* utf8) {
    return Reported(EngineStep::AddScript, [&] {
        LineReader reader(LineBreaks::CrOrCrLf, /*skipBom=*/true);
        reader.open(path);
        std::string decoded;
        std::string_view line;
        while (reader.next(line)) {
            decoded.clear();
            reader.appendDecoded(decoded, line);
            combination.append(decoded);
        }
        if (utf8 && reader.isUtf8())
            *utf8 = true;
        reader.close();
        combination.append("");
        combination.append("");
    });
}

Messages SaveCombination(const LineList& combination, const std::string& path, std::uint64_t byteLimit,
                         bool utf8) {
    return Reported(EngineStep::SaveCombination, [&] {
        AtomicTextWriter writer(path, byteLimit);
        if (utf8)
            writer.writeEncoded(kUtf8Bom);
        for (std::size_t row = 0; row < combination.size(); ++row) {
            if (utf8)
                writer.writeUtf8Line(combination[row]);
            else
                writer.writeLine(combination[row]);
        }
        writer.commit();
    });
}

CombineResult CombineScripts(const CombineRequest& request) {
    CombineResult result;
    bool utf8 = false;
    for (const std::string& input : request.inputs) {
        result.messages = AddScriptToCombination(result.combination, input, &utf8);
        if (!result.messages.empty())
            return result;
    }
    result.messages = SaveCombination(result.combination, request.output, request.byteLimit, utf8);
    result.written = result.messages.empty();
    return result;
}

} // namespace tes
