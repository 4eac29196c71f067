#include "form/context.h"
#include "form/startup.h"
#include "lib/settings.h"
#include "support/fake_platform.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace tes::test {
namespace {

// The one handler start-up relies on: "Save To File" sets the session's save flag.
class SaveBoxHandler : public MainEvents {
public:
    explicit SaveBoxHandler(Context& ctx) : m_ctx(ctx) {}
    void checkBoxClicked(CheckBox box) override {
        clicked.push_back(box);
        if (box == CheckBox::chkSave)
            m_ctx.session.SaveToFile = m_ctx.form.check(CheckBox::chkSave) != kUnchecked;
    }
    void textChanged(TextField) override {}
    void comboTextChanged() override {}

    std::vector<CheckBox> clicked;

private:
    Context& m_ctx;
};

class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        auto handler = std::make_unique<SaveBoxHandler>(ctx);
        handler_ = handler.get();
        ctx.handlers = std::move(handler);
        ctx.form.setEvents(ctx.handlers.get());
        platform.programFolderPath = "/opt/tes";
    }
    std::string key() const { return SettingsKeyPath("Tolvane Enviro Scripter"); }

    FakePlatform platform;
    Context ctx{platform};
    SaveBoxHandler* handler_ = nullptr;
};

TEST_F(StartupTest, PreparesTheSessionAndTheWindow) {
    StartSession(ctx);

    EXPECT_EQ(ctx.session.Pi, std::numbers::pi);
    EXPECT_EQ(ctx.session.AppTitle, "Tolvane Enviro Scripter");
    EXPECT_TRUE(ctx.form.isChecked(CheckBox::chkSave));
    EXPECT_EQ(handler_->clicked, std::vector<CheckBox>{CheckBox::chkSave});
    EXPECT_TRUE(ctx.session.SaveToFile);
    EXPECT_EQ(ctx.form.versionCaption(), "1.1");
    EXPECT_FALSE(ctx.form.processEnabled());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.settingWrites.empty()); // nothing is stored at start-up
}

// Before any folder is saved the dialogs start in the user's documents, not in the program's folder.
TEST_F(StartupTest, TakesTheSavedFoldersOrTheDocuments) {
    const std::string docs = platform.documentsFolderPath;
    const struct {
        const char* savedDefault; // nullptr: no value
        const char* savedObject;
        std::string defaultDir;
        std::string objectDir;
    } cases[] = {
        {nullptr, nullptr, docs, docs},
        {R"(C:\Projects)", R"(D:\Models)", R"(C:\Projects)", R"(D:\Models)"},
        {"", R"(D:\Models)", docs, R"(D:\Models)"},
        {R"(C:\Projects)", "", R"(C:\Projects)", docs},
    };
    for (const auto& c : cases) {
        platform.settings.clear();
        if (c.savedDefault)
            platform.settings[key() + "|DefaultDir"] = c.savedDefault;
        if (c.savedObject)
            platform.settings[key() + "|ObjectDir"] = c.savedObject;

        StartSession(ctx);

        EXPECT_EQ(ctx.session.DefaultDir, c.defaultDir);
        EXPECT_EQ(ctx.session.ObjectDir, c.objectDir);
    }
}

TEST_F(StartupTest, SavesBothFoldersInOrder) {
    StartSession(ctx);
    ctx.session.DefaultDir = R"(C:\Projects)";
    SaveFolderSettings(ctx);
    EXPECT_EQ(platform.settingWrites,
              (std::vector<std::string>{R"(DefaultDir=C:\Projects)", "ObjectDir=/home/user/Documents"}));
    EXPECT_EQ(platform.settings[key() + "|DefaultDir"], R"(C:\Projects)");
}

TEST_F(StartupTest, EndsTheProgramOnce) {
    EXPECT_TRUE(BeginEndProgram(ctx));
    EXPECT_TRUE(ctx.ended);
    EXPECT_FALSE(BeginEndProgram(ctx));
}

} // namespace
} // namespace tes::test
