#include "core/preview/preview_scene.h"

#include "core/preview/preview_palette.h"
#include "core/preview/preview_views.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/numbers.h"
#include "lib/plain_decimal.h"
#include "project/sun.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tes {

namespace {

// A file may hold any number of different field-0 texts; beyond this many the rest share the last.
constexpr std::size_t kMaxKinds = std::numeric_limits<std::uint16_t>::max();
// With this few kinds a plain search beats hashing the text.
constexpr std::size_t kSearchedKinds = 32;

// The square [low, high] of environment x and z, in the scene.
PreviewSquare SceneSquare(const ScenePlacement& placement, double low, double high) {
    const ScenePoint a = placement.placeNumbers(low, 0, low);
    const ScenePoint b = placement.placeNumbers(high, 0, high);
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// The kind's variation as its script draws it, from its row of the kinds table and, for a row without a
// Max file, the Max file and object of `placement`: variants that are one source are one.
void TakeVariation(PreviewKind& kind, const KindRow& row, std::int64_t seed,
                   const PlacementOptions& placement) {
    if (!row.plants.varies())
        return;
    PlacementOptions options;
    options.maxFile = row.maxFile.empty() ? placement.maxFile : row.maxFile;
    options.objectName =
        row.maxFile.empty() ? ObjectOrFileName(placement.maxFile, placement.objectName) : row.object();
    options.takePlants(row, seed);
    kind.variation = VariationOf(options, kind.number);
    kind.variants.push_back(GetFileNameFromPath(options.maxFile) + "/" + options.objectName);
    for (const VariantSource& variant : options.variants)
        kind.variants.push_back(GetFileNameFromPath(variant.maxFile) + "/" + variant.object());
}

// The look of the plant of `entry`, whose fields after field 0 are `rest`.
PlantLook LookOfRecord(const PlantVariation& variation, std::string_view rest) {
    const double x = TakeRecordNumber(rest);
    TakeRecordNumber(rest);
    return LookOf(variation, x, TakeRecordNumber(rest));
}

} // namespace

std::uint16_t DotLook::pack(const PlantLook& look) {
    const double percent = std::clamp(std::round(look.scale), 0.0, 4095.0);
    return static_cast<std::uint16_t>(std::min<std::size_t>(look.variant, 15) << 12 |
                                      static_cast<std::uint16_t>(percent));
}

PreviewSceneBuilder::PreviewSceneBuilder(const PreviewInput& input)
    : m_placement(ComputePlacementFrame(input.placement).placement()), m_kinds(input.kinds),
      m_rows(input.kindRows), m_seed(input.seed), m_options(input.placement),
      m_varies(
          std::any_of(m_rows.begin(), m_rows.end(), [](const KindRow& row) { return row.plants.varies(); })),
      m_views(input.views), m_areas(input.areas),
      // Whether some kind's filter may leave plants out: a kind without a row keeps them all but for views
      // and areas.
      m_limiting(!m_areas.empty() ||
                 std::any_of(m_rows.begin(), m_rows.end(),
                             [](const KindRow& row) { return row.plants.heights.any(); })),
      m_filtering(m_limiting || PlantFilter::LeavesOut(m_views, {}) ||
                  std::any_of(m_rows.begin(), m_rows.end(),
                              [this](const KindRow& row) {
                                  return PlantFilter::LeavesOut(m_views, row.plants.thinning);
                              })),
      m_thinning(std::any_of(m_rows.begin(), m_rows.end(),
                             [](const KindRow& row) { return row.plants.thinning.any(); })) {
    const PlacementOptions& options = input.placement;
    const double gridRes = checkedFinite(options.gridRes);
    const TileGeometry tile = ComputeTileGeometry(options.mainTile, options.terrainWidth, gridRes, 0);
    const TileGeometry margin =
        ComputeTileGeometry(options.mainTile, options.terrainWidth, gridRes, FieldNumber(input.overlap));
    m_scene.tile = SceneSquare(m_placement, tile.low, tile.high);
    m_scene.margin = SceneSquare(m_placement, margin.low, margin.high);
    m_scene.dots = m_scene.tile;

    // The heading runs from the environment's +z towards its +x; the scene turns those axes.
    m_scene.heading = FieldNumber(input.heading);
    const double radians = m_scene.heading * Pi() / 180;
    ScenePlacement unscaled = m_placement;
    unscaled.objScale = 100;
    const ScenePoint from = unscaled.placeNumbers(m_placement.H, 0, m_placement.H);
    const ScenePoint to =
        unscaled.placeNumbers(m_placement.H + std::sin(radians), 0, m_placement.H + std::cos(radians));
    m_scene.sunX = to.X - from.X;
    m_scene.sunY = to.Y - from.Y;
}

std::uint16_t PreviewSceneBuilder::kindOf(std::string_view text) {
    if (m_texts.size() <= kSearchedKinds) {
        for (const auto& [known, index] : m_texts) {
            if (known == text)
                return index;
        }
    } else if (const auto found = m_textIndex.find(std::string(text)); found != m_textIndex.end()) {
        return found->second;
    }
    const std::uint16_t index = newText(text);
    m_texts.emplace_back(text, index);
    if (m_texts.size() == kSearchedKinds + 1) {
        for (const auto& [known, i] : m_texts)
            m_textIndex.emplace(known, i);
    } else if (m_texts.size() > kSearchedKinds + 1) {
        m_textIndex.emplace(text, index);
    }
    return index;
}

// A field-0 text met for the first time joins the kind it belongs to (5 and 05 are one kind); a text
// the kinds list does not know is a kind of its own.
std::uint16_t PreviewSceneBuilder::newText(std::string_view text) {
    PreviewKind kind;
    kind.number = text;
    kind.label = "Vegetation_" + kind.number;
    for (const VegetationKind& listed : m_kinds) {
        if (std::find(listed.texts.begin(), listed.texts.end(), text) != listed.texts.end()) {
            kind.number = listed.number;
            kind.label = VegetationEntry(listed);
            break;
        }
    }
    std::vector<PreviewKind>& kinds = m_scene.kinds;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].number == kind.number)
            return static_cast<std::uint16_t>(i);
    }
    if (kinds.size() == kMaxKinds)
        return static_cast<std::uint16_t>(kMaxKinds - 1);
    kind.colour = KindColour(kind.number);
    const std::string number = KindNumber(kind.number);
    PlantThinning thinning;
    HeightLimits heights;
    for (const KindRow& row : m_rows) {
        if (KindNumber(row.number) == number) {
            TakeVariation(kind, row, m_seed, m_options);
            thinning = row.plants.thinning;
            heights = row.plants.heights;
        }
    }
    m_looks.emplace_back(kind.variation);
    kind.thinning = thinning;
    m_numbers.push_back(LeadingNumberValue(kind.number));
    // As the kind's build keeps its plants (PlantFilterOf), in two parts asked once each: the views and
    // the thinning, and the height limits and the areas. A plant is kept when its draw is below both
    // shares, so it is kept when both parts keep it.
    PlantFilter filter(m_views, thinning, m_seed, m_numbers.back());
    PlantFilter limits({}, {}, m_seed, m_numbers.back());
    limits.limit(heights, m_areas, kind.number);
    kind.limited = limits.active();
    kind.filtered = filter.active() || kind.limited;
    m_filters.push_back(filter.active() ? std::optional<PlantFilter>(std::move(filter)) : std::nullopt);
    m_limits.push_back(kind.limited ? std::optional<PlantFilter>(std::move(limits)) : std::nullopt);
    kinds.push_back(std::move(kind));
    return static_cast<std::uint16_t>(kinds.size() - 1);
}

