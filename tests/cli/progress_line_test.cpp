#include "cli/progress_line.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tes::cli {
namespace {

using namespace std::chrono_literals;

class ProgressLineTest : public testing::Test {
protected:
    ProgressLine::Clock::time_point m_now{};
    std::ostringstream m_out;
    ProgressLine line(bool terminal) {
        return ProgressLine(m_out, terminal, [this] { return m_now; });
    }
};

TEST_F(ProgressLineTest, QuietDuringTheFirstSecond) {
    ProgressLine progress = line(true);
    progress.begin("Reading P.txt");
    m_now += 900ms;
    progress.report(10, 100);
    progress.end();
    EXPECT_EQ(m_out.str(), "");
}

TEST_F(ProgressLineTest, ShownOnATerminalAfterASecondAndWipedAtTheEnd) {
    ProgressLine progress = line(true);
    progress.begin("Reading P.txt");
    m_now += 1500ms;
    progress.report(50, 100);
    m_now += 50ms; // too soon to redraw
    progress.report(60, 100);
    m_now += 200ms;
    progress.report(100, 100);
    progress.end();
    EXPECT_EQ(m_out.str(), "\rReading P.txt 50%\rReading P.txt 100%\r                  \r");
}

TEST_F(ProgressLineTest, NeverShownWhenNotATerminal) {
    ProgressLine progress = line(false);
    progress.begin("Building scripts");
    m_now += 5s;
    progress.report(1, 2);
    progress.end();
    EXPECT_EQ(m_out.str(), "");
}

TEST_F(ProgressLineTest, NestedWorkShowsTheInnerLabelAndEndsWithTheOuter) {
    ProgressLine progress = line(true);
    progress.begin("Building scripts");
    m_now += 2s;
    progress.begin("Reading");
    progress.report(0, 0);
    progress.end();
    EXPECT_EQ(m_out.str(), "\rReading\r       \r");
    m_now += 1s;
    progress.report(1, 4);
    progress.end();
    EXPECT_EQ(m_out.str(), "\rReading\r       \r\rBuilding scripts 25%\r                    \r");
}

} // namespace
} // namespace tes::cli
