#include "ui/preview/preview_window.h"

#include "lib/failure.h"
#include "lib/numbers.h"
#include "picture/preview_picture.h"
#include "ui/preview/preview_canvas.h"
#include "ui/to_qt.h"

#include <utility>

#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

namespace tes {

namespace {

constexpr int kSettleMs = 150;
constexpr std::size_t kSliceRows = 250000; // about 10 ms of reading

// What the picture depends on besides the records, as one text to compare.
std::string InputKey(const PreviewInput& input) {
    const PlacementOptions& p = input.placement;
    std::string key = p.gridRes + '|' + p.gridSize + '|' + p.objectScale + '|' + p.verticalScale + '|' +
                      p.verticalOffset + '|' + std::to_string(p.terrainWidth) + '|' +
                      (p.mainTile ? "m" : "p") + (p.useObjectScale ? "o" : "g") + '|' + input.overlap + '|' +
                      input.heading;
    for (const VegetationKind& kind : input.kinds)
        key += '|' + VegetationEntry(kind);
    // How the plants differ, so that OK in the Kinds dialog draws them anew.
    key += "|seed " + std::to_string(input.seed);
    for (const KindRow& row : input.kindRows) {
        if (!row.varies())
            continue;
        key += '|' + row.number + ':' + row.maxFile + ':' + row.object() + ':' + std::to_string(row.weight) +
               ':' + (row.turn ? RangeText(*row.turn) : "") + ':' + (row.scale ? RangeText(*row.scale) : "");
        for (const KindVariant& variant : row.variants)
            key += ':' + VariantText(variant);
    }
    // Which plants are kept, so that a view or a share changed in the kinds table shows at once.
    for (const KindRow& row : input.kindRows) {
        const PlantThinning& t = row.thinning;
        if (t.any())
            key += "|keep " + row.number + ':' + DecimalText(t.keep) + ':' + DecimalText(t.thinBeyond) + ':' +
                   DecimalText(t.keepFar);
    }
    for (const PlantView& v : input.views) {
        key += "|view";
        for (const double value :
             {v.camera.x, v.camera.y, v.target.x, v.target.y, v.fov, v.margin, v.keepRadius, v.far})
            key += ':' + DecimalText(value);
    }
    return key;
}

} // namespace

PreviewWindow::PreviewWindow(PreviewSource source, QWidget* parent)
    : QWidget(parent, Qt::Window), m_source(std::move(source)) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Preview"));
    resize(760, 720);

    m_canvas = new PreviewCanvas(this);
    m_fit = new QPushButton(QStringLiteral("&Fit"), this);
    m_fit->setToolTip(QStringLiteral("Show the whole tile"));
    m_save = new QPushButton(QStringLiteral("&Save PNG..."), this);
    m_save->setToolTip(QStringLiteral("Save the picture as shown"));
    m_status = new QLabel(this);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A record with its plant's look may need two lines; the row keeps their height, so the picture
    // does not jump as the pointer moves.
    m_status->setWordWrap(true);
    m_status->setFixedHeight(2 * m_status->fontMetrics().lineSpacing() + 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_fit);
    buttons->addWidget(m_save);
    buttons->addWidget(m_status, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_canvas, 1);

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
}

void PreviewWindow::open() {
    show();
    raise();
    activateWindow();
    startBuild();
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
    if (records.generation() == m_shownGeneration && key == m_shownKey)
        return;
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
    m_status->setText(QStringLiteral("Reading the records..."));
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
    m_canvas->setScene(std::make_shared<const PreviewScene>(m_builder->finish()), m_buildingViews,
                       newRecords);
    m_builder.reset();
    m_shownGeneration = m_buildingGeneration;
    m_shownKey = m_buildingKey;
    const PreviewScene& scene = *m_canvas->scene();
    m_status->setText(QStringLiteral("%1 records, %2 kinds").arg(scene.x.size()).arg(scene.kinds.size()));
}

void PreviewWindow::chooseAndSave() {
    FileDialogRequest request;
    request.title = "Save Preview";
    request.filter = "PNG Picture (*.png)|*.png";
    request.save = true;
    request.initialFolder = m_source.saveFolder;
    request.initialFileName = "preview.png";
    const std::string path = m_source.platform.showFileDialog(request);
    if (!path.empty())
        savePicture(path);
}

void PreviewWindow::savePicture(const std::string& path) {
    if (std::optional<Message> failure = SavePicturePng(m_canvas->picture(), path))
        m_source.platform.showMessage(failure->text);
    else
        m_status->setText(QStringLiteral("Saved ") + ToQString(path));
}

void PreviewWindow::showHovered(qint64 row) {
    const LineList& records = m_source.records;
    if (row < 0 || records.generation() != m_shownGeneration ||
        static_cast<std::size_t>(row) >= records.size()) {
        QToolTip::hideText();
        return;
    }
    const std::string_view entry = records[static_cast<std::size_t>(row)];
    const PreviewScene* scene = m_canvas->scene();
    const bool drawn = scene && static_cast<std::size_t>(row) < scene->kind.size();
    // Where the kind's plants differ, also the variant, turn and scale the script gives this one.
    const QString record =
        QStringLiteral("Record %1: ").arg(row + 1) + ToQString(entry) +
        (drawn ? ToQString(PlantLookText(*scene, static_cast<std::size_t>(row), entry)) : QString());
    m_status->setText(record);
    // Also beside the pointer, where the eyes are.
    QToolTip::showText(QCursor::pos() + QPoint(12, 12), record, m_canvas);
}

} // namespace tes
