// The Kinds dialog's panel of a kind's variation: the fields each key's declaration gives it.
#include "ui/main/kind_variation_panel.h"
#include "ui/to_qt.h"

#include <gtest/gtest.h>
#include <map>

#include <QLineEdit>

namespace tes {
namespace {

// Each key shown in fields has them in the panel by their names, and a text of it goes from a row
// through the fields into another row as it was.
TEST(KindVariationPanel, EachKeysFieldsCarryItsText) {
    const std::map<std::string_view, std::string_view> texts = {
        {"Turn", "-15:15"}, {"Scale", "80:120"},   {"Weight", "2"},
        {"Keep", "60"},     {"ThinBeyond", "400"}, {"KeepFar", "30"},
        {"FarFrom", "300"}, {"BoxFrom", "1200"},   {"FarModel", "D:\\M\\Far.max|Oak_far"},
        {"Stand", "base"},
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

} // namespace
} // namespace tes