void PreviewSceneBuilder::add(const LineList& records, std::size_t begin, std::size_t end) {
    constexpr float kNone = std::numeric_limits<float>::quiet_NaN();
    m_scene.x.reserve(records.size());
    m_scene.y.reserve(records.size());
    m_scene.kind.reserve(records.size());
    if (m_varies)
        m_scene.look.reserve(records.size());
    if (m_filtering)
        m_scene.leftOut.reserve(records.size());
    if (m_thinning)
        m_scene.thinned.reserve(records.size());
    if (m_limiting)
        m_scene.heldOut.reserve(records.size());
    const std::uint16_t alike = DotLook::pack({});
    for (std::size_t row = begin; row < end; ++row) {
        const std::string_view entry = records[row];
        const std::string_view number = entry.substr(0, entry.find(','));
        const std::uint16_t kind = kindOf(number);
        ++m_scene.kinds[kind].count;
        m_scene.kind.push_back(kind);
        const std::string_view rest = entry.substr(std::min(entry.size(), number.size() + 1));
        double xz[2] = {0, 0}; // a plant without a place is not drawn, whatever its look
        bool leftOut = false;  // the build meets a plant without a place, and reports it
        bool heldOut = false;
        std::uint8_t thinned = 0;
        try {
            const ScenePoint point = m_placement.place(rest, xz);
            if (m_limits[kind])
                heldOut = !m_limits[kind]->keeps(point, xz[0], xz[1]);
            if (m_filters[kind])
                leftOut = !m_filters[kind]->keeps(point.X, point.Y, xz[0], xz[1]);
            leftOut = leftOut || heldOut;
            const PlantThinning& thinning = m_scene.kinds[kind].thinning;
            if (thinning.any())
                thinned = ThinnedMarks(thinning, ThinningDraw(m_seed, m_numbers[kind], xz[0], xz[1]));
            m_scene.x.push_back(static_cast<float>(point.X));
            m_scene.y.push_back(static_cast<float>(point.Y));
            PreviewSquare& e = m_scene.dots;
            e = {std::min(e.minX, point.X), std::min(e.minY, point.Y), std::max(e.maxX, point.X),
                 std::max(e.maxY, point.Y)};
        } catch (const Failure&) {
            m_scene.x.push_back(kNone);
            m_scene.y.push_back(kNone);
            ++m_scene.unplaced;
        }
        if (!leftOut)
            ++m_scene.kinds[kind].shown;
        if (m_filtering)
            m_scene.leftOut.push_back(leftOut);
        if (m_thinning)
            m_scene.thinned.push_back(thinned);
        if (m_limiting)
            m_scene.heldOut.push_back(heldOut);
        if (m_varies) {
            const bool varied = m_scene.kinds[kind].variation.any();
            m_scene.look.push_back(varied ? DotLook::pack(m_looks[kind](xz[0], xz[1])) : alike);
        }
    }
}

