#pragma once

#include "core/preview/preview_scene.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tes {

// Which part of the scene a picture shows: the scene point at the picture's middle and the pixels
// per scene unit. Pixel (0, 0) is the top left corner; the scene's Y axis points up.
struct PreviewView {
    double centreX = 0;
    double centreY = 0;
    double pixelsPerUnit = 1;
    int width = 0;
    int height = 0;

    double pixelX(double X) const { return width / 2.0 + (X - centreX) * pixelsPerUnit; }
    double pixelY(double Y) const { return height / 2.0 - (Y - centreY) * pixelsPerUnit; }
    double sceneX(double px) const { return centreX + (px - width / 2.0) / pixelsPerUnit; }
    double sceneY(double py) const { return centreY - (py - height / 2.0) / pixelsPerUnit; }

    // The view zoomed by `factor` about a pixel, which keeps showing the same scene point.
    PreviewView zoomedAt(double px, double py, double factor) const;
    // The view dragged by (dx, dy) pixels.
    PreviewView pannedBy(double dx, double dy) const;
};

// Pixels along the picture's left and right edges that something drawn over it covers.
struct PreviewInsets {
    int left = 0;
    int right = 0;
};

// The view that shows the whole tile and every dot, and a little room around them, between the insets.
PreviewView FitView(const PreviewScene& scene, int width, int height, PreviewInsets insets = {});

// Pixels 0xAARRGGBB, row after row, `stride` pixels apart.
struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
};

// A dot's side in pixels: small when many dots share the picture, larger when zoomed in on few.
int DotSize(const PreviewScene& scene, const PreviewView& view);

// A left-out plant's colour: its own, mostly sunk into the ground, so the plant stays in sight.
std::uint32_t FadedColour(std::uint32_t colour);

// Draws every record as a square dot of `dotSize` pixels in its kind's colour (`colours` as from
// KindColours; 0 leaves the kind out), in the records' order; pixels outside the buffer are skipped.
// Where plants differ, a dot's side follows its plant's scale and each variant takes its own shade of
// the kind's colour (VariantShade). The plants the scene leaves out (leftOut) are drawn first, faded.
void RasterizeDots(const PreviewScene& scene, const PreviewView& view, std::span<const std::uint32_t> colours,
                   int dotSize, PixelBuffer buffer);
// The same with `leftOut` (as PreviewScene::leftOut, empty: none) in place of the scene's own marks.
void RasterizeMarkedDots(const PreviewScene& scene, const std::vector<bool>& leftOut, const PreviewView& view,
                         std::span<const std::uint32_t> colours, int dotSize, PixelBuffer buffer);

// The kind's colour for variant `variant`: the first variant in the kind's own colour, the others
// lighter and darker by turns, so the kind stays recognisable.
std::uint32_t VariantShade(std::uint32_t colour, std::size_t variant);

// The record whose drawn dot lies nearest the pixel, within `radius` pixels; the later record when
// two lie as near.
std::optional<std::size_t> DotNear(const PreviewScene& scene, const PreviewView& view,
                                   std::span<const std::uint32_t> colours, double px, double py,
                                   double radius);

} // namespace tes
