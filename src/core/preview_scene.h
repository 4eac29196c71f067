#pragma once

#include "core/placement_frame.h"
#include "lib/line_list.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tes {

// What a top view of the loaded tile is drawn from: the placement options as the script reads them,
// the overlap the records were kept with, the sun heading, and the kinds as the window lists them
// ("Vegetation_5:  Pine"), which give the legend its names.
struct PreviewInput {
    PlacementOptions placement;
    std::string overlap = "0";
    std::string heading = "90";
    std::vector<std::string> kindEntries;
};

// A square in the scene's coordinates.
struct PreviewSquare {
    double minX = 0;
    double minY = 0;
    double maxX = 0;
    double maxY = 0;
};

// One vegetation kind on the tile: the records whose field 0 reads `number` exactly, as its script
// places them.
struct PreviewKind {
    std::string number;
    std::string label; // the list's entry, or "Vegetation_" + number when the list has none
    std::uint64_t count = 0;
    std::uint32_t colour = 0; // 0xAARRGGBB
};

// The tile seen from above in the script's coordinates (X to the right, Y up): one dot per record of
// List1, in its order, at the position the script writes for it.
struct PreviewScene {
    std::vector<float> x; // NaN when the record has no position the script could write
    std::vector<float> y;
    std::vector<std::uint16_t> kind; // index into kinds
    std::vector<PreviewKind> kinds;  // in the order first met
    std::vector<std::size_t> legend; // the kinds by number
    PreviewSquare tile;              // the tile itself
    PreviewSquare margin;            // the tile with the overlap the records were kept with
    PreviewSquare extent;            // the tile and every dot
    double heading = 90;             // the sun's heading in degrees, as the window shows it
    double sunX = 0;                 // the direction the sunlight travels, in the scene's plane
    double sunY = 0;
    std::uint64_t unplaced = 0; // records without a position
};

// Builds a scene a slice of records at a time, so a window can keep answering between slices.
class PreviewSceneBuilder {
public:
    // Throws Failure where the script's build would fail on the same options.
    explicit PreviewSceneBuilder(const PreviewInput& input);

    // Adds rows [begin, end) of `records`.
    void add(const LineList& records, std::size_t begin, std::size_t end);
    // The scene of the rows added; the builder is spent.
    PreviewScene finish();

private:
    std::uint16_t kindOf(std::string_view number);

    ScenePlacement m_placement;
    std::vector<std::string> m_entries;
    PreviewScene m_scene;
    std::unordered_map<std::string, std::uint16_t> m_kindIndex;
};

// The whole scene at once.
PreviewScene BuildPreviewScene(const PreviewInput& input, const LineList& records);

// The colour of each kind of the scene, 0 for the kinds that are not shown. Empty `shown`: all are.
std::vector<std::uint32_t> KindColours(const PreviewScene& scene, const std::vector<bool>& shown);

} // namespace tes
