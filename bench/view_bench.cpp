// The window's list boxes over big lists, on the offscreen platform: the environment list with every
// record of the ten-million-record project, and the output pane with the script of kind 7 (three
// lines per record, about three million lines). Measured: the time from an empty view to its first
// painted frame, the time of one page of scrolling and of a jump to the end, and the memory the view
// adds to the list.
#include "bench_support.h"
#include "core/context.h"
#include "core/script_writer.h"
#include "project/environment_reader.h"
#include "short_table.h"
#include "ui/line_list_view.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

#include <QApplication>
#include <QScrollBar>

namespace {

constexpr std::uint64_t kRecords = 10'000'000;

// Both lists, built once: List1 keeps every record, List2 holds the script of kind 7 (not saved).
struct Lists {
    Lists() : ctx(platform) {
        const auto& files = tes::bench::Project(kRecords);
        ctx.session.EnvironmentFilePath = files.environmentPath;
        ctx.session.TerrainWidth = 5;
        ctx.session.ProjectBasePath = std::filesystem::path(files.projectPath).replace_extension().string();
        ctx.session.SaveToFile = false;
        ctx.form.setText(tes::TextField::txtOverlap, "100000");
        tes::ReadEnvironmentFile(ctx);
        ctx.form.setText(tes::TextField::txtMaxFile, "C:\\Models\\Trees.max");
        ctx.form.setText(tes::TextField::txtMaxObjectName, "Tree");
        ctx.form.setComboText("Vegetation_7:  ");
        tes::BuildScript(ctx);
    }
    tes::bench::QuietPlatform platform;
    tes::Context ctx;
};

const tes::LineList& List(benchmark::State& state) {
    static Lists lists;
    return lists.ctx.form.list(state.range(0) == 1 ? tes::ListId::List1 : tes::ListId::List2);
}

std::unique_ptr<tes::LineListView> ShowView(const tes::LineList& lines) {
    auto view = std::make_unique<tes::LineListView>(lines, nullptr);
    view->resize(640, 400);
    view->show();
    view->refresh();
    return view;
}

// Paints the view now, as the window system would ask for it.
void Paint(tes::LineListView& view) {
    benchmark::DoNotOptimize(view.grab());
}

void SetRowCounters(benchmark::State& state, const tes::LineList& lines) {
    state.counters["rows"] = static_cast<double>(lines.size());
}

// From a new view to its first painted frame: the view measures its rows, lays them out and paints.
void BM_ViewFirstPaint(benchmark::State& state) {
    const tes::LineList& lines = List(state);
    std::uint64_t added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::uint64_t before = tes::bench::ResidentBytes();
        tes::bench::ResetPeakMemory();
        state.ResumeTiming();
        auto view = ShowView(lines);
        Paint(*view);
        state.PauseTiming();
        added = std::max(added, tes::bench::PeakResidentBytes() - before);
        view.reset();
        state.ResumeTiming();
    }
    SetRowCounters(state, lines);
    // What the list holds besides its text (its line ends), and what the view adds on top.
    state.counters["list_bytes_per_row"] = 8;
    state.counters["view_bytes_per_row"] = static_cast<double>(added) / static_cast<double>(lines.size());
}
BENCHMARK(BM_ViewFirstPaint)->ArgName("list")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One page down and paint, as a held Page Down key does; the scrolling runs through the whole list.
void BM_ViewScrollPage(benchmark::State& state) {
    const tes::LineList& lines = List(state);
    auto view = ShowView(lines);
    Paint(*view);
    QScrollBar* bar = view->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        Paint(*view);
    }
    SetRowCounters(state, lines);
}
BENCHMARK(BM_ViewScrollPage)->ArgName("list")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Dragging the scroll box from one end to the other.
void BM_ViewJumpToEnd(benchmark::State& state) {
    const tes::LineList& lines = List(state);
    auto view = ShowView(lines);
    Paint(*view);
    QScrollBar* bar = view->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() == bar->maximum() ? bar->minimum() : bar->maximum());
        Paint(*view);
    }
    SetRowCounters(state, lines);
}
BENCHMARK(BM_ViewJumpToEnd)->ArgName("list")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return tes::bench::RunBenchmarksWithShortTable(argc, argv);
}
