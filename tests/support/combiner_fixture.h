#pragma once

#include "core/combine_scripts.h"
#include "form/combiner_commands.h"
#include "form/context.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>

namespace tes::test {

// A combiner over a fresh context whose dialogs answer with the paths the test gives.
class CombinerFixture : public ::testing::Test {
protected:
    CombinerFixture() { ctx.session.DefaultDir = dir.path().string(); }

    void add(const std::string& path) {
        platform.dialogAnswers.push_back(path);
        btnAddFile_Click(ctx);
    }
    void saveAs(const std::string& path) {
        platform.dialogAnswers.push_back(path);
        btnSaveAs_Click(ctx);
    }

    FakePlatform platform;
    Context ctx{platform};
    TempDir dir;
};

} // namespace tes::test
