#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/game.h"

namespace zentrix {

// "k if t": whichever t of the N numbers are drawn, some ticket holds at least k of them.
struct TWheelGoal {
    int numbers = 0;  // N, 9..20
    int matches = 0;  // k, 1..7
    int drawn = 0;    // t, k..8
};

// "K-if-T" (also "K if T"); EConvertError with the allowed ranges otherwise.
TWheelGoal ParseWheelGoal(int numbers, const std::string& text);
void CheckWheelGoal(const TWheelGoal& goal);

// The name a generated system is saved under: "8-NN-k_0000.dat", its block being k and its id 0
// (no catalog number).
std::string GeneratedSystemFileName(const TWheelGoal& goal);

// A small system with the guarantee, tickets of positions 1..N ascending: greedy covering of
// the t-subsets (each round the ticket covering most of those still uncovered, among every
// ticket when that is cheap enough, else among a seeded sample that always holds a ticket
// covering one of them), then a local pass that drops tickets made redundant and removes a
// ticket whenever one swap of a number in another ticket takes over what it alone covered.
// `stop` (optional) is polled between rounds; a stop raises EZentrix. Raises EZentrix when the
// system would exceed kWheelTicketLimit tickets.
inline constexpr size_t kWheelTicketLimit = 20000;
TCombsArray GenerateWheel(const TWheelGoal& goal, uint64_t seed = 1,
                          const std::function<bool()>& stop = {});

}  // namespace zentrix
