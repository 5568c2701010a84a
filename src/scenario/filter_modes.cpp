#include "scenario/filter_modes.h"

#include <algorithm>
#include <optional>

#include "core/comb_text.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

enum class TCell { None, Integer, Number, Value };
enum class TTest { All, AtLeast, AtMost, InList };

struct TLevelMode {
    const char* code;
    const char* item;
    std::string TStatValues::*column;
    TCell cell;
    TTest test;
    long double fallback;  // what an unconvertible cell counts as
};

using S = TStatValues;
constexpr long double kHigh = 65535;

// clang-format off
const TLevelMode kLevelModes[kLevelModeCount] = {
    {"LNO", "Весь список (без условий)", nullptr, TCell::None, TTest::All, 0},
    {"LMV", "\"Глубина\": не менее заданного значения", &S::Depth, TCell::Integer, TTest::AtLeast, 0},
    {"LMP", "\"Глубина\": не менее заданного процента", &S::DepthPercent, TCell::Number, TTest::AtLeast, 0},
    {"LLV", "\"Глубина\": не более заданного значения", &S::Depth, TCell::Integer, TTest::AtMost, kHigh},
    {"LLP", "\"Глубина\": не более заданного процента", &S::DepthPercent, TCell::Number, TTest::AtMost, kHigh},
    {"LDV", "\"Глубина\": из заданного списка значений", &S::Depth, TCell::Integer, TTest::InList, 0},
    {"LDP", "\"Глубина\": из заданного списка процентов", &S::DepthPercent, TCell::Number, TTest::InList, 0},
    {"DMV", "\"Отклонение\": не менее заданного значения", &S::Deviation, TCell::Integer, TTest::AtLeast, 0},
    {"DMP", "\"Отклонение\": не менее заданного процента", &S::DeviationPercent, TCell::Number, TTest::AtLeast, 0},
    {"DLV", "\"Отклонение\": не более заданного значения", &S::Deviation, TCell::Integer, TTest::AtMost, kHigh},
    {"DLP", "\"Отклонение\": не более заданного процента", &S::DeviationPercent, TCell::Number, TTest::AtMost, kHigh},
    {"DDV", "\"Отклонение\": из заданного списка значений", &S::Deviation, TCell::Integer, TTest::InList, 0},
    {"DDP", "\"Отклонение\": из заданного списка процентов", &S::DeviationPercent, TCell::Number, TTest::InList, 0},
    {"CMV", "\"Количество\": не менее заданного значения", &S::Count, TCell::Integer, TTest::AtLeast, 0},
    {"CMP", "\"Количество\": не менее заданного процента", &S::CountPercent, TCell::Number, TTest::AtLeast, 0},
    {"CLV", "\"Количество\": не более заданного значения", &S::Count, TCell::Integer, TTest::AtMost, kHigh},
    {"CLP", "\"Количество\": не более заданного процента", &S::CountPercent, TCell::Number, TTest::AtMost, kHigh},
    {"CDV", "\"Количество\": из заданного списка значений", &S::Count, TCell::Integer, TTest::InList, 0},
    {"CDP", "\"Количество\": из заданного списка процентов", &S::CountPercent, TCell::Number, TTest::InList, 0},
    {"WMV", "\"Вес\": не менее заданного значения", &S::Weight, TCell::Number, TTest::AtLeast, 0},
    {"WLV", "\"Вес\": не более заданного значения", &S::Weight, TCell::Number, TTest::AtMost, 0},
    {"WDV", "\"Вес\": из заданного списка значений", &S::Weight, TCell::Number, TTest::InList, 0},
    {"PIM", "\"Период min\": не менее заданного значения", &S::PeriodMin, TCell::Integer, TTest::AtLeast, 0},
    {"PIL", "\"Период min\": не более заданного значения", &S::PeriodMin, TCell::Integer, TTest::AtMost, kHigh},
    {"PIR", "\"Период min\": из заданного списка значений", &S::PeriodMin, TCell::Integer, TTest::InList, 0},
    {"PAM", "\"Период\": не менее заданного значения", &S::Period, TCell::Number, TTest::AtLeast, 0},
    {"PAL", "\"Период\": не более заданного значения", &S::Period, TCell::Number, TTest::AtMost, 0},
    {"PAR", "\"Период\": из заданного списка значений", &S::Period, TCell::Number, TTest::InList, 0},
    {"PXM", "\"Период max\": не менее заданного значения", &S::PeriodMax, TCell::Integer, TTest::AtLeast, 0},
    {"PXL", "\"Период max\": не более заданного значения", &S::PeriodMax, TCell::Integer, TTest::AtMost, kHigh},
    {"PXR", "\"Период max\": из заданного списка значений", &S::PeriodMax, TCell::Integer, TTest::InList, 0},
    {"LVA", "\"Значения\": из заданного списка значений", nullptr, TCell::Value, TTest::InList, 0},
};

