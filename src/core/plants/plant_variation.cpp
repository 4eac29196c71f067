#include "core/plants/plant_variation.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace tes {

std::uint64_t Mix(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t Bits(double value) {
    return value == 0 ? 0 : std::bit_cast<std::uint64_t>(value);
}

namespace {

// A uniform draw in [0, 1) from the plant's hash, one per value (1 the turn, 2 the scale, 3 the variant).
double Draw(std::uint64_t hash, std::uint64_t value) {
    return static_cast<double>(Mix(hash + value) >> 11) * 0x1.0p-53;
}

double Within(const ValueRange& range, double u) {
    return range.from + u * (range.to - range.from);
}

std::uint64_t KindHash(const PlantVariation& variation) {
    return Mix(Mix(static_cast<std::uint64_t>(variation.seed)) ^ Bits(variation.kind));
}

std::uint64_t PositionHash(std::uint64_t kindHash, double x, double z) {
    return Mix(Mix(kindHash ^ Bits(x)) ^ Bits(z));
}

} // namespace

std::uint64_t PlantHash(const PlantVariation& variation, double x, double z) {
    return PositionHash(KindHash(variation), x, z);
}

PlantLook LookOf(const PlantVariation& variation, double x, double z) {
    return PlantLooks(variation)(x, z);
}

PlantLooks::PlantLooks(const PlantVariation& variation)
    : m_turn(variation.turn), m_scale(variation.scale), m_kindHash(KindHash(variation)) {
    if (variation.detailed()) {
        m_detailed = true;
        m_cameras = variation.cameras;
        m_far2 = variation.farFrom * variation.farFrom;
        m_box2 = variation.boxFrom * variation.boxFrom;
        m_farVariant = variation.weights.size();
    }
    // One object, or none with weight, gives every plant the first.
    if (variation.weights.size() < 2)
        return;
    m_ends.reserve(variation.weights.size());
    std::uint64_t end = 0;
    for (const std::uint64_t weight : variation.weights)
        m_ends.push_back(end += weight);
    if (end == 0)
        m_ends.clear();
}

PlantLook PlantLooks::operator()(double x, double z) const {
    const std::uint64_t hash = PositionHash(m_kindHash, x, z);
    PlantLook look;
    if (m_turn)
        look.turn = Within(*m_turn, Draw(hash, 1));
    if (m_scale)
        look.scale = Within(*m_scale, Draw(hash, 2));
    if (!m_ends.empty()) {
        // The product can round up to the total itself; the last share ends there.
        const std::uint64_t total = m_ends.back();
        const std::uint64_t pick =
            std::min(static_cast<std::uint64_t>(Draw(hash, 3) * static_cast<double>(total)), total - 1);
        look.variant =
            static_cast<std::size_t>(std::upper_bound(m_ends.begin(), m_ends.end(), pick) - m_ends.begin());
    }
    return look;
}

void PlantLooks::lighten(PlantLook& look, double X, double Y) const {
    double nearest = std::numeric_limits<double>::infinity();
    for (const GroundPoint& camera : m_cameras) {
        const double dx = X - camera.x;
        const double dy = Y - camera.y;
        nearest = std::min(nearest, dx * dx + dy * dy);
    }
    if (m_far2 > 0 && nearest > m_far2)
        look.variant = m_farVariant;
    look.box = m_box2 > 0 && nearest > m_box2;
}

char* WritePlantLook(char* out, const PlantLook& look) {
    out = WriteShortFixedDecimals(out, look.turn, 1);
    *out++ = ',';
    out = WriteShortFixedDecimals(out, look.scale / 100, 3);
    *out++ = ',';
    if (look.box)
        *out++ = '-';
    // Kinds have a few variants: one digit, mostly.
    if (look.variant < 9)
        *out++ = static_cast<char>('1' + look.variant);
    else
        out = WriteFixedDecimals(out, static_cast<double>(look.variant + 1), 0);
    return out;
}

} // namespace tes
