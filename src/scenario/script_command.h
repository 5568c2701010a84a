#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zentrix {

// Base list kinds (StartCombsType).
enum TStartCombs : uint8_t { kStartFull, kStartExclude, kStartCurrent };
inline constexpr int kStartCombsCount = 3;

// Actions on what the filters left (ResultCombsMode).
enum TResultCombs : uint8_t {
    kResultRandom,
    kResultFirst,
    kResultLast,
    kResultAll,
    kResultSystemAll,
    kResultSystemCombs,
    kResultStop,
    kResultSkip,
    kResultNone
};
inline constexpr int kResultCombsCount = 9;

// The command field of a scenario line.
struct TScriptCommand {
    int32_t ExcludeDraws = 0;
    uint8_t StartCombsType = kStartFull;
    uint8_t ResultCombsMode = kResultRandom;
    bool ClearStakes = false;
    bool NewOnly = false;
    bool operator==(const TScriptCommand&) const = default;
};

// Tokens; empty outside the tables.
std::string_view StartCombsToken(int kind);
std::string_view ResultCombsToken(int mode);
// Dialog items and short texts; "# ERROR #" outside the tables. The EXCL short text holds %d.
std::string StartCombsItem(int kind);
std::string StartCombsShort(int kind);
std::string ResultCombsItem(int mode);
std::string ResultCombsShort(int mode);
inline constexpr const char* kClearStakesItem =
    "Удалить все ставки перед выполнением (накопление только рейтинга)";
inline constexpr const char* kNewOnlyItem =
    "Только новые ставки (пропускать те ставки, которые уже есть в списке)";

// FULL:0#RAND, EXCL:3#ALL#CLR#NEX
std::string EncodeCommand(const TScriptCommand& command);
// Never fails: FULL, 0, RAND, no flags for what does not read.
TScriptCommand DecodeCommand(std::string_view text);
// The "Опции" column: Исключить 3 тиражей; Все; Удалить ставки; Только новые ставки
std::string DescribeCommand(const TScriptCommand& command);
// For logs and stake comments: FULL#RAND, EXCL:3#ALL#NEX
std::string ShortCommandText(const TScriptCommand& command);

}  // namespace zentrix
