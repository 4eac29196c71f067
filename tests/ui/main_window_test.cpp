#include "form/main_model.h"
#include "main_window_fixture.h"
#include "ui/caption_fit.h"
#include "ui/combiner/combiner_launcher.h"
#include "ui/combiner/combiner_window.h"
#include "ui/line_list_view.h"
#include "ui/main/output_pane.h"
#include "ui/main/records_table.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QListView>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>

namespace tes::test {
namespace {

TEST_F(MainWindowTest, FieldsStartAsDesigned) {
    struct Case {
        TextField id;
        const char* text;
        bool readOnly;
        bool enabled;
        bool grey;
        const char* toolTip;
    };
    using enum TextField;
    const Case cases[] = {
        {txtOverlap, "0", false, true, false, ""},
        {txtProjectFilePath, "", true, false, false, "Path and File Name of your Tolvane Project"},
        {txtNumberOfTiles, "5 x 5", true, true, true, "Enter numbers ONLY!!"},
        {txtGridRes, "3.0", true, true, true, "Enter numbers ONLY!!"},
        {txtHeading, "90.0", false, true, false, ""},
        {txtPitch, "45.0", true, true, true, ""},
        {txtVerticalScale, "1.000", false, true, false, "Enter numbers ONLY!!"},
        {txtVerticalOffset, "0.000000", false, true, false, "Enter numbers ONLY!!"},
        {txtMaxFile, "", false, true, false, ""},
        {txtMaxObjectName, "", false, true, false, ""},
        {txtRotationAngle, "0.000", false, true, false, "Enter numbers ONLY!!"},
        {txtObjectScale, "33.333333", true, true, true, ""},
        {txtGridSize, "256", false, true, false, ""},
    };
    for (const Case& c : cases) {
        QLineEdit* edit = find<QLineEdit>(Name(c.id));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.text)) << Name(c.id);
        EXPECT_EQ(edit->isReadOnly(), c.readOnly) << Name(c.id);
        EXPECT_EQ(edit->isEnabled(), c.enabled) << Name(c.id);
        EXPECT_EQ(isGrey(edit), c.grey) << Name(c.id);
        EXPECT_EQ(edit->toolTip(), QString::fromUtf8(c.toolTip)) << Name(c.id);
    }
}

TEST_F(MainWindowTest, BoxesButtonsAndLabelsStartAsDesigned) {
    struct BoxCase {
        CheckBox id;
        const char* caption;
        bool checked;
    };
    using enum CheckBox;
    const BoxCase boxes[] = {
        {chkMainTile, "&Main Tile (re-load required)", true},
        {chkPerimeterTile, "P&erimeter Tile (re-load required)", false},
        {chkUseMaxName, "&Use abbr.  Max file name", true},
        {chkRotateObjects, "&Rotate Object", true},
        {chkFaceTolvaneSun, "Rotate to &Face Tolvane Sun", true},
        {chkSave, "&Save To File", true}, // start-up checked it
        {chkUseObjectScale, "Use &Object Scale (%)", false},
    };
    for (const BoxCase& c : boxes) {
        QCheckBox* check = find<QCheckBox>(Name(c.id));
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(check->isChecked(), c.checked) << Name(c.id);
        EXPECT_TRUE(check->isEnabled()) << Name(c.id);
    }
    EXPECT_TRUE(ctx().session.SaveToFile);

    struct ButtonCase {
        const char* name;
        const char* caption;
        bool enabled;
        const char* toolTip;
    };
    const ButtonCase buttons[] = {
        {"btnBrowseProjectFile", "&Browse", true, "Browse for your Tolvane PRJ file"},
        {"btnBrowseMaxFile", "Bro&wse", true, "Browse for your 3dsMax file"},
        {"btnProcess", "&Process", false, ""},
        {"btnRunScriptCompiler", "&Combine Scripts...", true, ""},
        {"btnViewHelp", "View &Help", true, ""},
        {"btnExit", "E&xit", true, ""},
    };
    for (const ButtonCase& c : buttons) {
        QPushButton* b = button(c.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(b->isEnabled(), c.enabled) << c.name;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(c.toolTip)) << c.name;
    }

    EXPECT_EQ(find<QLabel>("lblVersion")->text(), QStringLiteral("1.1"));
    QLabel* credits = find<QLabel>("lblCredits");
    EXPECT_TRUE(credits->text().startsWith(QStringLiteral("Tolvane Environment Script Writer")));
    EXPECT_TRUE(credits->text().endsWith(QStringLiteral("Version:")));
    EXPECT_EQ(find<QLabel>("lblVersion")->x(), credits->geometry().right() + 1) << "right after the credits";
    EXPECT_EQ(window().findChild<QWidget*>(QStringLiteral("List3")), nullptr)
        << "the hidden list is no widget";
}

