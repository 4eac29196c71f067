// The preview's picture, with QtGui only, so that the command line can draw it without windows.
#include "picture/preview_picture.h"

#include "core/preview/preview_palette.h"
#include "lib/numbers.h"
#include "picture/area_outlines.h"
#include "picture/kept_plants.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>

namespace tes {

namespace {

constexpr int kMargin = 10;       // between the picture's edge and what is drawn along it
constexpr int kRowHeight = 18;    // one legend row
constexpr int kSwatch = 10;       // a kind's colour square
constexpr int kAxisLength = 44;   // the origin's axis arrows
constexpr int kSunRadius = 26;    // the sun's dial
constexpr int kScaleBarMax = 160; // the longest scale bar

QColor Colour(std::uint32_t argb) {
    return QColor::fromRgba(argb);
}

QFont PictureFont() {
    QFont font;
    font.setPixelSize(12);
    return font;
}

QPointF PixelOf(const PreviewView& view, double X, double Y) {
    return {view.pixelX(X), view.pixelY(Y)};
}

QRectF SquareRect(const PreviewView& view, const PreviewSquare& square) {
    return QRectF(PixelOf(view, square.minX, square.maxY), PixelOf(view, square.maxX, square.minY));
}

// An arrow from `from` to `to` with a small head.
void Arrow(QPainter& painter, QPointF from, QPointF to) {
    painter.drawLine(from, to);
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    if (length < 1)
        return;
    const QPointF unit = along / length;
    const QPointF across(-unit.y(), unit.x());
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to - unit * 8 + across * 4);
    head.lineTo(to - unit * 8 - across * 4);
    head.closeSubpath();
    painter.fillPath(head, painter.pen().color());
}

void PaintTile(QPainter& painter, const PreviewScene& scene, const PreviewView& view) {
    QPen pen(Colour(kPreviewLines));
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(SquareRect(view, scene.margin));
    pen.setStyle(Qt::SolidLine);
    pen.setWidth(2);
    painter.setPen(pen);
    painter.drawRect(SquareRect(view, scene.tile));
}

void PaintOrigin(QPainter& painter, const PreviewView& view) {
    const QPointF origin = PixelOf(view, 0, 0);
    // A dark edge keeps the axes readable over dense dots.
    for (const QPen& pen : {QPen(QColor(0, 0, 0, 200), 4), QPen(Qt::white, 1.5)}) {
        painter.setPen(pen);
        Arrow(painter, origin, origin + QPointF(kAxisLength, 0));
        Arrow(painter, origin, origin - QPointF(0, kAxisLength));
        painter.drawEllipse(origin, 3, 3);
    }
    painter.drawText(origin + QPointF(kAxisLength + 4, 4), QStringLiteral("X"));
    painter.drawText(origin + QPointF(-4, -kAxisLength - 6), QStringLiteral("Y"));
}

// A dial in the top right corner whose arrow points the way the sunlight travels.
void PaintSun(QPainter& painter, const PreviewScene& scene, const PreviewView& view) {
    const QPointF centre(view.width - kMargin - kSunRadius - 4, kMargin + kSunRadius + 4);
    painter.setPen(QPen(Colour(kPreviewLines), 1));
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawEllipse(centre, kSunRadius + 4, kSunRadius + 4);
    const double length = std::hypot(scene.sunX, scene.sunY);
    if (length > 0) {
        const QPointF unit(scene.sunX / length, -scene.sunY / length);
        painter.setPen(QPen(QColor(0xFF, 0xD0, 0x40), 2));
        Arrow(painter, centre - unit * kSunRadius, centre + unit * kSunRadius);
    }
    const QString text = QStringLiteral("Sun %1°").arg(QString::fromStdString(DecimalText(scene.heading)));
    const QRectF below(centre.x() - 60, centre.y() + kSunRadius + 8, 120 - 0, kRowHeight);
    // On the dial's see-through dark, so that it reads over dense dots.
    const QRectF backdrop = painter.boundingRect(below, Qt::AlignHCenter | Qt::AlignTop, text);
    painter.setPen(Qt::NoPen);
    painter.drawRect(backdrop.adjusted(-3, 0, 3, 0));
    painter.setPen(Qt::white);
    painter.drawText(below, Qt::AlignHCenter | Qt::AlignTop, text);
}

// A bar of a round length (1, 2 or 5 times a power of ten scene units) in the bottom left corner.
void PaintScaleBar(QPainter& painter, const PreviewView& view) {
    const double most = kScaleBarMax / view.pixelsPerUnit;
    if (!std::isfinite(most) || most <= 0)
        return;
    const double power = std::pow(10.0, std::floor(std::log10(most)));
    double length = power;
    for (const double step : {5.0, 2.0}) {
        if (step * power <= most) {
            length = step * power;
            break;
        }
    }
    const double pixels = length * view.pixelsPerUnit;
    const QPointF left(kMargin, view.height - kMargin - 6);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(left, left + QPointF(pixels, 0));
    painter.drawLine(left, left - QPointF(0, 5));
    painter.drawLine(left + QPointF(pixels, 0), left + QPointF(pixels, -5));
    painter.drawText(left + QPointF(0, -8),
                     QString::fromStdString(DecimalText(length)) + QStringLiteral(" units"));
}

// The legend's width: its widest name and count, at most half the picture.
int LegendWidth(const PreviewScene& scene, const QFontMetrics& metrics, int pictureWidth) {
    int nameWidth = metrics.horizontalAdvance(QStringLiteral("0000000 records"));
    int countWidth = metrics.horizontalAdvance(QStringLiteral("0"));
    for (const PreviewKind& kind : scene.kinds) {
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(QString::fromStdString(kind.label)));
        countWidth = std::max(countWidth, metrics.horizontalAdvance(LegendCountText(kind)));
    }
    return std::min(kSwatch + 6 + nameWidth + 12 + countWidth + 12, pictureWidth / 2);
}

