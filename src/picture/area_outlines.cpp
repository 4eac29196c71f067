#include "picture/area_outlines.h"

#include <algorithm>

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

namespace tes {

namespace {

QColor AreaColour(AreaMode mode, int alpha) {
    return mode == AreaMode::exclude ? QColor(235, 70, 60, alpha) : QColor(70, 200, 90, alpha);
}

// The area's points in pixels: a closed outline, or the line itself.
QPainterPath AreaPath(const PlantArea& area, const PreviewView& view) {
    QPainterPath path;
    for (std::size_t i = 0; i < area.points.size(); ++i) {
        const QPointF pixel(view.pixelX(area.points[i].x), view.pixelY(area.points[i].y));
        if (i == 0)
            path.moveTo(pixel);
        else
            path.lineTo(pixel);
    }
    if (area.closed())
        path.closeSubpath();
    path.setFillRule(Qt::OddEvenFill); // a point inside by the even-odd rule, as the build decides
    return path;
}

// What the area covers in pixels: a closed outline's inside, an open line's breadth with round ends.
QPainterPath Covered(const PlantArea& area, const QPainterPath& path, double pixelsPerUnit) {
    if (area.closed())
        return path;
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(1.0, *area.width * pixelsPerUnit));
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path).simplified();
}

} // namespace

void PaintAreaOutlines(QPainter& painter, const std::vector<PlantArea>& areas, const PreviewView& view) {
    painter.save();
    const QRectF picture(0, 0, view.width, view.height);
    for (const PlantArea& area : areas) {
        if (area.points.size() < 2)
            continue;
        const QPainterPath covered = Covered(area, AreaPath(area, view), view.pixelsPerUnit);
        // The soft edge: a band the falloff wide beside the edge, on the side where plants thin.
        if (area.falloff > 0) {
            QPainterPathStroker band;
            band.setWidth(2 * area.falloff * view.pixelsPerUnit);
            band.setJoinStyle(Qt::RoundJoin);
            QPainterPath side = band.createStroke(covered);
            QPainterPath outside;
            outside.addRect(picture);
            side = area.mode == AreaMode::exclude ? side.intersected(outside.subtracted(covered))
                                                  : side.intersected(covered);
            painter.fillPath(side, AreaColour(area.mode, 40));
        }
        painter.fillPath(covered, AreaColour(area.mode, area.mode == AreaMode::exclude ? 60 : 30));
        // A dark edge under a light one, readable over any dots.
        painter.strokePath(covered, QPen(QColor(0, 0, 0, 160), 3));
        painter.strokePath(covered, QPen(AreaColour(area.mode, 255), 1.5));
    }
    painter.restore();
}

void PaintAreaEdit(QPainter& painter, const std::vector<GroundPoint>& points, bool drafting,
                   const PreviewView& view) {
    if (points.empty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (drafting) {
        // The line drawn so far, dashed: it is no area until it ends.
        QPainterPath path;
        path.moveTo(view.pixelX(points[0].x), view.pixelY(points[0].y));
        for (std::size_t i = 1; i < points.size(); ++i)
            path.lineTo(view.pixelX(points[i].x), view.pixelY(points[i].y));
        painter.strokePath(path, QPen(QColor(0, 0, 0, 200), 3));
        painter.strokePath(path, QPen(Qt::white, 1.5, Qt::DashLine));
    }
    // Each point a square the pointer can take hold of.
    constexpr double half = 4;
    for (const GroundPoint& point : points) {
        const QRectF handle(view.pixelX(point.x) - half, view.pixelY(point.y) - half, 2 * half, 2 * half);
        painter.fillRect(handle, Qt::white);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(handle);
    }
    painter.restore();
}

} // namespace tes
