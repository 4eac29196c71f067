#include "form/field_checks.h"

#include "core/place/field_rules.h"
#include "form/context.h"
#include "form/project_routines.h"

namespace tes {

void txtGridSize_LostFocus(Context& ctx) {
    ctx.form.setText(TextField::txtGridSize, CheckedGridSize(ctx.form.text(TextField::txtGridSize)));
}

void txtObjectScale_LostFocus(Context& ctx) {
    ctx.form.setText(TextField::txtObjectScale, CheckedObjectScale(ctx.form.text(TextField::txtObjectScale)));
}

void txtHeading_LostFocus(Context& ctx) {
    ctx.form.setText(TextField::txtHeading, CheckedHeading(ctx.form.text(TextField::txtHeading)));
    if (ctx.form.isChecked(CheckBox::chkFaceTolvaneSun))
        FaceTolvaneSun(ctx);
}

void txtPitch_LostFocus(Context& ctx) {
    ctx.form.setText(TextField::txtPitch, CheckedPitch(ctx.form.text(TextField::txtPitch)));
}

} // namespace tes
