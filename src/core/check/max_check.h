#pragma once

#include "lib/message.h"

#include <string>
#include <vector>

namespace tes {

struct MaxCheckResult {
    std::string folder;             // the whole path of the folder written into
    std::vector<std::string> files; // every file written, in the order written
    // A refusal when the folder cannot take the files (nothing, or only some of them, written); a
    // failure when the scripts could not be built.
    Messages messages;
    std::string testScript; // MaxCheck_Test.ms, once written
};

// Writes the 3ds Max check into `dir`, made when missing: a small Tolvane project (MaxCheck.prj and
// its files, the kinds table MaxCheck.tes.ini naming Max files in `dir`), the scripts the engine
// builds for it in the fast shape (each kind's, the joined one, and the joined one in UTF-8, with
// the point caches the expected positions are read from), the test script MaxCheck_Test.ms and a
// README.txt. Run in 3ds Max, the test script makes the models, saves them as those Max files, runs
// the scripts and prints PASS or FAIL for each check.
MaxCheckResult WriteMaxCheck(const std::string& dir);

} // namespace tes
