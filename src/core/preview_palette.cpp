#include "core/preview_palette.h"

#include "lib/numbers.h"

#include <array>
#include <cmath>

namespace tes {

namespace {

// Okabe and Ito's eight colours, the black made a light grey to stand out on the dark ground.
constexpr std::array<std::uint32_t, 8> kPalette = {
    0xFFE0E0E0, 0xFFE69F00, 0xFF56B4E9, 0xFF009E73, 0xFFF0E442, 0xFF0072B2, 0xFFD55E00, 0xFFCC79A7,
};

} // namespace

std::uint32_t KindColour(std::string_view number) {
    const double value = std::fabs(LeadingNumberValue(number));
    const double index = std::isfinite(value) ? std::fmod(std::floor(value), 8.0) : 0.0;
    return kPalette[static_cast<std::size_t>(index)];
}

} // namespace tes