// In the font the window chose, no caption is cut off or runs into a neighbour, in either window.
TEST_F(MainWindowTest, EveryCaptionFitsItsControl) {
    program.combiner().load();
    for (const QWidget* shown :
         {static_cast<const QWidget*>(&window()), static_cast<const QWidget*>(program.combiner().window())}) {
        QStringList problems;
        EXPECT_TRUE(CaptionsFit(*shown, &problems)) << problems.join(QStringLiteral(", ")).toStdString();
    }
}

// Each access key of the window belongs to one control, and a check box's key clicks it.
TEST_F(MainWindowTest, AccessKeysAreUniqueAndClickTheirControl) {
    QStringList keys;
    for (const QAbstractButton* control : window().findChildren<QAbstractButton*>()) {
        if (control->window() != &window())
            continue; // the combiner's own keys
        const qsizetype amp = control->text().indexOf(u'&');
        if (amp >= 0)
            keys.append(control->text().mid(amp + 1, 1).toUpper());
    }
    EXPECT_EQ(keys.removeDuplicates(), 0) << keys.join(QString()).toStdString();
    EXPECT_GE(keys.size(), 13);

    QTest::keyClick(&window(), Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box(CheckBox::chkMainTile)->isChecked(); }, 2000));
    EXPECT_TRUE(box(CheckBox::chkPerimeterTile)->isChecked());
}

// Extra room goes to the two lists (half the height each) and to the wide fields; the right-hand
// column keeps to the right edge; the size the user leaves is the size the next start shows.
TEST_F(MainWindowTest, GrowsIntoTheListsAndRemembersItsSize) {
    const QSize drawn = window().size();
    struct Place {
        const char* name;
        QRect drawn;
    };
    std::vector<Place> places;
    for (const char* name : {"List1", "List2", "txtProjectFilePath", "btnProcess", "txtGridSize", "Frame1",
                             "lblTileFormat", "txtMaxFile", "chkRotateObjects"})
        places.push_back({name, find<QWidget>(name)->geometry()});

    window().resize(drawn + QSize(200, 100));
    const auto now = [&](std::size_t i) { return find<QWidget>(places[i].name)->geometry(); };
    EXPECT_EQ(now(0), places[0].drawn.adjusted(0, 0, 200, 50));    // List1
    EXPECT_EQ(now(1), places[1].drawn.adjusted(0, 0, 200, 50));    // List2, in its frame
    EXPECT_EQ(now(2), places[2].drawn.adjusted(0, 0, 200, 0));     // the project path
    EXPECT_EQ(now(3), places[3].drawn.translated(200, 0));         // Process
    EXPECT_EQ(now(4), places[4].drawn.translated(200, 50));        // the grid size, beside Frame2
    EXPECT_EQ(now(5), places[5].drawn.adjusted(0, 100, 200, 100)); // the credits
    EXPECT_EQ(now(6), places[6].drawn.translated(0, 50));          // under the records
    EXPECT_EQ(now(7), places[7].drawn.adjusted(0, 0, 200, 0));     // the Max file, in Frame2
    EXPECT_EQ(now(8), places[8].drawn);                            // in Frame2, which moved down
    window().resize(QSize(100, 100));
    EXPECT_EQ(window().size(), window().minimumSize()) << "never smaller than drawn";

    window().resize(drawn + QSize(120, 60));
    program.endProgram();
    Program next(platform);
    next.setQuit([] {});
    next.start();
    EXPECT_EQ(next.mainWindow().size(), drawn + QSize(120, 60));
}

