// What OK in the Kinds dialog stores: the keys the user changed in its fields, onto the kinds table as it
// is on disk when OK is pressed.
#include "core/plants/kind_entries.h"
#include "form/variation_texts.h"
#include "lib/line_list.h"
#include "support/temp_dir.h"

#include <functional>
#include <gtest/gtest.h>

namespace tes {
namespace {

// A kind as the file writes it when the dialog opens: a readable variant and two that cannot be read.
const std::string kOpened = "[Vegetation_5]\r\nMaxFile=D:\\M\\Oak.max\r\nKeep=100\r\n"
                            "Variant1=D:\\M\\Oak1.max||1\r\nVariant2=D:\\M\\Oak2.max||x\r\n"
                            "Variant3=D:\\Models\\Oak3.max\r\n";

KindsTable ReadTable(const std::string& path) {
    Messages messages;
    return KindsTable::Read(path, messages);
}

// The dialog opens on `kOpened`, the user makes `edit` to kind 5, the file becomes `disk` meanwhile;
// OK then writes `written` (kind 7, untouched and without a row, stays out of it).
TEST(KindEntries, OkAppliesOnlyTheChangedKeysToTheFileAsItIsOnDisk) {
    const auto variation = [](const std::function<void(VariationTexts&)>& edit) {
        return [edit](KindRow& row) {
            VariationTexts texts = VariationTextsOf(row);
            edit(texts);
            ASSERT_FALSE(ApplyVariationTexts(texts, row));
        };
    };
    const std::string keptOnDisk = "[Vegetation_5]\r\nMaxFile=D:\\M\\Oak.max\r\nKeep=30\r\n"
                                   "Variant1=D:\\M\\Oak1.max||1\r\nVariant2=D:\\M\\Oak2.max||x\r\n"
                                   "Variant3=D:\\Models\\Oak3.max\r\n; a note\r\n";
    const struct {
        const char* name;
        std::function<void(KindRow&)> edit;
        std::string disk;
        std::string written;
    } cases[] = {
        {"nothing changed: the disk's change stays", [](KindRow&) {}, keptOnDisk, keptOnDisk},
        {"an untouched key keeps the disk's change", [](KindRow& row) { row.maxFile = "D:\\M\\Elm.max"; },
         keptOnDisk,
         "[Vegetation_5]\r\nMaxFile=D:\\M\\Elm.max\r\nKeep=30\r\nVariant1=D:\\M\\Oak1.max||1\r\n"
         "Variant2=D:\\M\\Oak2.max||x\r\nVariant3=D:\\Models\\Oak3.max\r\n; a note\r\n"},
        {"the user's key wins", variation([](VariationTexts& t) { t.fieldTexts["Keep"] = {"60"}; }),
         keptOnDisk,
         "[Vegetation_5]\r\nMaxFile=D:\\M\\Oak.max\r\nKeep=60\r\nVariant1=D:\\M\\Oak1.max||1\r\n"
         "Variant2=D:\\M\\Oak2.max||x\r\nVariant3=D:\\Models\\Oak3.max\r\n; a note\r\n"},
        {"a faulty variant stays as written when another is mended",
         variation([](VariationTexts& t) { t.variants[1].weight = "2"; }), kOpened,
         "[Vegetation_5]\r\nMaxFile=D:\\M\\Oak.max\r\nKeep=100\r\nVariant1=D:\\M\\Oak1.max||1\r\n"
         "Variant2=D:\\M\\Oak2.max||2\r\nVariant3=D:\\Models\\Oak3.max\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string path = dir.write("Valley.tes.ini", kOpened);
        const std::vector<VegetationKind> kinds = {{"5", "Oak", {"5"}}, {"7", "Elm", {"7"}}};
        const std::vector<KindEntry> opened = KindEntries(kinds, LineList(), ReadTable(path));
        std::vector<KindEntry> edited = opened;
        c.edit(edited[0].row);

        dir.write("Valley.tes.ini", c.disk);
        KindsTable table = ReadTable(path);
        ApplyKindEdits(opened, edited, table);
        table.write(path);
        EXPECT_EQ(test::ReadBytes(path), c.written);
    }
}

} // namespace
} // namespace tes
