#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tes {

// The preview's colours (0xAARRGGBB). The kinds' colours are a fixed palette that people with the
// common colour-vision deficiencies tell apart, on a dark ground; a kind keeps its colour by number.
inline constexpr std::uint32_t kPreviewGround = 0xFF1E2228;
inline constexpr std::uint32_t kPreviewLines = 0xFFB8BCC4;

// The colour of the kind whose field 0 reads `number`.
std::uint32_t KindColour(std::string_view number);

// The kinds' colours, each kind's by its number.
std::span<const std::uint32_t> KindPalette();

// The contrast ratio of two colours as the web's accessibility guidelines reckon it, 1 to 21.
double ContrastRatio(std::uint32_t a, std::uint32_t b);
// How far apart two colours look: their distance in CIE Lab (1976).
double ColourDistance(std::uint32_t a, std::uint32_t b);

} // namespace tes
