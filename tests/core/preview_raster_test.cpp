// The dots' raster writes single pixels straight into their rows and looks up each scale's side; it
// must give the picture of the plain way, a square filled for each dot in the records' order.
#include "core/preview/preview_raster.h"
#include "core/preview/preview_scene.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

namespace tes {
namespace {

constexpr int kWidth = 97;
constexpr int kHeight = 61;
constexpr std::uint32_t kPine = 0xFF2E8B57;
constexpr std::uint32_t kFern = 0xFFB8860B;

// Dots all over the picture and beyond its edges, some without a place, of two kinds.
PreviewScene Scene(bool looks, bool marked) {
    PreviewScene scene;
    scene.kinds.resize(2);
    scene.kinds[0].colour = kPine;
    scene.kinds[1].colour = kFern;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> along(-30, 30);
    for (int i = 0; i < 3000; ++i) {
        const bool unplaced = i % 97 == 0;
        scene.x.push_back(unplaced ? std::numeric_limits<float>::quiet_NaN() : along(random));
        scene.y.push_back(along(random));
        scene.kind.push_back(static_cast<std::uint16_t>(i % 3 == 0));
        if (looks)
            scene.look.push_back(static_cast<std::uint16_t>((i % 16) << 12 | (i * 37) % 400));
        if (marked)
            scene.leftOut.push_back(i % 5 == 0);
    }
    return scene;
}

// The plain way: every dot a square of its side about its own pixel, those left out first, faded.
std::vector<std::uint32_t> PlainPicture(const PreviewScene& scene, const PreviewView& view,
                                        const std::vector<std::uint32_t>& colours, int dotSize) {
    std::vector<std::uint32_t> pixels(kWidth * kHeight, 0);
    const bool marked = !scene.leftOut.empty();
    for (const bool leftOut : {true, false}) {
        for (std::size_t i = 0; i < scene.x.size(); ++i) {
            const std::uint32_t own = colours[scene.kind[i]];
            if (own == 0 || (marked ? scene.leftOut[i] != leftOut : leftOut) || std::isnan(scene.x[i]))
                continue;
            int side = dotSize;
            std::uint32_t colour = own;
            if (!scene.look.empty()) {
                side = std::max(1, static_cast<int>(std::lround(dotSize * DotLook::scale(scene.look[i]))));
                colour = VariantShade(own, DotLook::variant(scene.look[i]));
            }
            colour = leftOut ? FadedColour(colour) : colour;
            // The raster's own arithmetic of a dot's pixel, so that no dot on a pixel's border lands apart.
            const double px =
                scene.x[i] * view.pixelsPerUnit + (view.width / 2.0 - view.centreX * view.pixelsPerUnit);
            const double py =
                (view.height / 2.0 + view.centreY * view.pixelsPerUnit) - scene.y[i] * view.pixelsPerUnit;
            const int left = static_cast<int>(std::floor(px)) - (side - 1) / 2;
            const int top = static_cast<int>(std::floor(py)) - (side - 1) / 2;
            for (int row = std::max(top, 0); row < std::min(top + side, kHeight); ++row)
                for (int column = std::max(left, 0); column < std::min(left + side, kWidth); ++column)
                    pixels[row * kWidth + column] = colour;
        }
    }
    return pixels;
}

TEST(PreviewRaster, GivesThePlainPicturePixelForPixel) {
    const struct {
        bool looks, marked;
        int dotSize;
        bool fernShown;
    } cases[] = {
        {false, false, 1, true}, {false, false, 2, true}, {false, true, 1, true}, {false, true, 3, false},
        {true, false, 1, true},  {true, false, 3, true},  {true, true, 2, true},  {true, true, 1, false},
    };
    const PreviewView view{1.5, -2.25, 1.7, kWidth, kHeight};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.looks << c.marked << c.dotSize << c.fernShown);
        const PreviewScene scene = Scene(c.looks, c.marked);
        const std::vector<std::uint32_t> colours = {kPine, c.fernShown ? kFern : 0};
        std::vector<std::uint32_t> pixels(kWidth * kHeight, 0);
        RasterizeDots(scene, view, colours, c.dotSize, {pixels.data(), kWidth, kHeight, kWidth});
        EXPECT_EQ(pixels, PlainPicture(scene, view, colours, c.dotSize));
    }
}

} // namespace
} // namespace tes
