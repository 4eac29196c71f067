// The Kinds dialog's panel of a kind's variation: the fields each key's declaration gives it.
#include "ui/main/kind_variation_panel.h"
#include "ui/to_qt.h"

#include <gtest/gtest.h>
#include <map>

#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace tes {
namespace {

// Each key shown in fields has them in the panel by their names, and a text of it goes from a row
// through the fields into another row as it was.
TEST(KindVariationPanel, EachKeysFieldsCarryItsText) {
    const std::map<std::string_view, std::string_view> texts = {
        {"Turn", "-15:15"}, {"Scale", "80:120"},    {"Weight", "2"},
        {"Keep", "60"},     {"ThinBeyond", "400"},  {"KeepFar", "30"},
        {"FarFrom", "300"}, {"BoxFrom", "1200"},    {"FarModel", "D:\\M\\Far.max|Oak_far"},
        {"Stand", "base"},  {"MinHeight", "-12.5"}, {"MaxHeight", "300"},
    };
    KindVariationPanel panel;
    for (const KindKey& key : KindKeys()) {
        if (key.list || key.fields.empty())
            continue;
        SCOPED_TRACE(std::string(key.name));
        ASSERT_TRUE(texts.contains(key.name)) << "a text of each key to carry";
        const std::string text(texts.at(key.name));
        KindRow row("5");
        ASSERT_EQ(key.read(text, row), "");
        const VariationTexts shown = VariationTextsOf(row);
        panel.showKind(QStringLiteral("Vegetation_5"), shown);
        for (std::size_t part = 0; part < key.fields.size(); ++part) {
            const auto* widget = panel.findChild<QWidget*>(ToQString(key.fields[part].objectName));
            ASSERT_TRUE(widget);
            if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
                EXPECT_EQ(ToStdString(edit->text()), shown.text({&key, part}));
            }
        }
        KindRow taken("5");
        ASSERT_FALSE(ApplyVariationTexts(panel.texts(), taken));
        EXPECT_EQ(WrittenTexts(key, taken), std::vector<std::string>{text});
    }
}

// After Browse the empty Object fields show, greyed, the object the script takes: the file's name.
TEST(KindVariationPanel, AnEmptyObjectShowsTheFilesName) {
    KindVariationPanel panel;
    panel.setMaxFileChooser([] { return std::string("D:\\M\\Oak2.max"); });
    panel.showKind(QStringLiteral("Vegetation_5"), VariationTextsOf(KindRow("5")));
    panel.findChild<QPushButton*>(QStringLiteral("btnBrowseFarModel"))->click();
    const auto* farObject = panel.findChild<QLineEdit*>(QStringLiteral("txtFarObject"));
    EXPECT_EQ(farObject->text(), QString());
    EXPECT_EQ(farObject->placeholderText(), QStringLiteral("Oak2"));

    panel.findChild<QPushButton*>(QStringLiteral("btnAddVariant"))->click();
    panel.findChild<QPushButton*>(QStringLiteral("btnBrowseVariant"))->click();
    auto* variants = panel.findChild<QTableWidget*>(QStringLiteral("tblVariants"));
    EXPECT_EQ(variants->item(0, 1)->text(), QString());
    const QModelIndex object = variants->model()->index(0, 1);
    std::unique_ptr<QWidget> editor(variants->itemDelegateForColumn(1)->createEditor(
        variants->viewport(), QStyleOptionViewItem(), object));
    ASSERT_TRUE(qobject_cast<QLineEdit*>(editor.get()));
    EXPECT_EQ(qobject_cast<QLineEdit*>(editor.get())->placeholderText(), QStringLiteral("Oak2"));
}

} // namespace
} // namespace tes
