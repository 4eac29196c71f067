#include "core/preview/preview_raster.h"

#include "core/preview/preview_palette.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tes {

namespace {

constexpr double kFadedShare = 0.4;  // of a left-out plant's colour over the ground
constexpr double kFitRoom = 0.9;     // the tile takes this share of the picture's shorter side
constexpr double kFewDots = 20000;   // up to this many dots share a picture at the largest size
constexpr double kManyDots = 400000; // from this many on, dots are single pixels

// Fills the square of `size` pixels whose own pixel holds (px, py); pixels outside the buffer are
// skipped.
void FillDot(const PixelBuffer& buffer, double px, double py, int size, std::uint32_t colour) {
    const int before = (size - 1) / 2; // pixels left of and above the dot's own pixel
    const int left = static_cast<int>(std::floor(px)) - before;
    const int top = static_cast<int>(std::floor(py)) - before;
    const int right = std::min(left + size, buffer.width);
    const int bottom = std::min(top + size, buffer.height);
    for (int row = std::max(top, 0); row < bottom; ++row) {
        std::uint32_t* line = buffer.pixels + row * buffer.stride;
        for (int column = std::max(left, 0); column < right; ++column)
            line[column] = colour;
    }
}

// Per kind, the shades of its first 16 variants (DotLook holds no more), 0 for kinds not shown.
std::vector<std::uint32_t> VariantShades(std::span<const std::uint32_t> colours) {
    std::vector<std::uint32_t> shades(colours.size() * 16, 0);
    for (std::size_t kind = 0; kind < colours.size(); ++kind) {
        for (std::size_t variant = 0; variant < 16 && colours[kind] != 0; ++variant)
            shades[kind * 16 + variant] = VariantShade(colours[kind], variant);
    }
    return shades;
}

} // namespace

std::uint32_t VariantShade(std::uint32_t colour, std::size_t variant) {
    if (variant == 0)
        return colour;
    // Towards white for odd variants, towards black for even ones, further for each pair; but only as far
    // as the shade stays readable on the ground (3:1) and nearer its kind's colour than halfway to any
    // other kind's, so that kinds stay apart before variants do.
    const double step = static_cast<double>((variant - 1) / 2);
    const bool lighter = variant % 2 == 1;
    const std::uint32_t target = lighter ? 0xFF : 0x00;
    double room = std::numeric_limits<double>::infinity();
    for (const std::uint32_t other : KindPalette()) {
        if (other != colour)
            room = std::min(room, ColourDistance(colour, other) / 2);
    }
    for (double share = std::min(0.8, 0.3 + 0.15 * step); share > 0.01; share -= 0.05) {
        std::uint32_t shaded = colour & 0xFF000000u;
        for (int shift : {16, 8, 0}) {
            const double channel = (colour >> shift) & 0xFF;
            shaded |= static_cast<std::uint32_t>(std::lround(channel + (target - channel) * share)) << shift;
        }
        if (ContrastRatio(shaded, kPreviewGround) >= 3 && ColourDistance(shaded, colour) < room)
            return shaded;
    }
    return colour;
}

PreviewView PreviewView::zoomedAt(double px, double py, double factor) const {
    PreviewView zoomed = *this;
    const double X = sceneX(px);
    const double Y = sceneY(py);
    zoomed.pixelsPerUnit = pixelsPerUnit * factor;
    zoomed.centreX = X - (px - width / 2.0) / zoomed.pixelsPerUnit;
    zoomed.centreY = Y + (py - height / 2.0) / zoomed.pixelsPerUnit;
    return zoomed;
}

PreviewView PreviewView::pannedBy(double dx, double dy) const {
    PreviewView panned = *this;
    panned.centreX -= dx / pixelsPerUnit;
    panned.centreY += dy / pixelsPerUnit;
    return panned;
}

PreviewView FitView(const PreviewScene& scene, int width, int height, PreviewInsets insets) {
    PreviewView view;
    view.width = width;
    view.height = height;
    // About the middle of the tile, its dots and the views' cameras and targets, so a distant camera
    // leaves no half of the picture empty. The overlap need not hold a record: a wide one would leave
    // the tile a speck, so the fit reaches only as far as the dots.
    const PreviewSquare& e = scene.extent;
    view.centreX = (e.minX + e.maxX) / 2;
    view.centreY = (e.minY + e.maxY) / 2;
    const double extent = std::max(e.maxX - e.minX, e.maxY - e.minY);
    // Too narrow a picture for the insets: they may cover it, as they do at any zoom.
    const int freeWidth = width - insets.left - insets.right;
    if (freeWidth < std::min(width, height) / 2)
        insets = {};
    const double side = std::max(1, std::min(width - insets.left - insets.right, height));
    view.pixelsPerUnit = extent > 0 && std::isfinite(extent) ? side * kFitRoom / extent : 1.0;
    if (!std::isfinite(view.centreX) || !std::isfinite(view.centreY))
        view.centreX = view.centreY = 0;
    // That middle goes to the middle of the room between the insets.
    view.centreX -= (insets.left - insets.right) / 2.0 / view.pixelsPerUnit;
    return view;
}