// A kind whose plants take several variants shows their shades side by side in its swatch, as its
// dots do.
void PaintVariantStripes(QPainter& painter, const QRect& swatch, const PreviewKind& kind) {
    const std::size_t count = std::min<std::size_t>(kind.variants.size(), 16);
    if (count < 2)
        return;
    painter.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < count; ++i) {
        const double left = swatch.left() + swatch.width() * static_cast<double>(i) / count;
        const double right = swatch.left() + swatch.width() * static_cast<double>(i + 1) / count;
        painter.fillRect(QRectF(left, swatch.top(), right - left, swatch.height()),
                         Colour(VariantShade(kind.colour, i)));
    }
}

void PaintLegend(QPainter& painter, const PreviewScene& scene, const PreviewView& view,
                 const std::vector<bool>& shown, std::vector<LegendRow>* rows) {
    const QFontMetrics metrics(painter.font());
    int countWidth = metrics.horizontalAdvance(QStringLiteral("0"));
    for (const PreviewKind& kind : scene.kinds)
        countWidth = std::max(countWidth, metrics.horizontalAdvance(LegendCountText(kind)));
    const int fitting = std::max(1, (view.height - 3 * kMargin) / kRowHeight - 2);
    const std::size_t listed = std::min(scene.legend.size(), static_cast<std::size_t>(fitting));
    const int width = LegendWidth(scene, metrics, view.width);
    const int height = static_cast<int>(listed + 1 + (listed < scene.legend.size())) * kRowHeight + 8;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 150));
    painter.drawRect(kMargin, kMargin, width, height);

    int y = kMargin + 4;
    painter.setPen(Qt::white);
    painter.drawText(QRect(kMargin + 6, y, width - 12, kRowHeight), Qt::AlignVCenter,
                     QStringLiteral("%1 records")
                         .arg(QString::fromStdString(GroupedDigits(ShownRecordCount(scene, shown)))));
    for (std::size_t i = 0; i < listed; ++i) {
        y += kRowHeight;
        const std::size_t k = scene.legend[i];
        const PreviewKind& kind = scene.kinds[k];
        const bool visible = shown.empty() || (k < shown.size() && shown[k]);
        const QRect row(kMargin + 6, y, width - 12, kRowHeight);
        const QRect swatch(row.left(), row.center().y() - kSwatch / 2, kSwatch, kSwatch);
        painter.setPen(Colour(kind.colour));
        painter.setBrush(visible ? Colour(kind.colour) : QColor(Qt::transparent));
        painter.drawRect(swatch);
        if (visible)
            PaintVariantStripes(painter, swatch, kind);
        painter.setPen(visible ? QColor(Qt::white) : QColor(Qt::gray));
        const QRect text = row.adjusted(kSwatch + 6, 0, 0, 0);
        painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                         metrics.elidedText(QString::fromStdString(kind.label), Qt::ElideRight,
                                            text.width() - countWidth - 8));
        painter.drawText(text, Qt::AlignVCenter | Qt::AlignRight, LegendCountText(kind));
        if (rows)
            rows->push_back({k, row});
    }
    if (listed < scene.legend.size()) {
        painter.setPen(Qt::gray);
        painter.drawText(QRect(kMargin + 6, y + kRowHeight, width - 12, kRowHeight), Qt::AlignVCenter,
                         QStringLiteral("... %1 more kinds").arg(scene.legend.size() - listed));
    }
}

} // namespace

