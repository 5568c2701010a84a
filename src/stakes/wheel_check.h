#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/game.h"

namespace zentrix {

inline constexpr int kWheelMinNumbers = kCombSize;

// For the draws that have t of their 8 numbers among the system's N: how well the best ticket
// of the system does, over every such draw.
struct TWheelRow {
    int drawn = 0;        // t
    int guaranteed = -1;  // the least best-ticket matches over the t-subsets; -1 for t > N
    int64_t subsets = 0;  // C(N, t): which t of the N numbers were drawn
    int64_t draws = 0;    // C(N, t) * C(20 - N, 8 - t): the draws of the game with that t
    std::array<int64_t, kCombSize + 1> best{};  // subsets whose best ticket matches 0..8
    // The share of the row's draws whose best ticket matches m.
    double Share(int m) const {
        return subsets > 0 ? double(best[size_t(m)]) / double(subsets) : 0;
    }
};

struct TWheelCheck {
    int numbers = 0;
    size_t tickets = 0;
    std::array<TWheelRow, kCombSize + 1> rows{};  // t = 0..8
    // Every draw of the game, each subset weighted by its draws; `guaranteed` over the possible
    // ones only.
    TWheelRow all;
    double AllShare(int m) const;
};

// Exact guarantee table of a system over `numbers` positions (8..20), tickets of positions
// 1..numbers, all different within a ticket; EConvertError otherwise. Every subset of at most
// eight positions is looked at once: the best ticket for a subset is the largest of its
// sub-subsets that lies inside some ticket, found over the subsets in increasing order.
TWheelCheck CheckWheel(int numbers, const TCombsArray& tickets);

// A combination list taken as a system over its own numbers (CollectNumbers order): the
// tickets as positions, and the numbers.
TCombsArray ListAsSystem(const TCombsArray& list, TByteArray& numbers);

// The bit mask of a ticket of positions 1..N (bit p - 1).
uint32_t PositionMask(const TComb& ticket);

}  // namespace zentrix
