#pragma once

namespace tes {

// How a placement script is written. The defaults give the classic script.
enum class ScriptShape {
    Classic, // every object found by its pathname, statement by statement
    Fast,    // 3ds Max 2011 and later: the object in a variable, the positions as data, one loop
};

// The point caches written beside a saved script: its objects as particles (core/cache/point_cache.h).
enum class PointCache {
    None, // the script alone
    Prt,  // <script name>.prt
    Csv,  // <script name>.csv
    Both,
};

inline bool WritesPrt(PointCache cache) {
    return cache == PointCache::Prt || cache == PointCache::Both;
}
inline bool WritesCsv(PointCache cache) {
    return cache == PointCache::Csv || cache == PointCache::Both;
}

struct ScriptStyle {
    ScriptShape shape = ScriptShape::Classic;
    bool instances = false; // the clones share the object's geometry ("instance" in place of "copy")
    bool utf8 = false;      // the file is UTF-8 behind a byte-order mark (3ds Max 2013 and later)
    PointCache cache = PointCache::None;
};

} // namespace tes
