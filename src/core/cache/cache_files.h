#pragma once

#include "core/cache/point_cache.h"
#include "lib/atomic_file.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The two file formats of a point cache (docs/point-caches.md): each takes the particles one by one
// and writes them into a temporary file, which replaces the cache only on commit().
namespace tes {

// One file of a cache, written into a temporary file until commit().
class CacheFile {
public:
    CacheFile(std::string path, std::uint64_t byteLimit)
        : m_path(std::move(path)), m_file(m_path, byteLimit) {}
    virtual ~CacheFile() = default;
    CacheFile(const CacheFile&) = delete;
    CacheFile& operator=(const CacheFile&) = delete;
    virtual void add(const Particle& particle) = 0;
    virtual void finish() = 0;
    const std::string& path() const { return m_path; }
    void commit() { m_file.commit(); }

protected:
    // Writes bytes and, every few megabytes, has the system start writing them to the disk, so that
    // commit() finds little left to wait for.
    void write(std::string_view bytes);

    std::string m_path;
    AtomicTextWriter m_file;

private:
    static constexpr std::uint64_t kWriteBackBytes = 8u << 20;
    std::uint64_t m_writeBackAt = 0;
};

// A PRT file; `level` as PointCacheSetup::compressionLevel. With `shapes` each particle also names its
// variant (ShapeIndex). Its header's count is written by finish().
std::unique_ptr<CacheFile> MakePrtFile(std::string path, std::uint64_t byteLimit, int level, bool shapes);
// A Thinkbox CSV file, with a ShapeIndex column when `shapes` is set.
std::unique_ptr<CacheFile> MakeCsvFile(std::string path, std::uint64_t byteLimit, bool shapes);

} // namespace tes
