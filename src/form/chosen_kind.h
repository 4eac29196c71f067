#pragma once

#include "core/plants/kind_entries.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tes {

struct Context;

// The Max file fields as they stood once the chosen kind's row filled them (or, for a kind whose row
// names no Max file, as they stood when it was chosen). Fields that still hold this have not been
// edited since, so a newer row may fill them again.
struct ChosenKindFields {
    std::string number; // the kind's number as the combo box names it
    std::string maxFile;
    std::string objectName;
    int useMaxName = 0;
    bool operator==(const ChosenKindFields&) const = default;
};

// The kind number a text of the kinds list names, as Process reads the combo box: the text after the
// underscore of the part before the first colon ("5" for "Vegetation_5:  Pine").
std::string ChosenKindNumber(std::string_view comboText);

// The place among the Kinds dialog's entries of the kind the combo box names, picked or typed, so that
// the dialog opens on the kind the user is working on; nothing when it names none of them.
std::optional<std::size_t> ChosenKindEntry(const std::vector<KindEntry>& entries, std::string_view comboText);

// Whether some entry of the list has the same key (the text before the first colon) as the text,
// letter case aside: a typed "vegetation_5" names the entry "Vegetation_5:  Pine".
bool NamesOfferedKind(std::string_view text, const std::vector<std::string>& offered);

// The kind the combo box names, picked or typed, takes the Max file and object of its row in the
// kinds table (when the row names a Max file), and the fields are remembered as so filled.
void FillChosenKindFields(Context& ctx);

// Remembers the fields as they stand as the chosen kind's own (its row now holds them).
void RememberChosenKindFields(Context& ctx);

// Whether the fields still hold what the chosen kind's row put there: the user has not edited them.
bool ChosenKindFieldsUntouched(const Context& ctx);

} // namespace tes
