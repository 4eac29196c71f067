// A point cache's coordinate is the float 3ds Max reads from the script's text: the quick way that
// skips the text gives the same float, also where the text's rounding decides.
#include "core/place/record_position.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace tes {
namespace {

TEST(ScriptFloat, GivesTheFloatOfTheScriptsText) {
    std::vector<double> values = {
        0,          -0.0,       1e-7,           0.5,         -1,        1.0000005,     16.0000005, 255.5,
        1e300,      -3e38,      123456.789,     999999999.5, 1e9 + 0.5, -4096.0000002, -3e-7,      2.5e-7,
        12.3456785, -0.0000015, 999999.9999995, 1e6};
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        // Near the middle between two floats, where the text's rounding may tip the float over.
        const float f =
            std::ldexp(static_cast<float>(random() % (1u << 24)), static_cast<int>(random() % 40) - 20);
        const double middle = (static_cast<double>(f) + static_cast<double>(std::nextafter(f, 1e30f))) / 2;
        const double nudge = static_cast<double>(static_cast<int>(random() % 2001) - 1000) * 1e-9;
        values.push_back((i % 2 ? -1 : 1) * (middle + nudge * std::max(1.0, middle * 1e-7)));
        values.push_back(static_cast<double>(random() % 2000000000) / 1000000 - 1000);
        values.push_back(values.back() + 5e-7); // half-way between two texts
    }
    for (const double value : values) {
        const float quick = ScriptFloat(value);
        const float text = ScriptFloatThroughText(value);
        ASSERT_EQ(std::memcmp(&quick, &text, sizeof quick), 0) << value;
    }
}

} // namespace
} // namespace tes
