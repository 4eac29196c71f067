// The main window's fields from the keyboard: checks when the focus leaves, typing limits, the object
// name following the Max file, the combo box, and a long records list.
#include "form/main_model.h"
#include "main_window_fixture.h"
#include "ui/line_list_view.h"

#include <QListView>
#include <QScrollBar>

namespace tes::test {
namespace {

TEST_F(MainWindowTest, NumericFieldsAreCheckedWhenTheFocusLeaves) {
    struct Case {
        TextField id;
        const char* typed;
        const char* after;
    };
    using enum TextField;
    const Case cases[] = {
        {txtGridSize, "2.5", "2"},           {txtGridSize, "abc", "1"},        {txtGridSize, "1e3", "1000"},
        {txtHeading, "400", "359.9"},        {txtHeading, "12.36", "12.4"},    {txtHeading, "-10", "0"},
        {txtObjectScale, "50", "50.000000"}, {txtObjectScale, "", "0.100000"}, {txtPitch, "90", "89.9"},
    };
    for (const Case& c : cases) {
        // Object scale and pitch are locked; the user can type into the scale once it is the input.
        if (c.id == txtObjectScale)
            ctx().form.setLocked(txtObjectScale, false);
        if (c.id == txtPitch)
            ctx().form.setLocked(txtPitch, false);
        typeInto(field(c.id), QString::fromUtf8(c.typed));
        EXPECT_EQ(text(c.id), QString::fromUtf8(c.typed)) << "unchecked while the focus stays";
        tabOn();
        EXPECT_EQ(text(c.id), QString::fromUtf8(c.after)) << Name(c.id) << " " << c.typed;
    }
}

TEST_F(MainWindowTest, LockedPitchIsCheckedWhenTabbedThrough) {
    field(TextField::txtHeading)->setFocus(Qt::TabFocusReason);
    tabOn();
    ASSERT_EQ(QApplication::focusWidget(), field(TextField::txtPitch));
    EXPECT_EQ(text(TextField::txtPitch), QStringLiteral("45.0"));
    tabOn();
    EXPECT_EQ(text(TextField::txtPitch), QStringLiteral("45"));
}

TEST_F(MainWindowTest, MaxLengthLimitsTypingButNotTheProgram) {
    typeInto(field(TextField::txtGridSize), QStringLiteral("123456"));
    EXPECT_EQ(text(TextField::txtGridSize), QStringLiteral("1234"));
    ctx().form.setText(TextField::txtGridSize, "123456");
    EXPECT_EQ(text(TextField::txtGridSize), QStringLiteral("123456")) << "written by the program: kept whole";
    QLineEdit* edit = field(TextField::txtGridSize);
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_7);
    EXPECT_EQ(edit->text(), QStringLiteral("123456")) << "cannot grow";
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("12345")) << "can shrink";
    EXPECT_EQ(ctx().form.text(TextField::txtGridSize), "12345");
}

TEST_F(MainWindowTest, ObjectNameFollowsTheMaxFileAtEveryKeystroke) {
    QLineEdit* maxFile = field(TextField::txtMaxFile);
    QTest::mouseClick(maxFile, Qt::LeftButton);
    struct Step {
        const char* typed;
        const char* objectName;
    };
    for (const Step& step : {Step{"D", "D"}, Step{":", ""}, Step{"\\Models", "Models"}, Step{"\\", ""},
                             Step{"Oak Tree", "Oak Tree"}, Step{".max", "Oak Tree"}}) {
        QTest::keyClicks(maxFile, QString::fromUtf8(step.typed));
        EXPECT_EQ(text(TextField::txtMaxObjectName), QString::fromUtf8(step.objectName)) << step.typed;
    }
    EXPECT_EQ(ctx().form.text(TextField::txtMaxFile), "D:\\Models\\Oak Tree.max");

    // A name typed by hand lasts until the next click into the Max file field.
    typeInto(field(TextField::txtMaxObjectName), QStringLiteral("Custom"));
    EXPECT_EQ(text(TextField::txtMaxObjectName), QStringLiteral("Custom"));
    QTest::mouseClick(maxFile, Qt::LeftButton);
    EXPECT_EQ(text(TextField::txtMaxObjectName), QStringLiteral("Oak Tree"));

    typeInto(maxFile, QStringLiteral("C:\\oak.old.max"));
    EXPECT_EQ(text(TextField::txtMaxObjectName), QStringLiteral("oak.old"));
    typeInto(maxFile, QString());
    EXPECT_EQ(text(TextField::txtMaxObjectName), QString());
}

TEST_F(MainWindowTest, BrowsingForTheMaxFileFillsPathAndName) {
    platform.dialogAnswers.push_back("D:\\Models\\Oak Tree.max");
    QTest::mouseClick(button("btnBrowseMaxFile"), Qt::LeftButton);
    ASSERT_EQ(platform.dialogRequests.size(), 1u);
    EXPECT_EQ(platform.dialogRequests[0].title, "Select Max Object File");
    EXPECT_EQ(text(TextField::txtMaxFile), QStringLiteral("D:\\Models\\Oak Tree.max"));
    EXPECT_EQ(text(TextField::txtMaxObjectName), QStringLiteral("Oak Tree"));
}

TEST_F(MainWindowTest, ComboTypingAndPicking) {
    ctx().form.addComboItem("Vegetation_1:  Pine");
    ctx().form.addComboItem("Vegetation_5:  Oak Tree");
    QComboBox* combo = find<QComboBox>("comboSelectVegetation");
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentText(), QString()) << "no entry chosen";

    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("Vegetation_5"));
    EXPECT_EQ(ctx().form.comboText(), "Vegetation_5") << "typed text, no completion";
    EXPECT_EQ(combo->currentText(), QStringLiteral("Vegetation_5"));

    combo->setCurrentIndex(0);
    emit combo->activated(0);
    EXPECT_EQ(ctx().form.comboText(), "Vegetation_1:  Pine");

    ctx().form.clearComboItems();
    ctx().form.setComboText("");
    EXPECT_EQ(combo->count(), 0);
    EXPECT_EQ(combo->currentText(), QString());
}

TEST_F(MainWindowTest, AMillionRecordsShowAtOnce) {
    LineList& records = ctx().form.list(ListId::List1);
    records.reserve(1'000'000, 40'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        records.append("7,1914.988528,90.718407,3150.864711");
    records.append("1,725.154939,255.045349,209.578225,a longer record with more fields");

    QElapsedTimer clock;
    clock.start();
    ctx().form.listChanged(ListId::List1);
    QAbstractItemView* list = window().list(ListId::List1);
    // Rows past the first million come in between events, as a list box places them.
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount() == 1'000'001; }, 3000));
    list->scrollToBottom();
    QCoreApplication::processEvents();
    list->grab();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_LT(list->findChildren<QWidget*>().size(), 20) << "no widget per row";
    // The columns widen to the longest record shown, so the list scrolls sideways to its end.
    QCoreApplication::processEvents();
    EXPECT_GT(list->horizontalScrollBar()->maximum(), 0);
}

} // namespace
} // namespace tes::test
