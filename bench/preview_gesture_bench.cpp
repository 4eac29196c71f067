// The Preview window over two million records at the size it opens with, on the offscreen platform:
// the time from the loaded records to its first full picture; for each step of a gesture (a notch of
// the wheel, a move of a drag, a move of a view's target) the time until the canvas has painted it;
// and once a gesture ends, the time until the full picture replaces the quick one.
#include "bench_support.h"
#include "form/context.h"
#include "form/preview_input.h"
#include "lib/file_access.h"
#include "lib/numbers.h"
#include "project/kinds_table.h"
#include "ui/preview/preview_areas_panel.h"
#include "ui/preview/preview_canvas.h"
#include "ui/preview/preview_views_panel.h"
#include "ui/preview/preview_window.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include <QComboBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QToolButton>
#include <QWheelEvent>

namespace {

constexpr std::uint64_t kRecords = 2'000'000;
constexpr int kSteps = 8; // steps of a gesture, each way

// The kinds table the picture is drawn with, as a user who set up the project has one: two kinds whose
// plants differ, one thinned, and a view from the tile's near edge to its middle.
void WriteKindsTable(tes::Context& ctx, const std::string& path) {
    const tes::PreviewSquare tile = tes::PreviewSceneBuilder(tes::PreviewInputFromForm(ctx)).finish().tile;
    const double midX = (tile.minX + tile.maxX) / 2;
    const double midY = (tile.minY + tile.maxY) / 2;
    const std::string camera =
        tes::DecimalText(midX) + "," + tes::DecimalText(midY - (tile.maxY - tile.minY) / 2);
    const std::string text = "[Vegetation_1]\r\nMaxFile=C:\\m\\Pine.max\r\nTurn=0:360\r\nScale=80:120\r\n"
                             "Variant1=C:\\m\\Pine2.max||1\r\n[Vegetation_5]\r\nMaxFile=C:\\m\\Oak.max\r\n"
                             "Turn=0:360\r\nKeep=60\r\n[View1]\r\nCamera=" +
                             camera + "\r\nTarget=" + tes::DecimalText(midX) + "," + tes::DecimalText(midY) +
                             "\r\n";
    std::ofstream(tes::PathFromUtf8(path), std::ios::binary) << text;
    tes::Messages messages;
    ctx.kindsTablePath = path;
    ctx.kindsTable = tes::KindsTable::Read(path, messages);
}

tes::Context& Loaded() {
    static tes::bench::QuietPlatform platform;
    static std::unique_ptr<tes::Context> ctx;
    if (!ctx) {
        ctx = std::make_unique<tes::Context>(platform);
        ctx->session.TerrainWidth = 5;
        ctx->form.setText(tes::TextField::txtOverlap, "99999");
        tes::LineList read = tes::bench::TileRecords(tes::bench::Project(kRecords), "99999");
        ctx->form.list(tes::ListId::List1).swap(read);
        WriteKindsTable(*ctx,
                        (std::filesystem::temp_directory_path() / "tes-preview-bench.tes.ini").string());
    }
    return *ctx;
}

// Lets the events run until the canvas shows the full picture of its view.
void WaitForPicture(tes::PreviewCanvas& canvas) {
    while (!canvas.scene() || canvas.drawing()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    QCoreApplication::processEvents();
}

std::unique_ptr<tes::PreviewWindow> OpenPreview() {
    auto window = std::make_unique<tes::PreviewWindow>(tes::PreviewSourceOf(Loaded()));
    window->open();
    WaitForPicture(*window->canvas());
    return window;
}

// What the user sees at a step: the events it caused handled, then the canvas painted.
void Frame(tes::PreviewCanvas& canvas) {
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(canvas.grab());
}

void Wheel(tes::PreviewCanvas& canvas, int notches) {
    const QPointF at(canvas.width() * 0.4, canvas.height() * 0.6);
    QWheelEvent event(at, canvas.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&canvas, &event);
}

void Mouse(tes::PreviewCanvas& canvas, QEvent::Type type, QPointF at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, canvas.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&canvas, &event);
}

void BM_PreviewOpen(benchmark::State& state) {
    Loaded();
    for (auto _ : state) {
        auto window = OpenPreview();
        benchmark::DoNotOptimize(window->canvas()->grab());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(kRecords);
}
BENCHMARK(BM_PreviewOpen)->Unit(benchmark::kMillisecond);

// One iteration is a gesture of 2 x kSteps steps; "step_ms" is the longest step, "settle_ms" the
// time from the gesture's end to the full picture.
template <typename Gesture>
void MeasureGesture(benchmark::State& state, Gesture step,
                    std::unique_ptr<tes::PreviewWindow> window = OpenPreview()) {
    tes::PreviewCanvas& canvas = *window->canvas();
    double longest = 0;
    double settle = 0;
    for (auto _ : state) {
        for (int i = 0; i < 2 * kSteps; ++i) {
            const auto start = std::chrono::steady_clock::now();
            step(canvas, i);
            Frame(canvas);
            longest = std::max(
                longest,
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        const auto end = std::chrono::steady_clock::now();
        WaitForPicture(canvas);
        settle = std::max(
            settle,
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - end).count());
    }
    state.counters["step_ms"] = longest;
    state.counters["settle_ms"] = settle;
    state.counters["width"] = canvas.width();
    state.counters["height"] = canvas.height();
}

// Eight notches in about the pointer, eight out.
void BM_PreviewWheelZoom(benchmark::State& state) {
    MeasureGesture(state, [](tes::PreviewCanvas& canvas, int i) { Wheel(canvas, i < kSteps ? 1 : -1); });
}
BENCHMARK(BM_PreviewWheelZoom)->Unit(benchmark::kMillisecond);

// A drag of the picture, 12 pixels at a move, out and back.
void BM_PreviewDragPan(benchmark::State& state) {
    MeasureGesture(state, [](tes::PreviewCanvas& canvas, int i) {
        const QPointF middle(canvas.width() / 2.0, canvas.height() / 2.0);
        const double along = 12.0 * (i < kSteps ? i + 1 : 2 * kSteps - i - 1);
        if (i == 0)
            Mouse(canvas, QEvent::MouseButtonPress, middle);
        Mouse(canvas, QEvent::MouseMove, middle + QPointF(along, along / 2));
        if (i == 2 * kSteps - 1)
            Mouse(canvas, QEvent::MouseButtonRelease, middle);
    });
}
BENCHMARK(BM_PreviewDragPan)->Unit(benchmark::kMillisecond);

// Set view's drag: the press places the chosen view's camera, each move aims it at the pointer (the
// window sets the view, the canvas marks its plants anew), the release saves the kinds table.
void BM_PreviewViewDrag(benchmark::State& state) {
    auto window = OpenPreview();
    tes::PreviewWindow* shown = window.get();
    MeasureGesture(
        state,
        [shown](tes::PreviewCanvas& canvas, int i) {
            const QPointF camera(canvas.width() / 2.0, canvas.height() * 0.8);
            const QPointF target(canvas.width() * (0.2 + 0.6 * i / (2.0 * kSteps)), canvas.height() * 0.3);
            if (i == 0) {
                shown->viewsPanel()->modeButton()->setChecked(true);
                Mouse(canvas, QEvent::MouseButtonPress, camera);
            }
            Mouse(canvas, QEvent::MouseMove, target);
            if (i == 2 * kSteps - 1)
                Mouse(canvas, QEvent::MouseButtonRelease, target);
        },
        std::move(window));
}
BENCHMARK(BM_PreviewViewDrag)->Unit(benchmark::kMillisecond);

// Draw area's drag of a point of the chosen area, a road across the tile: each move redraws the
// outline over the dots; the release saves the kinds table, and the plants follow from the records.
void BM_PreviewAreaPointDrag(benchmark::State& state) {
    tes::Context& ctx = Loaded();
    const tes::PreviewSquare tile = tes::PreviewSceneBuilder(tes::PreviewInputFromForm(ctx)).finish().tile;
    tes::PlantArea road;
    road.width = (tile.maxX - tile.minX) / 50;
    road.falloff = *road.width;
    for (int i = 0; i <= 8; ++i)
        road.points.push_back({tile.minX + (tile.maxX - tile.minX) * i / 8, (tile.minY + tile.maxY) / 2});
    ctx.kindsTable.setArea(0, road);
    auto window = OpenPreview();
    window->areasPanel()->selector()->setCurrentIndex(0);
    window->areasPanel()->modeButton()->setChecked(true);
    MeasureGesture(
        state,
        [&road](tes::PreviewCanvas& canvas, int i) {
            const tes::PreviewView& view = canvas.view();
            const QPointF point(view.pixelX(road.points[4].x), view.pixelY(road.points[4].y));
            const double along = 12.0 * (i < kSteps ? i + 1 : 2 * kSteps - i - 1);
            if (i == 0)
                Mouse(canvas, QEvent::MouseButtonPress, point);
            Mouse(canvas, QEvent::MouseMove, point + QPointF(along / 2, along));
            if (i == 2 * kSteps - 1)
                Mouse(canvas, QEvent::MouseButtonRelease, point);
        },
        std::move(window));
    ctx.kindsTable.removeAreas();
}
BENCHMARK(BM_PreviewAreaPointDrag)->Unit(benchmark::kMillisecond);

} // namespace
