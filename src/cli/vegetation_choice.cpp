#include "cli/vegetation_choice.h"

#include "form/main_model.h"
#include "lib/fields.h"

#include <algorithm>
#include <string>

namespace tes::cli {

namespace {

bool IsWholeNumber(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number as the list writes it: without leading zeros (05 names the same kind as 5).
std::string_view WithoutLeadingZeros(std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? digits.substr(digits.size() - 1) : digits.substr(first);
}

} // namespace

void ChooseVegetation(MainModel& form, std::string_view kind) {
    if (!IsWholeNumber(kind)) {
        form.setComboText(kind);
        return;
    }
    const std::string key = "Vegetation_" + std::string(WithoutLeadingZeros(kind));
    const std::vector<std::string>& items = form.comboItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (EqualsIgnoringAsciiCase(GetElement(items[i], ":", 0), key)) {
            form.pickComboItem(i);
            return;
        }
    }
    form.setComboText(key);
}

} // namespace tes::cli
