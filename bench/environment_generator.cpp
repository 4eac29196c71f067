#include "environment_generator.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string_view>

namespace tes::generator {

namespace {

constexpr std::uint64_t kMicro = 1'000'000;
constexpr std::uint64_t kTerrainMicro = 3840 * kMicro; // 5 tiles of 256 cells of 3 units
constexpr std::uint64_t kHeightMicro = 400 * kMicro;

struct Kind {
    const char* number;
    unsigned weight; // out of 100
};
// Several kinds with different shares; kind 7 has no name in the definitions file.
constexpr std::array<Kind, 5> kKinds = {{{"1", 30}, {"2", 25}, {"5", 20}, {"7", 10}, {"12", 15}}};

constexpr std::string_view kScene = "; Tolvane scene\r\n"
                                    "[Environment]\r\n"
                                    "TerrainWidth=5\r\n"
                                    "TerrainWidthScale=3.0\r\n"
                                    "WaterLevel=42.5\r\n"
                                    "SkyColor=135,190,235\r\n"
                                    "\r\n"
                                    "[Light1]\r\n"
                                    "Type=Ambient\r\n"
                                    "Color=64,64,72\r\n"
                                    "\r\n"
                                    "[Light2]\r\n"
                                    "Type=Directional\r\n"
                                    "Color=255,244,214\r\n"
                                    "Position=1800,200,800\r\n"
                                    "TargetPosition=1803,199,796\r\n";

constexpr std::string_view kDefinitions = "[Vegetation_1]\r\nName=Pine\r\nDensity=40\r\n\r\n"
                                          "[Vegetation_2]\r\nName=Birch\r\nDensity=25\r\n\r\n"
                                          "[Vegetation_5]\r\nName=Oak Tree\r\nDensity=10\r\n\r\n"
                                          "[Vegetation_7]\r\nDensity=5\r\n\r\n"
                                          "[Vegetation_12]\r\nName=Fern\r\nDensity=60\r\n";

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File Create(const std::filesystem::path& path) {
    File file(std::fopen(path.string().c_str(), "wb"));
    if (!file)
        throw std::runtime_error("cannot create " + path.string());
    return file;
}

void WriteAll(const std::filesystem::path& path, std::string_view text) {
    File file = Create(path);
    if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() || std::fflush(file.get()) != 0)
        throw std::runtime_error("cannot write " + path.string());
}

// Writes a value given in millionths with exactly six decimals (no floating point: the same digits
// everywhere).
char* PutMicro(char* out, std::uint64_t micro) {
    char digits[24];
    int n = 0;
    std::uint64_t whole = micro / kMicro;
    do {
        digits[n++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    while (n > 0)
        *out++ = digits[--n];
    *out++ = '.';
    std::uint64_t fraction = micro % kMicro;
    for (int i = 5; i >= 0; --i) {
        out[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return out + 6;
}

const char* PickKind(std::uint64_t draw) {
    unsigned roll = static_cast<unsigned>(draw % 100);
    for (const Kind& kind : kKinds) {
        if (roll < kind.weight)
            return kind.number;
        roll -= kind.weight;
    }
    return kKinds.back().number;
}

std::uint64_t WriteEnvironment(const std::filesystem::path& path, std::uint64_t records, std::uint64_t seed) {
    File file = Create(path);
    std::mt19937_64 rng(seed); // its output sequence is the same in every standard library
    std::string buffer;
    buffer.reserve(1 << 20);
    std::uint64_t written = 0;
    char line[96];
    for (std::uint64_t i = 0; i < records; ++i) {
        char* p = line;
        for (const char* k = PickKind(rng()); *k; ++k)
            *p++ = *k;
        *p++ = ',';
        p = PutMicro(p, rng() % (kTerrainMicro + 1));
        *p++ = ',';
        p = PutMicro(p, rng() % (kHeightMicro + 1));
        *p++ = ',';
        p = PutMicro(p, rng() % (kTerrainMicro + 1));
        *p++ = '\r';
        *p++ = '\n';
        buffer.append(line, p);
        if (buffer.size() >= (1 << 20) - sizeof line || i + 1 == records) {
            if (std::fwrite(buffer.data(), 1, buffer.size(), file.get()) != buffer.size())
                throw std::runtime_error("cannot write " + path.string());
            written += buffer.size();
            buffer.clear();
        }
    }
    if (std::fflush(file.get()) != 0)
        throw std::runtime_error("cannot write " + path.string());
    return written;
}

} // namespace

ProjectFiles WriteSyntheticProject(const std::string& folder, const std::string& baseName,
                                   std::uint64_t records, std::uint64_t seed) {
    const std::filesystem::path dir(folder);
    std::filesystem::create_directories(dir);
    const std::filesystem::path base = dir / baseName;
    ProjectFiles files;
    files.projectPath = base.string() + ".prj";
    files.environmentPath = base.string() + ".txt";
    WriteAll(files.projectPath, "Tolvane project " + baseName + "\r\n");
    WriteAll(base.string() + ".scn", kScene);
    WriteAll(base.string() + ".est", kDefinitions);
    files.environmentBytes = WriteEnvironment(files.environmentPath, records, seed);
    return files;
}

} // namespace tes::generator
