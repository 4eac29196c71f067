#pragma once

#include "core/preview/preview_raster.h"
#include "core/preview/preview_scene.h"
#include "lib/message.h"
#include "project/plant_views.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

namespace tes {

// Where the legend shows a kind, so a click on it can be told apart.
struct LegendRow {
    std::size_t kind = 0;
    QRect rect;
};

// What the legend (left) and the sun's dial (right) cover along the picture's edges, for FitView.
PreviewInsets OverlayInsets(const PreviewScene& scene, int width);

// The records of the kinds shown (`shown` empty: all), as the legend's heading counts them.
std::uint64_t ShownRecordCount(const PreviewScene& scene, const std::vector<bool>& shown);

// The count the legend gives a kind: its records, or "shown N of M" where the views or its thinning
// leave plants out.
QString LegendCountText(const PreviewKind& kind);

// The ground and the dots, those the views and the thinning leave out faded (by `leftOut`, as
// PreviewScene::leftOut, when given; else by the scene's own marks): the fast part, which may run on
// any thread.
QImage PaintPreviewDots(const PreviewScene& scene, const PreviewView& view, const std::vector<bool>& shown,
                        const std::vector<bool>* leftOut = nullptr);

// What is drawn over the dots: the tile and its overlap, the origin and the axes, the views the scene
// was built with, the sun's heading, a scale bar and the legend (its rows go to `rows` when asked for).
// The camera of view `selectedView` (from 0; -1: none) stands out. The areas drawn are `areas` when
// given (those being edited), else the scene's. Needs the GUI thread's fonts.
void PaintPreviewOverlay(QPainter& painter, const PreviewScene& scene, const std::vector<PlantView>& views,
                         const PreviewView& view, const std::vector<bool>& shown,
                         std::vector<LegendRow>* rows = nullptr, int selectedView = -1,
                         const std::vector<PlantArea>* areas = nullptr);

// Writes the picture as a PNG file (UTF-8 path); the failure when it could not.
std::optional<Message> SavePicturePng(const QImage& picture, const std::string& path);

// The whole picture.
QImage PaintPreviewPicture(const PreviewScene& scene, const std::vector<PlantView>& views,
                           const PreviewView& view, const std::vector<bool>& shown, int selectedView = -1);

} // namespace tes
