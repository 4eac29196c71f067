// The window's list boxes over big lists, on the offscreen platform: the environment list with every
// record of the ten-million-record project, and the output pane with the script of kind 7 (three
// lines per record, about three million lines); and the records' table over the same environment
// list. Measured: the time from an empty view to its first painted frame, the time of one page of
// scrolling and of a jump to the end, and the memory the view adds to the list.
#include "bench_support.h"
#include "form/context.h"
#include "form/process_command.h"
#include "lib/memory_tuning.h"
#include "short_table.h"
#include "ui/line_list_view.h"
#include "ui/main/records_table.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <malloc.h>
#include <memory>

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>

namespace {

constexpr std::uint64_t kRecords = 10'000'000;

// Both lists, built once: List1 keeps every record, List2 holds the script of kind 7 (not saved).
struct Lists {
    Lists() : ctx(platform) {
        const auto& files = tes::bench::Project(kRecords);
        ctx.session.TerrainWidth = 5;
        ctx.session.ProjectBasePath = std::filesystem::path(files.projectPath).replace_extension().string();
        ctx.session.SaveToFile = false;
        tes::LineList records = tes::bench::TileRecords(files, "100000");
        ctx.form.list(tes::ListId::List1).swap(records);
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

// A view in the look the window gives its lists, so that the list and the table show rows of one height.
template <typename View> std::unique_ptr<View> ShowView(const tes::LineList& lines) {
    auto view = std::make_unique<View>(lines, nullptr);
    tes::ApplyListBoxLook(*view);
    view->resize(640, 400);
    view->show();
    view->refresh();
    return view;
}

// Paints the view now, as the window system would ask for it.
void Paint(QWidget& view) {
    benchmark::DoNotOptimize(view.grab());
}

void SetRowCounters(benchmark::State& state, const tes::LineList& lines) {
    state.counters["rows"] = static_cast<double>(lines.size());
}

// From a new view to its first painted frame: the view measures its rows, places the first batch and
// paints.
template <typename View> void FirstPaint(benchmark::State& state) {
    const tes::LineList& lines = List(state);
    std::uint64_t added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::uint64_t before = tes::bench::ResidentBytes();
        tes::bench::ResetPeakMemory();
        state.ResumeTiming();
        auto view = ShowView<View>(lines);
        Paint(*view);
        state.PauseTiming();
        added = std::max(added, tes::bench::PeakResidentBytes() - before);
        view.reset();
        state.ResumeTiming();
    }
    SetRowCounters(state, lines);
    // What the list holds besides its text (its line ends), and the peak the view adds on top.
    state.counters["list_bytes_per_row"] = 8;
    state.counters["view_peak_bytes_per_row"] =
        static_cast<double>(added) / static_cast<double>(lines.size());
}
void BM_ViewFirstPaint(benchmark::State& state) {
    FirstPaint<tes::LineListView>(state);
}
void BM_TableFirstPaint(benchmark::State& state) {
    FirstPaint<tes::RecordsTable>(state);
}
BENCHMARK(BM_ViewFirstPaint)->ArgName("list")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableFirstPaint)->ArgName("list")->Arg(1)->Unit(benchmark::kMillisecond);

// How much the resident memory grew since `before` (nothing when it shrank).
std::uint64_t Growth(std::uint64_t before) {
    const std::uint64_t now = tes::bench::ResidentBytes();
    return now > before ? now - before : 0;
}

// Lets the events run until the view has placed every row, as the window does while the user looks
// at the first ones; returns the longest the window waited for its events meanwhile.
double PlaceEveryRow(QAbstractItemView& view, std::size_t rows) {
    QScrollBar* bar = view.verticalScrollBar();
    // Rows are at least a pixel high, so once every row is placed the last top row lies within one
    // viewport height of the end.
    const int lastTop = static_cast<int>(rows) - view.viewport()->height();
    double longestPause = 0;
    for (int idle = 0; idle < 3;) {
        const auto start = std::chrono::steady_clock::now();
        const int maximum = bar->maximum();
        QCoreApplication::processEvents();
        const std::chrono::duration<double, std::milli> pause = std::chrono::steady_clock::now() - start;
        longestPause = std::max(longestPause, pause.count());
        idle = bar->maximum() == maximum && maximum >= lastTop ? idle + 1 : 0;
    }
    return longestPause;
}

// The view places its rows in batches while the events go on: the time until every row is placed,
// the longest pause meanwhile (what a user could notice), and the memory the view adds per row.
template <typename View> void LayoutWhileResponsive(benchmark::State& state) {
    const tes::LineList& lines = List(state);
    double longestPause = 0;
    std::uint64_t added = 0;
    std::uint64_t kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::uint64_t before = tes::bench::ResidentBytes();
        state.ResumeTiming();
        auto view = ShowView<View>(lines);
        Paint(*view);
        longestPause = std::max(longestPause, PlaceEveryRow(*view, lines.size()));
        state.PauseTiming();
        added = std::max(added, Growth(before));
        // What stays once the allocator has handed back the memory freed while the rows were placed.
        malloc_trim(0);
        kept = std::max(kept, Growth(before));
        view.reset();
        state.ResumeTiming();
    }
    SetRowCounters(state, lines);
    state.counters["longest_pause_ms"] = longestPause;
    state.counters["view_bytes_per_row"] = static_cast<double>(added) / static_cast<double>(lines.size());
    state.counters["view_kept_bytes_per_row"] = static_cast<double>(kept) / static_cast<double>(lines.size());
}
void BM_ViewLayoutWhileResponsive(benchmark::State& state) {
    LayoutWhileResponsive<tes::LineListView>(state);
}
// The table lets its rows in a million at a time between events.
void BM_TableLayoutWhileResponsive(benchmark::State& state) {
    LayoutWhileResponsive<tes::RecordsTable>(state);
}
BENCHMARK(BM_ViewLayoutWhileResponsive)->ArgName("list")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableLayoutWhileResponsive)->ArgName("list")->Arg(1)->Unit(benchmark::kMillisecond);

