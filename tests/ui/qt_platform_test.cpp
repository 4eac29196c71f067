#include "form/session.h"
#include "support/temp_dir.h"
#include "ui/help/help_viewer.h"
#include "ui/qt_platform.h"

#include <functional>
#include <gtest/gtest.h>
#include <utility>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWidget>

namespace tes {
namespace {

// Runs `inspect` on the modal window that the next call opens, then closes it, so no test waits on a
// dialog.
void WhenModalOpens(const std::function<void(QWidget&)>& inspect) {
    QTimer::singleShot(0, qApp, [inspect] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        inspect(*modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
            dialog->reject();
    });
}

TEST(QtNameFilters, PairsBecomeQtFilters) {
    struct Case {
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"PRJ File (*.prj)|*.prj", {QStringLiteral("PRJ File (*.prj)")}},
        {"MS File (*.ms)|*.ms|All Files|*.*",
         {QStringLiteral("MS File (*.ms)"), QStringLiteral("All Files (*.*)")}},
        // The pattern of the pair counts, not what the description shows.
        {"Scripts (*.txt)|*.ms;*.mcr", {QStringLiteral("Scripts (*.ms *.mcr)")}},
        {"", {}},
        {"Unpaired", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToQtNameFilters(c.filter), c.expected) << c.filter;
}

class QtPlatformTest : public ::testing::Test {
protected:
    test::TempDir dir;
    QtPlatform platform{QString::fromStdString(dir.file("settings.ini"))};
    const std::string key = "Software\\Tolvane Enviro Scripter";
};

TEST_F(QtPlatformTest, SettingsRoundTrip) {
    EXPECT_EQ(platform.readSetting(key, "DefaultDir"), ""); // nothing saved yet
    platform.writeSetting(key, "DefaultDir", "C:\\Projects");
    platform.writeSetting(key, "ObjectDir", "");
    platform.writeSetting(key, "Other", "/home/user/Bäume");
    EXPECT_EQ(platform.readSetting(key, "DefaultDir"), "C:\\Projects");
    EXPECT_EQ(platform.readSetting(key, "ObjectDir"), "");
    EXPECT_EQ(platform.readSetting(key, "Other"), "/home/user/Bäume");

    // A second platform over the same store sees what the first wrote: the values outlive the run.
    QtPlatform later{QString::fromStdString(dir.file("settings.ini"))};
    EXPECT_EQ(later.readSetting(key, "DefaultDir"), "C:\\Projects");
}

// Settings that cannot be written (their folder cannot be made under a file) are said once a run,
// naming the file.
TEST_F(QtPlatformTest, SettingsThatCannotBeWrittenAreSaidOnce) {
    const QString file = QString::fromStdString(dir.write("blocker", "") + "/settings.ini");
    QtPlatform blocked{file};
    QStringList shown;
    for (const char* value : {"1", "0"}) {
        QTimer::singleShot(0, qApp, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown << box->text();
                box->reject();
            }
        });
        blocked.writeSetting(key, "FastScript", value);
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Could not save the settings in ") +
                                    QDir::toNativeSeparators(file) + QLatin1Char('.')))
        << shown[0].toStdString();
}

TEST_F(QtPlatformTest, AMissingDocumentIsNeitherOpenedNorViewed) {
    EXPECT_FALSE(platform.openDocument(dir.file("missing.html")));
    EXPECT_FALSE(platform.showHelpViewer(dir.file("missing.html")));
}

TEST_F(QtPlatformTest, ProgramFolderHoldsTheExecutable) {
    const QString folder = QString::fromStdString(platform.programFolder());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QFileInfo(QCoreApplication::applicationFilePath()).absolutePath(),
              QDir::fromNativeSeparators(folder));
}

TEST_F(QtPlatformTest, NextFileNameAnswersOnceWithoutADialog) {
    platform.setNextFileName("/data/Valley.prj");
    FileDialogRequest request;
    request.title = "Open Tolvane Project File (PRJ)";
    EXPECT_EQ(platform.showFileDialog(request), "/data/Valley.prj");

    // The next dialog is a real one again; cancelling it gives the empty text.
    WhenModalOpens([](QWidget& modal) { EXPECT_NE(qobject_cast<QFileDialog*>(&modal), nullptr); });
    EXPECT_EQ(platform.showFileDialog(request), "");
}

// The dialog closes and leaves another window active (or none, as Wine's native dialog does): the
// window and the control the user came from get the focus back.
TEST_F(QtPlatformTest, FileDialogsGiveTheFocusBack) {
    QWidget window;
    auto* field = new QLineEdit(&window);
    auto* button = new QPushButton(QStringLiteral("Browse"), &window);
    button->move(0, 40);
    QWidget elsewhere;
    window.show();
    FileDialogRequest request;
    request.initialFolder = dir.path().string();
    const std::function<void()> dialogs[] = {
        [&] { platform.showFileDialog(request); },
        [this] { platform.showFolderDialog("Folder", dir.path().string()); },
    };
    for (const auto& open : dialogs) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        button->setFocus();
        QTimer::singleShot(0, qApp, [&] {
            field->setFocus();
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
            elsewhere.show();
            elsewhere.activateWindow();
        });
        open();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
        EXPECT_EQ(QApplication::focusWidget(), button);
        elsewhere.hide();
    }
}