struct TStopRule {
    const char* code;
    const char* item;
};

const TStopRule kStopRules[kStopModeCount] = {
    {"SF", "Обработать все записи"},
    {"SC", "Количеству оставшихся комбинаций"},
    {"SZ", "Пока список не будет пуст и откатить на шаг"},
    {"ST", "Количеству шагов"},
    {"SV", "Значению в списке статистики"},
    {"SP", "Процентному соотношению в списке статистики"},
};
// clang-format on

bool InTable(int mode, int count) {
    return mode >= 0 && mode < count;
}

template <typename T, size_t N>
int MatchPrefix(const T (&table)[N], std::string_view word) {
    for (size_t i = 0; i < N; ++i) {
        std::string_view code = table[i].code;
        if (word.size() >= code.size() && SameText(word.substr(0, code.size()), code))
            return static_cast<int>(i);
    }
    return -1;
}

// The cell as a number; none when it does not convert (list modes have no fallback).
std::optional<long double> CellNumber(const TLevelMode& m, const TStatValues& row) {
    if (m.cell == TCell::Value) return row.Value;
    const std::string& text = row.*(m.column);
    if (m.cell == TCell::Integer) {
        if (auto v = TryStrToInt(Trim(text))) return *v;
    } else if (auto v = TryStrToFloat(text)) {
        return *v;
    }
    if (m.test == TTest::InList) return std::nullopt;
    return m.fallback;
}

}  // namespace

std::string_view LevelModeCode(int mode) {
    return InTable(mode, kLevelModeCount) ? kLevelModes[mode].code : "";
}

std::string_view StopModeCode(int mode) {
    return InTable(mode, kStopModeCount) ? kStopRules[mode].code : "";
}

std::string LevelModeItem(int mode) {
    return InTable(mode, kLevelModeCount) ? kLevelModes[mode].item : kOutOfTableText;
}

std::string StopModeItem(int mode) {
    return InTable(mode, kStopModeCount) ? kStopRules[mode].item : kOutOfTableText;
}

int MatchLevelCode(std::string_view word) {
    return MatchPrefix(kLevelModes, word);
}

int MatchStopCode(std::string_view word) {
    return MatchPrefix(kStopRules, word);
}

bool IsPerValueMode(int mode) {
    return (mode >= 1 && mode <= 4) || (mode >= 7 && mode <= 10) || (mode >= 13 && mode <= 16) ||
           (mode >= 19 && mode <= 30);
}

bool IsListMode(int mode) {
    return InTable(mode, kLevelModeCount) && kLevelModes[mode].test == TTest::InList;
}

std::string TStatValues::*LevelModeField(int mode) {
    return InTable(mode, kLevelModeCount) ? kLevelModes[mode].column : nullptr;
}

bool LevelTest(int mode, const TStatValues& row, std::string_view level) {
    if (!InTable(mode, kLevelModeCount)) return false;
    const TLevelMode& m = kLevelModes[mode];
    if (m.test == TTest::All) return true;
    std::optional<long double> cell = CellNumber(m, row);
    if (!cell) return false;
    if (m.test == TTest::InList) {
        TIntArray list = ParseIntList(level);
        return std::any_of(list.begin(), list.end(), [&](int32_t v) { return *cell == v; });
    }
    std::optional<int32_t> bound = TryStrToInt(Trim(level));
    if (!bound) return false;
    return m.test == TTest::AtLeast ? *cell >= *bound : *cell <= *bound;
}

}  // namespace zentrix
