#include "project/kind_key_table.h"
#include "project/kinds_table.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

// Every declared key reads and writes back through the kinds table: a new key is checked by adding
// its samples here.
namespace tes::test {
namespace {

struct Samples {
    const char* good; // a value other than the default
    const char* bad;  // a text the key cannot read; nothing for a key that takes any text
};

const std::map<std::string, Samples, std::less<>> kSamples = {
    {"MaxFile", {"D:\\M\\Oak.max", nullptr}},
    {"ObjectName", {"Oak_02", nullptr}},
    {"Enabled", {"0", "yes"}},
    {"Turn", {"-15:15", "0:36O"}},
    {"Scale", {"80:120.5", "0:2"}},
    {"Weight", {"3", "-1"}},
    {"Variant", {"D:\\M\\Oak2.max|Oak_02|2", "D:\\M\\Oak3.max"}},
    {"Keep", {"60", "101"}},
    {"ThinBeyond", {"400", "-1"}},
    {"KeepFar", {"30.5", "abc"}},
    {"FarModel", {"D:\\M\\Far.max|Oak far|b", "|Oak"}},
    {"FarFrom", {"150", "1e999"}},
    {"BoxFrom", {"250", "-0.5"}},
    {"Stand", {"base", "feet"}},
    {"MinHeight", {"-12.5", "abc"}},
    {"MaxHeight", {"300", "1e999"}},
};

// The row written for the text of one key, and the row the file written from it gives.
struct RoundTrip {
    KindRow read;
    std::string written;
    KindRow readAgain;
};

RoundTrip ThroughTheFile(const TempDir& dir, const KindKey& key, const std::string& text) {
    const std::string line = std::string(key.name) + (key.list ? "1=" : "=") + text;
    const std::string first = dir.write("first.tes.ini", "[Vegetation_2]\r\n" + line + "\r\n");
    Messages messages;
    RoundTrip trip{*KindsTable::Read(first, messages).find("2"), {}, {}};
    // A new file, so that every line is the writer's own.
    const std::string second = dir.file("second.tes.ini");
    KindsTable table = KindsTable::Read(second, messages);
    table.set(trip.read);
    table.write(second);
    trip.written = ReadBytes(second);
    trip.readAgain = *KindsTable::Read(second, messages).find("2");
    return trip;
}

TEST(KindKeyTable, EveryKeyReadsAndWritesItsTextBack) {
    const TempDir dir;
    for (const KindKey& key : KindKeys()) {
        SCOPED_TRACE(std::string(key.name));
        const auto samples = kSamples.find(key.name);
        ASSERT_NE(samples, kSamples.end()) << "a declared key without samples";
        const std::string line = std::string(key.name) + (key.list ? "1=" : "=");
        const RoundTrip good = ThroughTheFile(dir, key, samples->second.good);
        EXPECT_TRUE(good.read.faults.empty());
        EXPECT_FALSE(key.holdsDefault(good.read));
        EXPECT_NE(good.written.find("\r\n" + line + samples->second.good + "\r\n"), std::string::npos)
            << good.written;
        EXPECT_EQ(good.readAgain, good.read);
        if (!samples->second.bad)
            continue;
        // A text that cannot be read is a fault, the row keeps the default, and the line stays.
        const RoundTrip bad = ThroughTheFile(dir, key, samples->second.bad);
        ASSERT_EQ(bad.read.faults.size(), 1u);
        EXPECT_TRUE(key.names(bad.read.faults[0].key));
        EXPECT_EQ(bad.read.faults[0].text, samples->second.bad);
        EXPECT_TRUE(key.holdsDefault(bad.read));
        EXPECT_NE(bad.written.find("\r\n" + line + samples->second.bad + "\r\n"), std::string::npos)
            << bad.written;
    }
}

} // namespace
} // namespace tes::test
