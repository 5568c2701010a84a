#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"

namespace zentrix {

inline constexpr size_t kRegularRecordSize = 284;
inline constexpr int kRegularStepMin = -20;
inline constexpr int kRegularStepMax = 20;

// A rule that makes one stake per draw by shifting a combination across the number table.
struct TRegularRule {
    std::string Comment;       // UTF-8
    bool UseLastDraw = false;  // the base is the last visible draw, not CombCurrent
    TComb CombStart{};
    TComb CombCurrent{};  // of the last stake made
    int32_t Step = 1;
    int32_t StakesMade = 0;
    bool operator==(const TRegularRule&) const = default;
};
using TRegularRules = std::vector<TRegularRule>;

void WriteRegularRecord(std::string& out, const TRegularRule& rule);
TRegularRule ReadRegularRecord(std::string_view record);

// Zentrix_8x20.ltb: whole records back to back, read and written whole. A file that did not
// read whole is copied aside before it is first overwritten.
class TRegularsFile {
  public:
    explicit TRegularsFile(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }
    // Every whole record (none for a missing file); raises EFileError after keeping what was
    // read in `rules`.
    void Load(TRegularRules& rules);
    // Raises EFileError; the previous file stays whole then.
    void Save(const TRegularRules& rules);
    bool Damaged() const { return damaged_; }

  private:
    std::string path_;
    bool damaged_ = false;
};

}  // namespace zentrix
