#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"

namespace zentrix {

// One draw, as in memory so in the archive file: 32 bytes, little-endian, field by field.
struct TDraw {
    int32_t Number = 0;
    TComb Numbers{};    // in the order drawn
    uint8_t Extra = 0;  // 1..4, 0 when unknown
    // The date text "dd.mm.yyyy hh:nn" as stored: a length byte and up to 18 Windows-1251 bytes.
    std::array<uint8_t, 19> DateField{};

    std::string DateText() const;
    // Keeps at most 18 characters.
    void SetDateText(std::string_view text);
    bool operator==(const TDraw&) const = default;
};

// The archive, oldest first.
using TDrawsArray = std::vector<TDraw>;

inline constexpr size_t kDrawRecordSize = 32;
// Appends the 32-byte record.
void WriteDrawRecord(std::string& out, const TDraw& draw);
// Reads one record from 32 bytes.
TDraw ReadDrawRecord(std::string_view record);

// A record whose values the game allows: 8 distinct numbers 1..20 and an extra number 0..4 (0 when
// unknown). A damaged file can hold others; they are kept for the user to correct, never counted.
bool IsSoundDraw(const TDraw& draw);

bool InDraw(int n, const TDraw& draw);
bool GroupInDraw(int group, const TDraw& draw, int size);
// map is indexed by number - 1 (the segment map).
bool MappedInDraw(int value, const TDraw& draw, const std::array<uint8_t, kMaxNumber>& map);
// Pairs (i, j) with draw number i equal to combination byte j.
int CommonCount(const TDraw& draw, const TComb& comb);
int CommonCount(const TDraw& a, const TDraw& b);
TCountedNumbers IntersectNumbers(const TDraw& draw, const TCountedNumbers& set);
void SortDrawNumbers(TDraw& draw);

}  // namespace zentrix
