#include "support/point_cache_reader.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <zlib.h>

namespace tes::test {
namespace {

struct Fault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

template <typename T> T Take(std::string_view bytes, std::size_t at) {
    if (at + sizeof(T) > bytes.size())
        throw Fault("cut short at byte " + std::to_string(at));
    T value;
    std::memcpy(&value, bytes.data() + at, sizeof(T));
    return value;
}

std::size_t TypeSize(const std::string& type) {
    return type == "int64" ? 8 : type == "int32" || type == "float32" ? 4 : 0;
}

// The PRT data type codes of the layout, by name.
std::string TypeOfCode(std::int32_t code) {
    switch (code) {
    case 1:
        return "int32";
    case 2:
        return "int64";
    case 4:
        return "float32";
    default:
        throw Fault("unexpected data type " + std::to_string(code));
    }
}

// Where each value of a particle goes, by the channel's name and the value's index.
void Store(Particle& p, const std::string& name, int index, double number) {
    if (name == "Position" && index < 3)
        p.position[index] = static_cast<float>(number);
    else if (name == "Orientation" && index < 4)
        p.orientation[index] = static_cast<float>(number);
    else if (name == "Scale" && index < 3)
        p.scale[index] = static_cast<float>(number);
    else if (name == "ID" && index == 0)
        p.id = static_cast<std::int64_t>(number);
    else if (name == "MtlIndex" && index == 0)
        p.mtlIndex = static_cast<std::int32_t>(number);
    else if (name == "ShapeIndex" && index == 0)
        p.shapeIndex = static_cast<std::int32_t>(number);
    else
        throw Fault("unexpected channel " + name);
}

std::string Inflate(std::string_view packed, std::size_t expected) {
    std::string out(expected + 1, '\0');
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        throw Fault("inflateInit");
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&z, Z_FINISH);
    const std::size_t produced = out.size() - z.avail_out;
    const std::size_t left = z.avail_in;
    inflateEnd(&z);
    if (status != Z_STREAM_END)
        throw Fault("zlib stream not ended: " + std::to_string(status));
    if (left != 0)
        throw Fault("bytes after the zlib stream");
    if (produced != expected)
        throw Fault("particle bytes " + std::to_string(produced) + ", expected " + std::to_string(expected));
    out.resize(produced);
    return out;
}

void ReadPrtInto(std::string_view bytes, ReadCache& cache) {
    if (bytes.substr(0, 8) != std::string_view("\xC0PRT\r\n\x1A\n", 8))
        throw Fault("magic");
    // A reader of version 1.0: what the header's length takes in beyond its 56 bytes is skipped.
    const auto header = static_cast<std::size_t>(Take<std::int32_t>(bytes, 8));
    if (header < 56 || Take<std::int32_t>(bytes, 44) < 1)
        throw Fault("header length or version");
    if (bytes.substr(12, 32) != std::string_view("Extensible Particle Format\0\0\0\0\0\0", 32))
        throw Fault("format name");
    const std::int64_t count = Take<std::int64_t>(bytes, 48);
    if (count < 0 || Take<std::int32_t>(bytes, header) != 4 || Take<std::int32_t>(bytes, header + 8) != 44)
        throw Fault("count or channel table");
    const std::int32_t channels = Take<std::int32_t>(bytes, header + 4);
    struct Entry {
        ReadChannel channel;
        std::size_t offset;
    };
    std::vector<Entry> entries;
    std::size_t size = 0;
    std::size_t at = header + 12;
    for (std::int32_t i = 0; i < channels; ++i, at += 44) {
        const std::string_view field = bytes.substr(at, 32);
        std::string name(field.substr(0, field.find('\0')));
        if (field.substr(name.size()).find_first_not_of('\0') != std::string_view::npos)
            throw Fault("name not zero-padded");
        Entry e{{name, TypeOfCode(Take<std::int32_t>(bytes, at + 32)), Take<std::int32_t>(bytes, at + 36)},
                static_cast<std::size_t>(Take<std::int32_t>(bytes, at + 40))};
        size =
            std::max(size, e.offset + TypeSize(e.channel.type) * static_cast<std::size_t>(e.channel.arity));
        cache.channels.push_back(e.channel);
        entries.push_back(std::move(e));
    }
    const std::string data = Inflate(bytes.substr(at), static_cast<std::size_t>(count) * size);
    for (std::int64_t n = 0; n < count; ++n) {
        Particle p;
        const std::string_view one = std::string_view(data).substr(static_cast<std::size_t>(n) * size, size);
        for (const Entry& e : entries) {
            for (int i = 0; i < e.channel.arity; ++i) {
                const std::size_t where = e.offset + static_cast<std::size_t>(i) * TypeSize(e.channel.type);
                const double value = e.channel.type == "float32" ? Take<float>(one, where)
                                     : e.channel.type == "int32"
                                         ? Take<std::int32_t>(one, where)
                                         : static_cast<double>(Take<std::int64_t>(one, where));
                Store(p, e.channel.name, i, value);
            }
        }
        cache.particles.push_back(p);
    }
}

std::vector<std::string_view> Split(std::string_view line) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(',', start);
        std::string_view part = line.substr(start, comma - start);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        parts.push_back(part);
        if (comma == std::string_view::npos)
            return parts;
        start = comma + 1;
    }
}

void ReadCsvInto(std::string_view text, ReadCache& cache) {
    std::vector<std::pair<std::string, int>> columns;
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        if (end == std::string_view::npos)
            throw Fault("a line without CR LF");
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 2);
        const std::vector<std::string_view> parts = Split(line);
        if (first) {
            for (const std::string_view part : parts) {
                const std::size_t blank = part.find(' ');
                const std::string type(part.substr(0, blank));
                std::string name(part.substr(blank + 1));
                int index = 0;
                if (const std::size_t bracket = name.find('['); bracket != std::string::npos) {
                    index = std::atoi(name.c_str() + bracket + 1);
                    name.resize(bracket);
                }
                if (index == 0)
                    cache.channels.push_back({name, type, 0});
                ++cache.channels.back().arity;
                columns.emplace_back(name, index);
            }
            first = false;
            continue;
        }
        if (parts.size() != columns.size())
            throw Fault("a line of " + std::to_string(parts.size()) + " values");
        Particle p;
        for (std::size_t i = 0; i < parts.size(); ++i)
            Store(p, columns[i].first, columns[i].second,
                  std::strtod(std::string(parts[i]).c_str(), nullptr));
        cache.particles.push_back(p);
    }
}

// The particles and channels read, or what was wrong with the file.
ReadCache Read(void (*into)(std::string_view, ReadCache&), std::string_view bytes) {
    ReadCache cache;
    try {
        into(bytes, cache);
    } catch (const Fault& fault) {
        cache.fault = fault.what();
    }
    return cache;
}

} // namespace

ReadCache ReadPrt(std::string_view bytes) {
    return Read(ReadPrtInto, bytes);
}

ReadCache ReadCsv(std::string_view text) {
    return Read(ReadCsvInto, text);
}

} // namespace tes::test