PreviewScene PreviewSceneBuilder::finish() {
    // Rows of kinds the tile does not hold leave nothing out.
    const auto& all = m_scene.kinds;
    if (std::none_of(all.begin(), all.end(), [](const PreviewKind& kind) { return kind.filtered; }))
        m_scene.leftOut = {};
    if (std::none_of(all.begin(), all.end(), [](const PreviewKind& kind) { return kind.thinning.any(); }))
        m_scene.thinned = {};
    if (std::none_of(all.begin(), all.end(), [](const PreviewKind& kind) { return kind.limited; }))
        m_scene.heldOut = {};
    m_scene.areas = std::move(m_areas);
    m_scene.extent = ViewsExtent(m_scene.dots, m_views);
    std::vector<std::size_t>& legend = m_scene.legend;
    legend.resize(m_scene.kinds.size());
    for (std::size_t i = 0; i < legend.size(); ++i)
        legend[i] = i;
    const auto& kinds = m_scene.kinds;
    std::stable_sort(legend.begin(), legend.end(), [&kinds](std::size_t a, std::size_t b) {
        const double na = LeadingNumberValue(kinds[a].number);
        const double nb = LeadingNumberValue(kinds[b].number);
        return na != nb ? na < nb : kinds[a].number < kinds[b].number;
    });
    return std::move(m_scene);
}

PreviewScene BuildPreviewScene(const PreviewInput& input, const LineList& records) {
    PreviewSceneBuilder builder(input);
    builder.add(records, 0, records.size());
    return builder.finish();
}

std::vector<std::uint32_t> KindColours(const PreviewScene& scene, const std::vector<bool>& shown) {
    std::vector<std::uint32_t> colours(scene.kinds.size());
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = shown.empty() || (i < shown.size() && shown[i]) ? scene.kinds[i].colour : 0;
    return colours;
}

std::string PlantLookText(const PreviewScene& scene, std::size_t row, std::string_view record) {
    const PreviewKind& kind = scene.kinds[scene.kind.at(row)];
    if (!kind.variation.any())
        return {};
    const PlantLook look =
        LookOfRecord(kind.variation, record.substr(std::min(record.size(), record.find(',') + 1)));
    std::string text;
    if (kind.variants.size() > 1)
        text += ", variant " + std::to_string(look.variant + 1) + " (" + kind.variants[look.variant] + ")";
    if (kind.variation.turn)
        text += ", turn " + DecimalText(RoundHalfEven(look.turn, 1)) + "\u00B0";
    if (kind.variation.scale)
        text += ", scale " + DecimalText(RoundHalfEven(look.scale, 1)) + " %";
    return text;
}

} // namespace tes
