#include <benchmark/benchmark.h>

#include "core/enumerate.h"

namespace zentrix {

// The generator's and the full-set files' enumeration of all 125970 combinations.
static void BM_EnumerateAllCombs(benchmark::State& state) {
    TCombsArray list;
    list.reserve(kCombCount);
    for (auto _ : state) {
        list.clear();
        EnumerateCombs([](const TComb&) { return true; }, list);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * kCombCount);
}
BENCHMARK(BM_EnumerateAllCombs)->Unit(benchmark::kMillisecond);

}  // namespace zentrix
