#pragma once

#include "core/preview/preview_raster.h"
#include "core/preview/preview_scene.h"
#include "core/preview/preview_views.h"
#include "picture/preview_picture.h"

#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <vector>

#include <QImage>
#include <QWidget>

class QLabel;
class QTimer;

namespace tes {

// The tile seen from above: wheel zooms about the pointer, dragging pans, a click on a kind of the
// legend shows only that kind (a second click shows all again), and hovering a dot names its record.
// From the keyboard, + and - zoom, the arrows pan and 0 fits the tile. In the edit mode (a view's camera
// or an area's points) a press, a drag and its release report their scene points instead of panning,
// and a double-click, Enter and Delete are reported too.
// The dots are drawn on a worker thread; meanwhile the last picture is shown moved and scaled.
class PreviewCanvas final : public QWidget {
    Q_OBJECT
public:
    explicit PreviewCanvas(QWidget* parent = nullptr);
    ~PreviewCanvas() override;

    // A new scene and the views it was built with; `fit` shows the whole tile, otherwise the view
    // stays where it was.
    void setScene(std::shared_ptr<PreviewScene> scene, std::vector<PlantView> views, bool fit);
    // New views: the scene's plants are marked again for them (no records read) and drawn anew, both on
    // the worker, so a drag of a view's target never waits for them.
    void setViews(std::vector<PlantView> views);
    // The view drawn as the one a click moves (-1: none).
    void setSelectedView(int index);
    // In the edit mode the left button reports its scene points instead of panning.
    void setEditMode(bool on);
    bool editMode() const { return m_editMode; }
    // The areas as being edited, drawn instead of the scene's (none: the scene's), the handles of the
    // points being edited, and while `drafting` the line through them.
    void setAreaEdit(std::optional<std::vector<PlantArea>> areas, std::vector<GroundPoint> points,
                     bool drafting);
    // The text beside the pointer, dark on light whatever the palette; empty hides it.
    void showHoverText(const QString& text);
    QString hoverText() const;
    // No scene: the text says why.
    void clearScene(const QString& why);
    // A line over the foot of the picture, dark on light, that no zoom or pan moves; empty hides it.
    void setNotice(const QString& text);
    const QString& notice() const { return m_notice; }
    // The scene, its plants marked for the latest views (waits for the worker's marks when they are due).
    const PreviewScene* scene();
    bool hasScene() const { return m_scene != nullptr; }
    void fit();
    // The picture as shown now, overlay included.
    QImage picture();
    const PreviewView& view() const { return m_view; }
    // True until the full picture of the view shown is drawn.
    bool drawing() const;

signals:
    // The record under the pointer (its row in List1), or -1.
    void hovered(qint64 row);
    // The edit mode's press, the pointer's scene point while the button is held, and the release.
    void editPressed(double X, double Y);
    void editDragged(double X, double Y);
    void editReleased();
    // The edit mode's double-click or Enter, and Delete.
    void editFinished();
    void editDeleted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setView(const PreviewView& view);
    void requestDots();
    void startJob();
    void jobDone(QImage dots, PreviewView view, std::uint64_t request, std::optional<PreviewMarks> marks,
                 std::uint64_t viewsVersion, const PreviewScene* scene);
    // The scene's marks for the latest views, now.
    void settleMarks();
    void clickLegend(QPoint at);

    std::shared_ptr<PreviewScene> m_scene;
    std::vector<PlantView> m_views;
    std::uint64_t m_viewsVersion = 0;  // bumps with every new set of views
    std::uint64_t m_markedVersion = 0; // the views the scene's marks are for
    int m_selectedView = -1;
    bool m_editMode = false;
    bool m_editing = false; // the edit mode's press is held
    std::optional<std::vector<PlantArea>> m_editAreas;
    std::vector<GroundPoint> m_editPoints;
    bool m_drafting = false;
    QLabel* m_hoverLabel = nullptr;
    QString m_emptyText;
    QString m_notice;
    PreviewView m_view;
    std::vector<bool> m_shown; // per kind; empty: all
    QImage m_dots;             // the last dots drawn, and the view they were drawn for
    PreviewView m_dotsView;
    std::vector<LegendRow> m_legendRows;
    std::future<void> m_job;
    // Holds the next full picture back while a gesture goes on, so the worker leaves the processor to
    // the gesture's quick pictures.
    QTimer* m_refine = nullptr;
    std::uint64_t m_requested = 0; // bumps with every change that needs new dots
    std::uint64_t m_drawn = 0;     // the request the dots answer
    std::optional<QPoint> m_pressAt;
    QPoint m_lastDrag;
    bool m_dragged = false;
};

} // namespace tes