TEST_F(MainWindowTest, WindowFrameFontsAndIcon) {
    EXPECT_EQ(window().objectName(), QStringLiteral("frmTolvaneEnviroScripter"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Tolvane Enviro Scripter"));
    // The controls' area as drawn, and the status line under it: the least size. The window opens
    // taller where its lists would show fewer than four rows there.
    EXPECT_EQ(window().minimumSize(), QSize(593, 511 + window().statusLine()->height()));
    const bool fourRows = window().records()->height() >= window().records()->heightShowing(4) &&
                          window().outputPane()->height() >= window().outputPane()->heightShowing(4);
    EXPECT_TRUE(fourRows || window().height() > window().screen()->availableGeometry().height() - 60);
    window().resize(window().minimumSize());
    EXPECT_EQ(window().statusLine()->geometry().top(), 511);
    const QList<QSize> iconSizes = window().windowIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(32, 32)));

    struct FrameCase {
        const char* name;
        const char* title;
        QRect rect; // twips / 15
    };
    const FrameCase frames[] = {
        {"frameSourceTolvaneProject", "Source Tolvane Project", QRect(8, 8, 457, 241)},
        {"Frame2", "Source MAX File and Object Name", QRect(8, 256, 457, 113)},
        {"frameMaxScriptOutput", "MAX Script Output", QRect(8, 376, 577, 89)},
        {"Frame1", "", QRect(8, 464, 577, 41)},
    };
    for (const FrameCase& f : frames) {
        QGroupBox* frame = find<QGroupBox>(f.name);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), QString::fromUtf8(f.title));
        EXPECT_EQ(frame->geometry(), f.rect) << f.name;
        // Every control lies inside its frame.
        for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(frame->rect().contains(child->geometry()))
                << f.name << " " << child->objectName().toStdString();
    }

    struct FontCase {
        const char* name;
        const char* family;
    };
    for (const FontCase& f : {FontCase{"List1", "Courier New"}, FontCase{"List2", "Courier New"},
                              FontCase{"comboSelectVegetation", "Arial"}, FontCase{"lblCredits", "Arial"},
                              FontCase{"lblVersion", "Arial"}}) {
        QWidget* widget = find<QWidget>(f.name);
        EXPECT_EQ(widget->font().family(), QString::fromUtf8(f.family)) << f.name;
        EXPECT_EQ(widget->font().pointSize(), 9) << f.name;
    }
    EXPECT_EQ(find<QWidget>("List1")->font().styleHint(), QFont::TypeWriter);
    EXPECT_TRUE(isGrey(find<QWidget>("List1")));
    EXPECT_TRUE(isGrey(find<QWidget>("List2")));
}

