#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/demo_archive.h"
#include "core/enumerate.h"
#include "stats/filter.h"
#include "stats/stat_list.h"
#include "stats/stat_table.h"
#include "stats_fixture.h"

namespace zentrix {

namespace {

using TFixture = bench::TStatsFixture<3000>;

TFixture& Fixture() {
    return TFixture::Get();
}

// Every second value of the method's table over the last 1000 draws: the selection a user makes
// when halving a table.
std::vector<TStatDraw> HalfTheTable(const std::string& code) {
    TFixture& f = Fixture();
    TStatTableParams p;
    p.RefIndex = f.High();
    p.WindowLength = 1000;
    TStatTable table = TStatTable::Compute(f.list.CreateStat(f.list.FindCode(code)), p);
    std::vector<TStatDraw> selected;
    for (int r = 0; r < table.RowCount(); r += 2) selected.push_back(table.Record(r));
    return selected;
}

}  // namespace

// The full list through one method's filter, keeping half of its table's values.
static void BM_FilterHalf(benchmark::State& state, const char* code) {
    TFixture& f = Fixture();
    auto stat = f.list.CreateStat(f.list.FindCode(code));
    const std::vector<TStatDraw> selected = HalfTheTable(code);
    bench::FilterAllCombs(state, *stat, selected, f.High());
}
BENCHMARK_CAPTURE(BM_FilterHalf, NUMS, "NUMS")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FilterHalf, DIGS, "DIGS")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FilterHalf, EVEN, "EVEN")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FilterHalf, EVNV, "EVNV")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FilterHalf, POS3, "POS3")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FilterHalf, KNM2, "KNM2")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FilterHalf, KNS3, "KNS3")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FilterHalf, KNP24, "KNP24")->Unit(benchmark::kMicrosecond);

// A table over 3000 draws: one AddDrawValues per draw.
static void BM_Table(benchmark::State& state, const char* code) {
    TFixture& f = Fixture();
    TStatTableParams p;
    p.RefIndex = f.High();
    p.WindowLength = 3000;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            TStatTable::Compute(f.list.CreateStat(f.list.FindCode(code)), p).RowCount());
}
BENCHMARK_CAPTURE(BM_Table, EVEN, "EVEN")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Table, EVNV, "EVNV")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Table, POS3, "POS3")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Table, KNS3, "KNS3")->Unit(benchmark::kMicrosecond);

}  // namespace zentrix