// Moves the scroll bar of a fully placed view to `next(bar)` and paints, once per iteration.
template <typename View, typename Next> void ScrollAndPaint(benchmark::State& state, Next next) {
    const tes::LineList& lines = List(state);
    auto view = ShowView<View>(lines);
    Paint(*view);
    PlaceEveryRow(*view, lines.size());
    QScrollBar* bar = view->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(next(*bar));
        Paint(*view);
    }
    SetRowCounters(state, lines);
}

// One page down and paint, as a held Page Down key does; the scrolling runs through the whole list.
template <typename View> void ScrollPage(benchmark::State& state) {
    ScrollAndPaint<View>(state, [](const QScrollBar& bar) {
        const int next = bar.value() + bar.pageStep();
        return next > bar.maximum() ? 0 : next;
    });
}
void BM_ViewScrollPage(benchmark::State& state) {
    ScrollPage<tes::LineListView>(state);
}
void BM_TableScrollPage(benchmark::State& state) {
    ScrollPage<tes::RecordsTable>(state);
}
BENCHMARK(BM_ViewScrollPage)->ArgName("list")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableScrollPage)->ArgName("list")->Arg(1)->Unit(benchmark::kMillisecond);

// Dragging the scroll box from one end to the other.
template <typename View> void JumpToEnd(benchmark::State& state) {
    ScrollAndPaint<View>(state, [](const QScrollBar& bar) {
        return bar.value() == bar.maximum() ? bar.minimum() : bar.maximum();
    });
}
void BM_ViewJumpToEnd(benchmark::State& state) {
    JumpToEnd<tes::LineListView>(state);
}
void BM_TableJumpToEnd(benchmark::State& state) {
    JumpToEnd<tes::RecordsTable>(state);
}
BENCHMARK(BM_ViewJumpToEnd)->ArgName("list")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableJumpToEnd)->ArgName("list")->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    tes::ReturnLargeBlocksPromptly(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return tes::bench::RunBenchmarksWithShortTable(argc, argv);
}
