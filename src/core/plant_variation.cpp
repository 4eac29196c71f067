#include "core/plant_variation.h"

#include <bit>
#include <numeric>
#include <utility>

namespace tes {

namespace {

// The finaliser of splitmix64: every input bit reaches every output bit.
std::uint64_t Mix(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A number's bits; 0 and -0 are one value.
std::uint64_t Bits(double value) {
    return value == 0 ? 0 : std::bit_cast<std::uint64_t>(value);
}

// A uniform draw in [0, 1) from the plant's hash, one per value (1 the turn, 2 the scale, 3 the variant).
double Draw(std::uint64_t hash, std::uint64_t value) {
    return static_cast<double>(Mix(hash + value) >> 11) * 0x1.0p-53;
}

double Within(const ValueRange& range, double u) {
    return range.from + u * (range.to - range.from);
}

std::uint64_t WeightsTotal(const PlantVariation& variation) {
    return std::accumulate(variation.weights.begin(), variation.weights.end(), std::uint64_t{0});
}

// The look that the plant's hash gives, with the weights' total.
PlantLook LookOfHash(const PlantVariation& variation, std::uint64_t hash, std::uint64_t total) {
    PlantLook look;
    if (variation.turn)
        look.turn = Within(*variation.turn, Draw(hash, 1));
    if (variation.scale)
        look.scale = Within(*variation.scale, Draw(hash, 2));
    if (variation.weights.size() > 1 && total > 0) {
        const auto pick = static_cast<std::uint64_t>(Draw(hash, 3) * static_cast<double>(total));
        std::uint64_t below = 0;
        for (std::size_t i = 0; i < variation.weights.size(); ++i) {
            below += variation.weights[i];
            if (pick < below) {
                look.variant = i;
                break;
            }
        }
    }
    return look;
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
    return LookOfHash(variation, PlantHash(variation, x, z), WeightsTotal(variation));
}

PlantLooks::PlantLooks(PlantVariation variation)
    : m_variation(std::move(variation)), m_kindHash(KindHash(m_variation)),
      m_total(WeightsTotal(m_variation)) {}

PlantLook PlantLooks::operator()(double x, double z) const {
    return LookOfHash(m_variation, PositionHash(m_kindHash, x, z), m_total);
}

char* WritePlantLook(char* out, const PlantLook& look) {
    out = WriteShortFixedDecimals(out, look.turn, 1);
    *out++ = ',';
    out = WriteShortFixedDecimals(out, look.scale / 100, 3);
    *out++ = ',';
    // Kinds have a few variants: one digit, mostly.
    if (look.variant < 9)
        *out++ = static_cast<char>('1' + look.variant);
    else
        out = WriteFixedDecimals(out, static_cast<double>(look.variant + 1), 0);
    return out;
}

} // namespace tes
