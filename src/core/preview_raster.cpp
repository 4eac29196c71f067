#include "core/preview_raster.h"

#include <algorithm>
#include <cmath>

namespace tes {

namespace {

constexpr double kFitRoom = 0.9;     // the tile takes this share of the picture's shorter side
constexpr double kFewDots = 20000;   // up to this many dots share a picture at the largest size
constexpr double kManyDots = 400000; // from this many on, dots are single pixels

} // namespace

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
    // About the tile's middle, which the scene's origin marks. The overlap need not hold a record: a
    // wide one would leave the tile a speck, so the fit reaches only as far as the dots.
    const PreviewSquare& t = scene.tile;
    const PreviewSquare& e = scene.extent;
    view.centreX = (t.minX + t.maxX) / 2;
    view.centreY = (t.minY + t.maxY) / 2;
    const double extent = 2 * std::max({view.centreX - e.minX, e.maxX - view.centreX, view.centreY - e.minY,
                                        e.maxY - view.centreY});
    // Too narrow a picture for the insets: they may cover it, as they do at any zoom.
    const int freeWidth = width - insets.left - insets.right;
    if (freeWidth < std::min(width, height) / 2)
        insets = {};
    const double side = std::max(1, std::min(width - insets.left - insets.right, height));
    view.pixelsPerUnit = extent > 0 && std::isfinite(extent) ? side * kFitRoom / extent : 1.0;
    if (!std::isfinite(view.centreX) || !std::isfinite(view.centreY))
        view.centreX = view.centreY = 0;
    // The tile's middle goes to the middle of the room between the insets.
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

void RasterizeDots(const PreviewScene& scene, const PreviewView& view, std::span<const std::uint32_t> colours,
                   int dotSize, PixelBuffer buffer) {
    const double scale = view.pixelsPerUnit;
    const double offsetX = view.width / 2.0 - view.centreX * scale;
    const double offsetY = view.height / 2.0 + view.centreY * scale;
    const int before = (dotSize - 1) / 2; // pixels left of and above the dot's own pixel
    // A dot's own pixel may lie this far outside and the dot still reach into the buffer.
    const double lowX = -dotSize;
    const double lowY = -dotSize;
    const double highX = buffer.width + dotSize;
    const double highY = buffer.height + dotSize;
    const std::size_t count = scene.x.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t colour = colours[scene.kind[i]];
        const double px = scene.x[i] * scale + offsetX;
        const double py = offsetY - scene.y[i] * scale;
        // Written so that NaN positions fail the test too.
        if (colour == 0 || !(px >= lowX && px < highX && py >= lowY && py < highY))
            continue;
        const int left = static_cast<int>(std::floor(px)) - before;
        const int top = static_cast<int>(std::floor(py)) - before;
        const int right = std::min(left + dotSize, buffer.width);
        const int bottom = std::min(top + dotSize, buffer.height);
        for (int row = std::max(top, 0); row < bottom; ++row) {
            std::uint32_t* line = buffer.pixels + row * buffer.stride;
            for (int column = std::max(left, 0); column < right; ++column)
                line[column] = colour;
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
