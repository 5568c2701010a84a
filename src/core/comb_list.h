#pragma once

#include <bitset>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/draw.h"
#include "core/game.h"

namespace zentrix {

// Generation of the working list.
inline constexpr int kGenerateModes = 5;
extern const char* const kGenerateModeNames[kGenerateModes];
inline constexpr const char* kGenerateDialogTitle = "Создание нового списка комбинаций";

// The parameter field is enabled for modes 1 to 4, the "..." button for mode 4 only.
constexpr bool GenerateParameterEnabled(int mode) {
    return mode >= 1 && mode <= 4;
}
constexpr bool GenerateFileButtonEnabled(int mode) {
    return mode == 4;
}

// The user's numbers of modes 1 to 3: words split at "," and ";", non-numbers 0, values
// outside 0..255 ignored.
std::bitset<256> GenerateNumberSet(std::string_view parameter);
// Modes 0 to 3 and any mode above 4 (the full list); mode 4 reads a file and is the caller's.
// Replaces the content of `out`.
void GenerateFromNumbers(int mode, std::string_view parameter, TCombsArray& out);

// The draws of an archive window as a lookup: does some draw share all 8 numbers with a
// combination (the pair count of CommonCount equal to 8)? Draws and combinations of 8 distinct
// numbers 1..20 compare by their number masks; anything else by the exact pair count.
class TDrawnSet {
  public:
    // The draws with indexes first..last (an empty window when first > last); the array must
    // outlive the set.
    TDrawnSet(const TDrawsArray& draws, int first, int last);
    bool Contains(const TComb& comb) const;
    // The positions, ascending, of the list's combinations that the set holds, found by binary
    // search; false (and nothing found) unless the list is canonical: every combination's
    // numbers ascend within 1..20 and the list ascends, as a generated list and its narrowings do.
    bool PositionsIn(std::span<const TComb> list, std::vector<size_t>& positions) const;

  private:
    const TDraw* begin_ = nullptr;  // the window, kept by reference
    const TDraw* end_ = nullptr;
    std::vector<uint64_t> bits_;     // 2^20 bits, one per mask of numbers 1..20
    std::vector<const TDraw*> odd_;  // draws with repeated or out-of-range numbers
};

// The 20-bit mask of a combination of 8 distinct numbers 1..20; 0 for anything else.
uint32_t CombMask(const TComb& numbers);

// The archive searched for a combination, newest draw first: a DrawText line per draw with the
// same 8 numbers; stops once more than kSearchLinesMax lines were found.
inline constexpr int kSearchLinesMax = 25;
std::vector<std::string> FindCombInDraws(const TDrawsArray& draws, const TComb& comb);

}  // namespace zentrix
