#include "ui/preview/preview_window.h"

#include "core/preview/preview_views.h"
#include "form/window_placement.h"
#include "lib/failure.h"
#include "lib/numbers.h"
#include "picture/preview_picture.h"
#include "project/area_keys.h"
#include "ui/preview/preview_areas_panel.h"
#include "ui/preview/preview_canvas.h"
#include "ui/preview/preview_views_panel.h"
#include "ui/to_qt.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include <QAbstractButton>
#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tes {

namespace {

constexpr int kSettleMs = 150;
constexpr std::size_t kSliceRows = 250000; // about 10 ms of reading
constexpr int kNarrowest = 480;            // the least width worth opening beside the main window
constexpr int kFrameRoom = 16;             // the window's frame, which is not known before it shows

// What the picture depends on besides the records and the views, as one text to compare. The views
// are compared apart: new views need no new reading of the records.
std::string InputKey(const PreviewInput& input) {
    const PlacementOptions& p = input.placement;
    // Each number by its bits: any change of its value is a new picture.
    const auto bits = [](double value) { return std::to_string(std::bit_cast<std::uint64_t>(value)); };
    std::string key = bits(p.gridRes) + '|' + bits(p.gridSize) + '|' + bits(p.objectScale) + '|' +
                      bits(p.verticalScale) + '|' + bits(p.verticalOffset) + '|' +
                      std::to_string(p.terrainWidth) + '|' + (p.mainTile ? "m" : "p") +
                      (p.useObjectScale ? "o" : "g") + '|' + input.overlap + '|' + input.heading;
    for (const VegetationKind& kind : input.kinds)
        key += '|' + VegetationEntry(kind);
    // How the plants differ, so that OK in the Kinds dialog draws them anew.
    key += "|seed " + std::to_string(input.seed);
    for (const KindRow& row : input.kindRows) {
        if (!row.plants.varies())
            continue;
        key += '|' + row.number + ':' + row.maxFile + ':' + row.object() + ':' +
               std::to_string(row.plants.weight) + ':' +
               (row.plants.turn ? RangeText(*row.plants.turn) : "") + ':' +
               (row.plants.scale ? RangeText(*row.plants.scale) : "");
        for (const KindVariant& variant : row.plants.variants)
            key += ':' + VariantText(variant);
    }
    // Which plants are kept, so that a share changed in the kinds table shows at once.
    for (const KindRow& row : input.kindRows) {
        const PlantThinning& t = row.plants.thinning;
        if (t.any())
            key += "|keep " + row.number + ':' + DecimalText(t.keep) + ':' + DecimalText(t.thinBeyond) + ':' +
                   DecimalText(t.keepFar);
        const HeightLimits& h = row.plants.heights;
        if (h.any())
            key += "|height " + row.number + ':' + (h.min ? bits(*h.min) : "") + ':' +
                   (h.max ? bits(*h.max) : "");
    }
    // Where plants grow.
    for (const PlantArea& area : input.areas)
        key += "|area " + AreaPointsText(area.points) + ':' + (area.width ? bits(*area.width) : "") + ':' +
               AreaModeText(area.mode) + ':' + AreaKindsText(area.kinds) + ':' + bits(area.falloff);
    return key;
}

} // namespace

