#pragma once

#include "core/place/record_position.h"
#include "core/plants/plant_variation.h"
#include "core/script/output_paths.h"
#include "core/script/script_style.h"
#include "core/script/typed_number.h"
#include "lib/atomic_file.h"
#include "lib/line_list.h"
#include "lib/progress.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Point caches: the objects a placement script places, as particles that 3ds Max's particle tools
// load (docs/point-caches.md). A PRT file holds a header, a channel table and the particles in one
// zlib stream; a CSV file a line naming the channels and a line per particle.
namespace tes {

// One particle: what the script gives the object of one record.
struct Particle {
    std::array<float, 3> position{};                          // the script's coordinates
    std::array<float, 4> orientation{0.0f, 0.0f, 0.0f, 1.0f}; // quaternion x, y, z, w
    std::array<float, 3> scale{1.0f, 1.0f, 1.0f};
    std::int64_t id = 0;         // the record's line number in the environment file, from 1
    std::int32_t mtlIndex = 0;   // the kind's number
    std::int32_t shapeIndex = 0; // the plant's variant, 0 the kind's own object (with variants only)
    bool operator==(const Particle&) const = default;
};

// The turn and the scale the script gives the object every plant of a kind is cloned from. Without
// variation the copies inherit them; with it, each plant's own turn and factor go on top.
struct ParticleLook {
    float turn = 0; // degrees, as 3ds Max reads the rotate line's angle
    std::array<float, 4> orientation{0.0f, 0.0f, 0.0f, 1.0f};
    std::array<float, 3> scale{1.0f, 1.0f, 1.0f};
};

// The turn of `degrees` about 3ds Max's vertical Z axis as the script's `angleaxis` turns: seen from
// above, a positive angle turns counter-clockwise (the right-hand rule). The quaternion is (x, y, z, w)
// = (0, 0, sin(a/2), cos(a/2)), the right-handed convention of the particle tools.
std::array<float, 4> TurnAboutZ(double degrees);

// The look of the script's first object: its rotate line's angle (when `rotate` is set and the angle
// is not 0) and its scale line's factor (when the object scale is not 100), each the number 3ds Max
// reads from the script's text. Throws Failure 6 when the angle is not finite.
ParticleLook ScriptLook(bool rotate, const TypedNumber& rotationAngle, double objectScale);

// The records of one kind in a cache: those whose field 0 reads `number`, as the script's.
struct CacheKind {
    std::string number;
    std::int32_t mtlIndex = 0;
    PlantVariation variation; // how its plants differ, as in the kind's fast script; none by default
};

// The kind's number as MtlIndex: its leading-number value, rounded and held within 32 bits.
std::int32_t KindMtlIndex(const std::string& number);

struct PointCacheSetup {
    std::vector<CacheKind> kinds; // one kind, or every kind of a joined cache
    ScenePlacement placement;
    ParticleLook look;
    KindOutputPaths files; // the PRT and the CSV file
    PointCache formats = PointCache::None;
    std::uint64_t fileByteLimit = kNoByteLimit; // each file fails as a full disk past it
    // zlib's level 0 to 9 for the PRT file; -1 (chosen by measurement, docs/performance.md): each
    // particle matched against the one before it, without zlib's search.
    int compressionLevel = -1;
};

class CacheFile;

// Writes the caches of one setup: run() streams the particles into temporary files while it works
// out their positions with the script's position rule; commit() then replaces the old caches. Without
// commit() (a failure, a cancel, a failure of the script written beside them) the old ones stay.
class PointCacheWriter {
public:
    explicit PointCacheWriter(PointCacheSetup setup);
    ~PointCacheWriter();
    PointCacheWriter(const PointCacheWriter&) = delete;
    PointCacheWriter& operator=(const PointCacheWriter&) = delete;

    // Writes the particles of the kinds' records that `chosen` holds (all without it). `lineNumbers`
    // holds each record's line in the file (LoadResult::recordLines); without it, or when it does not
    // match the records, the ID is the record's place in the list, from 1. False when the user stopped
    // it. Throws Failure, and BeyondSinglePrecision for a position 3ds Max cannot hold.
    bool run(const LineList& records, const std::vector<std::uint32_t>* lineNumbers, Progress& progress,
             const ChosenRows* chosen = nullptr);
    // Returns the files written. A cache of no particle writes no PRT file (the format's owner
    // refuses one) and removes an earlier one; its CSV file holds the channels' line alone. Throws
    // Failure.
    std::vector<std::string> commit();
    std::uint64_t particleCount() const { return m_count; }

private:
    PointCacheSetup m_setup;
    std::vector<PositionRule> m_rules;
    std::vector<PlantLooks> m_looks; // of each kind, as m_rules
    std::vector<std::unique_ptr<CacheFile>> m_files;
    std::uint64_t m_count = 0;
};

} // namespace tes
