#pragma once

#include <string_view>

namespace tes {
class MainModel;
}

namespace tes::cli {

// Puts a vegetation choice into the combo box. A whole number N picks the first entry whose key is
// Vegetation_N (letter case aside), or types Vegetation_N when no entry has it; any other text is
// typed into the edit part as it stands, for the Process checks to judge.
void ChooseVegetation(MainModel& form, std::string_view kind);

} // namespace tes::cli
