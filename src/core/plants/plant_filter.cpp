#include "core/plants/plant_filter.h"

#include "core/plants/plant_variation.h"
#include "lib/failure.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <exception>
#include <limits>
#include <numbers>
#include <thread>

namespace tes {

namespace {

// Rows between two reports of the pass, as the point cache reports.
constexpr std::uint64_t kProgressStep = 65536;
// A point on the edge of a view is in it although the products of its test are rounded.
constexpr double kEdge = 1e-12;
// Mixed in after the seed, so the thinning's draws are apart from the variation's ("thinning").
constexpr std::uint64_t kThinningDomain = 0x7468696E6E696E67ull;

std::uint64_t ThinningKindHash(std::int64_t seed, double kind) {
    return Mix(Mix(Mix(static_cast<std::uint64_t>(seed)) ^ kThinningDomain) ^ Bits(kind));
}

double DrawOf(std::uint64_t kindHash, double x, double z) {
    const std::uint64_t hash = Mix(Mix(kindHash ^ Bits(x)) ^ Bits(z));
    return static_cast<double>(Mix(hash + 1) >> 11) * 0x1.0p-53;
}

} // namespace

ViewTest::ViewTest(const PlantView& view)
    : m_cx(view.camera.x), m_cy(view.camera.y), m_tx(view.target.x - view.camera.x),
      m_ty(view.target.y - view.camera.y), m_tt(m_tx * m_tx + m_ty * m_ty),
      m_keep2(view.keepRadius * view.keepRadius), m_far2(view.far * view.far) {
    const double half = std::min(180.0, view.fov / 2 * (1 + view.margin / 100));
    const double cosine = std::cos(half * std::numbers::pi / 180);
    m_cos2 = cosine * cosine;
    m_wide = half >= 90;
    m_all = half >= 180;
}

double ViewTest::distanceSquared(double X, double Y) const {
    const double dx = X - m_cx;
    const double dy = Y - m_cy;
    return dx * dx + dy * dy;
}

bool ViewTest::sees(double X, double Y) const {
    const double vx = X - m_cx;
    const double vy = Y - m_cy;
    const double vv = vx * vx + vy * vy;
    if (vv <= m_keep2)
        return true;
    if (m_far2 > 0 && vv > m_far2)
        return false;
    if (m_all)
        return true;
    // The angle between v and t is at most the half angle when cos(angle) = dot / (|v| |t|) is at
    // least its cosine; squared, so no square root or arc is taken per plant.
    const double dot = vx * m_tx + vy * m_ty;
    const double edge = m_cos2 * vv * m_tt;
    if (m_wide)
        return dot >= 0 || dot * dot <= edge * (1 + kEdge);
    return dot > 0 && dot * dot >= edge * (1 - kEdge);
}

double ThinningDraw(std::int64_t seed, double kind, double x, double z) {
    return DrawOf(ThinningKindHash(seed, kind), x, z);
}

PlantFilter::PlantFilter(const std::vector<PlantView>& views, const PlantThinning& thinning,
                         std::int64_t seed, double kind)
    : m_keep(thinning.keep), m_keepFar(thinning.keepFar), m_kindHash(ThinningKindHash(seed, kind)),
      m_active(LeavesOut(views, thinning)) {
    m_views.reserve(views.size());
    for (const PlantView& view : views)
        m_views.emplace_back(view);
    // Thinning with distance needs a camera to measure from.
    if (!views.empty() && thinning.thinBeyond > 0)
        m_beyond2 = thinning.thinBeyond * thinning.thinBeyond;
}

bool PlantFilter::LeavesOut(const std::vector<PlantView>& views, const PlantThinning& thinning) {
    return !views.empty() || thinning.keep / 100 < 1;
}

PlantShare PlantFilter::shareAmongViews(double X, double Y) const {
    const bool seen =
        std::any_of(m_views.begin(), m_views.end(), [X, Y](const ViewTest& view) { return view.sees(X, Y); });
    if (!seen)
        return PlantShare::unseen;
    if (m_beyond2 > 0) {
        double nearest = std::numeric_limits<double>::infinity();
        for (const ViewTest& view : m_views)
            nearest = std::min(nearest, view.distanceSquared(X, Y));
        if (nearest > m_beyond2)
            return PlantShare::keepFar;
    }
    return PlantShare::keep;
}

void PlantFilter::limit(const HeightLimits& heights, const std::vector<PlantArea>& areas,
                        std::string_view number) {
    m_heights = heights;
    AreaRule rule(areas, number);
    if (rule.any())
        m_areas = std::move(rule);
    m_active = m_active || m_heights.any() || m_areas;
}

bool PlantFilter::keeps(const ScenePoint& point, double x, double z) const {
    if ((m_heights.min && point.Z < *m_heights.min) || (m_heights.max && point.Z > *m_heights.max))
        return false;
    return keeps(point.X, point.Y, x, z);
}

bool PlantFilter::keeps(double X, double Y, double x, double z) const {
    const PlantShare share = shareAt(X, Y);
    if (share == PlantShare::unseen)
        return false;
    if (!m_areas)
        return KeptAt(share == PlantShare::keepFar ? m_keepFar : m_keep,
                      [this, x, z] { return DrawOf(m_kindHash, x, z); });
    // One draw decides the thinning and the areas' soft edges: a plant is kept when its draw is below
    // both shares, so neither thins the other's plants a second time.
    const double kept =
        std::min((share == PlantShare::keepFar ? m_keepFar : m_keep) / 100, m_areas->share(X, Y));
    return kept >= 1 || (kept > 0 && DrawOf(m_kindHash, x, z) < kept);
}

namespace {

// What a pass over a stretch of rows decided: per kind its records and those kept, and whether a record
// of the kinds was left out. Its rows' bits are marked in the list's (the stretch starts at a multiple
// of 64, so two stretches mark apart).
struct Decided {
    std::vector<std::uint64_t> count, kept;
    bool leftOut = false;
};

template <typename Tick>
bool Decide(const LineList& records, const std::vector<PositionRule>& rules,
            const std::vector<FilteredKind>& kinds, std::uint64_t first, std::uint64_t last,
            ChosenRows& keptRows, Decided& decided, Tick tick) {
    decided.count.assign(kinds.size(), 0);
    decided.kept.assign(kinds.size(), 0);
    const char* const text = records.text().data();
    const auto ends = records.ends();
    std::uint64_t begin = first == 0 ? 0 : ends[first - 1];
    for (std::uint64_t row = first; row < last; ++row) {
        if ((row - first) % kProgressStep == 0 && !tick(row))
            return false;
        const std::string_view entry(text + begin, ends[row] - begin);
        begin = ends[row];
        std::size_t k = 0;
        while (k < rules.size() && !rules[k].matches(entry))
            ++k;
        if (k == rules.size())
            continue;
        ++decided.count[k];
        bool keep = true;
        if (kinds[k].filter) {
            try {
                double xz[2];
                const ScenePoint point = rules[k].placeRecord(entry, xz);
                keep = kinds[k].filter->keeps(point, xz[0], xz[1]);
            } catch (const Failure&) {
            } catch (const BeyondSinglePrecision&) {
            }
        }
        if (keep) {
            ++decided.kept[k];
            keptRows.take(row);
        } else {
            decided.leftOut = true;
        }
    }
    return true;
}

} // namespace

std::optional<KeptPlants> KeepPlants(const LineList& records, const ScenePlacement& placement,
                                     const std::vector<FilteredKind>& kinds, Progress& progress,
                                     std::uint64_t twoThreadsFrom) {
    std::vector<PositionRule> rules;
    rules.reserve(kinds.size());
    for (const FilteredKind& kind : kinds) {
        PositionRule rule;
        static_cast<ScenePlacement&>(rule) = placement;
        rule.number = kind.number;
        rules.push_back(rule);
    }
    const std::uint64_t count = records.size();
    ProgressScope shown(progress, "Choosing the plants");
    // A long list on two threads, a worker taking the later half.
    KeptPlants kept;
    kept.rows = ChosenRows(count);
    const bool two = count >= twoThreadsFrom && count >= 128 && std::thread::hardware_concurrency() > 1;
    const std::uint64_t split = two ? count / 2 / 64 * 64 : count;
    Decided own, later;
    std::atomic<std::uint64_t> laterRows{0};
    std::exception_ptr laterFailure;
    {
        std::jthread worker;
        if (split < count) {
            worker = std::jthread([&](std::stop_token stop) {
                try {
                    Decide(records, rules, kinds, split, count, kept.rows, later, [&](std::uint64_t row) {
                        laterRows.store(row - split, std::memory_order_relaxed);
                        return !stop.stop_requested();
                    });
                } catch (...) {
                    laterFailure = std::current_exception();
                }
            });
        }
        if (!Decide(records, rules, kinds, 0, split, kept.rows, own, [&](std::uint64_t row) {
                return shown.report(row + laterRows.load(std::memory_order_relaxed), count);
            }))
            return std::nullopt; // the worker is stopped and joined on the way out
        if (worker.joinable())
            worker.join(); // its destructor would stop it first
    }
    if (laterFailure)
        std::rethrow_exception(laterFailure);
    if (!shown.report(count, count))
        return std::nullopt;
    kept.count = own.count;
    kept.kept = own.kept;
    for (std::size_t k = 0; k < kinds.size() && split < count; ++k) {
        kept.count[k] += later.count[k];
        kept.kept[k] += later.kept[k];
    }
    kept.whole = !own.leftOut && !later.leftOut;
    if (kept.whole)
        kept.rows = ChosenRows();
    return kept;
}

} // namespace tes
