// The preview window's views: the view mode's click and drag, the panel's Add, Remove, Undo and
// numbers. Each change goes into the kinds table through the form's handlers; the picture follows at
// once.
#include "core/preview/preview_views.h"
#include "lib/numbers.h"
#include "ui/preview/preview_areas_panel.h"
#include "ui/preview/preview_canvas.h"
#include "ui/preview/preview_views_panel.h"
#include "ui/preview/preview_window.h"
#include "ui/to_qt.h"

#include <algorithm>
#include <cmath>

#include <QToolButton>

namespace tes {

namespace {

// The middle of the scene's tile, where a new view looks, and the tile's width.
GroundPoint TileMiddle(const PreviewScene* scene) {
    if (!scene)
        return {};
    return {(scene->tile.minX + scene->tile.maxX) / 2, (scene->tile.minY + scene->tile.maxY) / 2};
}

double TileWidth(const PreviewScene* scene) {
    const double width = scene ? scene->tile.maxX - scene->tile.minX : 0;
    return width > 0 ? width : 400;
}

} // namespace

void PreviewWindow::showMessage(const std::optional<Message>& message) {
    if (message)
        m_source.platform.showMessageOfKind(*message);
}

void PreviewWindow::followViews() {
    const std::vector<ViewSection>& sections = m_source.views.table.viewSections();
    const int count = static_cast<int>(sections.size());
    m_selected = count == 0 ? -1 : std::clamp(m_selected, 0, count - 1);
    // A scene still being read is marked for these views when it is done.
    const std::vector<PlantView> views = PreviewedViews(m_source.views.table);
    if (views != m_shownViews && m_canvas->hasScene()) {
        m_canvas->setViews(views);
        m_shownViews = views;
    }
    // The picture draws the views only when every one can be read, and then in the panel's order.
    m_canvas->setSelectedView(views.empty() ? -1 : m_selected);
    m_panel->showViews(sections, m_selected);
    const std::optional<std::string> unreadable = m_source.views.table.unreadableViews();
    m_canvas->setNotice(unreadable ? ToQString(*unreadable) +
                                         QStringLiteral(". No plant is shown faded until it is mended.")
                                   : QString());
    followAreas();
}

// The chosen view's name as the kinds table writes it: "View2".
QString PreviewWindow::selectedName() const {
    const std::vector<ViewSection>& sections = m_source.views.table.viewSections();
    if (m_selected < 0 || static_cast<std::size_t>(m_selected) >= sections.size())
        return QString();
    return ToQString(sections[static_cast<std::size_t>(m_selected)].section);
}

void PreviewWindow::tableFollowed() {
    followViews();
    inputsChanged(); // the kinds' rows and seed, which the scene is drawn with
}

// A point of the picture to the nearest step that stays below a pixel, so the table holds 120.5 rather
// than 120.4837261.
GroundPoint PreviewWindow::pointAt(double X, double Y) const {
    const double pixels = m_canvas->view().pixelsPerUnit;
    const int decimals = std::clamp(static_cast<int>(std::ceil(std::log10(pixels > 0 ? pixels : 1))), 0, 6);
    return {RoundHalfEven(X, decimals), RoundHalfEven(Y, decimals)};
}

void PreviewWindow::setMode(bool on) {
    if (on)
        m_areasPanel->modeButton()->setChecked(false); // one mode at a time
    m_canvas->setEditMode(on || drawingAreas());
    m_settingView = false;
    if (!on) {
        showStatus(m_summary);
        return;
    }
    showModeHint();
}

// What a click does now: it names the chosen view, so it is said again whenever another is chosen.
void PreviewWindow::showModeHint() {
    const QString which = m_selected >= 0 ? selectedName() + QStringLiteral("'s camera")
                                          : QStringLiteral("the camera of a new view");
    showStatus(
        QStringLiteral("Click to place %1, drag to aim it. Esc or Set view again: drag pans.").arg(which));
}

// A click places the camera: the chosen view keeps its direction, a new one looks at the tile's middle.
void PreviewWindow::pressView(double X, double Y) {
    const std::vector<ViewSection>& sections = m_source.views.table.viewSections();
    const GroundPoint at = pointAt(X, Y);
    const std::size_t index = m_selected >= 0 ? static_cast<std::size_t>(m_selected) : sections.size();
    PlantView view;
    if (index < sections.size() && sections[index].view) {
        view = *sections[index].view;
        view.target = {at.x + view.target.x - view.camera.x, at.y + view.target.y - view.camera.y};
    } else {
        // A new view, or one that cannot be read, which the click mends.
        const GroundPoint middle = TileMiddle(m_canvas->scene());
        const double width = TileWidth(m_canvas->scene());
        const bool nearMiddle = std::hypot(middle.x - at.x, middle.y - at.y) < width / 20;
        view.target = nearMiddle ? GroundPoint{at.x, at.y + width / 4} : middle;
    }
    view.camera = at;
    std::vector<ViewSection> before = sections; // `sections` is the table's, which the next line changes
    if (std::optional<Message> refused = SetPreviewView(m_source.views, index, view, false)) {
        showMessage(refused);
        return;
    }
    m_pressBefore = std::move(before);
    m_selected = static_cast<int>(index);
    m_settingView = true;
    followViews();
}

// The target follows the pointer, and the picture the view, while the button is held.
void PreviewWindow::dragView(double X, double Y) {
    const std::vector<ViewSection>& sections = m_source.views.table.viewSections();
    if (!m_settingView || m_selected < 0 || static_cast<std::size_t>(m_selected) >= sections.size() ||
        !sections[static_cast<std::size_t>(m_selected)].view)
        return;
    PlantView view = *sections[static_cast<std::size_t>(m_selected)].view;
    const GroundPoint at = pointAt(X, Y);
    if (at == view.camera || at == view.target)
        return;
    view.target = at;
    SetPreviewView(m_source.views, static_cast<std::size_t>(m_selected), view, false);
    followViews();
}

// The table is written once a drag ends, not at every step of it. One camera placed ends the mode, so
// a stray click later cannot move it.
void PreviewWindow::releaseView() {
    if (!m_settingView)
        return;
    m_settingView = false;
    std::optional<Message> failure = StorePreviewViews(m_source.views);
    const QString name = selectedName();
    if (!failure)
        recordChange(std::move(m_pressBefore), name + QStringLiteral(" placed"));
    m_pressBefore.clear();
    followViews(); // a failed save left the views as the file holds them
    m_panel->modeButton()->setChecked(false);
    showMessage(failure);
    if (failure)
        return;
    const QString again = QStringLiteral("; press Set view to move it again");
    showStatus(m_source.views.path.empty()
                   ? name + QStringLiteral(" placed") + again
                   : savedStatus(name + QStringLiteral(" placed and saved in %1")) + again);
}

// A view from the middle of the tile's near edge to its middle, chosen so a click places it.
void PreviewWindow::addView() {
    const std::size_t index = m_source.views.table.viewSections().size();
    const GroundPoint middle = TileMiddle(m_canvas->scene());
    PlantView view;
    view.target = middle;
    view.camera = {middle.x, middle.y - TileWidth(m_canvas->scene()) / 2};
    std::vector<ViewSection> before = m_source.views.table.viewSections();
    const std::optional<Message> failure = SetPreviewView(m_source.views, index, view, true);
    m_selected = static_cast<int>(index);
    if (!failure)
        recordChange(std::move(before), selectedName() + QStringLiteral(" added"));
    followViews();
    showMessage(failure);
    if (failure)
        return;
    if (m_panel->modeButton()->isChecked())
        showModeHint(); // names the new view
    else
        m_panel->modeButton()->setChecked(true);
}

// `done` with the kinds table's name for %1 ("View1 saved in Valley.tes.ini"), and the keys the save
// replaced that another program had changed.
QString PreviewWindow::savedStatus(const QString& done) const {
    QString text = done.arg(ToQString(m_source.views.table.fileName()));
    for (const std::string& replaced : m_source.views.table.replaced())
        text += QStringLiteral("; replaced ") + ToQString(replaced);
    return text;
}

void PreviewWindow::removeView() {
    if (m_selected < 0)
        return;
    std::vector<ViewSection> before = m_source.views.table.viewSections();
    const QString removed = selectedName();
    const std::optional<Message> failure =
        RemovePreviewView(m_source.views, static_cast<std::size_t>(m_selected));
    if (!failure)
        recordChange(std::move(before), removed + QStringLiteral(" removed"));
    followViews();
    showMessage(failure);
    if (m_panel->modeButton()->isChecked())
        showModeHint(); // another view is chosen now, or none
    else if (!failure && !m_source.views.path.empty())
        showStatus(savedStatus(removed + QStringLiteral(" removed from %1")) +
                   (m_selected >= 0 ? QStringLiteral("; %1 is chosen").arg(selectedName())
                                    : QStringLiteral("; no view is left")));
}

// The views as before the last change, written as every change is.
void PreviewWindow::undoView() {
    if (m_settingView || m_heldPoint)
        return; // a camera or a point is being placed: its release is the change to undo
    if (m_undo.empty()) {
        showStatus(QStringLiteral("Nothing to undo in the views and areas"));
        return;
    }
    const QString what = ToQString(m_undo.next());
    const std::optional<Message> failure = m_undo.undo(m_source.views);
    m_panel->showUndo(ToQString(m_undo.next()));
    followViews();
    inputsChanged(); // an area's plants, read again when the areas changed
    showMessage(failure);
    if (failure)
        return;
    showStatus(m_source.views.path.empty() ? QStringLiteral("Undone: %1").arg(what)
                                           : savedStatus(QStringLiteral("Undone: ") + what +
                                                         QStringLiteral("; %1 holds them as before")));
}

void PreviewWindow::recordChange(std::vector<ViewSection> before, const QString& what) {
    m_undo.record(std::move(before), what.toStdString());
    m_panel->showUndo(what);
}

void PreviewWindow::editField(ViewField field, const QString& text) {
    if (m_selected < 0)
        return;
    ViewFieldTexts texts = m_panel->fieldTexts();
    texts[static_cast<std::size_t>(field)] = text.toStdString();
    std::vector<ViewSection> before = m_source.views.table.viewSections();
    const ViewFieldEdit edit =
        SetPreviewViewFields(m_source.views, static_cast<std::size_t>(m_selected), texts, field);
    if (!edit.problem.empty()) {
        m_panel->markField(edit.field, ToQString(edit.problem));
        return;
    }
    const QString name = selectedName();
    if (!edit.failure)
        recordChange(std::move(before), name + QStringLiteral(" changed"));
    followViews();
    showMessage(edit.failure);
    if (!edit.failure && !m_source.views.path.empty())
        showStatus(savedStatus(name + QStringLiteral(" saved in %1")));
}

} // namespace tes
