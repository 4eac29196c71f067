#include "form/combiner_state.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "ui/combiner/combiner_launcher.h"
#include "ui/combiner/combiner_window.h"
#include "ui/line_list_view.h"
#include "ui/window_centring.h"

#include <functional>
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace tes {
namespace {

// The combiner opened from an owner window, as the main window opens it.
class CombinerLauncherTest : public ::testing::Test {
protected:
    CombinerLauncherTest() { owner.show(); }

    // Opens the combiner and runs `during` while it is up; the modal display always ends, so a failed
    // expectation cannot leave the test waiting.
    void openAndThen(const std::function<void(CombinerWindow&)>& during) {
        QTimer::singleShot(0, &owner, [&] {
            QPointer<CombinerWindow> shown = launcher.window();
            ASSERT_NE(shown, nullptr);
            EXPECT_TRUE(shown->isVisible());
            during(*shown);
            if (shown && shown->isVisible())
                shown->hide();
        });
        launcher.open();
    }

    static QPushButton* button(CombinerWindow& window, const char* name) {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static int rows(CombinerWindow& window) { return window.list()->model()->rowCount(); }
    static QPoint centred(const QWidget& window) {
        const QRect screen = window.screen()->geometry();
        return CenterFormHorizontally(screen, CenterFormVertically(screen, window.frameGeometry())).topLeft();
    }

    test::TempDir dir;
    test::FakePlatform platform;
    std::string folder = dir.path().string();
    CombinerState state{platform, folder};
    QWidget owner;
    CombinerLauncher launcher{state, &owner};
};

TEST_F(CombinerLauncherTest, LoadCreatesOneHiddenCentredWindow) {
    launcher.load();
    CombinerWindow* window = launcher.window();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->pos(), centred(*window));
    launcher.load();
    EXPECT_EQ(launcher.window(), window);
}

TEST_F(CombinerLauncherTest, OpensModallyOverItsOwnerWithDoneFocused) {
    bool ran = false;
    openAndThen([&](CombinerWindow& window) {
        ran = true;
        EXPECT_EQ(window.parentWidget(), &owner);
        EXPECT_EQ(window.pos(), centred(window)) << "centred with its frame";
        EXPECT_TRUE(window.isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), &window);
        EXPECT_EQ(window.focusWidget(), button(window, "btnDone"));
        button(window, "btnDone")->click();
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the owner takes input again";
    ASSERT_NE(launcher.window(), nullptr) << "Done only hides the window";
}

struct EndCase {
    const char* name;
    std::function<void(CombinerWindow&)> end;
};

class CombinerEnding : public CombinerLauncherTest, public ::testing::WithParamInterface<EndCase> {};

// Done and Escape end an opening alike: the window is hidden where it stands, and the next opening
// shows it there again with an empty list and the focus on Done.
TEST_P(CombinerEnding, HidesTheWindowAndTheNextOpeningStartsAfresh) {
    const std::string script = dir.write("veg.ms", "a\r\nb\r\nc\r\n");
    QPointer<CombinerWindow> first;
    openAndThen([&](CombinerWindow& window) {
        first = &window;
        window.move(10, 20);
        platform.dialogAnswers = {script, script};
        QTest::mouseClick(button(window, "btnAddFile"), Qt::LeftButton); // the focus moves to Add File
        button(window, "btnAddFile")->click();
        EXPECT_EQ(rows(window), 10);
        GetParam().end(window);
        EXPECT_FALSE(window.isVisible());
    });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(first, nullptr);
    openAndThen([&](CombinerWindow& window) {
        EXPECT_EQ(&window, first.data());
        EXPECT_EQ(window.pos(), QPoint(10, 20));
        EXPECT_EQ(rows(window), 0);
        EXPECT_TRUE(state.lstMaxScripts.empty());
        EXPECT_EQ(window.focusWidget(), button(window, "btnDone"));
    });
}

INSTANTIATE_TEST_SUITE_P(
    , CombinerEnding,
    ::testing::Values(EndCase{"DoneClicked",
                              [](CombinerWindow& w) {
                                  QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("btnDone")),
                                                    Qt::LeftButton);
                              }},
                      EndCase{"Escape",
                              [](CombinerWindow& w) { QTest::keyClick(w.focusWidget(), Qt::Key_Escape); }}),
    [](const auto& info) { return std::string(info.param.name); });

// The close box discards the window, even when the next opening follows at once; the new window is
// centred again, as the first one was.
TEST_F(CombinerLauncherTest, CloseBoxDiscardsTheWindowAndTheNextOpeningCentresANewOne) {
    QPointer<CombinerWindow> first;
    QPoint centre;
    openAndThen([&](CombinerWindow& window) {
        first = &window;
        centre = window.pos();
        window.move(10, 20);
        window.close();
    });
    openAndThen([&](CombinerWindow& window) {
        EXPECT_EQ(first, nullptr) << "the discarded window is gone";
        EXPECT_EQ(window.pos(), centre);
        EXPECT_EQ(rows(window), 0);
    });
}

TEST_F(CombinerLauncherTest, ClosingAtShutdownDiscardsTheWindowEvenWhileItIsOpen) {
    launcher.load();
    launcher.close();
    EXPECT_EQ(launcher.window(), nullptr);

    openAndThen([&](CombinerWindow&) { launcher.close(); });
    EXPECT_EQ(launcher.window(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace tes