TEST_F(QtPlatformTest, FileDialogsAreSetUpAsAsked) {
    struct Case {
        bool save;
        QFileDialog::FileMode mode;
        QFileDialog::AcceptMode accept;
        bool confirmOverwrite;
    };
    for (const Case& c : {Case{false, QFileDialog::ExistingFile, QFileDialog::AcceptOpen, true},
                          Case{true, QFileDialog::AnyFile, QFileDialog::AcceptSave, false}}) {
        FileDialogRequest request;
        request.title = "Save Compiled MAX Script As... (MS)";
        request.initialFolder = dir.path().string();
        request.filter = "Text (*.txt)|*.txt|MS File (*.ms)|*.ms";
        request.filterIndex = 2;
        request.save = c.save;
        WhenModalOpens([&](QWidget& modal) {
            auto* dialog = qobject_cast<QFileDialog*>(&modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save Compiled MAX Script As... (MS)"));
            EXPECT_EQ(QFileInfo(dialog->directory().absolutePath()),
                      QFileInfo(QString::fromStdString(dir.path().string())));
            EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("MS File (*.ms)"));
            EXPECT_EQ(dialog->fileMode(), c.mode);
            EXPECT_EQ(dialog->acceptMode(), c.accept);
            EXPECT_EQ(!dialog->testOption(QFileDialog::DontConfirmOverwrite), c.confirmOverwrite);
        });
        EXPECT_EQ(platform.showFileDialog(request), "") << "cancelled";
    }
}

// A name typed into a save dialog without an extension gets the one of the chosen file type.
TEST_F(QtPlatformTest, SaveDialogAddsTheTypesExtensionToANameWithoutOne) {
    FileDialogRequest request;
    request.initialFolder = dir.path().string();
    request.filter = "MS File (*.ms)|*.ms|All Files|*.*";
    request.save = true;
    for (const auto& [typed, chosen] :
         {std::pair{"combined", "combined.ms"}, {"combined.txt", "combined.txt"}}) {
        WhenModalOpens([typed = typed](QWidget& modal) {
            auto* name = modal.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            QTest::keyClicks(name, QString::fromUtf8(typed));
            QTest::keyClick(name, Qt::Key_Return);
        });
        EXPECT_EQ(platform.showFileDialog(request), dir.file(chosen)) << typed;
    }
}

// The program's own help window shows the file, follows a link within the page, and is raised, not
// doubled, when asked again.
TEST_F(QtPlatformTest, HelpViewerShowsTheFileAndFollowsALinkWithinThePage) {
    const std::string file = dir.write("TES_Help.html", "<title>Help</title><a href=\"#keys\">Keyboard</a>"
                                                        "<h2 id=\"keys\">Keys</h2>");
    ASSERT_TRUE(platform.showHelpViewer(file));
    HelpViewer* viewer = platform.helpViewer();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Help"));
    QTextBrowser* browser = viewer->browser();
    QTextCursor link = browser->document()->find(QStringLiteral("Keyboard"));
    link.setPosition(link.selectionStart() + 2);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(link).center());
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("keys"));

    ASSERT_TRUE(platform.showHelpViewer(file));
    EXPECT_EQ(platform.helpViewer(), viewer);
    QApplication::setActiveWindow(viewer);
    QTest::keyClick(browser, Qt::Key_Escape);
    EXPECT_FALSE(viewer->isVisible()) << "Escape closes it";
}

// The title bar shows the whole caption beside its icon and buttons, however short the message.
TEST_F(QtPlatformTest, AMessageBoxIsWideEnoughForItsTitle) {
    WhenModalOpens([](QWidget& modal) {
        EXPECT_GE(modal.width(), modal.fontMetrics().horizontalAdvance(modal.windowTitle()) + 150);
    });
    platform.showMessage("Done.");
}

// The product's name as the window shows it, OK only, the icon of the message's kind, and each line
// whole: a path is never broken within.
TEST_F(QtPlatformTest, MessageBoxHasTheProductsNameTheIconOfItsKindAndWholeLines) {
    const QString path =
        QStringLiteral("Folder: C:\\Users\\Someone\\My Documents\\Tolvane Projects\\Scripts");
    for (const auto& [kind, icon] : {std::pair{MessageKind::Notice, QMessageBox::Information},
                                     {MessageKind::Refusal, QMessageBox::Warning},
                                     {MessageKind::Failure, QMessageBox::Critical}}) {
        WhenModalOpens([&, icon = icon](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Tolvane Enviro Scripter"));
            EXPECT_EQ(box->icon(), icon);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(path));
        });
        platform.showMessageOfKind({kind, "Wrote 2 scripts, 6 objects.\n" + path.toStdString()});
    }
}

TEST_F(QtPlatformTest, WaitCursorIsBalanced) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    platform.setWaitCursor(false); // normal pointer without a wait: nothing to undo
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    platform.setWaitCursor(true);
    platform.setWaitCursor(true);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.setWaitCursor(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(QtPlatformTest, ProgressShowsLateAndCancelStopsTheWork) {
    platform.setProgressDelay(60 * 1000);
    platform.beginProgress("Reading Valley.txt");
    EXPECT_TRUE(platform.reportProgress(1, 2));
    EXPECT_EQ(platform.progressDialog(), nullptr) << "short work shows no progress window";
    platform.endProgress();

    platform.setProgressDelay(0);
    platform.beginProgress("Reading Valley.txt");
    EXPECT_TRUE(platform.reportProgress(250, 1000));
    QProgressDialog* dialog = platform.progressDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->labelText(), QStringLiteral("Reading Valley.txt"));
    EXPECT_EQ(dialog->value(), 250);
    dialog->cancel();
    EXPECT_FALSE(platform.reportProgress(500, 1000));
    platform.endProgress();
    EXPECT_EQ(platform.progressDialog(), nullptr);
    EXPECT_TRUE(platform.reportProgress(1, 1)) << "no work under way";
}

} // namespace
} // namespace tes
