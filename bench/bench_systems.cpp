#include <benchmark/benchmark.h>

#include <random>

#include "stakes/wheel_check.h"
#include "stakes/wheel_generate.h"

namespace zentrix {

// A seeded system of `count` tickets over positions 1..n.
static TCombsArray RandomSystem(int n, int count) {
    std::mt19937 rng(20);
    TCombsArray system;
    for (int i = 0; i < count; ++i) {
        std::vector<uint8_t> positions;
        for (int p = 1; p <= n; ++p) positions.push_back(uint8_t(p));
        std::shuffle(positions.begin(), positions.end(), rng);
        TComb ticket{};
        std::copy_n(positions.begin(), kCombSize, ticket.begin());
        system.push_back(ticket);
    }
    return system;
}

// The guarantee table of a 100-ticket system over 20 numbers.
static void BM_CheckWheel100Over20(benchmark::State& state) {
    const TCombsArray system = RandomSystem(20, 100);
    for (auto _ : state) benchmark::DoNotOptimize(CheckWheel(20, system).rows[8].guaranteed);
}
BENCHMARK(BM_CheckWheel100Over20)->Unit(benchmark::kMillisecond);

// The full system over 20 numbers: every combination a ticket.
static void BM_CheckWheelFull20(benchmark::State& state) {
    TCombsArray system;
    for (uint32_t m = 0; m < (1u << 20); ++m) {
        if (__builtin_popcount(m) != kCombSize) continue;
        TComb c{};
        size_t i = 0;
        for (int p = 0; p < 20; ++p)
            if (m & (1u << p)) c[i++] = uint8_t(p + 1);
        system.push_back(c);
    }
    for (auto _ : state) benchmark::DoNotOptimize(CheckWheel(20, system).rows[8].guaranteed);
}
BENCHMARK(BM_CheckWheelFull20)->Unit(benchmark::kMillisecond);

// Building "k if t" systems; the counter is the number of tickets.
static void BM_GenerateWheel(benchmark::State& state) {
    const TWheelGoal goal{int(state.range(0)), int(state.range(1)), int(state.range(2))};
    size_t tickets = 0;
    for (auto _ : state) tickets = GenerateWheel(goal).size();
    state.counters["tickets"] = double(tickets);
}
BENCHMARK(BM_GenerateWheel)
    ->Unit(benchmark::kMillisecond)
    ->Args({12, 3, 3})
    ->Args({12, 4, 4})
    ->Args({12, 4, 5})
    ->Args({14, 3, 3})
    ->Args({16, 3, 3})
    ->Args({16, 4, 6})
    ->Args({20, 3, 3})
    ->Args({20, 4, 8})
    ->Args({20, 5, 8})
    ->Iterations(1);

}  // namespace zentrix
