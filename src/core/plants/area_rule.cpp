#include "core/plants/area_rule.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tes {

namespace {

// Cells across the grid's longer side per area, and the most cells a side takes.
constexpr std::uint32_t kCellsPerArea = 4;
constexpr std::uint32_t kMostCells = 256;

// The square of the distance from (X, Y) to the segment from a to b, and whether the point lies
// exactly on it (its cross product zero, within the segment's box), which no rounding decides.
double SegmentDistance2(double X, double Y, const GroundPoint& a, const GroundPoint& b, bool& on) {
    const double ux = b.x - a.x;
    const double uy = b.y - a.y;
    const double px = X - a.x;
    const double py = Y - a.y;
    on = on || (ux * py - uy * px == 0 && X >= std::min(a.x, b.x) && X <= std::max(a.x, b.x) &&
                Y >= std::min(a.y, b.y) && Y <= std::max(a.y, b.y));
    const double length2 = ux * ux + uy * uy;
    const double t = length2 > 0 ? std::clamp((px * ux + py * uy) / length2, 0.0, 1.0) : 0.0;
    const double dx = px - t * ux;
    const double dy = py - t * uy;
    return dx * dx + dy * dy;
}

std::uint32_t CellOf(double value, double origin, double size, std::uint32_t count) {
    const double cell = size > 0 ? (value - origin) / size : 0;
    if (!(cell >= 0))
        return 0;
    return cell >= count ? count - 1 : static_cast<std::uint32_t>(cell);
}

} // namespace

AreaShape::AreaShape(const PlantArea& area)
    : m_points(area.points), m_closed(area.closed()), m_half(area.width.value_or(0) / 2),
      m_falloff(area.falloff), m_include(area.mode == AreaMode::include) {
    minX = minY = std::numeric_limits<double>::infinity();
    maxX = maxY = -minX;
    for (const GroundPoint& point : m_points) {
        minX = std::min(minX, point.x);
        maxX = std::max(maxX, point.x);
        minY = std::min(minY, point.y);
        maxY = std::max(maxY, point.y);
    }
    // An exclude area's soft edge lies outside it; an include area's inside.
    const double reach = m_half + (m_include ? 0 : m_falloff);
    minX -= reach;
    minY -= reach;
    maxX += reach;
    maxY += reach;
}

bool AreaShape::inside(double X, double Y, double& edge) const {
    double nearest2 = std::numeric_limits<double>::infinity();
    bool on = false;
    const std::size_t count = m_points.size();
    if (!m_closed) {
        for (std::size_t i = 0; i + 1 < count; ++i)
            nearest2 = std::min(nearest2, SegmentDistance2(X, Y, m_points[i], m_points[i + 1], on));
        const double distance = on ? 0 : std::sqrt(nearest2);
        edge = std::fabs(distance - m_half);
        return distance <= m_half;
    }
    // Even-odd: a ray from the point towards +X crosses the edges an odd number of times.
    bool odd = false;
    for (std::size_t i = 0, j = count - 1; i < count; j = i++) {
        const GroundPoint& a = m_points[j];
        const GroundPoint& b = m_points[i];
        nearest2 = std::min(nearest2, SegmentDistance2(X, Y, a, b, on));
        if ((a.y > Y) != (b.y > Y) && X < a.x + (Y - a.y) * (b.x - a.x) / (b.y - a.y))
            odd = !odd;
    }
    edge = on ? 0 : std::sqrt(nearest2);
    return on || odd;
}

// Exactly as inside() decides: a point on an edge is inside, and an open line holds the point when the
// distance from one of its segments, rounded as there, is at most half its width. A segment whose box,
// widened by that half and a margin far above the rounding, misses the point can do neither.
bool AreaShape::insideHard(double X, double Y) const {
    const std::size_t count = m_points.size();
    const double reach = m_half + 1e-9 * (1 + std::fabs(X) + std::fabs(Y) + m_half);
    const auto near = [&](const GroundPoint& a, const GroundPoint& b) {
        return X >= std::min(a.x, b.x) - reach && X <= std::max(a.x, b.x) + reach &&
               Y >= std::min(a.y, b.y) - reach && Y <= std::max(a.y, b.y) + reach;
    };
    bool on = false;
    if (!m_closed) {
        for (std::size_t i = 0; i + 1 < count; ++i) {
            if (near(m_points[i], m_points[i + 1]) &&
                (std::sqrt(SegmentDistance2(X, Y, m_points[i], m_points[i + 1], on)) <= m_half || on))
                return true;
        }
        return false;
    }
    bool odd = false;
    for (std::size_t i = 0, j = count - 1; i < count; j = i++) {
        const GroundPoint& a = m_points[j];
        const GroundPoint& b = m_points[i];
        if ((a.y > Y) != (b.y > Y) && X < a.x + (Y - a.y) * (b.x - a.x) / (b.y - a.y))
            odd = !odd;
    }
    for (std::size_t i = 0, j = count - 1; !odd && !on && i < count; j = i++) {
        if (near(m_points[j], m_points[i]))
            SegmentDistance2(X, Y, m_points[j], m_points[i], on);
    }
    return odd || on;
}

