#include "form/chosen_kind.h"

#include "form/context.h"
#include "lib/fields.h"

#include <algorithm>

namespace tes {

namespace {

// The part of a kinds-list text before its first colon: "Vegetation_5".
std::string_view EntryKey(std::string_view text) {
    return GetElement(text, ":", 0);
}

ChosenKindFields FieldsNow(const Context& ctx) {
    const MainModel& form = ctx.form;
    return {ChosenKindNumber(form.comboText()), form.text(TextField::txtMaxFile),
            form.text(TextField::txtMaxObjectName), form.check(CheckBox::chkUseMaxName)};
}

} // namespace

std::string ChosenKindNumber(std::string_view comboText) {
    return std::string(GetElement(EntryKey(comboText), "_", 1));
}

std::optional<std::size_t> ChosenKindEntry(const std::vector<KindEntry>& entries,
                                           std::string_view comboText) {
    const std::string number = ChosenKindNumber(comboText);
    if (number.empty())
        return std::nullopt;
    // 05 and 5 are one kind, as in the kinds table.
    const std::string wanted = KindNumber(number);
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const KindEntry& entry) {
        return KindNumber(entry.row.number) == wanted;
    });
    if (it == entries.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - entries.begin());
}

bool NamesOfferedKind(std::string_view text, const std::vector<std::string>& offered) {
    const std::string chosen = UpperCase(EntryKey(text));
    return std::any_of(offered.begin(), offered.end(),
                       [&chosen](const std::string& item) { return UpperCase(EntryKey(item)) == chosen; });
}

void FillChosenKindFields(Context& ctx) {
    MainModel& form = ctx.form;
    if (!NamesOfferedKind(form.comboText(), form.comboItems())) {
        ctx.chosenKindFields.reset();
        return;
    }
    const KindRow* row = ctx.kindsTable.find(ChosenKindNumber(form.comboText()));
    if (row && !row->maxFile.empty()) {
        // The box's handler makes the object name follow the file while it is checked.
        form.setCheck(CheckBox::chkUseMaxName, row->objectName.empty() ? kChecked : kUnchecked);
        form.setText(TextField::txtMaxFile, row->maxFile);
        if (!row->objectName.empty())
            form.setText(TextField::txtMaxObjectName, row->objectName);
    }
    RememberChosenKindFields(ctx);
}

void RememberChosenKindFields(Context& ctx) {
    ctx.chosenKindFields = FieldsNow(ctx);
}

bool ChosenKindFieldsUntouched(const Context& ctx) {
    return ctx.chosenKindFields && *ctx.chosenKindFields == FieldsNow(ctx);
}

} // namespace tes
