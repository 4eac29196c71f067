#include "core/preview/preview_palette.h"

#include "lib/numbers.h"

#include <array>
#include <cmath>

namespace tes {

namespace {

// Okabe and Ito's eight colours, the black made a light grey to stand out on the dark ground.
constexpr std::array<std::uint32_t, 8> kPalette = {
    0xFFE0E0E0, 0xFFE69F00, 0xFF56B4E9, 0xFF009E73, 0xFFF0E442, 0xFF0072B2, 0xFFD55E00, 0xFFCC79A7,
};

// A channel of 0xAARRGGBB at `shift`, made linear light from sRGB.
double Linear(std::uint32_t colour, int shift) {
    const double c = static_cast<double>((colour >> shift) & 0xFF) / 255;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t colour) {
    return 0.2126 * Linear(colour, 16) + 0.7152 * Linear(colour, 8) + 0.0722 * Linear(colour, 0);
}

struct Lab {
    double l, a, b;
};

Lab LabOf(std::uint32_t colour) {
    const double r = Linear(colour, 16), g = Linear(colour, 8), b = Linear(colour, 0);
    // sRGB to XYZ, relative to the D65 white.
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    const auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

} // namespace

std::span<const std::uint32_t> KindPalette() {
    return kPalette;
}

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = Luminance(a) + 0.05, lb = Luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

double ColourDistance(std::uint32_t a, std::uint32_t b) {
    const Lab p = LabOf(a), q = LabOf(b);
    return std::hypot(p.l - q.l, p.a - q.a, p.b - q.b);
}

std::uint32_t KindColour(std::string_view number) {
    const double value = std::fabs(LeadingNumberValue(number));
    const double index = std::isfinite(value) ? std::fmod(std::floor(value), 8.0) : 0.0;
    return kPalette[static_cast<std::size_t>(index)];
}

} // namespace tes
