#pragma once

#include "form/context.h"
#include "form/field_checks.h"
#include "form/main_events.h"
#include "form/max_file.h"
#include "form/startup.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tes::test {

// An open dialog (never a save dialog) with no initial file name.
inline void ExpectOpenDialog(const FileDialogRequest& request, const std::string& title,
                             const std::string& folder, const std::string& filter) {
    EXPECT_EQ(request.title, title);
    EXPECT_EQ(request.initialFolder, folder);
    EXPECT_EQ(request.filter, filter);
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.initialFileName, "");
}

// The program as it stands after start-up, on a fake platform, with a temporary folder for files.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() { StartSession(ctx); }

    std::vector<std::string> list(ListId id) const { return ctx.form.list(id).toVector(); }
    const std::string& text(TextField field) const { return ctx.form.text(field); }

    ProgressPlatform platform;
    std::unique_ptr<Context> program = CreateProgram(platform);
    Context& ctx = *program;
    TempDir dir;
};

} // namespace tes::test
