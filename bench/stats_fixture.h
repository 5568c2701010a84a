#pragma once

#include <benchmark/benchmark.h>

#include <vector>

#include "core/config.h"
#include "core/config_data.h"
#include "core/demo_archive.h"
#include "core/enumerate.h"
#include "stats/filter.h"
#include "stats/stat_list.h"

namespace zentrix::bench {

// A synthetic archive of `Draws` draws and the registry over it with the configuration of an
// empty settings file, made once per size.
template <int Draws>
struct TStatsFixture {
    TDrawsArray draws = MakeDemoDraws(Draws, 1, 45292);
    TConfigSettings config = DefaultConfigSettings();
    TStatList list{draws, config};
    TStatsFixture() { list.RegisterMethods(); }
    int High() const { return static_cast<int>(draws.size()) - 1; }

    static TStatsFixture& Get() {
        static TStatsFixture fixture;
        return fixture;
    }
};

// Keeps the selected values of `stat` over the full list of combinations, once per round.
inline void FilterAllCombs(benchmark::State& state, TCustomStat& stat,
                           const std::vector<TStatDraw>& selected, int refIndex) {
    const TCombsArray& all = AllCombs();
    TCombsArray dest;
    dest.reserve(all.size());
    for (auto _ : state) {
        dest.clear();
        FilterCombList(stat, selected, refIndex, false, false, all, dest);
        benchmark::DoNotOptimize(dest.data());
    }
    state.counters["kept"] = static_cast<double>(dest.size());
}

}  // namespace zentrix::bench