PreviewWindow::PreviewWindow(PreviewSource source, QWidget* owner)
    : QWidget(nullptr, Qt::Window), m_source(std::move(source)), m_owner(owner) {
    setObjectName(QStringLiteral("frmPreview"));
    // No parent: a window the main window owns stays in front of it, over its buttons. It goes with
    // the main window all the same, and with the project the main window holds.
    if (owner) {
        owner->installEventFilter(this);
        connect(owner, &QObject::destroyed, this, [this] { delete this; });
    }
    setWindowTitle(QStringLiteral("Preview"));
    resize(760, 760);

    m_canvas = new PreviewCanvas(this);
    m_panel = new PreviewViewsPanel(this);
    m_areasPanel = new PreviewAreasPanel(this);
    m_fit = new QPushButton(QStringLiteral("&Fit"), this);
    m_fit->setToolTip(QStringLiteral("Show the whole tile and the views' cameras"));
    m_save = new QPushButton(QStringLiteral("&Save PNG..."), this);
    m_save->setToolTip(QStringLiteral("Save the picture as shown"));
    m_status = new QLabel(this);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A record with its plant's look may need two lines; the row keeps their height, so the picture
    // does not jump as the pointer moves.
    m_status->setWordWrap(true);
    m_status->setFixedHeight(2 * m_status->fontMetrics().lineSpacing() + 2);

    m_panel->topRow()->insertWidget(0, m_fit);
    m_panel->topRow()->insertWidget(1, m_save);
    m_panel->topRow()->insertSpacing(2, 12);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel);
    layout->addWidget(m_areasPanel);
    layout->addWidget(m_canvas, 1);
    layout->addWidget(m_status);

    m_settle = new QTimer(this);
    m_settle->setSingleShot(true);
    m_settle->setInterval(kSettleMs);
    m_slices = new QTimer(this);
    m_slices->setSingleShot(true);
    m_slices->setInterval(0);
    connect(m_settle, &QTimer::timeout, this, &PreviewWindow::startBuild);
    connect(m_slices, &QTimer::timeout, this, &PreviewWindow::buildSlice);
    connect(m_fit, &QPushButton::clicked, m_canvas, &PreviewCanvas::fit);
    connect(m_save, &QPushButton::clicked, this, &PreviewWindow::chooseAndSave);
    connect(m_canvas, &PreviewCanvas::hovered, this, &PreviewWindow::showHovered);
    connect(m_canvas, &PreviewCanvas::editPressed, this, &PreviewWindow::pressEdit);
    connect(m_canvas, &PreviewCanvas::editDragged, this, &PreviewWindow::dragEdit);
    connect(m_canvas, &PreviewCanvas::editReleased, this, &PreviewWindow::releaseEdit);
    connect(m_canvas, &PreviewCanvas::editFinished, this, &PreviewWindow::finishArea);
    connect(m_canvas, &PreviewCanvas::editDeleted, this, [this] {
        if (drawingAreas()) // Delete in Set view removes nothing
            deleteArea();
    });
    connect(m_areasPanel, &PreviewAreasPanel::modeToggled, this, &PreviewWindow::setAreaMode);
    connect(m_areasPanel, &PreviewAreasPanel::deleteClicked, this, &PreviewWindow::deleteArea);
    connect(m_areasPanel, &PreviewAreasPanel::fieldsEdited, this, &PreviewWindow::editAreaFields);
    connect(m_areasPanel, &PreviewAreasPanel::selected, this, [this](int index) {
        m_selectedArea = index;
        m_draft.clear();
        followAreas();
    });
    connect(m_panel, &PreviewViewsPanel::modeToggled, this, &PreviewWindow::setMode);
    connect(m_panel, &PreviewViewsPanel::addClicked, this, &PreviewWindow::addView);
    connect(m_panel, &PreviewViewsPanel::removeClicked, this, &PreviewWindow::removeView);
    connect(m_panel, &PreviewViewsPanel::undoClicked, this, &PreviewWindow::undoView);
    // Ctrl+Z anywhere in the window but a field being typed in, which undoes its own typing.
    auto* undo = new QAction(this);
    undo->setShortcut(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, &PreviewWindow::undoView);
    addAction(undo);
    connect(m_panel, &PreviewViewsPanel::fieldEdited, this, &PreviewWindow::editField);
    connect(m_panel, &PreviewViewsPanel::selected, this, [this](int index) {
        m_selected = index;
        followViews();
        if (m_panel->modeButton()->isChecked())
            showModeHint();
    });
}

void PreviewWindow::open() {
    if (!m_placed)
        placeBesideOwner();
    show();
    raise();
    activateWindow();
    followViews();
    startBuild();
}

// Beside the main window where the screen has room for it, so both stay in sight (PlaceBeside).
void PreviewWindow::placeBesideOwner() {
    m_placed = true;
    QWidget* main = m_owner;
    if (!main || !main->isVisible() || !main->screen())
        return;
    const auto rect = [](const QRect& r) { return ScreenRect{r.x(), r.y(), r.width(), r.height()}; };
    BesideRequest request;
    request.screen = rect(main->screen()->availableGeometry());
    request.main = rect(main->frameGeometry());
    for (const QAbstractButton* button : main->findChildren<QAbstractButton*>()) {
        if (button->isVisible())
            request.keepClear.push_back(rect(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())));
    }
    // The frame is not known before the window first shows.
    const int frameWidth = kFrameRoom;
    const int frameHeight = 2 * kFrameRoom;
    request.width = width() + frameWidth;
    request.height = height() + frameHeight;
    request.leastWidth = std::max(kNarrowest, minimumSizeHint().width()) + frameWidth;
    const ScreenRect placed = PlaceBeside(request);
    resize(placed.width - frameWidth, placed.height - frameHeight);
    move(placed.x, placed.y);
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_owner && event->type() == QEvent::Close)
        close();
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::inputsChanged() {
    if (isVisible())
        m_settle->start();
}

void PreviewWindow::rebuildNow() {
    startBuild();
    while (m_builder)
        buildSlice();
}

