// The preview window's areas: the area mode's clicks, which draw a new area point by point, its drag
// of a point of the chosen area, Enter or a double-click that ends a new area, Delete, and the panel's
// values. Each change goes into the kinds table through the form's handlers, once a gesture ends; the
// plants are marked again from the records while the picture already shows the new outline.
#include "ui/preview/preview_areas_panel.h"
#include "ui/preview/preview_canvas.h"
#include "ui/preview/preview_views_panel.h"
#include "ui/preview/preview_window.h"
#include "ui/to_qt.h"

#include <QToolButton>

namespace tes {

namespace {

constexpr double kPointReach = 6; // pixels from a point at which a press takes hold of it

QString SectionName(const std::vector<AreaSection>& sections, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= sections.size())
        return QString();
    return ToQString(sections[static_cast<std::size_t>(index)].section);
}

} // namespace

bool PreviewWindow::drawingAreas() const {
    return m_areasPanel->modeButton()->isChecked();
}

void PreviewWindow::pressEdit(double X, double Y) {
    if (drawingAreas())
        pressArea(X, Y);
    else
        pressView(X, Y);
}

void PreviewWindow::dragEdit(double X, double Y) {
    if (drawingAreas())
        dragArea(X, Y);
    else
        dragView(X, Y);
}

void PreviewWindow::releaseEdit() {
    if (drawingAreas())
        releaseArea();
    else
        releaseView();
}

void PreviewWindow::followAreas() {
    const std::vector<AreaSection>& sections = m_source.views.table.areaSections();
    const int count = static_cast<int>(sections.size());
    if (m_selectedArea >= count)
        m_selectedArea = count - 1;
    m_areasPanel->showAreas(sections, m_selectedArea, m_freshArea);
    showAreaEdit();
}

void PreviewWindow::showAreaEdit() {
    std::vector<PlantArea> areas;
    std::vector<GroundPoint> handles;
    const std::vector<AreaSection>& sections = m_source.views.table.areaSections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const bool chosen = static_cast<int>(i) == m_selectedArea;
        const std::optional<PlantArea>& area = chosen && m_movedArea ? m_movedArea : sections[i].area;
        if (!area)
            continue;
        areas.push_back(*area);
        if (chosen && drawingAreas())
            handles = area->points;
    }
    const bool drafting = !m_draft.empty();
    m_canvas->setAreaEdit(std::move(areas), drafting ? m_draft : handles, drafting);
}

void PreviewWindow::setAreaMode(bool on) {
    if (on)
        m_panel->modeButton()->setChecked(false); // one mode at a time
    m_canvas->setEditMode(on || m_panel->modeButton()->isChecked());
    m_draft.clear();
    m_heldPoint.reset();
    m_movedArea.reset();
    showAreaEdit();
    showStatus(on ? QStringLiteral("Click the points of a new area; Enter or a double-click ends it (a line "
                                   "when Width holds a number). Drag a point of the chosen area to move it. "
                                   "Esc: done")
                  : m_summary);
}

// A press on a point of the chosen area takes hold of it; anywhere else it adds a point to a new area.
void PreviewWindow::pressArea(double X, double Y) {
    const std::vector<AreaSection>& sections = m_source.views.table.areaSections();
    const double pixels = m_canvas->view().pixelsPerUnit;
    if (m_draft.empty() && m_selectedArea >= 0 &&
        static_cast<std::size_t>(m_selectedArea) < sections.size()) {
        const std::optional<PlantArea>& area = sections[static_cast<std::size_t>(m_selectedArea)].area;
        if (area && pixels > 0) {
            m_heldPoint = AreaPointNear(area->points, X, Y, kPointReach / pixels);
            if (m_heldPoint) {
                m_movedArea = area;
                return;
            }
        }
    }
    if (m_draft.empty()) {
        m_selectedArea = -1; // the panel's values become the new area's
        m_areasPanel->showAreas(sections, -1, m_freshArea);
    }
    m_draft.push_back(pointAt(X, Y));
    showAreaEdit();
    showStatus(QStringLiteral("%1 points; Enter or a double-click ends the new area, Esc drops it")
                   .arg(m_draft.size()));
}

// The point follows the pointer in the picture only: the table is written once, on release.
void PreviewWindow::dragArea(double X, double Y) {
    if (!m_heldPoint || !m_movedArea)
        return;
    m_movedArea->points[*m_heldPoint] = pointAt(X, Y);
    showAreaEdit();
}

