#pragma once

#include "core/cache/point_cache.h"

#include <string>
#include <string_view>
#include <vector>

// A reader of point caches written from the published layouts, not from the writer: it decodes a PRT
// file's header, channel table and zlib stream, or a CSV file's channel line and values, and takes
// each particle's values by the channels' names and offsets.
namespace tes::test {

struct ReadChannel {
    std::string name;
    std::string type; // "float32", "int32", "int64"
    int arity = 0;
    bool operator==(const ReadChannel&) const = default;
};

struct ReadCache {
    std::vector<ReadChannel> channels;
    std::vector<Particle> particles;
    std::string fault; // empty when the file is valid
};

ReadCache ReadPrt(std::string_view bytes);
ReadCache ReadCsv(std::string_view text);

} // namespace tes::test
