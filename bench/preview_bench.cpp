// The preview of a tile whose every record is kept (100 thousand, 1 million and 10 million records):
// the time from the loaded records to the first full picture (reading the positions, drawing the
// dots and the overlay at 1024 x 1024), the time of one redraw after a pan, and the memory the
// preview's scene adds per record.
#include "bench_support.h"
#include "form/context.h"
#include "form/preview_input.h"
#include "picture/preview_picture.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kSide = 1024;

// The records of the generated project, every one kept (the overlap covers the whole terrain).
const tes::Context& Loaded(std::uint64_t records) {
    static tes::bench::QuietPlatform platform;
    static std::uint64_t loadedRecords = 0;
    static std::unique_ptr<tes::Context> ctx; // one project in memory at a time
    if (!ctx || loadedRecords != records) {
        ctx.reset();
        ctx = std::make_unique<tes::Context>(platform);
        ctx->session.TerrainWidth = 5;
        ctx->form.setText(tes::TextField::txtOverlap, "100000");
        tes::LineList read = tes::bench::TileRecords(tes::bench::Project(records), "100000");
        ctx->form.list(tes::ListId::List1).swap(read);
        loadedRecords = records;
    }
    return *ctx;
}

void RecordCounts(benchmark::internal::Benchmark* bench) {
    bench->ArgName("records")->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
}

void BM_PreviewFirstPicture(benchmark::State& state) {
    const tes::Context& ctx = Loaded(static_cast<std::uint64_t>(state.range(0)));
    const tes::LineList& records = ctx.form.list(tes::ListId::List1);
    std::uint64_t added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::uint64_t before = tes::bench::ResidentBytes();
        tes::bench::ResetPeakMemory();
        state.ResumeTiming();
        const tes::PreviewScene scene = tes::BuildPreviewScene(tes::PreviewInputFromForm(ctx), records);
        benchmark::DoNotOptimize(tes::PaintPreviewPicture(scene, {}, tes::FitView(scene, kSide, kSide), {}));
        state.PauseTiming();
        added = std::max(added, tes::bench::PeakResidentBytes() - before);
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(records.size());
    state.counters["peak_bytes_per_record"] =
        static_cast<double>(added) / static_cast<double>(records.size());
}
BENCHMARK(BM_PreviewFirstPicture)->Apply(RecordCounts);

// What the window's worker does after a pan or a zoom: the dots again, then the overlay.
void BM_PreviewRedraw(benchmark::State& state) {
    const tes::Context& ctx = Loaded(static_cast<std::uint64_t>(state.range(0)));
    const tes::PreviewScene scene =
        tes::BuildPreviewScene(tes::PreviewInputFromForm(ctx), ctx.form.list(tes::ListId::List1));
    tes::PreviewView view = tes::FitView(scene, kSide, kSide);
    for (auto _ : state) {
        view = view.pannedBy(3, 2);
        benchmark::DoNotOptimize(tes::PaintPreviewPicture(scene, {}, view, {}));
    }
    state.counters["records"] = static_cast<double>(scene.x.size());
}
BENCHMARK(BM_PreviewRedraw)->Apply(RecordCounts);

} // namespace