int DotSize(const PreviewScene& scene, const PreviewView& view) {
    // The share of the dots the picture shows grows as the view closes in on the tile.
    const PreviewView fit = FitView(scene, view.width, view.height);
    const double zoom = std::max(1.0, view.pixelsPerUnit / fit.pixelsPerUnit);
    const double dots = static_cast<double>(scene.x.size()) / (zoom * zoom);
    if (dots >= kManyDots)
        return 1;
    return dots >= kFewDots ? 2 : 3;
}

std::uint32_t FadedColour(std::uint32_t colour) {
    std::uint32_t faded = 0xFF000000u;
    for (const int shift : {16, 8, 0}) {
        const double ground = (kPreviewGround >> shift) & 0xFF;
        const double own = (colour >> shift) & 0xFF;
        faded |= static_cast<std::uint32_t>(std::lround(ground + (own - ground) * kFadedShare)) << shift;
    }
    return faded;
}

void RasterizeDots(const PreviewScene& scene, const PreviewView& view, std::span<const std::uint32_t> colours,
                   int dotSize, PixelBuffer buffer) {
    RasterizeMarkedDots(scene, scene.leftOut, view, colours, dotSize, buffer);
}

void RasterizeMarkedDots(const PreviewScene& scene, const std::vector<bool>& leftOutMarks,
                         const PreviewView& view, std::span<const std::uint32_t> colours, int dotSize,
                         PixelBuffer buffer) {
    const double scale = view.pixelsPerUnit;
    const double offsetX = view.width / 2.0 - view.centreX * scale;
    const double offsetY = view.height / 2.0 + view.centreY * scale;
    // A dot's own pixel may lie this far outside and the dot still reach into the buffer; a plant
    // scaled up draws a larger dot.
    const double reach = scene.look.empty() ? dotSize : dotSize * 41.0;
    const double lowX = -reach;
    const double lowY = -reach;
    const double highX = buffer.width + reach;
    const double highY = buffer.height + reach;
    const bool looks = !scene.look.empty();
    std::vector<std::uint32_t> shades =
        looks ? VariantShades(colours) : std::vector<std::uint32_t>(colours.begin(), colours.end());
    // Each scale a look can hold as a dot's side, worked out once rather than at every dot.
    std::vector<int> sides(looks ? 0x1000 : 0);
    for (std::size_t percent = 0; percent < sides.size(); ++percent)
        sides[percent] = std::max(1, static_cast<int>(std::lround(dotSize * (percent / 100.0))));
    // The plants a view or thinning leaves out go first, faded, so that none hides a plant kept.
    const bool marked = leftOutMarks.size() == scene.x.size();
    std::vector<std::uint32_t> faded;
    for (const std::uint32_t shade : marked ? shades : std::vector<std::uint32_t>())
        faded.push_back(shade == 0 ? 0 : FadedColour(shade));
    const std::size_t count = scene.x.size();
    for (const bool leftOut : {true, false}) {
        if (leftOut && !marked)
            continue;
        const std::vector<std::uint32_t>& drawn = leftOut ? faded : shades;
        for (std::size_t i = 0; i < count; ++i) {
            const double px = scene.x[i] * scale + offsetX;
            const double py = offsetY - scene.y[i] * scale;
            // Written so that NaN positions fail the test too.
            if (colours[scene.kind[i]] == 0 || (marked && leftOutMarks[i] != leftOut) ||
                !(px >= lowX && px < highX && py >= lowY && py < highY))
                continue;
            int size = dotSize;
            std::uint32_t colour = 0;
            if (looks) {
                const std::uint16_t look = scene.look[i];
                size = sides[look & 0xFFF];
                colour = drawn[scene.kind[i] * 16 + DotLook::variant(look)];
            } else {
                colour = drawn[scene.kind[i]];
            }
            if (size == 1) {
                // Most dots at millions: one pixel, written straight into its row.
                if (px >= 0 && px < buffer.width && py >= 0 && py < buffer.height)
                    buffer.pixels[static_cast<std::ptrdiff_t>(py) * buffer.stride + static_cast<int>(px)] =
                        colour;
                continue;
            }
            FillDot(buffer, px, py, size, colour);
        }
    }
}

std::optional<std::size_t> DotNear(const PreviewScene& scene, const PreviewView& view,
                                   std::span<const std::uint32_t> colours, double px, double py,
                                   double radius) {
    const double X = view.sceneX(px);
    const double Y = view.sceneY(py);
    const double reach = radius / view.pixelsPerUnit;
    double best = reach * reach;
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < scene.x.size(); ++i) {
        const double dx = scene.x[i] - X;
        const double dy = scene.y[i] - Y;
        const double distance = dx * dx + dy * dy;
        if (distance <= best && colours[scene.kind[i]] != 0) {
            best = distance;
            found = i;
        }
    }
    return found;
}

} // namespace tes
