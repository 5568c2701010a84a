// The scenario test of the benchmark scenario on a 10,000-draw synthetic archive: a 100-pass
// test, and one pass against its table computations and filterings replayed alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "app/session.h"
#include "core/demo_archive.h"
#include "core/enumerate.h"
#include "quiet_ui.h"
#include "stats/filter.h"

namespace zentrix {

namespace {

// Three lines, seven filter items: bases FULL, EXCL:10 and CURR; single and multi selection;
// keep and delete; a per-value item with three window lengths and two levels (six variants).
const char* const kBenchScenario[] = {
    "FULL:0#RAND|TSD1#NUMS:50,100,200#LMV:5,10#ST:2|TMF1#EVEN:100#LNO:#ST:3| | | | | |Один",
    "EXCL:10#FIRST|TMD1#SMAL:100#LNO:#ST:1|TSD1#PRIM:200#CLV:30#ST:2|TMF1#NUMS:300#LNO:#ST:15| | "
    "| | |Два",
    "CURR:0#LAST|TSF1#DIGS:100#LNO:#ST:1|TMD1#EVNV:50#LNO:#ST:1| | | | | |Три",
};

// A session on a fresh folder: the archive in memory, the folder held, the scenario loaded.
struct TScenarioBench {
    std::string folder;
    bench::TQuietUi ui;
    std::unique_ptr<TMainSession> session;

    TScenarioBench() {
        folder = (std::filesystem::temp_directory_path() /
                  ("zentrix-bench-" + std::to_string(std::random_device{}())))
                     .string();
        std::filesystem::create_directories(folder);
        session = std::make_unique<TMainSession>(folder, ui);
        session->LoadConfig();
        session->InitRegistry();
        session->Combs().InitArrays();
        session->Archive().Assign(MakeDemoDraws(10000, 1, 45292));
        session->TryDataLock();
        session->OpenStakes();
        session->Combs().GenerateCombs(false, 0, "");
        for (const char* line : kBenchScenario) session->Scenario().AddScriptLine(line);
        session->Run().SetRandom(SeededRandomIndex(1));
        session->Run().SetLogOverride(false);
        // Checked once at the end of each pass: the stakes and ratings files are written once.
        session->Core().Settings().Options().StakesCheckOnLine = false;
    }
    ~TScenarioBench() {
        session.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    void ClearStakes() { session->Stakes().FileForWriting().Clear(); }
};

}  // namespace

static void BM_ScenarioTest100(benchmark::State& state) {
    TScenarioBench bench;
    for (auto _ : state) {
        state.PauseTiming();
        bench.ClearStakes();
        state.ResumeTiming();
        bench.session->Run().RunTest(100);
    }
    state.counters["stakes"] = bench.session->Run().StakesAdded();
}
BENCHMARK(BM_ScenarioTest100)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

// One pass at offset 1 (a one-pass test), as the 100-pass test runs each of its passes.
static void BM_ScenarioPass(benchmark::State& state) {
    TScenarioBench bench;
    for (auto _ : state) {
        state.PauseTiming();
        bench.ClearStakes();
        state.ResumeTiming();
        bench.session->Run().RunTest(1);
    }
}
BENCHMARK(BM_ScenarioPass)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The same pass's table computations and filterings, each timed alone and summed.
static void BM_ScenarioPassOperations(benchmark::State& state) {
    TScenarioBench bench;
    TMainSession& s = *bench.session;
    TRunTrace trace;
    s.Run().SetTrace(&trace);
    s.Run().RunTest(1);
    s.Run().SetTrace(nullptr);
    s.Archive().SetDrawsOffset(1);
    const TStatList& registry = s.Stats().Registry();
    const int refIndex = s.Archive().ReferenceIndex();
    TCombsArray dest;
    dest.reserve(kCombCount);
    for (auto _ : state) {
        for (const TRunTrace::TTable& t : trace.tables) {
            TStatTable table = s.Stats().Tables().Compute(t.request);
            table.Sort(t.sortColumn, true);
            benchmark::DoNotOptimize(table.RowCount());
        }
        for (const TRunTrace::TFilter& f : trace.filters) {
            auto stat = registry.CreateStat(f.entry);
            dest.clear();
            FilterCombList(*stat, f.selected, refIndex, false, f.exclude, f.source, dest);
            benchmark::DoNotOptimize(dest.data());
        }
    }
    state.counters["tables"] = static_cast<double>(trace.tables.size());
    state.counters["filters"] = static_cast<double>(trace.filters.size());
}
BENCHMARK(BM_ScenarioPassOperations)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace zentrix
