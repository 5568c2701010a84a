#pragma once

#include "core/config_data.h"
#include "core/demo_archive.h"
#include "stats/stat_list.h"

namespace zentrix::bench {

// A synthetic archive of `Draws` draws and the registry over it, made once per size.
template <int Draws>
struct TStatsFixture {
    TDrawsArray draws = MakeDemoDraws(Draws, 1, 45292);
    TConfigSettings config;
    TStatList list{draws, config};
    TStatsFixture() { list.RegisterMethods(); }
    int High() const { return static_cast<int>(draws.size()) - 1; }

    static TStatsFixture& Get() {
        static TStatsFixture fixture;
        return fixture;
    }
};

}  // namespace zentrix::bench
