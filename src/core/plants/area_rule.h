#pragma once

#include "project/plant_areas.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Which share of a kind's plants the project's areas keep at a point of the scene's ground
// (docs/areas.md): none inside an exclude area or outside every include area of the kind, all away from
// them, and on a soft edge a share that grows with the distance from the edge.
namespace tes {

// One area made ready for many plants: its edges, and the box beyond which it decides nothing.
class AreaShape {
public:
    explicit AreaShape(const PlantArea& area);
    // The share of plants kept at (X, Y): 0 inside an exclude area or outside an include area, d / F
    // within its falloff F at distance d from the edge, 1 elsewhere.
    double share(double X, double Y) const;
    bool includes() const { return m_include; }
    // Beyond this box the share is 1 for an exclude area and 0 for an include area.
    double minX, minY, maxX, maxY;

private:
    // Whether (X, Y) is inside, and its distance from the edge.
    bool inside(double X, double Y, double& edge) const;
    // The same answer without the distance, for an area without a soft edge: most edges are passed over
    // by their boxes or the ray's test alone.
    bool insideHard(double X, double Y) const;

    std::vector<GroundPoint> m_points;
    bool m_closed;
    double m_half; // half an open line's width
    double m_falloff;
    bool m_include;
};

// The areas that act on one kind, with a grid of which of them reach each cell of the ground, so
// that a plant is tested against the few areas near it.
class AreaRule {
public:
    AreaRule(const std::vector<PlantArea>& areas, std::string_view kind);
    // Whether any area acts on the kind.
    bool any() const { return !m_shapes.empty(); }
    // The share of the kind's plants kept at (X, Y): the largest share of its include areas (1 when it
    // has none), and at most the smallest share of its exclude areas.
    double share(double X, double Y) const;

private:
    // The areas whose boxes reach the cell of (X, Y); none outside every box.
    std::span<const std::uint32_t> near(double X, double Y) const;

    std::vector<AreaShape> m_shapes;
    bool m_includes = false;
    double m_x0 = 0, m_y0 = 0, m_x1 = 0, m_y1 = 0; // the boxes' extent
    double m_cellX = 0, m_cellY = 0;               // a cell's size; 0: one cell across
    std::uint32_t m_columns = 1, m_rows = 1;
    std::vector<std::uint32_t> m_cellStart; // per cell, where its areas begin in m_cellAreas
    std::vector<std::uint32_t> m_cellAreas;
};

} // namespace tes