void PreviewWindow::startBuild() {
    const PreviewInput input = m_source.input();
    const LineList& records = m_source.records;
    const std::string key = InputKey(input);
    if (records.generation() == m_shownGeneration && key == m_shownKey) {
        followViews();
        return;
    }
    // Another project's records: a view mode set for the last one's ends with it.
    if (records.generation() != m_shownGeneration && records.generation() != m_buildingGeneration) {
        m_panel->modeButton()->setChecked(false);
        m_areasPanel->modeButton()->setChecked(false);
        m_draft.clear();
        m_undo.clear(); // its changes were the last project's
        m_panel->showUndo(QString());
    }
    try {
        m_builder = std::make_unique<PreviewSceneBuilder>(input);
    } catch (const Failure& failure) {
        m_builder.reset();
        m_shownGeneration = records.generation();
        m_shownKey = key;
        m_canvas->clearScene(QStringLiteral("The records cannot be placed: ") +
                             ToQString(failure.description()));
        return;
    }
    m_nextRow = 0;
    m_buildingGeneration = records.generation();
    m_buildingKey = key;
    m_buildingViews = input.views;
    showStatus(QStringLiteral("Reading the records..."));
    m_slices->start();
}

void PreviewWindow::buildSlice() {
    if (!m_builder)
        return;
    const LineList& records = m_source.records;
    if (records.generation() != m_buildingGeneration) {
        startBuild(); // a load replaced them meanwhile: start over
        return;
    }
    const std::size_t end = std::min(records.size(), m_nextRow + kSliceRows);
    m_builder->add(records, m_nextRow, end);
    m_nextRow = end;
    if (m_nextRow < records.size()) {
        m_slices->start();
        return;
    }
    const bool newRecords = m_buildingGeneration != m_shownGeneration;
    auto scene = std::make_shared<PreviewScene>(m_builder->finish());
    m_builder.reset();
    // The views set while the records were read.
    const std::vector<PlantView> views = PreviewedViews(m_source.views.table);
    if (views != m_buildingViews)
        MarkPreviewViews(*scene, views);
    m_shownViews = views;
    m_canvas->setScene(scene, views, newRecords);
    m_shownGeneration = m_buildingGeneration;
    m_shownKey = m_buildingKey;
    m_summary = QStringLiteral("%1 records, %2 kinds").arg(scene->x.size()).arg(scene->kinds.size());
    showStatus(m_afterBuild.isEmpty() ? m_summary : m_afterBuild);
    m_afterBuild.clear();
    followViews();
}

void PreviewWindow::chooseAndSave() {
    FileDialogRequest request;
    request.title = "Save Preview";
    request.filter = "PNG Picture (*.png)|*.png";
    request.save = true;
    request.initialFolder = m_source.outputFolder.empty() ? m_source.saveFolder : m_source.outputFolder;
    request.initialFileName = "preview.png";
    const std::string path = m_source.platform.showFileDialog(request);
    if (!path.empty())
        savePicture(path);
}

void PreviewWindow::savePicture(const std::string& path) {
    if (std::optional<Message> failure = SavePicturePng(m_canvas->picture(), path))
        m_source.platform.showMessageOfKind(*failure);
    else
        showStatus(QStringLiteral("Saved ") + ToQString(path));
}

QString PreviewWindow::statusText() const {
    return m_status->text();
}

void PreviewWindow::showStatus(const QString& text) {
    m_status->setText(text);
    m_namesRecord = false;
}

void PreviewWindow::showHovered(qint64 row) {
    const LineList& records = m_source.records;
    if (row < 0 || records.generation() != m_shownGeneration ||
        static_cast<std::size_t>(row) >= records.size()) {
        m_canvas->showHoverText(QString());
        if (m_namesRecord)
            showStatus(m_summary);
        return;
    }
    const std::string_view entry = records[static_cast<std::size_t>(row)];
    const PreviewScene* scene = m_canvas->scene();
    const bool drawn = scene && static_cast<std::size_t>(row) < scene->kind.size();
    // Where the kind's plants differ, also the variant, turn and scale the script gives this one.
    const QString record =
        ToQString(RecordLabel(m_source, static_cast<std::size_t>(row))) +
        (drawn ? ToQString(PlantLookText(*scene, static_cast<std::size_t>(row), entry)) : QString());
    m_status->setText(record);
    m_namesRecord = true;
    // Also beside the pointer, where the eyes are.
    m_canvas->showHoverText(record);
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_panel->modeButton()->isChecked()) {
        m_panel->modeButton()->setChecked(false);
        return;
    }
    if (event->key() == Qt::Key_Escape && drawingAreas()) {
        // The area being drawn goes first, the mode with the next Esc.
        if (!m_draft.empty()) {
            m_draft.clear();
            followAreas();
            showStatus(QStringLiteral("The new area was dropped"));
        } else {
            m_areasPanel->modeButton()->setChecked(false);
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tes
