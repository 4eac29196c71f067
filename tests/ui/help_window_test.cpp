// The help as the help window shows it: its keyboard table against the access keys the windows set (a
// key added to a window, or taken away, without its line in the help fails here), and its page at the
// window's opening size.
#include "form/combiner_state.h"
#include "lib/file_access.h"
#include "main_window_fixture.h"
#include "ui/combiner/combiner_window.h"
#include "ui/help/help_viewer.h"
#include "ui/preview/preview_window.h"

#include <map>
#include <set>

#include <QAbstractButton>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>

namespace tes::test {
namespace {

using KeysByWindow = std::map<QString, std::set<QString>>;

// The Alt keys of each window the help's keyboard table lists, by the window its second column names.
KeysByWindow HelpAccessKeys() {
    const std::string page = ReadFileBytes(TES_SOURCE_DIR "/docs/TES_Help.html");
    const QString html = QString::fromUtf8(page.data(), static_cast<qsizetype>(page.size()));
    const qsizetype from = html.indexOf(QStringLiteral("id=\"keys\""));
    const QString table = html.mid(from, html.indexOf(QStringLiteral("</table>"), from) - from);
    const QRegularExpression row(QStringLiteral("<tr><td>(.*?)</td>\\s*<td>(.*?)</td>"),
                                 QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression altKey(QStringLiteral("<kbd>Alt</kbd>\\+<kbd>(.)</kbd>"));
    KeysByWindow keys;
    for (const QRegularExpressionMatch& match : row.globalMatch(table)) {
        std::set<QString>& windowKeys = keys[match.captured(2).simplified()];
        for (const QRegularExpressionMatch& key : altKey.globalMatch(match.captured(1)))
            windowKeys.insert(key.captured(1).toUpper());
    }
    return keys;
}

// The access keys a window sets: the letter after a single & in its buttons', labels', group boxes'
// and menus' texts.
std::set<QString> WindowAccessKeys(const QWidget& window) {
    std::set<QString> keys;
    const auto take = [&](const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty())
            keys.insert(QKeySequence(key[0].key()).toString());
    };
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() != &window) // a window it owns has its own keys
            continue;
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            take(button->text());
        else if (const auto* label = qobject_cast<const QLabel*>(widget))
            take(label->text());
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            take(group->title());
        else if (const auto* bar = qobject_cast<const QMenuBar*>(widget))
            for (const QAction* action : bar->actions())
                take(action->text());
    }
    return keys;
}

class HelpKeysTest : public LoadedProjectTest {
protected:
    // Opens a dialog of the main window with its access key and takes its keys.
    std::set<QString> dialogKeys(Qt::Key key) {
        std::set<QString> keys;
        int opened = 0;
        window().setDialogRunner([&](QDialog& dialog) {
            ++opened;
            keys = WindowAccessKeys(dialog);
            return int(QDialog::Rejected);
        });
        QApplication::setActiveWindow(&window());
        QTest::keyClick(&window(), key, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return opened == 1; }, 2000));
        return keys;
    }
};

TEST_F(HelpKeysTest, KeyboardTableListsEveryWindowsAccessKeys) {
    platform.dialogAnswers.push_back(projectFile());
    QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton);
    KeysByWindow set;
    set[QStringLiteral("main")] = WindowAccessKeys(window());
    set[QStringLiteral("Kinds")] = dialogKeys(Qt::Key_K);
    set[QStringLiteral("Script Options")] = dialogKeys(Qt::Key_T);
    QTest::mouseClick(button("btnPreview"), Qt::LeftButton);
    ASSERT_NE(window().previewWindow(), nullptr);
    set[QStringLiteral("Preview")] = WindowAccessKeys(*window().previewWindow());
    std::string folder = dir.path().string();
    CombinerState state{platform, folder};
    CombinerWindow combiner(state, nullptr);
    set[QStringLiteral("Combine Scripts")] = WindowAccessKeys(combiner);

    const KeysByWindow help = HelpAccessKeys();
    for (const auto& [name, keys] : set) {
        const auto listed = help.find(name);
        const std::set<QString> helpKeys = listed == help.end() ? std::set<QString>{} : listed->second;
        EXPECT_EQ(QStringList(helpKeys.begin(), helpKeys.end()).join(u' ').toStdString(),
                  QStringList(keys.begin(), keys.end()).join(u' ').toStdString())
            << "the help's Alt keys (left) and the " << name.toStdString() << " window's (right)";
    }
}

// The page wraps to the window: nothing is wider than it, so no horizontal scroll bar.
TEST(HelpWindow, ShowsTheHelpWithoutScrollingSideways) {
    HelpViewer viewer;
    ASSERT_TRUE(viewer.showFile(QStringLiteral(TES_SOURCE_DIR "/docs/TES_Help.html")));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    // Its opening size, and the room a 1024-pixel-wide screen gives it.
    for (int width : {viewer.width(), 900}) {
        viewer.resize(width, viewer.height());
        QApplication::processEvents();
        EXPECT_EQ(viewer.browser()->horizontalScrollBar()->maximum(), 0) << width;
    }
}

} // namespace
} // namespace tes::test
