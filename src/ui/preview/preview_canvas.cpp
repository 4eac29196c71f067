#include "ui/preview/preview_canvas.h"

#include "core/preview/preview_palette.h"
#include "core/preview/preview_views.h"
#include "picture/area_outlines.h"

#include <algorithm>
#include <cmath>

#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

namespace tes {

namespace {

constexpr double kZoomPerDegree = 1.01; // one notch of the wheel (15 degrees) zooms by 16 %
constexpr double kZoomPerKey = 1.25;
constexpr double kHoverRadius = 5; // pixels
constexpr int kDragThreshold = 3;  // pixels the pointer moves before a press is a drag
constexpr int kHoverOffset = 14;   // pixels between the pointer and its text
constexpr int kHoverFrame = 12;    // the hover text's padding and border across, and a pixel to spare
constexpr int kRefineMs = 40;      // the pause in a gesture after which the full picture is drawn

bool SameView(const PreviewView& a, const PreviewView& b) {
    return a.centreX == b.centreX && a.centreY == b.centreY && a.pixelsPerUnit == b.pixelsPerUnit &&
           a.width == b.width && a.height == b.height;
}

} // namespace

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The platform's tooltip may be light grey on white; this label is readable over any picture.
    m_hoverLabel = new QLabel(this);
    m_hoverLabel->setObjectName(QStringLiteral("previewHover"));
    m_hoverLabel->setStyleSheet(QStringLiteral(
        "QLabel { color: #101010; background: #FFFBE6; border: 1px solid #6E6A5A; padding: 2px 4px; }"));
    m_hoverLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hoverLabel->hide();
    m_refine = new QTimer(this);
    m_refine->setSingleShot(true);
    m_refine->setInterval(kRefineMs);
    connect(m_refine, &QTimer::timeout, this, [this] {
        if (!m_job.valid() && m_drawn != m_requested)
            startJob();
    });
}

PreviewCanvas::~PreviewCanvas() {
    if (m_job.valid())
        m_job.wait(); // the worker posts to this object
}

void PreviewCanvas::setScene(std::shared_ptr<PreviewScene> scene, std::vector<PlantView> views,
                             bool fitView) {
    const bool sameKinds = m_scene && scene && m_scene->kinds.size() == scene->kinds.size();
    m_scene = std::move(scene);
    m_views = std::move(views);
    // The scene comes marked for these views.
    m_markedVersion = ++m_viewsVersion;
    if (!sameKinds)
        m_shown.clear();
    if (fitView || m_view.width == 0)
        fit();
    else
        requestDots();
}

void PreviewCanvas::setViews(std::vector<PlantView> views) {
    m_views = std::move(views);
    ++m_viewsVersion;
    requestDots();
}

const PreviewScene* PreviewCanvas::scene() {
    settleMarks();
    return m_scene.get();
}

void PreviewCanvas::setSelectedView(int index) {
    m_selectedView = index;
    update();
}

void PreviewCanvas::setEditMode(bool on) {
    m_editMode = on;
    m_editing = false;
    if (on)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

void PreviewCanvas::setAreaEdit(std::optional<std::vector<PlantArea>> areas, std::vector<GroundPoint> points,
                                bool drafting) {
    m_editAreas = std::move(areas);
    m_editPoints = std::move(points);
    m_drafting = drafting;
    update(); // only what is drawn over the dots changes: a dragged point never waits for them
}

void PreviewCanvas::showHoverText(const QString& text) {
    if (text.isEmpty()) {
        m_hoverLabel->hide();
        return;
    }
    m_hoverLabel->setText(text);
    // One line where the picture is wide enough, else wrapped to its width.
    const int room = std::max(120, width() - 2 * kHoverOffset);
    const bool wraps = m_hoverLabel->fontMetrics().horizontalAdvance(text) + kHoverFrame > room;
    m_hoverLabel->setWordWrap(wraps);
    if (wraps)
        m_hoverLabel->resize(room, m_hoverLabel->heightForWidth(room));
    else
        m_hoverLabel->resize(m_hoverLabel->sizeHint());
    // Below and right of the pointer; above it near the bottom, and moved in from the right edge.
    const QPoint at = mapFromGlobal(QCursor::pos());
    const int x = std::max(0, std::min(at.x() + kHoverOffset, width() - m_hoverLabel->width()));
    int y = at.y() + kHoverOffset;
    if (y + m_hoverLabel->height() > height())
        y = std::max(0, at.y() - kHoverOffset - m_hoverLabel->height());
    m_hoverLabel->move(x, y);
    m_hoverLabel->show();
    m_hoverLabel->raise();
}

QString PreviewCanvas::hoverText() const {
    return m_hoverLabel->isVisible() ? m_hoverLabel->text() : QString();
}

void PreviewCanvas::clearScene(const QString& why) {
    m_scene.reset();
    m_views.clear();
    m_emptyText = why;
    m_dots = QImage();
    update();
}

void PreviewCanvas::fit() {
    settleMarks(); // the views' cameras belong in the picture
    if (m_scene)
        setView(FitView(*m_scene, width(), height(), OverlayInsets(*m_scene, width())));
}

void PreviewCanvas::setView(const PreviewView& view) {
    m_view = view;
    // The dot named is no longer under the pointer.
    emit hovered(-1);
    requestDots();
}

QImage PreviewCanvas::picture() {
    if (!m_scene)
        return grab().toImage();
    settleMarks();
    return PaintPreviewPicture(*m_scene, m_views, m_view, m_shown, m_selectedView);
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgba(kPreviewGround));
    if (!m_scene) {
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_emptyText);
        return;
    }
    if (!m_dots.isNull()) {
        if (SameView(m_dotsView, m_view)) {
            painter.drawImage(0, 0, m_dots);
        } else {
            // The last dots moved and scaled to the new view, until the worker has drawn it.
            const double scale = m_view.pixelsPerUnit / m_dotsView.pixelsPerUnit;
            const QPointF topLeft(m_view.pixelX(m_dotsView.sceneX(0)), m_view.pixelY(m_dotsView.sceneY(0)));
            painter.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1);
            painter.drawImage(QRectF(topLeft, QSizeF(m_dots.width() * scale, m_dots.height() * scale)),
                              m_dots);
        }
    }
    m_legendRows.clear();
    PaintPreviewOverlay(painter, *m_scene, m_views, m_view, m_shown, &m_legendRows, m_selectedView,
                        m_editAreas ? &*m_editAreas : nullptr);
    PaintAreaEdit(painter, m_editPoints, m_drafting, m_view);
    if (!m_notice.isEmpty()) {
        const int margin = 6;
        const QRect text = painter.fontMetrics().boundingRect(rect().adjusted(margin * 2, 0, -margin * 2, 0),
                                                              Qt::TextWordWrap, m_notice);
        // At the foot, where it hides no kind of the legend.
        const QRect band(0, height() - text.height() - margin * 2, width(), text.height() + margin * 2);
        painter.fillRect(band, QColor(255, 244, 200, 235));
        painter.setPen(Qt::black);
        painter.drawText(band.adjusted(margin * 2, margin, -margin * 2, -margin), Qt::TextWordWrap, m_notice);
    }
}

