#pragma once

#include "core/place/chosen_rows.h"
#include "core/place/record_position.h"
#include "core/plants/area_rule.h"
#include "lib/line_list.h"
#include "lib/progress.h"
#include "project/kinds_table.h"
#include "project/plant_views.h"

#include <cstdint>
#include <optional>
#include <vector>

// Which plants a build keeps: those a view of the project sees, thinned by their kind's share
// (docs/views.md), within the kind's heights and where the project's areas let them grow (docs/areas.md).
// Both decide on the scene's X and Y the script writes and, for the thinning, on the plant's own environment
// x and z, so a plant's fate never depends on the records around it.
namespace tes {

// One view made ready for many plants: the camera, the look direction and the widened half angle.
class ViewTest {
public:
    explicit ViewTest(const PlantView& view);
    // Whether the plant at scene point (X, Y) is in the view.
    bool sees(double X, double Y) const;
    // The square of the plant's distance from the camera.
    double distanceSquared(double X, double Y) const;

private:
    double m_cx, m_cy;      // the camera
    double m_tx, m_ty;      // from the camera to the target
    double m_tt;            // the square of that length
    double m_cos2;          // the square of the cosine of the half angle
    bool m_wide;            // the half angle is more than 90 degrees
    bool m_all;             // the half angle is 180 degrees: every direction
    double m_keep2, m_far2; // the squares of the keep radius and the far distance (0: none)
};

// The draw in [0, 1) that decides whether the plant at environment x and z is thinned away: a hash of
// the seed, the kind's number and x and z, apart from the variation's (docs/views.md).
double ThinningDraw(std::int64_t seed, double kind, double x, double z);

// Which share of its kind a plant is kept at, by where it stands among the views: none when no view
// sees it, its kind's Keep, or its KeepFar when it is beyond ThinBeyond from every camera.
enum class PlantShare : std::uint8_t { unseen, keep, keepFar };

// The views, the thinning, the height limits and the areas of one kind, applied to its plants.
class PlantFilter {
public:
    PlantFilter(const std::vector<PlantView>& views, const PlantThinning& thinning, std::int64_t seed,
                double kind);
    // Adds the kind's height limits and the areas that act on the kind `number` (as field 0 reads it).
    void limit(const HeightLimits& heights, const std::vector<PlantArea>& areas, std::string_view number);
    // Whether the views or the thinning leave any plant out at all; when not, keeps() is always true.
    static bool LeavesOut(const std::vector<PlantView>& views, const PlantThinning& thinning);
    // Whether any plant may be left out, the height limits and areas counted.
    bool active() const { return m_active; }
    // Whether the plant at scene point `point`, environment x and z is kept.
    bool keeps(const ScenePoint& point, double x, double z) const;
    // The same without the height limits, for a plant whose Z is not at hand.
    bool keeps(double X, double Y, double x, double z) const;
    // The share the plant at scene point (X, Y) is kept at; the draw of its x and z decides the rest.
    PlantShare shareAt(double X, double Y) const {
        return m_views.empty() ? PlantShare::keep : shareAmongViews(X, Y);
    }
    // Whether a plant is kept at `percent` of its kind, `draw()` giving its draw (ThinningDraw); the draw
    // is a hash, taken only when the share leaves some plants out.
    template <typename Draw> static bool KeptAt(double percent, Draw draw) {
        const double share = percent / 100;
        return share >= 1 || (share > 0 && draw() < share);
    }

private:
    PlantShare shareAmongViews(double X, double Y) const;

    std::vector<ViewTest> m_views;
    double m_keep = 100;    // the percent kept
    double m_keepFar = 100; // the percent kept beyond m_beyond2 from the nearest camera
    double m_beyond2 = 0;   // its square; 0: no thinning with distance
    std::uint64_t m_kindHash = 0;
    HeightLimits m_heights;
    std::optional<AreaRule> m_areas; // none: no area acts on the kind
    bool m_active = false;
};

// One kind of a filtered list: its records, and its filter (none: every one of its records is kept).
struct FilteredKind {
    std::string_view number; // as field 0 must read
    std::optional<PlantFilter> filter;
};

// The plants the filters keep: a row each, per kind its records and those kept. When the filters left no
// record of their kinds out, `whole` is set and `rows` stays empty: every row is read as it is.
struct KeptPlants {
    ChosenRows rows;
    std::vector<std::uint64_t> kept;  // per kind: the records kept
    std::vector<std::uint64_t> count; // per kind: its records in the list
    bool whole = false;
    // The rows to build from; none: all of them.
    const ChosenRows* chosen() const { return whole ? nullptr : &rows; }
};

// One pass over `records` that decides which records of `kinds` each kind's filter keeps; records of
// no kind are left out. A record whose position cannot be worked out is kept, so the build meets it and
// reports it as it would without a filter. A list of `twoThreadsFrom` records or more is decided on two
// threads, as a build's (BuildTuning). Empty when the user stops it.
std::optional<KeptPlants> KeepPlants(const LineList& records, const ScenePlacement& placement,
                                     const std::vector<FilteredKind>& kinds, Progress& progress,
                                     std::uint64_t twoThreadsFrom = UINT64_MAX);

} // namespace tes
