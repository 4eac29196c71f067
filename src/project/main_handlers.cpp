#include "project/main_handlers.h"

#include "core/context.h"
#include "project/sun.h"

namespace tes {

namespace {

// The main window's handlers that keep its controls consistent; the model runs them when a check
// box or a text field changes, whether the user or the program changed it.
class MainWindowHandlers final : public MainEvents {
public:
    explicit MainWindowHandlers(Context& ctx) : m_ctx(ctx), m_form(ctx.form) {}

    void checkBoxClicked(CheckBox box) override {
        switch (box) {
        case CheckBox::chkSave:
            chkSave_Click();
            break;
        case CheckBox::chkMainTile:
            chkMainTile_Click();
            break;
        case CheckBox::chkPerimeterTile:
            chkPerimeterTile_Click();
            break;
        case CheckBox::chkRotateObjects:
            chkRotateObjects_Click();
            break;
        case CheckBox::chkFaceTolvaneSun:
            chkFaceTolvaneSun_Click();
            break;
        case CheckBox::chkUseObjectScale:
            chkUseObjectScale_Click();
            break;
        case CheckBox::chkUseMaxName:
            chkUseMaxName_Click();
            break;
        case CheckBox::Count:
            break;
        }
    }
    void textChanged(TextField field) override {
        if (field == TextField::txtMaxFile)
            txtMaxFile_Change();
    }
    void comboTextChanged() override { comboSelectVegetation_Change(); }

private:
    void chkSave_Click() { m_ctx.session.SaveToFile = m_form.check(CheckBox::chkSave) != kUnchecked; }

    // The two tile boxes always hold opposite states; setting the other box runs its handler, which
    // finds the first box already as it wants it.
    void chkMainTile_Click() {
        m_form.setCheck(CheckBox::chkPerimeterTile,
                        m_form.check(CheckBox::chkMainTile) != kUnchecked ? kUnchecked : kChecked);
    }
    void chkPerimeterTile_Click() {
        m_form.setCheck(CheckBox::chkMainTile,
                        m_form.isChecked(CheckBox::chkPerimeterTile) ? kUnchecked : kChecked);
    }

    void chkRotateObjects_Click() {
        const bool rotate = m_form.isChecked(CheckBox::chkRotateObjects);
        m_form.setEnabled(CheckBox::chkFaceTolvaneSun, rotate);
        m_form.setEnabled(TextField::txtRotationAngle, rotate);
        m_form.setRotationAngleLabelEnabled(rotate);
    }

    void chkFaceTolvaneSun_Click() {
        if (m_form.isChecked(CheckBox::chkFaceTolvaneSun)) {
            m_form.setLocked(TextField::txtRotationAngle, true);
            FaceTolvaneSun(m_ctx);
        } else {
            m_form.setLocked(TextField::txtRotationAngle, false);
        }
    }

    // Exactly one of grid size and object scale is the user's input; the other is derived, locked
    // and grey.
    void chkUseObjectScale_Click() {
        const bool useScale = m_form.isChecked(CheckBox::chkUseObjectScale);
        m_form.setLocked(TextField::txtGridSize, useScale);
        m_form.setGrey(TextField::txtGridSize, useScale);
        m_form.setLocked(TextField::txtObjectScale, !useScale);
        m_form.setGrey(TextField::txtObjectScale, !useScale);
    }

    void chkUseMaxName_Click() { txtMaxFile_Event(m_ctx); }
    void txtMaxFile_Change() { txtMaxFile_Event(m_ctx); }

    // Typing into the combo box changes nothing: Process checks its text when pressed.
    void comboSelectVegetation_Change() {}

    Context& m_ctx;
    MainModel& m_form;
};

} // namespace

std::unique_ptr<Context> CreateProgram(Platform& platform) {
    auto ctx = std::make_unique<Context>(platform);
    ctx->handlers = std::make_unique<MainWindowHandlers>(*ctx);
    ctx->form.setEvents(ctx->handlers.get());
    return ctx;
}

} // namespace tes
