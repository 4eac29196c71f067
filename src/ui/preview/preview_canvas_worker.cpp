// The canvas's worker: the plants marked for new views and the dots drawn off the GUI thread.
#include "core/preview/preview_views.h"
#include "ui/preview/preview_canvas.h"

#include <QTimer>

namespace tes {

void PreviewCanvas::settleMarks() {
    if (!m_scene || m_markedVersion == m_viewsVersion)
        return;
    if (m_job.valid())
        m_job.wait(); // the worker reads the scene; the marks it brings are older than these
    MarkPreviewViews(*m_scene, m_views);
    m_markedVersion = m_viewsVersion;
}

bool PreviewCanvas::drawing() const {
    return m_job.valid() || m_refine->isActive();
}

void PreviewCanvas::requestDots() {
    ++m_requested;
    if (m_refine->isActive())
        m_refine->start(); // the gesture goes on
    else if (!m_job.valid())
        startJob();
    update();
}

void PreviewCanvas::startJob() {
    if (!m_scene)
        return;
    std::shared_ptr<const PreviewScene> scene = m_scene;
    const PreviewView view = m_view;
    const std::vector<bool> shown = m_shown;
    const std::uint64_t request = m_requested;
    // New views are marked here too: the scene keeps its old marks until the worker's are taken.
    const std::uint64_t version = m_viewsVersion;
    std::optional<std::vector<PlantView>> views;
    if (m_markedVersion != version)
        views = m_views;
    m_job = std::async(std::launch::async, [this, scene, view, shown, request, version, views] {
        std::optional<PreviewMarks> marks;
        if (views)
            marks = MarksOfViews(*scene, *views);
        QImage dots = PaintPreviewDots(*scene, view, shown, marks ? &marks->leftOut : nullptr);
        QMetaObject::invokeMethod(
            this,
            [this, dots = std::move(dots), view, request, marks = std::move(marks), version,
             scene]() mutable {
                jobDone(std::move(dots), view, request, std::move(marks), version, scene.get());
            },
            Qt::QueuedConnection);
    });
}

void PreviewCanvas::jobDone(QImage dots, PreviewView view, std::uint64_t request,
                            std::optional<PreviewMarks> marks, std::uint64_t viewsVersion,
                            const PreviewScene* scene) {
    m_job.get();
    if (marks && scene == m_scene.get() && viewsVersion > m_markedVersion) {
        ApplyMarks(*m_scene, std::move(*marks));
        m_markedVersion = viewsVersion;
    }
    m_dots = std::move(dots);
    m_dotsView = view;
    m_drawn = request;
    if (m_drawn != m_requested)
        m_refine->start(); // the view changed meanwhile: drawn again once the changes pause
    update();
}

} // namespace tes
