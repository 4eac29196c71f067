#include "core/process_command.h"

#include "core/context.h"
#include "core/script_writer.h"
#include "lib/fields.h"

#include <string>
#include <string_view>

namespace tes {

namespace {

// Whether some entry of the vegetation list has the same key (the text before the first colon) as
// the typed text, letter case aside.
bool IsListedVegetation(const MainModel& form) {
    const std::string chosen = UpperCase(GetElement(form.comboText(), ":", 0));
    for (const std::string& item : form.comboItems()) {
        if (UpperCase(GetElement(item, ":", 0)) == chosen)
            return true;
    }
    return false;
}

// The first input mistake, or nullptr when the inputs can be processed.
const char* InputMistake(const MainModel& form) {
    if (form.text(TextField::txtMaxFile).empty())
        return "Please specify a Max file";
    if (form.text(TextField::txtMaxObjectName).empty())
        return "Please specify a Max object name";
    if (form.comboText().empty())
        return "Please select a vegetation to process";
    if (!IsListedVegetation(form))
        return "Please select only from the Vegetation List";
    return nullptr;
}

} // namespace

void btnProcess_Click(Context& ctx) {
    if (const char* mistake = InputMistake(ctx.form)) {
        ctx.platform.showMessage(mistake);
    } else {
        ctx.platform.setWaitCursor(DialogOwner::MainWindow, true);
        BuildScript(ctx);
    }
    ctx.platform.setWaitCursor(DialogOwner::MainWindow, false);
}

} // namespace tes