TEST_F(MainWindowTest, TabOrderStartsOnBrowseAndSkipsDisabledControls) {
    // Kinds... and Process All wait for a project; the window's own buttons follow the drawn order.
    EXPECT_EQ(QApplication::focusWidget(), button("btnBrowseProjectFile"));
    // The path field and Process are disabled before a project is loaded, so they are skipped.
    const QStringList expected = {
        QStringLiteral("List1"),
        QStringLiteral("txtVerticalOffset"),
        QStringLiteral("txtVerticalScale"),
        QStringLiteral("txtGridRes"),
        QStringLiteral("txtNumberOfTiles"),
        QStringLiteral("comboSelectVegetation"),
        QStringLiteral("chkSave"),
        QStringLiteral("btnViewHelp"),
        QStringLiteral("btnExit"),
        QStringLiteral("List2"),
        QStringLiteral("txtMaxFile"),
        QStringLiteral("txtMaxObjectName"),
        QStringLiteral("btnBrowseMaxFile"),
        QStringLiteral("chkUseMaxName"),
        QStringLiteral("btnRunScriptCompiler"),
        QStringLiteral("chkRotateObjects"),
        QStringLiteral("txtRotationAngle"),
        QStringLiteral("chkMainTile"),
        QStringLiteral("chkFaceTolvaneSun"),
        QStringLiteral("txtHeading"),
        QStringLiteral("txtPitch"),
        QStringLiteral("chkUseObjectScale"),
        QStringLiteral("txtObjectScale"),
        QStringLiteral("txtGridSize"),
        QStringLiteral("chkPerimeterTile"),
        QStringLiteral("txtOverlap"),
        QStringLiteral("btnScriptOptions"),
        QStringLiteral("btnPreview"),
        QStringLiteral("btnBrowseProjectFile"),
    };
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        tabOn();
        QWidget* focus = QApplication::focusWidget();
        // The combo box's edit part holds the focus for it.
        if (focus && qobject_cast<QComboBox*>(focus->parentWidget()))
            focus = focus->parentWidget();
        visited << (focus ? focus->objectName() : QStringLiteral("(none)"));
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(MainWindowTest, TileBoxesPairThroughClicks) {
    struct Step {
        CheckBox clicked;
        bool mainAfter;
    };
    using enum CheckBox;
    for (const Step& step : {Step{chkMainTile, false}, Step{chkMainTile, true}, Step{chkPerimeterTile, false},
                             Step{chkPerimeterTile, true}}) {
        QTest::mouseClick(box(step.clicked), Qt::LeftButton);
        EXPECT_EQ(box(chkMainTile)->isChecked(), step.mainAfter);
        EXPECT_EQ(box(chkPerimeterTile)->isChecked(), !step.mainAfter);
        EXPECT_EQ(ctx().form.isChecked(chkMainTile), step.mainAfter);
    }
}

TEST_F(MainWindowTest, RotationAndSunToggles) {
    using enum CheckBox;
    QTest::mouseClick(box(chkFaceTolvaneSun), Qt::LeftButton); // unchecked: the angle is free
    EXPECT_FALSE(box(chkFaceTolvaneSun)->isChecked());
    EXPECT_FALSE(field(TextField::txtRotationAngle)->isReadOnly());
    EXPECT_EQ(text(TextField::txtRotationAngle), QStringLiteral("0.000"));

    typeInto(field(TextField::txtHeading), QStringLiteral("90"));
    QTest::mouseClick(box(chkFaceTolvaneSun), Qt::LeftButton); // checked: faces the sun and locks
    EXPECT_EQ(text(TextField::txtHeading), QStringLiteral("90"));
    EXPECT_EQ(text(TextField::txtRotationAngle), QStringLiteral("180"));
    EXPECT_TRUE(field(TextField::txtRotationAngle)->isReadOnly());
    EXPECT_FALSE(isGrey(field(TextField::txtRotationAngle))) << "the lock keeps the field white";

    QTest::mouseClick(box(chkRotateObjects), Qt::LeftButton);
    EXPECT_FALSE(box(chkFaceTolvaneSun)->isEnabled());
    EXPECT_FALSE(field(TextField::txtRotationAngle)->isEnabled());
    EXPECT_FALSE(find<QLabel>("lblRotationAngle")->isEnabled());
    EXPECT_TRUE(box(chkFaceTolvaneSun)->isChecked()) << "the state stays";
    QTest::mouseClick(box(chkRotateObjects), Qt::LeftButton);
    EXPECT_TRUE(box(chkFaceTolvaneSun)->isEnabled());
    EXPECT_TRUE(field(TextField::txtRotationAngle)->isEnabled());
    EXPECT_TRUE(find<QLabel>("lblRotationAngle")->isEnabled());
    EXPECT_EQ(text(TextField::txtRotationAngle), QStringLiteral("180"));
}

TEST_F(MainWindowTest, ObjectScaleToggleSwapsLocksAndColours) {
    for (bool useScale : {true, false}) {
        QTest::mouseClick(box(CheckBox::chkUseObjectScale), Qt::LeftButton);
        EXPECT_EQ(box(CheckBox::chkUseObjectScale)->isChecked(), useScale);
        EXPECT_EQ(field(TextField::txtGridSize)->isReadOnly(), useScale);
        EXPECT_EQ(isGrey(field(TextField::txtGridSize)), useScale);
        EXPECT_EQ(field(TextField::txtObjectScale)->isReadOnly(), !useScale);
        EXPECT_EQ(isGrey(field(TextField::txtObjectScale)), !useScale);
        EXPECT_EQ(text(TextField::txtGridSize), QStringLiteral("256")) << "values stay";
        EXPECT_EQ(text(TextField::txtObjectScale), QStringLiteral("33.333333"));
    }
}

} // namespace
} // namespace tes::test
