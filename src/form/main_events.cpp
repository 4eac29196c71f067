#include "form/main_events.h"

#include "form/context.h"
#include "form/max_file.h"
#include "form/option_toggles.h"
#include "form/process_all.h"

namespace tes {

namespace {

// Runs the handler of the control the model changed, whether the user or the program changed it.
class MainWindowHandlers final : public MainEvents {
public:
    explicit MainWindowHandlers(Context& ctx) : m_ctx(ctx) {}

    void checkBoxClicked(CheckBox box) override {
        switch (box) {
        case CheckBox::chkSave:
            return chkSave_Click(m_ctx);
        case CheckBox::chkMainTile:
            return chkMainTile_Click(m_ctx);
        case CheckBox::chkPerimeterTile:
            return chkPerimeterTile_Click(m_ctx);
        case CheckBox::chkRotateObjects:
            return chkRotateObjects_Click(m_ctx);
        case CheckBox::chkFaceTolvaneSun:
            return chkFaceTolvaneSun_Click(m_ctx);
        case CheckBox::chkUseObjectScale:
            return chkUseObjectScale_Click(m_ctx);
        case CheckBox::chkUseMaxName:
            return chkUseMaxName_Click(m_ctx);
        case CheckBox::Count:
            return;
        }
    }
    void textChanged(TextField field) override {
        if (field == TextField::txtMaxFile)
            txtMaxFile_Change(m_ctx);
    }
    void comboTextChanged() override { comboSelectVegetation_Change(m_ctx); }
    void comboItemPicked() override { comboSelectVegetation_Click(m_ctx); }

private:
    Context& m_ctx;
};

} // namespace

std::unique_ptr<Context> CreateProgram(Platform& platform) {
    auto ctx = std::make_unique<Context>(platform);
    ctx->handlers = std::make_unique<MainWindowHandlers>(*ctx);
    ctx->form.setEvents(ctx->handlers.get());
    return ctx;
}

} // namespace tes
