#pragma once

#include "core/place/placement_frame.h"
#include "core/plants/plant_filter.h"
#include "core/plants/plant_variation.h"
#include "lib/line_list.h"
#include "project/vegetation_list.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tes {

// What a top view of the loaded tile is drawn from: the placement options as the script reads them,
// the overlap the records were kept with, the sun heading, the tile's kinds, which give the legend its
// names, and the rows of the kinds table with its seed, which say how each kind's plants differ and
// which of them the thinning keeps; and the views, which keep only the plants a camera sees.
struct PreviewInput {
    PlacementOptions placement;
    std::string overlap = "0";
    std::string heading = "90";
    std::vector<VegetationKind> kinds;
    std::vector<KindRow> kindRows;
    std::int64_t seed = 1;
    std::vector<PlantView> views;
    std::vector<PlantArea> areas; // those that can be read
};

// A square in the scene's coordinates.
struct PreviewSquare {
    double minX = 0;
    double minY = 0;
    double maxX = 0;
    double maxY = 0;
};

// One vegetation kind on the tile: its records, whichever way field 0 writes its number (5 or 05).
struct PreviewKind {
    std::string number;
    std::string label; // as the kinds list offers it, or "Vegetation_" + field 0 when the list has none
    std::uint64_t count = 0;
    std::uint32_t colour = 0; // 0xAARRGGBB
    // How its plants differ, as the script draws them, and each variant's "file/object".
    PlantVariation variation = {};
    std::vector<std::string> variants = {};
    // Whether the views or its thinning leave plants out, and how many of `count` they keep: the
    // legend's "shown N of M".
    bool filtered = false;
    std::uint64_t shown = 0;
    PlantThinning thinning = {}; // its row's
    // Whether its height limits or the areas acting on it leave plants out, whatever the views.
    bool limited = false;
};

// A plant's look as a dot shows it, in 16 bits: its variant (15 stands for 15 and beyond) and its
// scale in whole percent of the kind's (up to 4095).
struct DotLook {
    static std::uint16_t pack(const PlantLook& look);
    static std::size_t variant(std::uint16_t packed) { return packed >> 12; }
    static double scale(std::uint16_t packed) { return (packed & 0xFFF) / 100.0; }
};

// The tile seen from above in the script's coordinates (X to the right, Y up): one dot per record of
// List1, in its order, at the position the script writes for it.
struct PreviewScene {
    std::vector<float> x; // NaN when the record has no position the script could write
    std::vector<float> y;
    std::vector<std::uint16_t> kind; // index into kinds
    // Each plant's DotLook, when a kind's plants differ; else empty. The look comes from the record's
    // exact environment numbers, which the dots' float positions no longer hold, and reading every
    // record again at each repaint would be slow.
    std::vector<std::uint16_t> look;
    // Whether each record is left out of the scripts by the views or its kind's thinning, drawn faded;
    // empty when no kind leaves any out.
    std::vector<bool> leftOut;
    // Which shares of its kind's thinning leave each record out (kThinnedByKeep, kThinnedByKeepFar in
    // core/preview/preview_views.h), so that new views need not read the records again; empty when no kind of
    // the scene thins.
    std::vector<std::uint8_t> thinned;
    // Whether each record is left out by its kind's height limits or areas, which no view changes; empty
    // when no kind is limited. A plant is kept when its draw is below both its thinning's share and the
    // areas' share, so the two are marked apart.
    std::vector<bool> heldOut;
    std::vector<PlantArea> areas;    // where plants grow, drawn over the dots
    std::vector<PreviewKind> kinds;  // in the order first met
    std::vector<std::size_t> legend; // the kinds by number
    PreviewSquare tile;              // the tile itself
    PreviewSquare margin;            // the tile with the overlap the records were kept with
    PreviewSquare dots;              // the tile and every dot
    PreviewSquare extent;            // and each view's camera and target
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
    std::uint16_t kindOf(std::string_view text);
    std::uint16_t newText(std::string_view text);

    ScenePlacement m_placement;
    std::vector<VegetationKind> m_kinds;
    std::vector<KindRow> m_rows;
    std::int64_t m_seed = 1;
    PlacementOptions m_options; // the Max file and object of a kind whose row names none
    bool m_varies = false;      // whether a row makes its plants differ
    PreviewScene m_scene;
    std::vector<PlantLooks> m_looks; // of each kind of the scene
    std::vector<PlantView> m_views;
    std::vector<PlantArea> m_areas;
    std::vector<std::optional<PlantFilter>> m_filters; // its views and thinning, where they leave plants out
    std::vector<std::optional<PlantFilter>> m_limits;  // its height limits and areas, where it has some
    bool m_limiting = false;                           // whether some kind has height limits or areas
    bool m_filtering = false;                          // whether some kind may leave plants out
    bool m_thinning = false;                           // whether some kind may thin
    std::vector<double> m_numbers;                     // of each kind of the scene, for its draws
    // The kind of each field-0 text met: searched while they are few, hashed beyond.
    std::vector<std::pair<std::string, std::uint16_t>> m_texts;
    std::unordered_map<std::string, std::uint16_t> m_textIndex;
};

// The whole scene at once.
PreviewScene BuildPreviewScene(const PreviewInput& input, const LineList& records);

// The colour of each kind of the scene, 0 for the kinds that are not shown. Empty `shown`: all are.
std::vector<std::uint32_t> KindColours(const PreviewScene& scene, const std::vector<bool>& shown);

// What a plant of a kind that differs looks like, for the text beside the pointer: ", variant 2
// (Trees.max/Oak_02), turn 123.4°, scale 97.3 %" for the record of row `row` (a row of the list the
// scene was built from); empty when its kind's plants are all alike.
std::string PlantLookText(const PreviewScene& scene, std::size_t row, std::string_view record);

} // namespace tes
