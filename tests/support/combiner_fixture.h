#pragma once

#include "core/script/combine_scripts.h"
#include "form/combiner_commands.h"
#include "form/combiner_state.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>

namespace tes::test {

// A combiner over a fresh context whose dialogs answer with the paths the test gives.
class CombinerFixture : public ::testing::Test {
protected:
    void add(const std::string& path) {
        platform.dialogAnswers.push_back(path);
        btnAddFile_Click(combiner);
    }
    void saveAs(const std::string& path) {
        platform.dialogAnswers.push_back(path);
        btnSaveAs_Click(combiner);
    }

    FakePlatform platform;
    TempDir dir;
    std::string folder = dir.path().string();
    CombinerState combiner{platform, folder};
};

} // namespace tes::test
