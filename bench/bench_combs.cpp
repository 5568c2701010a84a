#include <benchmark/benchmark.h>

#include "app/session.h"
#include "core/demo_archive.h"
#include "core/enumerate.h"
#include "quiet_ui.h"

namespace zentrix {

// "Исключить тиражи" with 1000 draws over the full list, on a 10,000-draw archive.
static void BM_RemoveDrawn1000(benchmark::State& state) {
    bench::TQuietUi ui;
    TMainSession session("/nonexistent", ui);
    session.Archive().Assign(MakeDemoDraws(10000, 1, 45000));
    TCombsController& combs = session.Combs();
    combs.InitArrays();
    combs.Working() = AllCombs();
    for (auto _ : state) {
        combs.RemoveDrawn(1000);
        benchmark::DoNotOptimize(combs.Combs().data());
        state.PauseTiming();
        combs.CombsUndo();  // the full list again for the next round
        state.ResumeTiming();
    }
    state.counters["left"] = combs.Count();
    state.SetItemsProcessed(state.iterations() * kCombCount);
}
BENCHMARK(BM_RemoveDrawn1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

}  // namespace zentrix
