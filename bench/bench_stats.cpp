#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/demo_archive.h"
#include "core/enumerate.h"
#include "stats/comb_value_cache.h"
#include "stats/filter.h"
#include "stats/prefetch.h"
#include "stats/stat_list.h"
#include "stats/stat_table.h"
#include "stats_fixture.h"

namespace zentrix {

namespace {

using TFixture = bench::TStatsFixture<10000>;

TFixture& Fixture() {
    return TFixture::Get();
}

TStatTable Table(const std::string& code, int offset, bool sorted) {
    TFixture& f = Fixture();
    TStatTableParams p;
    p.RefIndex = f.High() - offset;
    p.WindowLength = 1000;
    p.SortedDraws = sorted;
    return TStatTable::Compute(f.list.CreateStat(f.list.FindCode(code)), p);
}

}  // namespace

static void BM_NumsTable(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Table("NUMS", 0, false).RowCount());
}
BENCHMARK(BM_NumsTable)->Unit(benchmark::kMillisecond);

// "Факт" for every value: the reference draw lies 500 draws back.
static void BM_Knm4Table(benchmark::State& state) {
    const bool sorted = state.range(0) != 0;
    for (auto _ : state) benchmark::DoNotOptimize(Table("KNM4", 500, sorted).RowCount());
    state.counters["rows"] = Table("KNM4", 500, sorted).RowCount();
}
BENCHMARK(BM_Knm4Table)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The shown order of a fresh KNM4 table: "Количество" ascending, ties by "Значение".
static void BM_Knm4InitialSort(benchmark::State& state) {
    TStatTable table = Table("KNM4", 500, state.range(0) != 0);
    for (auto _ : state) {
        table.Sort(kInitialSortColumn, false);
        benchmark::DoNotOptimize(table.Fact(0));
    }
}
BENCHMARK(BM_Knm4InitialSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A fresh table in the order it is first shown: counting, "Факт", labels and the sort.
static void BM_Knm4TableShown(benchmark::State& state) {
    for (auto _ : state) {
        TStatTable table = Table("KNM4", 500, state.range(0) != 0);
        table.Sort(kInitialSortColumn, false);
        benchmark::DoNotOptimize(table.Fact(0));
    }
}
BENCHMARK(BM_Knm4TableShown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Keep the combinations with the number 5 out of the full list.
static void BM_KeepNums5(benchmark::State& state) {
    TFixture& f = Fixture();
    auto stat = f.list.CreateStat(f.list.FindCode("NUMS"));
    TStatDraw five;
    five.Key.K[0] = 5;
    const std::vector<TStatDraw> selected{five};
    bench::FilterAllCombs(state, *stat, selected, f.High());
}
BENCHMARK(BM_KeepNums5)->Unit(benchmark::kMicrosecond);

// Every method of the registry: its table (window 1000, offset 0) and keeping one value, the
// commonest of that table, over the full list.
static void BM_MethodTable(benchmark::State& state, std::string code) {
    for (auto _ : state) benchmark::DoNotOptimize(Table(code, 0, false).RowCount());
}

static void BM_MethodKeepOne(benchmark::State& state, std::string code) {
    TFixture& f = Fixture();
    TStatTable table = Table(code, 0, false);
    table.Sort(kColCount, true);
    std::vector<TStatDraw> selected;
    if (table.RowCount() > 0) selected.push_back(table.Record(0));
    auto stat = f.list.CreateStat(f.list.FindCode(code));
    bench::FilterAllCombs(state, *stat, selected, f.High());
}

// The same without the registry's value cache: what each filter computes per combination.
static void BM_MethodKeepOneDirect(benchmark::State& state, std::string code) {
    TFixture& f = Fixture();
    f.list.ValueCaches().SetEnabled(false);
    BM_MethodKeepOne(state, code);
    f.list.ValueCaches().SetEnabled(true);
}

static const bool kMethodBenchmarks = [] {
    TFixture& f = Fixture();
    for (int i = 0; i < f.list.MethodCount(); ++i) {
        const TStatMethod& m = f.list.MethodAt(i);
        const std::string code = m.Class->CodeOf(m.Index);
        benchmark::RegisterBenchmark(("BM_MethodTable/" + code).c_str(), BM_MethodTable, code)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_MethodKeepOne/" + code).c_str(), BM_MethodKeepOne, code)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_MethodKeepOneDirect/" + code).c_str(),
                                     BM_MethodKeepOneDirect, code)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

// Every full-set file of the registry, written into a scratch folder.
static void BM_BuildAllPrefetchFiles(benchmark::State& state) {
    TFixture& f = Fixture();
    const std::string folder =
        (std::filesystem::temp_directory_path() / "zentrix_bench_prefetch").string();
    TGroupSet all;
    all.set();
    int built = 0;
    for (auto _ : state) built = BuildPrefetchFiles(f.list, folder, all);
    std::filesystem::remove_all(folder);
    state.counters["files"] = built;
}
BENCHMARK(BM_BuildAllPrefetchFiles)->Unit(benchmark::kMillisecond);

}  // namespace zentrix
