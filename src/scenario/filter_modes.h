#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zentrix {

// One row of the statistics table as a scenario tests it: the label, its value as the statistic
// parses it, and the cell texts of the other columns.
struct TStatValues {
    std::string Label;
    int32_t Value = 0;
    std::string Count, CountPercent, Deviation, DeviationPercent, Depth, DepthPercent, Weight,
        PeriodMin, Period, PeriodMax;
};

// Row-selection modes (TFilterItem's LevelMode).
inline constexpr int kLevelModeCount = 32;
inline constexpr uint8_t kLevelAll = 0;       // LNO
inline constexpr uint8_t kLevelByValue = 31;  // LVA: needs a statistic that parses its labels

// Stop rules (StopMode).
inline constexpr int kStopModeCount = 6;
enum TStopMode : uint8_t {
    kStopNone,
    kStopCombs,
    kStopEmpty,
    kStopSteps,
    kStopCount,
    kStopPercent
};

// What a dialog or a list shows for a value outside its table.
inline constexpr const char* kOutOfTableText = "# ERROR #";

// The token written in filter text; empty outside the table.
std::string_view LevelModeCode(int mode);
std::string_view StopModeCode(int mode);
// The dialog items; kOutOfTableText outside the table.
std::string LevelModeItem(int mode);
std::string StopModeItem(int mode);

// The first code in table order that is a case-insensitive prefix of the word; -1 when none.
int MatchLevelCode(std::string_view word);
int MatchStopCode(std::string_view word);

// Every value of the level list becomes a variant of its own.
bool IsPerValueMode(int mode);
// The level is a value list.
bool IsListMode(int mode);

// The cell a mode tests; none for LNO and LVA (which reads the parsed value).
std::string TStatValues::*LevelModeField(int mode);

// Whether the row passes the mode's test with the given level text: one integer for the
// at-least and at-most modes, a value list for the list modes. A level that does not read as
// the mode wants lets no row pass; LNO passes every row.
bool LevelTest(int mode, const TStatValues& row, std::string_view level);

}  // namespace zentrix