double AreaShape::share(double X, double Y) const {
    if (X < minX || X > maxX || Y < minY || Y > maxY)
        return m_include ? 0 : 1;
    if (m_falloff == 0)
        return insideHard(X, Y) == m_include ? 1 : 0;
    double edge = 0;
    const bool in = inside(X, Y, edge);
    // Plants grow on the include area's inside and the exclude area's outside, thinned near the edge.
    if (in != m_include)
        return 0;
    return m_falloff > 0 && edge < m_falloff ? edge / m_falloff : 1;
}

AreaRule::AreaRule(const std::vector<PlantArea>& areas, std::string_view kind) {
    for (const PlantArea& area : areas) {
        if (area.appliesTo(kind) && !area.points.empty()) {
            m_shapes.emplace_back(area);
            m_includes = m_includes || m_shapes.back().includes();
        }
    }
    if (m_shapes.empty())
        return;
    m_x0 = m_y0 = std::numeric_limits<double>::infinity();
    m_x1 = m_y1 = -m_x0;
    for (const AreaShape& shape : m_shapes) {
        m_x0 = std::min(m_x0, shape.minX);
        m_y0 = std::min(m_y0, shape.minY);
        m_x1 = std::max(m_x1, shape.maxX);
        m_y1 = std::max(m_y1, shape.maxY);
    }
    const auto side = static_cast<std::uint32_t>(
        std::min<std::size_t>(kMostCells, std::max<std::size_t>(1, m_shapes.size() * kCellsPerArea)));
    const double width = m_x1 - m_x0;
    const double height = m_y1 - m_y0;
    // Cells about square, the longer side cut into `side`; an extent beyond the doubles' range is one cell.
    const double cell = std::max(width, height) / side;
    if (std::isfinite(cell) && cell > 0) {
        m_columns = static_cast<std::uint32_t>(std::clamp(std::ceil(width / cell), 1.0, double(side)));
        m_rows = static_cast<std::uint32_t>(std::clamp(std::ceil(height / cell), 1.0, double(side)));
        m_cellX = m_columns > 1 ? cell : 0;
        m_cellY = m_rows > 1 ? cell : 0;
    }
    // Two passes: count each cell's areas, then place them.
    std::vector<std::uint32_t> counts(std::size_t(m_columns) * m_rows + 1, 0);
    const auto eachCell = [this](const AreaShape& shape, auto&& visit) {
        const std::uint32_t c0 = CellOf(shape.minX, m_x0, m_cellX, m_columns);
        const std::uint32_t c1 = CellOf(shape.maxX, m_x0, m_cellX, m_columns);
        const std::uint32_t r0 = CellOf(shape.minY, m_y0, m_cellY, m_rows);
        const std::uint32_t r1 = CellOf(shape.maxY, m_y0, m_cellY, m_rows);
        for (std::uint32_t r = r0; r <= r1; ++r) {
            for (std::uint32_t c = c0; c <= c1; ++c)
                visit(std::size_t(r) * m_columns + c);
        }
    };
    for (const AreaShape& shape : m_shapes)
        eachCell(shape, [&counts](std::size_t cell) { ++counts[cell + 1]; });
    for (std::size_t i = 1; i < counts.size(); ++i)
        counts[i] += counts[i - 1];
    m_cellStart = counts;
    m_cellAreas.resize(counts.back());
    for (std::uint32_t i = 0; i < m_shapes.size(); ++i)
        eachCell(m_shapes[i], [&](std::size_t cell) { m_cellAreas[counts[cell]++] = i; });
}

std::span<const std::uint32_t> AreaRule::near(double X, double Y) const {
    if (!(X >= m_x0 && X <= m_x1 && Y >= m_y0 && Y <= m_y1))
        return {};
    const std::size_t cell =
        std::size_t(CellOf(Y, m_y0, m_cellY, m_rows)) * m_columns + CellOf(X, m_x0, m_cellX, m_columns);
    return {m_cellAreas.data() + m_cellStart[cell], m_cellAreas.data() + m_cellStart[cell + 1]};
}

double AreaRule::share(double X, double Y) const {
    double included = m_includes ? 0 : 1;
    double excluded = 1;
    for (const std::uint32_t index : near(X, Y)) {
        const AreaShape& shape = m_shapes[index];
        const double share = shape.share(X, Y);
        if (shape.includes())
            included = std::max(included, share);
        else
            excluded = std::min(excluded, share);
    }
    return std::min(included, excluded);
}

} // namespace tes
