#include "core/cache/cache_files.h"

#include "core/cache/deflate_pipe.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <span>
#include <string>
#include <thread>

namespace tes {

static_assert(std::endian::native == std::endian::little, "PRT numbers are little-endian");

namespace {

// The channels of a particle, in the order of its bytes: all but the last always, the last (the variant,
// an int32 ShapeIndex as Frost reads it) when the cache's kinds have variants.
struct CacheChannel {
    enum class Type : std::int32_t { Int32 = 1, Int64 = 2, Float32 = 4 };
    std::string_view name;
    Type type;
    std::int32_t arity;
    std::int32_t offset; // within one particle's bytes
};

using ChannelType = CacheChannel::Type;

constexpr std::array<CacheChannel, 6> kChannels{{
    {"Position", ChannelType::Float32, 3, 0},
    {"Orientation", ChannelType::Float32, 4, 12},
    {"Scale", ChannelType::Float32, 3, 28},
    {"ID", ChannelType::Int64, 1, 40},
    {"MtlIndex", ChannelType::Int32, 1, 48},
    {"ShapeIndex", ChannelType::Int32, 1, 52},
}};

std::span<const CacheChannel> Channels(bool shapes) {
    return std::span(kChannels).first(shapes ? kChannels.size() : kChannels.size() - 1);
}

std::size_t ParticleBytes(bool shapes) {
    return shapes ? 56 : 52;
}

// Particles packed before each handing to zlib, and the CSV text gathered before each write.
constexpr std::size_t kPackedParticles = 16384;
constexpr std::size_t kOutputBytes = 1u << 20;

// Whether a PRT file compresses on a thread of its own while its particles are worked out: only with
// a second core (docs/performance.md).
bool CompressOnOwnThread() {
    return std::thread::hardware_concurrency() > 1;
}

std::string_view TypeName(ChannelType type) {
    switch (type) {
    case ChannelType::Int32:
        return "int32";
    case ChannelType::Int64:
        return "int64";
    case ChannelType::Float32:
        break;
    }
    return "float32";
}

template <typename T> void PutLittle(std::string& out, T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));
}

void PutName(std::string& out, std::string_view text, std::size_t width) {
    out.append(text);
    out.append(width - text.size(), '\0');
}

void Pack(char* out, const Particle& p) {
    std::memcpy(out + kChannels[0].offset, p.position.data(), sizeof p.position);
    std::memcpy(out + kChannels[1].offset, p.orientation.data(), sizeof p.orientation);
    std::memcpy(out + kChannels[2].offset, p.scale.data(), sizeof p.scale);
    std::memcpy(out + kChannels[3].offset, &p.id, sizeof p.id);
    std::memcpy(out + kChannels[4].offset, &p.mtlIndex, sizeof p.mtlIndex);
}

void PackShape(char* out, const Particle& p) {
    Pack(out, p);
    std::memcpy(out + kChannels[5].offset, &p.shapeIndex, sizeof p.shapeIndex);
}

template <typename T> void PutNumber(std::string& out, T value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    out.append(text, error == std::errc() ? end : text);
}

class PrtFile final : public CacheFile {
public:
    PrtFile(std::string path, std::uint64_t byteLimit, int level, bool shapes)
        : CacheFile(std::move(path), byteLimit), m_pack(shapes ? PackShape : Pack),
          m_particleBytes(ParticleBytes(shapes)),
          m_pipe(
              level, [this](std::string_view bytes) { write(bytes); }, CompressOnOwnThread(),
              kPackedParticles * m_particleBytes, m_particleBytes) {
        // Version 1.1 (written as 2): the header of 1.0, then the file's metadata in chunks, which the
        // header's length takes in, so a reader of 1.0 that goes to that length reads the rest as ever.
        const std::string metadata = Metadata();
        std::string head("\xC0PRT\r\n\x1A\n", 8);
        PutLittle<std::int32_t>(head, static_cast<std::int32_t>(kHeaderBytes + metadata.size()));
        PutName(head, "Extensible Particle Format", 32);
        PutLittle<std::int32_t>(head, 2);
        PutLittle<std::int64_t>(head, 0); // the count, known once every particle is in
        head += metadata;
        PutLittle<std::int32_t>(head, 4);
        PutLittle<std::int32_t>(head, static_cast<std::int32_t>(Channels(shapes).size()));
        PutLittle<std::int32_t>(head, 44);
        for (const CacheChannel& channel : Channels(shapes)) {
            PutName(head, channel.name, 32);
            PutLittle<std::int32_t>(head, static_cast<std::int32_t>(channel.type));
            PutLittle<std::int32_t>(head, channel.arity);
            PutLittle<std::int32_t>(head, channel.offset);
        }
        m_file.writeEncoded(head);
    }

