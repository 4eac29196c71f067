#pragma once

#include "core/preview/preview_scene.h"
#include "lib/message.h"
#include "project/plant_views.h"

#include <optional>
#include <string>
#include <vector>

namespace tes {

// A preview picture to be written as a PNG file: the whole tile, the legend, the sun and a scale bar.
struct PreviewPictureRequest {
    std::string path; // UTF-8
    int width = 1024;
    int height = 1024;
    std::vector<bool> shown;      // per kind of the scene; empty: every kind
    std::vector<PlantView> views; // drawn over the dots: those the scene was built with
};

// Whether this build draws pictures. The painter (tes_picture) draws with QtGui; a build without Qt
// links the stand-in (tes_picture_none), which draws nothing.
bool CanDrawPreviewPictures();

// Draws the picture and writes the file; the failure when it could not.
std::optional<Message> WritePreviewPicture(const PreviewScene& scene, const PreviewPictureRequest& request);

} // namespace tes
