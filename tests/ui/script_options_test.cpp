#include "main_window_fixture.h"
#include "ui/caption_fit.h"

#include <QDialogButtonBox>
#include <QLineEdit>

namespace tes::test {
namespace {

// Alt+T and the button open the dialog from the style in use; Cancel changes nothing, OK keeps the
// choice and saves it.
TEST_F(MainWindowTest, ScriptOptionsKeepTheChoiceOnOkOnly) {
    ctx().scriptStyle.utf8 = true;
    platform.settingWrites.clear();
    const TempDir out;
    QDialogButtonBox::StandardButton answer = QDialogButtonBox::Cancel;
    int opened = 0;
    window().setDialogRunner([&](QDialog& dialog) {
        ++opened;
        QStringList problems;
        EXPECT_TRUE(CaptionsFit(dialog, &problems)) << problems.join(QStringLiteral(", ")).toStdString();
        const auto box = [&](const char* name) { return dialog.findChild<QCheckBox*>(QLatin1String(name)); };
        EXPECT_TRUE(box("chkUtf8Script")->isChecked());
        box("chkFastScript")->click();
        box("chkInstances")->click();
        dialog.findChild<QLineEdit*>(QStringLiteral("txtOutputFolder"))->setText(QStringLiteral("/data/out"));
        dialog.findChild<QDialogButtonBox*>()->button(answer)->click();
        if (answer == QDialogButtonBox::Ok) { // refused, so the dialog stays open; Browse... gives another
            EXPECT_EQ(platform.messages.size(), 1u);
            platform.dialogAnswers.push_back(out.path().string());
            dialog.findChild<QPushButton*>(QStringLiteral("btnBrowseOutputFolder"))->click();
            dialog.findChild<QDialogButtonBox*>()->button(answer)->click();
        }
        return dialog.result();
    });
    QTest::keyClick(&window(), Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened == 1; }, 2000));
    EXPECT_EQ(QApplication::focusWidget(), button("btnScriptOptions"));
    EXPECT_EQ(ctx().scriptStyle.shape, ScriptShape::Classic);
    EXPECT_FALSE(ctx().scriptStyle.instances);
    EXPECT_EQ(ctx().outputFolder, "");
    EXPECT_TRUE(platform.settingWrites.empty());

    answer = QDialogButtonBox::Ok;
    QTest::mouseClick(button("btnScriptOptions"), Qt::LeftButton);
    EXPECT_EQ(ctx().scriptStyle.shape, ScriptShape::Fast);
    EXPECT_TRUE(ctx().scriptStyle.instances && ctx().scriptStyle.utf8);
    EXPECT_EQ(ctx().outputFolder, out.path().string());
    EXPECT_EQ(platform.settingWrites, (std::vector<std::string>{"FastScript=1", "Instances=1", "Utf8Script=1",
                                                                "OutputFolder=" + out.path().string()}));
}

} // namespace
} // namespace tes::test
