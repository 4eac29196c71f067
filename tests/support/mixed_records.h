#pragma once

#include <cstdio>
#include <string>

namespace tes::test {

// Environment records of several kinds on both tiles of a terrain five tiles wide and around them;
// "05" and "5.0" are other kinds than 5. With `blankEvery`, a blank line follows every so many
// records, so that a record's line is not its place in the list.
inline std::string MixedRecords(int count, int blankEvery = 0) {
    const char* const kinds[] = {"5", "12", "5", "7", "05", "5", "5.0"};
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "%s,%.6f,%.3f,%.4f\r\n", kinds[i % 7],
                      700 + (i * 131) % 1700 + i % 8 / 8.0, (i * 7) % 50 - 3.25,
                      700 + (i * 197) % 1700 + i % 16 / 16.0);
        text += line;
        if (blankEvery > 0 && i % blankEvery == 3)
            text += "\r\n";
    }
    return text;
}

} // namespace tes::test