void PreviewCanvas::setNotice(const QString& text) {
    if (text == m_notice)
        return;
    m_notice = text;
    update();
}

void PreviewCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!m_scene)
        return;
    if (m_view.width == 0) {
        fit();
        return;
    }
    PreviewView resized = m_view;
    resized.width = width();
    resized.height = height();
    setView(resized);
}

void PreviewCanvas::wheelEvent(QWheelEvent* event) {
    if (!m_scene)
        return;
    const double factor = std::pow(kZoomPerDegree, event->angleDelta().y() / 8.0);
    const QPointF at = event->position();
    setView(m_view.zoomedAt(at.x(), at.y(), factor));
    event->accept();
}

void PreviewCanvas::keyPressEvent(QKeyEvent* event) {
    if (!m_scene) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (m_editMode && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        emit editFinished();
        return;
    }
    if (m_editMode && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
        emit editDeleted();
        return;
    }
    // + and - zoom about the middle, the arrows move the view a tenth of its size, 0 fits the tile.
    const double stepX = width() / 10.0;
    const double stepY = height() / 10.0;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        setView(m_view.zoomedAt(width() / 2.0, height() / 2.0, kZoomPerKey));
        break;
    case Qt::Key_Minus:
        setView(m_view.zoomedAt(width() / 2.0, height() / 2.0, 1 / kZoomPerKey));
        break;
    case Qt::Key_Left:
        setView(m_view.pannedBy(stepX, 0));
        break;
    case Qt::Key_Right:
        setView(m_view.pannedBy(-stepX, 0));
        break;
    case Qt::Key_Up:
        setView(m_view.pannedBy(0, stepY));
        break;
    case Qt::Key_Down:
        setView(m_view.pannedBy(0, -stepY));
        break;
    case Qt::Key_0:
        fit();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF at = event->position();
    const bool onLegend = std::any_of(m_legendRows.begin(), m_legendRows.end(), [&at](const LegendRow& row) {
        return row.rect.contains(at.toPoint());
    });
    m_pressAt = at.toPoint();
    m_lastDrag = *m_pressAt;
    m_dragged = false;
    if (m_editMode && m_scene && !onLegend) {
        m_editing = true;
        emit hovered(-1);
        emit editPressed(m_view.sceneX(at.x()), m_view.sceneY(at.y()));
    }
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_pressAt && m_scene) {
        m_dragged = m_dragged || (at - *m_pressAt).manhattanLength() > kDragThreshold;
        if (m_editing) {
            // A click that wobbles a pixel moves nothing.
            if (m_dragged)
                emit editDragged(m_view.sceneX(event->position().x()), m_view.sceneY(event->position().y()));
        } else if (m_dragged) {
            setView(m_view.pannedBy(at.x() - m_lastDrag.x(), at.y() - m_lastDrag.y()));
            m_lastDrag = at;
        }
        return;
    }
    if (!m_scene)
        return;
    const std::optional<std::size_t> dot =
        DotNear(*m_scene, m_view, KindColours(*m_scene, m_shown), at.x() + 0.5, at.y() + 0.5, kHoverRadius);
    emit hovered(dot ? static_cast<qint64>(*dot) : -1);
}

void PreviewCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_editing) {
        m_editing = false;
        m_pressAt.reset();
        emit editReleased();
        return;
    }
    if (event->button() != Qt::LeftButton || !m_pressAt)
        return;
    if (!m_dragged)
        clickLegend(event->position().toPoint());
    m_pressAt.reset();
}

void PreviewCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first click of the two was a press and a release already.
    if (event->button() == Qt::LeftButton && m_editMode && m_scene)
        emit editFinished();
}

void PreviewCanvas::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit hovered(-1);
}

void PreviewCanvas::clickLegend(QPoint at) {
    for (const LegendRow& row : m_legendRows) {
        if (!row.rect.contains(at))
            continue;
        const bool onlyThis =
            !m_shown.empty() && std::count(m_shown.begin(), m_shown.end(), true) == 1 && m_shown[row.kind];
        if (onlyThis) {
            m_shown.clear();
        } else {
            m_shown.assign(m_scene->kinds.size(), false);
            m_shown[row.kind] = true;
        }
        requestDots();
        return;
    }
}

} // namespace tes
