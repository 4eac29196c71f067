#pragma once

#include <cstdint>
#include <string_view>

namespace tes {

// The preview's colours (0xAARRGGBB). The kinds' colours are a fixed palette that people with the
// common colour-vision deficiencies tell apart, on a dark ground; a kind keeps its colour by number.
inline constexpr std::uint32_t kPreviewGround = 0xFF1E2228;
inline constexpr std::uint32_t kPreviewLines = 0xFFB8BCC4;

// The colour of the kind whose field 0 reads `number`.
std::uint32_t KindColour(std::string_view number);

} // namespace tes
