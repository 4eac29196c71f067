#include "ui/line_list_view.h"
#include "ui/main/status_line.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

namespace tes {
namespace {

// Widths counted in the characters of a fixed-pitch font, the ellipsis one of them.
TEST(StatusLine, ElidesAfterAWordAndGivesTheWholeTextAsTooltip) {
    const QFontMetrics metrics(ListFont());
    const int character = metrics.horizontalAdvance(QLatin1Char('M'));
    const QString summary = QStringLiteral("Wrote 2 scripts. Joined into Valley_MainVeg_All.ms");
    const struct {
        int characters;
        const char* shown;
    } cases[] = {
        {60, "Wrote 2 scripts. Joined into Valley_MainVeg_All.ms"},
        {40, "Wrote 2 scripts. Joined into\u2026"},
        {22, "Wrote 2 scripts.\u2026"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ElideAtWord(summary, metrics, c.characters * character), QString::fromUtf8(c.shown))
            << c.characters;

    StatusLine line(nullptr);
    line.resize(10 * character, 20);
    line.showMessage(summary);
    EXPECT_EQ(line.toolTip(), summary);
    line.showMessage(QStringLiteral("Loaded"));
    EXPECT_EQ(line.toolTip(), QString());
}

} // namespace
} // namespace tes
