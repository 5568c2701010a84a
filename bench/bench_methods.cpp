#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "stats/stat_list.h"
#include "stats/stat_table.h"
#include "stats_fixture.h"

namespace zentrix {

namespace {

using TFixture = bench::TStatsFixture<10000>;

TStatTable WindowTable(int entry) {
    TFixture& f = TFixture::Get();
    TStatTableParams p;
    p.RefIndex = f.High();
    p.WindowLength = 1000;
    return TStatTable::Compute(f.list.CreateStat(entry), p);
}

// Every registered method: its table over the last 1000 draws, and keeping its commonest value
// out of the full list of combinations.
void MethodTable(benchmark::State& state, int entry) {
    for (auto _ : state) benchmark::DoNotOptimize(WindowTable(entry).RowCount());
}

void MethodKeepOne(benchmark::State& state, int entry) {
    TFixture& f = TFixture::Get();
    TStatTable table = WindowTable(entry);
    table.Sort(kColCount, true);
    std::vector<TStatDraw> selected;
    if (table.RowCount() > 0) selected.push_back(table.Record(0));
    auto stat = f.list.CreateStat(entry);
    bench::FilterAllCombs(state, *stat, selected, f.High());
}

const bool kRegistered = [] {
    const TStatList& list = TFixture::Get().list;
    for (int i = 0; i < list.MethodCount(); ++i) {
        const std::string code = list.MethodAt(i).Class->CodeOf(list.MethodAt(i).Index);
        benchmark::RegisterBenchmark(("BM_MethodTable/" + code).c_str(), MethodTable, i)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_MethodKeepOne/" + code).c_str(), MethodKeepOne, i)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

}  // namespace

}  // namespace zentrix
