#pragma once

#include "lib/fixed_decimals.h"
#include "project/kinds_table.h"
#include "project/plant_views.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tes {

// How the plants of one kind differ: each plant's turn, scale and variant are drawn from the ranges
// and weights by a hash of the project's seed, the kind's number and the plant's own X and Z in the
// environment file, never by its place in the file (docs/variation.md).
struct PlantVariation {
    std::optional<ValueRange> turn;     // degrees, added to the kind's own turn
    std::optional<ValueRange> scale;    // percent of the kind's scale
    std::vector<std::uint64_t> weights; // one per Max file and object, the row's own first
    std::int64_t seed = 1;
    double kind = 0; // the kind's number
    // Lighter plants far from the cameras (docs/views.md): beyond `farFrom` of the nearest camera a
    // plant is the far model, the object after the weighted ones; beyond `boxFrom` it is a box in the
    // viewports. Without a camera, or at 0, a rule is off.
    std::vector<GroundPoint> cameras = {};
    double farFrom = 0;
    double boxFrom = 0;

    bool detailed() const { return !cameras.empty() && (farFrom > 0 || boxFrom > 0); }
    bool any() const { return turn || scale || weights.size() > 1 || detailed(); }
    // How many objects the plants are cloned from: the weighted ones and the far model.
    std::size_t objects() const { return weights.size() + (!cameras.empty() && farFrom > 0 ? 1 : 0); }
};

// One plant as its variation makes it.
struct PlantLook {
    double turn = 0;         // degrees
    double scale = 100;      // percent of the kind's scale
    std::size_t variant = 0; // index into the weights, or the far model's after them
    bool box = false;        // shown as a box in the viewports
};

// The look of the plant that stands at environment x and z (the record's fields 1 and 3).
PlantLook LookOf(const PlantVariation& variation, double x, double z);

// LookOf for the many plants of one script: the part of the hash that only the seed and the kind
// decide, and where each object's share of the weights ends, are worked out once, so a plant's
// variant is a binary search however many objects the kind has. LookOf gives the same.
class PlantLooks {
public:
    explicit PlantLooks(const PlantVariation& variation);
    PlantLook operator()(double x, double z) const;
    // The look of the plant at environment x and z whose place in the scene is X and Y: its distance
    // from the cameras may make it the far model or a box.
    PlantLook operator()(double x, double z, double X, double Y) const {
        PlantLook look = (*this)(x, z);
        if (m_detailed)
            lighten(look, X, Y);
        return look;
    }

private:
    void lighten(PlantLook& look, double X, double Y) const;

    std::vector<GroundPoint> m_cameras;
    double m_far2 = 0; // the squares of the distances; 0: off
    double m_box2 = 0;
    std::size_t m_farVariant = 0;
    bool m_detailed = false;
    std::optional<ValueRange> m_turn;
    std::optional<ValueRange> m_scale;
    std::uint64_t m_kindHash = 0;      // the hash after the seed and the kind
    std::vector<std::uint64_t> m_ends; // each object's weight added to those before it
};

// Writes the plant's look as the fast script gives it beside the plant's position, "turn,factor,variant"
// (the turn in degrees with one decimal, the factor of the kind's scale with three, the variant counted
// from 1, as the preview names them, and negative for a box), and returns the end. A point cache reads its
// numbers back from this text, as 3ds Max does.
char* WritePlantLook(char* out, const PlantLook& look);
inline constexpr std::size_t kMaxPlantLookText = 3 * kMaxFixedDecimalsText + 3;

// The finaliser of splitmix64 (every input bit reaches every output bit), and a number's bits with 0
// and -0 one value: the pieces of the plants' hashes (docs/variation.md, docs/views.md).
std::uint64_t Mix(std::uint64_t z);
std::uint64_t Bits(double value);

// The hash of the plant, for the tests of its spread: splitmix64 over the seed, the kind and the
// bit patterns of x and z.
std::uint64_t PlantHash(const PlantVariation& variation, double x, double z);

} // namespace tes
