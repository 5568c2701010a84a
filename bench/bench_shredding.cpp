#include <benchmark/benchmark.h>

#include <string>

#include "core/config.h"
#include "core/demo_archive.h"
#include "stats/custom_stat.h"
#include "stats/prefetch.h"
#include "stats/stat_list.h"
#include "stats/stat_table.h"
#include "stats_fixture.h"

namespace zentrix {

namespace {

// The synthetic archive with the default formulas of the settings file, and formula 3 replaced
// by one whose variables run into digits (evaluated through its text).
struct TShredBench {
    TDrawsArray draws = MakeDemoDraws(10000, 1, 45292);
    TConfigSettings config = DefaultConfigSettings();
    TStatList list{draws, config};
    TShredBench() {
        config.formulas[2] = "(n1n2+p1)/(n3n4+t1+1)";
        list.RegisterMethods();
    }
    std::unique_ptr<TCustomStat> Create(const std::string& code) const {
        return list.CreateStat(list.FindCode(code));
    }
    static TShredBench& Get() {
        static TShredBench bench;
        return bench;
    }
};

const char* Code(benchmark::State& state) {
    static const char* codes[] = {"SHR1", "SHR2", "SHR3"};
    return codes[state.range(0)];
}

}  // namespace

// The table over 1000 draws ending at the newest; the method is created (the formula prepared)
// each round, as the window does.
static void BM_ShredTable(benchmark::State& state) {
    TShredBench& b = TShredBench::Get();
    TStatTableParams p;
    p.RefIndex = static_cast<int>(b.draws.size()) - 1;
    p.WindowLength = 1000;
    for (auto _ : state)
        benchmark::DoNotOptimize(TStatTable::Compute(b.Create(Code(state)), p).RowCount());
}
BENCHMARK(BM_ShredTable)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The full-set distribution: 125970 evaluations.
static void BM_ShredFullSet(benchmark::State& state) {
    TShredBench& b = TShredBench::Get();
    size_t values = 0;
    for (auto _ : state) {
        auto stat = b.Create(Code(state));
        values = ComputePrefetch(*stat).Records.size();
    }
    state.counters["values"] = static_cast<double>(values);
}
BENCHMARK(BM_ShredFullSet)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Keep the combinations of value 38 of formula 1 out of the full list.
static void BM_ShredKeep(benchmark::State& state) {
    TShredBench& b = TShredBench::Get();
    auto stat = b.Create("SHR1");
    TStatDraw v;
    v.Key.SetW1(38);
    bench::FilterAllCombs(state, *stat, {v}, static_cast<int>(b.draws.size()) - 1);
}
BENCHMARK(BM_ShredKeep)->Unit(benchmark::kMillisecond);

}  // namespace zentrix
