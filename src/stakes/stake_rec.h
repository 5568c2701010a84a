#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/config_data.h"
#include "core/game.h"

namespace zentrix {

inline constexpr size_t kStakeRecordSize = 312;
inline constexpr uint8_t kStakeVersion = 2;

enum TStakeKind : uint8_t {
    kStakeSeparator = 0,
    kStakeManual = 1,
    kStakeRegular = 2,
    kStakeScenario = 3,
    kStakeSystem = 4,
};

// One ticket for one draw with its result once the draw is known.
struct TStakeRec {
    uint8_t Version = kStakeVersion;
    uint8_t Kind = kStakeManual;
    int32_t Draw = 0;
    bool Checked = false;
    int32_t Selection = 0;
    TCountedNumbers Numbers;
    TComb Result{};  // the draw's numbers in the order drawn
    TCountedNumbers Matched{-1, {}};
    TCurrency Profit = 0;
    std::string Comment;  // UTF-8; at most 255 characters are stored

    int32_t Matches() const { return Matched.Count; }
    bool IsSeparator() const { return Kind == kStakeSeparator; }
    bool operator==(const TStakeRec&) const = default;
};

// Divides groups of stakes; ignored by checking, ratings and graphs.
TStakeRec SeparatorRecord();

// Appends the 312-byte record.
void WriteStakeRecord(std::string& out, const TStakeRec& rec);
std::string StakeRecordBytes(const TStakeRec& rec);
// Reads one record from 312 bytes.
TStakeRec ReadStakeRecord(std::string_view record);

// The length-prefixed Windows-1251 comment fields shared by the stake and rating records.
void WriteShortString(std::string& out, std::string_view text);
std::string ReadShortString(std::string_view field);

// Empty when a file of `size` bytes whose first record starts with `firstByte` holds stakes of
// this version, else what is wrong, for the warning and the backup's reason. An empty file is
// sound.
std::string StakesFileProblem(int64_t size, uint8_t firstByte);

}  // namespace zentrix