    void add(const Particle& particle) override {
        m_pack(m_pipe.room() + m_used, particle);
        m_used += m_particleBytes;
        ++m_count;
        if (m_used == m_pipe.blockBytes()) {
            m_pipe.push(m_used);
            m_used = 0;
        }
    }
    void finish() override {
        m_pipe.finish(m_used);
        std::string count;
        PutLittle<std::int64_t>(count, static_cast<std::int64_t>(m_count));
        m_file.rewrite(kCountOffset, count);
    }

private:
    // After the signature, the header's length, the format's name and its version.
    static constexpr std::uint64_t kCountOffset = 8 + 4 + 32 + 4;
    static constexpr std::size_t kHeaderBytes = kCountOffset + 8;

    // A "Meta" chunk of the file (no channel named) giving CoordSys 2, 3ds Max's axes: right-handed with
    // Z up; then the "Stop" chunk. Nothing about units: a scene unit is whatever the user's 3ds Max has.
    static std::string Metadata() {
        std::string body(1, '\0'); // no channel: the file's own
        body.append("CoordSys").push_back('\0');
        PutLittle<std::int32_t>(body, static_cast<std::int32_t>(ChannelType::Int32));
        PutLittle<std::int32_t>(body, kMaxCoordinateSystem);
        std::string chunks("Meta");
        PutLittle<std::int32_t>(chunks, static_cast<std::int32_t>(body.size()));
        chunks += body;
        chunks += "Stop";
        PutLittle<std::int32_t>(chunks, 0);
        return chunks;
    }
    static constexpr std::int32_t kMaxCoordinateSystem = 2;

    void (*m_pack)(char*, const Particle&);
    std::size_t m_particleBytes;
    DeflatePipe m_pipe;
    std::size_t m_used = 0;
    std::uint64_t m_count = 0;
};

class CsvFile final : public CacheFile {
public:
    CsvFile(std::string path, std::uint64_t byteLimit, bool shapes)
        : CacheFile(std::move(path), byteLimit), m_shapes(shapes) {
        for (const CacheChannel& channel : Channels(shapes)) {
            for (std::int32_t i = 0; i < channel.arity; ++i) {
                if (!m_text.empty())
                    m_text += ", ";
                m_text.append(TypeName(channel.type)).append(" ").append(channel.name);
                if (channel.arity > 1)
                    m_text.append("[").append(std::to_string(i)).append("]");
            }
        }
        m_text += "\r\n";
    }

    void add(const Particle& p) override {
        for (const float v : p.position)
            PutValue(v);
        for (const float v : p.orientation)
            PutValue(v);
        for (const float v : p.scale)
            PutValue(v);
        PutValue(p.id);
        PutNumber(m_text, p.mtlIndex);
        if (m_shapes) {
            m_text += ',';
            PutNumber(m_text, p.shapeIndex);
        }
        m_text += "\r\n";
        if (m_text.size() >= kOutputBytes)
            flush();
    }
    void finish() override { flush(); }

private:
    template <typename T> void PutValue(T value) {
        PutNumber(m_text, value);
        m_text += ',';
    }
    void flush() {
        write(m_text);
        m_text.clear();
    }

    bool m_shapes;
    std::string m_text;
};

} // namespace

void CacheFile::write(std::string_view bytes) {
    m_file.writeEncoded(bytes);
    if (m_file.bytesWritten() - m_writeBackAt >= kWriteBackBytes) {
        m_file.startWriteBack();
        m_writeBackAt = m_file.bytesWritten();
    }
}

std::unique_ptr<CacheFile> MakePrtFile(std::string path, std::uint64_t byteLimit, int level, bool shapes) {
    return std::make_unique<PrtFile>(std::move(path), byteLimit, level, shapes);
}

std::unique_ptr<CacheFile> MakeCsvFile(std::string path, std::uint64_t byteLimit, bool shapes) {
    return std::make_unique<CsvFile>(std::move(path), byteLimit, shapes);
}

} // namespace tes
