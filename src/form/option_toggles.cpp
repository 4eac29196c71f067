#include "form/option_toggles.h"

#include "form/chosen_kind.h"
#include "form/context.h"
#include "form/project_routines.h"

namespace tes {

void chkSave_Click(Context& ctx) {
    ctx.session.SaveToFile = ctx.form.check(CheckBox::chkSave) != kUnchecked;
}

// The two tile boxes always hold opposite states; setting the other box runs its handler, which
// finds the first box already as it wants it.
void chkMainTile_Click(Context& ctx) {
    MainModel& form = ctx.form;
    form.setCheck(CheckBox::chkPerimeterTile,
                  form.check(CheckBox::chkMainTile) != kUnchecked ? kUnchecked : kChecked);
}

void chkPerimeterTile_Click(Context& ctx) {
    MainModel& form = ctx.form;
    form.setCheck(CheckBox::chkMainTile, form.isChecked(CheckBox::chkPerimeterTile) ? kUnchecked : kChecked);
}

void chkRotateObjects_Click(Context& ctx) {
    MainModel& form = ctx.form;
    const bool rotate = form.isChecked(CheckBox::chkRotateObjects);
    form.setEnabled(CheckBox::chkFaceTolvaneSun, rotate);
    form.setEnabled(TextField::txtRotationAngle, rotate);
    form.setRotationAngleLabelEnabled(rotate);
}

void chkFaceTolvaneSun_Click(Context& ctx) {
    MainModel& form = ctx.form;
    if (form.isChecked(CheckBox::chkFaceTolvaneSun)) {
        form.setLocked(TextField::txtRotationAngle, true);
        FaceTolvaneSun(ctx);
    } else {
        form.setLocked(TextField::txtRotationAngle, false);
    }
}

// Exactly one of grid size and object scale is the user's input; the other is derived, locked and
// grey.
void chkUseObjectScale_Click(Context& ctx) {
    MainModel& form = ctx.form;
    const bool useScale = form.isChecked(CheckBox::chkUseObjectScale);
    form.setLocked(TextField::txtGridSize, useScale);
    form.setGrey(TextField::txtGridSize, useScale);
    form.setLocked(TextField::txtObjectScale, !useScale);
    form.setGrey(TextField::txtObjectScale, !useScale);
}

void comboSelectVegetation_Change(Context& ctx) {
    // Typing more of the same kind's key ("Vegetation_5" to "Vegetation_5:  Pine") keeps the fields.
    const std::optional<ChosenKindFields>& filled = ctx.chosenKindFields;
    if (filled && filled->number == ChosenKindNumber(ctx.form.comboText()) &&
        NamesOfferedKind(ctx.form.comboText(), ctx.form.comboItems()))
        return;
    FillChosenKindFields(ctx);
}

} // namespace tes
