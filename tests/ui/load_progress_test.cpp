// The progress window of a long load, with Qt's real progress dialog: Cancel leaves the window as it
// was before the load, and the window keeps answering while the file is read.
#include "form/context.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "ui/line_list_view.h"
#include "ui/main/main_window.h"
#include "ui/program.h"
#include "ui/qt_platform.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tes::test {
namespace {

// Dialogs and messages from the fake, the progress display from the real Qt platform.
class RealProgressPlatform : public FakePlatform {
public:
    explicit RealProgressPlatform(const QString& settingsFile) : qt(settingsFile) {}
    void beginProgress(const std::string& label) override { qt.beginProgress(label); }
    bool reportProgress(unsigned long long done, unsigned long long total) override {
        return qt.reportProgress(done, total);
    }
    void endProgress() override { qt.endProgress(); }
    QtPlatform qt;
};

// What the user sees of a loaded project.
struct WindowState {
    std::vector<QString> texts;
    int list1Rows = 0;
    std::vector<QString> comboItems;
    bool processEnabled = false;
    bool operator==(const WindowState&) const = default;
};

class LoadProgressTest : public ::testing::Test {
protected:
    LoadProgressTest() {
        program.setQuit([] {});
        program.start();
        for (const char* ext : {".prj", ".txt", ".scn", ".est"})
            std::filesystem::copy_file(std::filesystem::path(TES_EXAMPLES_DIR) / "Valley" /
                                           (std::string("Valley") + ext),
                                       dir.path() / (std::string("Valley") + ext));
    }

    void load(const std::string& project) {
        platform.dialogAnswers.push_back(project);
        QTest::mouseClick(
            program.mainWindow().findChild<QPushButton*>(QStringLiteral("btnBrowseProjectFile")),
            Qt::LeftButton);
    }

    WindowState state() {
        MainWindow& window = program.mainWindow();
        WindowState s;
        for (int f = 0; f < static_cast<int>(TextField::Count); ++f)
            s.texts.push_back(window.field(static_cast<TextField>(f))->text());
        s.list1Rows = window.list(ListId::List1)->model()->rowCount();
        QComboBox* combo = window.findChild<QComboBox*>(QStringLiteral("comboSelectVegetation"));
        for (int i = 0; i < combo->count(); ++i)
            s.comboItems.push_back(combo->itemText(i));
        s.processEnabled = window.findChild<QPushButton*>(QStringLiteral("btnProcess"))->isEnabled();
        return s;
    }

    // A project whose environment file is large enough for several progress reports (7 MB).
    std::string writeBigProject() const {
        std::string text;
        for (int i = 0; i < 300'000; ++i)
            text += "2,1800.5,10.25,1900.75\r\n";
        dir.write("Big.txt", text);
        dir.write("Big.scn", "[Environment]\r\nTerrainWidth=5\r\nTerrainWidthScale=3\r\n"
                             "[Light2]\r\nTargetPosition=1801,199,801\r\n");
        dir.write("Big.est", "[Vegetation_2]\r\nName=Birch\r\n");
        return dir.write("Big.prj", "Tolvane project Big\r\n");
    }

    TempDir dir;
    RealProgressPlatform platform{QString::fromStdString(dir.file("settings.ini"))};
    Program program{platform};
};

TEST_F(LoadProgressTest, CancelDuringALoadLeavesTheWindowAsItWas) {
    load(dir.file("Valley.prj"));
    ASSERT_TRUE(platform.messages.empty());
    const WindowState before = state();
    ASSERT_GT(before.list1Rows, 0);
    const std::string bigProject = writeBigProject();

    // Press Cancel as soon as the progress window is up (the load lets the events through).
    platform.qt.setProgressDelay(0);
    QString label;
    QTimer presser;
    presser.setInterval(0);
    QObject::connect(&presser, &QTimer::timeout, [&] {
        if (QProgressDialog* dialog = platform.qt.progressDialog()) {
            label = dialog->labelText();
            dialog->cancel();
            presser.stop();
        }
    });
    presser.start();
    load(bigProject);
    presser.stop();

    EXPECT_EQ(label, QStringLiteral("Reading Big.txt"));
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
    EXPECT_TRUE(state() == before) << "the window shows the project loaded before";
    EXPECT_EQ(program.context().session.ProjectBasePath, dir.file("Valley"));
    EXPECT_EQ(platform.qt.progressDialog(), nullptr);

    // Without Cancel the same load finishes and shows the big project.
    load(bigProject);
    EXPECT_EQ(state().list1Rows, 300'000);
    EXPECT_EQ(state().texts[static_cast<int>(TextField::txtProjectFilePath)],
              QString::fromStdString(bigProject));
}

} // namespace
} // namespace tes::test
