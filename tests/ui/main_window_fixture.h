#pragma once

#include "form/context.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "ui/main/main_window.h"
#include "ui/program.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tes::test {

// A platform that can look at the window at the moment a message is shown.
class WatchingPlatform : public FakePlatform {
public:
    void showMessage(const std::string& text) override {
        FakePlatform::showMessage(text);
        if (onMessage)
            onMessage(text);
    }
    std::function<void(const std::string&)> onMessage;
};

// The whole program started as the application starts it, over a fake platform: the file dialogs
// answer from the fake's queue and messages are only recorded.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        // Ending the real event loop would end every later dialog of the test run at once.
        program.setQuit([this] { ++quitCalls; });
        program.start();
        QWidget& window = program.mainWindow();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    MainWindow& window() { return program.mainWindow(); }
    Context& ctx() { return program.context(); }
    template <typename T> T* find(const char* name) {
        T* widget = window().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* field(TextField id) { return window().field(id); }
    QCheckBox* box(CheckBox id) { return window().box(id); }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }
    QString text(TextField id) { return field(id)->text(); }
    bool isGrey(QWidget* widget) {
        return widget->palette().color(QPalette::Base) == window().palette().color(QPalette::Button);
    }

    // Replaces a field's text the way a user does: click into it, select everything, type.
    void typeInto(QLineEdit* edit, const QString& text) {
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
    }
    // Moves the focus on with the Tab key, as the user leaves a field.
    void tabOn() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }

    WatchingPlatform platform;
    int quitCalls = 0;
    Program program{platform};
};

// The example project copied into a fresh folder, so scripts written next to it land there.
class LoadedProjectTest : public MainWindowTest {
protected:
    LoadedProjectTest() {
        for (const char* ext : {".prj", ".txt", ".scn", ".est"})
            std::filesystem::copy_file(std::filesystem::path(TES_EXAMPLES_DIR) / "Valley" /
                                           (std::string("Valley") + ext),
                                       dir.path() / (std::string("Valley") + ext));
    }
    std::string projectFile() const { return dir.file("Valley.prj"); }
    void pickVegetation(int index) {
        QComboBox* combo = find<QComboBox>("comboSelectVegetation");
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    TempDir dir;
};

} // namespace tes::test

// Readable failure output for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