void PreviewWindow::releaseArea() {
    if (!m_heldPoint || !m_movedArea)
        return;
    const PlantArea moved = *m_movedArea;
    m_heldPoint.reset();
    m_movedArea.reset();
    const std::size_t index = static_cast<std::size_t>(m_selectedArea);
    const QString name = SectionName(m_source.views.table.areaSections(), m_selectedArea);
    // The table read again from its file during the drag may hold the area no more.
    if (name.isEmpty() || moved == m_source.views.table.areaSections()[index].area) {
        showAreaEdit(); // a click on a point moves nothing
        return;
    }
    std::vector<AreaSection> before = m_source.views.table.areaSections();
    const std::optional<Message> failure = SetPreviewArea(m_source.views, index, moved, true);
    if (!failure)
        recordAreaChange(std::move(before), name + QStringLiteral(" moved"));
    followAreas();
    inputsChanged(); // the plants it clears or holds
    showMessage(failure);
    if (!failure && !m_source.views.path.empty())
        showAreaStatus(savedStatus(name + QStringLiteral(" moved and saved in %1")));
}

void PreviewWindow::recordAreaChange(std::vector<AreaSection> before, const QString& what) {
    m_undo.recordAreas(std::move(before), what.toStdString());
    m_panel->showUndo(what);
}

void PreviewWindow::showAreaStatus(const QString& text) {
    showStatus(text);
    m_afterBuild = text;
}

// Ends the new area: closed, or a line when Width holds a number.
void PreviewWindow::finishArea() {
    if (!drawingAreas() || m_draft.empty())
        return;
    m_freshArea = m_areasPanel->fieldTexts();
    const AreaDraft draft = DraftArea(m_draft, m_freshArea);
    if (!draft.area) {
        m_areasPanel->markField(draft.field, ToQString(draft.problem));
        showStatus(QStringLiteral("The new area cannot be ended: %1").arg(ToQString(draft.problem)));
        return;
    }
    const std::size_t index = m_source.views.table.areaSections().size();
    std::vector<AreaSection> before = m_source.views.table.areaSections();
    const std::optional<Message> failure = SetPreviewArea(m_source.views, index, *draft.area, true);
    m_draft.clear();
    if (!failure) {
        m_selectedArea = static_cast<int>(index);
        recordAreaChange(std::move(before), SectionName(m_source.views.table.areaSections(), m_selectedArea) +
                                                QStringLiteral(" added"));
    }
    followAreas();
    inputsChanged();
    showMessage(failure);
    if (!failure && !m_source.views.path.empty())
        showAreaStatus(savedStatus(SectionName(m_source.views.table.areaSections(), m_selectedArea) +
                                   QStringLiteral(" added and saved in %1")));
}

// Delete drops a new area being drawn, else removes the chosen one.
void PreviewWindow::deleteArea() {
    if (!m_draft.empty()) {
        m_draft.clear();
        followAreas();
        showStatus(QStringLiteral("The new area was dropped"));
        return;
    }
    if (m_selectedArea < 0)
        return;
    const QString name = SectionName(m_source.views.table.areaSections(), m_selectedArea);
    std::vector<AreaSection> before = m_source.views.table.areaSections();
    const std::optional<Message> failure =
        RemovePreviewArea(m_source.views, static_cast<std::size_t>(m_selectedArea));
    if (!failure)
        recordAreaChange(std::move(before), name + QStringLiteral(" removed"));
    m_selectedArea = -1;
    followAreas();
    inputsChanged();
    showMessage(failure);
    if (!failure && !m_source.views.path.empty())
        showAreaStatus(savedStatus(name + QStringLiteral(" removed from %1")));
}

// The values of the chosen area, read by the table's rules; with none chosen, the next new area's.
void PreviewWindow::editAreaFields(AreaField field) {
    const AreaFieldTexts texts = m_areasPanel->fieldTexts();
    if (m_selectedArea < 0) {
        const AreaDraft read = DraftArea({}, texts);
        m_areasPanel->markField(read.area ? field : read.field,
                                read.area ? QString() : ToQString(read.problem));
        if (read.area)
            m_freshArea = texts;
        return;
    }
    const QString name = SectionName(m_source.views.table.areaSections(), m_selectedArea);
    std::vector<AreaSection> before = m_source.views.table.areaSections();
    const AreaFieldEdit edit =
        SetPreviewAreaFields(m_source.views, static_cast<std::size_t>(m_selectedArea), texts);
    if (!edit.problem.empty()) {
        m_areasPanel->markField(edit.field, ToQString(edit.problem));
        return;
    }
    if (!edit.failure)
        recordAreaChange(std::move(before), name + QStringLiteral(" changed"));
    followAreas();
    inputsChanged();
    showMessage(edit.failure);
    if (!edit.failure && !m_source.views.path.empty())
        showAreaStatus(savedStatus(name + QStringLiteral(" saved in %1")));
}

} // namespace tes