QString LegendCountText(const PreviewKind& kind) {
    // Grouped as the status line groups its counts.
    const QString count = QString::fromStdString(GroupedDigits(kind.count));
    if (!kind.filtered)
        return count;
    return QStringLiteral("shown %1 of %2").arg(QString::fromStdString(GroupedDigits(kind.shown)), count);
}

PreviewInsets OverlayInsets(const PreviewScene& scene, int width) {
    // The sun's caption, 120 pixels wide under the middle of its dial, reaches furthest in.
    const int sunReach = kMargin + kSunRadius + 4 + 60;
    return {kMargin + LegendWidth(scene, QFontMetrics(PictureFont()), width) + kMargin, sunReach + kMargin};
}

std::uint64_t ShownRecordCount(const PreviewScene& scene, const std::vector<bool>& shown) {
    std::uint64_t total = 0;
    for (std::size_t k = 0; k < scene.kinds.size(); ++k)
        if (shown.empty() || (k < shown.size() && shown[k]))
            total += scene.kinds[k].count;
    return total;
}

QImage PaintPreviewDots(const PreviewScene& scene, const PreviewView& view, const std::vector<bool>& shown,
                        const std::vector<bool>* leftOut) {
    QImage image(std::max(1, view.width), std::max(1, view.height), QImage::Format_RGB32);
    image.fill(Colour(kPreviewGround));
    PixelBuffer buffer{reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
                       image.bytesPerLine() / 4};
    RasterizeMarkedDots(scene, leftOut ? *leftOut : scene.leftOut, view, KindColours(scene, shown),
                        DotSize(scene, view), buffer);
    return image;
}

void PaintPreviewOverlay(QPainter& painter, const PreviewScene& scene, const std::vector<PlantView>& views,
                         const PreviewView& view, const std::vector<bool>& shown,
                         std::vector<LegendRow>* rows, int selectedView,
                         const std::vector<PlantArea>* areas) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(PictureFont());
    PaintTile(painter, scene, view);
    PaintAreaOutlines(painter, areas ? *areas : scene.areas, view);
    PaintOrigin(painter, view);
    PaintPlantViews(painter, views, view, selectedView);
    PaintSun(painter, scene, view);
    PaintScaleBar(painter, view);
    PaintLegend(painter, scene, view, shown, rows);
    painter.restore();
}

QImage PaintPreviewPicture(const PreviewScene& scene, const std::vector<PlantView>& views,
                           const PreviewView& view, const std::vector<bool>& shown, int selectedView) {
    QImage image = PaintPreviewDots(scene, view, shown);
    QPainter painter(&image);
    PaintPreviewOverlay(painter, scene, views, view, shown, nullptr, selectedView);
    return image;
}

} // namespace tes
