#include "form/field_checks.h"

#include "form/context.h"
#include "form/project_routines.h"
#include "lib/numbers.h"

#include <limits>

namespace tes {

namespace {

constexpr double kNoUpperBound = std::numeric_limits<double>::infinity();

// Pulls the field's number into [lower, upper] and rounds it. A text whose number lies beyond the
// double range reads as no number when the field has no upper bound, so the field gets its lower
// bound; the bounded fields clamp it like any other value.
double CheckedValue(const MainModel& form, TextField field, double lower, double upper, int decimals) {
    double v = LeadingNumberValue(form.text(field));
    if (v == kNoUpperBound && upper == kNoUpperBound)
        v = lower;
    if (v > upper) {
        v = upper;
    } else if (v < lower) {
        v = lower;
    }
    return RoundHalfEven(v, decimals);
}

} // namespace

void txtGridSize_LostFocus(Context& ctx) {
    const double v = CheckedValue(ctx.form, TextField::txtGridSize, 1, kNoUpperBound, 0);
    ctx.form.setText(TextField::txtGridSize, FormatPattern(v, "0"));
}

void txtObjectScale_LostFocus(Context& ctx) {
    const double v = CheckedValue(ctx.form, TextField::txtObjectScale, 0.1, kNoUpperBound, 6);
    ctx.form.setText(TextField::txtObjectScale, FormatPattern(v, "0.000000"));
}

void txtHeading_LostFocus(Context& ctx) {
    const double v = CheckedValue(ctx.form, TextField::txtHeading, 0, 359.9, 1);
    ctx.form.setText(TextField::txtHeading, DecimalText(v));
    if (ctx.form.isChecked(CheckBox::chkFaceTolvaneSun))
        FaceTolvaneSun(ctx);
}

void txtPitch_LostFocus(Context& ctx) {
    const double v = CheckedValue(ctx.form, TextField::txtPitch, 0, 89.9, 1);
    ctx.form.setText(TextField::txtPitch, DecimalText(v));
}

} // namespace tes
