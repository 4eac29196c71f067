#include "picture/kept_plants.h"

#include "core/preview/preview_palette.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QPainter>
#include <QPainterPath>

namespace tes {

namespace {

constexpr double kCameraRadius = 5;        // pixels
constexpr double kTargetArm = 4;           // pixels
const QColor kViewFill(255, 255, 255, 24); // light enough that the dots under it keep their colours
const QColor kSelectedCamera(0xFF, 0xD0, 0x40);

bool Finite(const PlantView& v) {
    for (const double value :
         {v.camera.x, v.camera.y, v.target.x, v.target.y, v.fov, v.margin, v.keepRadius, v.far}) {
        if (!std::isfinite(value))
            return false;
    }
    return true;
}

// The pixel `length` pixels from `from` at `degrees` counterclockwise from the scene's X axis.
QPointF Along(QPointF from, double degrees, double length) {
    const double radians = degrees * std::numbers::pi / 180;
    return from + QPointF(std::cos(radians), -std::sin(radians)) * length;
}

// Draws twice, dark under light, so the lines stay readable over any dots.
template <typename Draw> void Outlined(QPainter& painter, Qt::PenStyle style, Draw draw) {
    QPen under(QColor(0, 0, 0, 170), 3.5);
    QPen over(Qt::white, 1.5);
    under.setStyle(style);
    over.setStyle(style);
    for (const QPen& pen : {under, over}) {
        painter.setPen(pen);
        draw();
    }
}

void PaintView(QPainter& painter, const PlantView& v, const PreviewView& view, int number, bool selected) {
    const QPointF camera(view.pixelX(v.camera.x), view.pixelY(v.camera.y));
    const QPointF target(view.pixelX(v.target.x), view.pixelY(v.target.y));
    // Beyond every corner of the picture, so that an edge without a far distance leaves it.
    double beyond = 1;
    for (const QPointF corner :
         {QPointF(0, 0), QPointF(view.width, 0), QPointF(0, view.height), QPointF(view.width, view.height)})
        beyond = std::max(beyond, std::hypot(corner.x() - camera.x(), corner.y() - camera.y()) + 8);
    const double far = v.far > 0 ? std::min(v.far * view.pixelsPerUnit, beyond) : beyond;
    const double heading =
        std::atan2(v.target.y - v.camera.y, v.target.x - v.camera.x) * 180 / std::numbers::pi;
    const double half = std::min(180.0, v.fov / 2 * (1 + v.margin / 100));

    QPainterPath field;
    if (half < 180) {
        field.moveTo(camera);
        field.arcTo(QRectF(camera - QPointF(far, far), QSizeF(2 * far, 2 * far)), heading - half, 2 * half);
        field.closeSubpath();
    } else if (v.far > 0) {
        field.addEllipse(camera, far, far);
    }
    QPainterPath keep;
    if (v.keepRadius > 0)
        keep.addEllipse(camera, v.keepRadius * view.pixelsPerUnit, v.keepRadius * view.pixelsPerUnit);
    painter.setBrush(Qt::NoBrush);
    painter.fillPath(field.united(keep), kViewFill);
    Outlined(painter, Qt::SolidLine, [&] { painter.drawPath(field); });
    Outlined(painter, Qt::DashLine, [&] { painter.drawPath(keep); });
    // The field of view itself, inside the margin.
    if (v.margin > 0 && v.fov / 2 < 180) {
        Outlined(painter, Qt::DotLine, [&] {
            painter.drawLine(camera, Along(camera, heading + v.fov / 2, far));
            painter.drawLine(camera, Along(camera, heading - v.fov / 2, far));
        });
    }
    Outlined(painter, Qt::SolidLine, [&] {
        painter.drawLine(target - QPointF(kTargetArm, kTargetArm), target + QPointF(kTargetArm, kTargetArm));
        painter.drawLine(target - QPointF(kTargetArm, -kTargetArm),
                         target + QPointF(kTargetArm, -kTargetArm));
    });
    painter.setPen(QPen(QColor(0, 0, 0, 200), 1.5));
    painter.setBrush(selected ? kSelectedCamera : QColor(Qt::white));
    painter.drawEllipse(camera, kCameraRadius + (selected ? 1 : 0), kCameraRadius + (selected ? 1 : 0));
    painter.setPen(Qt::white);
    // Below the camera, clear of the axes when it stands on the origin.
    painter.drawText(camera + QPointF(kCameraRadius + 2, kCameraRadius + 14),
                     QStringLiteral("View%1").arg(number));
}

} // namespace

void PaintPlantViews(QPainter& painter, const std::vector<PlantView>& views, const PreviewView& view,
                     int selected) {
    painter.save();
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (Finite(views[i]))
            PaintView(painter, views[i], view, static_cast<int>(i + 1), static_cast<int>(i) == selected);
    }
    painter.restore();
}

} // namespace tes
