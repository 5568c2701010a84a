#include "scenario/script_command.h"

#include <algorithm>
#include <vector>

#include "scenario/filter_modes.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

struct TEntry {
    const char* token;
    const char* item;
    const char* shortText;
};

// clang-format off
const TEntry kStartCombs[kStartCombsCount] = {
    {"FULL", "Исходный список (рекомендуется для тестов)", "Исходный список"},
    {"EXCL", "Удалить N последних тиражей (для прогнозов)", "Исключить %d тиражей"},
    {"CURR", "Текущий список (для последовательного выполнения)", "Текущий список"},
};

const TEntry kResultCombs[kResultCombsCount] = {
    {"RAND", "Выбрать одну случайную комбинацию", "Случайно"},
    {"FIRST", "Выбрать первую комбинацию в списке", "Первая"},
    {"LAST", "Выбрать последнюю комбинацию в списке", "Последняя"},
    {"ALL", "Выбрать все комбинации (не рекомендуется)", "Все"},
    {"SYSA", "Системная игра [вся система]", "Система [все]"},
    {"SYSC", "Системная игра [система * комбинации]", "Система [комб]"},
    {"STOP", "Остановить выполнение сценария", "Остановить"},
    {"SKIP", "Пропустить (игнорировать) эту ставку", "Пропустить"},
    {"NONE", "Не делать ставок (для последовательного выполнения)", "Не делать ставок"},
};
// clang-format on

constexpr const char* kClearStakesToken = "CLR";
constexpr const char* kNewOnlyToken = "NEX";

template <size_t N>
const TEntry* EntryAt(const TEntry (&table)[N], int i) {
    return i >= 0 && i < static_cast<int>(N) ? &table[i] : nullptr;
}

template <size_t N>
std::string_view TokenOf(const TEntry (&table)[N], int i) {
    const TEntry* e = EntryAt(table, i);
    return e ? e->token : "";
}

template <size_t N>
std::string TextOf(const TEntry (&table)[N], int i, bool shortText) {
    const TEntry* e = EntryAt(table, i);
    if (!e) return kOutOfTableText;
    return shortText ? e->shortText : e->item;
}

}  // namespace

std::string_view StartCombsToken(int kind) {
    return TokenOf(kStartCombs, kind);
}
std::string_view ResultCombsToken(int mode) {
    return TokenOf(kResultCombs, mode);
}
std::string StartCombsItem(int kind) {
    return TextOf(kStartCombs, kind, false);
}
std::string StartCombsShort(int kind) {
    return TextOf(kStartCombs, kind, true);
}
std::string ResultCombsItem(int mode) {
    return TextOf(kResultCombs, mode, false);
}
std::string ResultCombsShort(int mode) {
    return TextOf(kResultCombs, mode, true);
}

std::string EncodeCommand(const TScriptCommand& command) {
    std::string text(StartCombsToken(command.StartCombsType));
    text += ':' + std::to_string(command.ExcludeDraws);
    text += '#';
    text += ResultCombsToken(command.ResultCombsMode);
    if (command.ClearStakes) text += std::string("#") + kClearStakesToken;
    if (command.NewOnly) text += std::string("#") + kNewOnlyToken;
    return text;
}

TScriptCommand DecodeCommand(std::string_view text) {
    TScriptCommand command;
    std::vector<std::string> words = SplitAny(text, "#");
    if (words.empty()) return command;
    const std::string base = Trim(words[0]);
    for (int i = 0; i < kStartCombsCount; ++i) {
        std::string_view token = kStartCombs[i].token;
        if (base.size() >= token.size() && SameText(base.substr(0, token.size()), token)) {
            command.StartCombsType = static_cast<uint8_t>(i);
            break;
        }
    }
    std::vector<std::string> parts = SplitAny(base, ":");
    // The count is never negative: it is the number of draws to leave out.
    if (parts.size() > 1) command.ExcludeDraws = std::max(0, StrToIntDef(Trim(parts[1]), 0));
    if (words.size() > 1) {
        const std::string action = Trim(words[1]);
        for (int i = 0; i < kResultCombsCount; ++i)
            if (SameText(action, kResultCombs[i].token))
                command.ResultCombsMode = static_cast<uint8_t>(i);
    }
    for (size_t i = 2; i < words.size(); ++i) {
        const std::string flag = Trim(words[i]);
        if (SameText(flag, kClearStakesToken)) command.ClearStakes = true;
        if (SameText(flag, kNewOnlyToken)) command.NewOnly = true;
    }
    return command;
}

std::string DescribeCommand(const TScriptCommand& command) {
    std::string text = StartCombsShort(command.StartCombsType);
    if (command.StartCombsType == kStartExclude) text = Format(text, {command.ExcludeDraws});
    text += "; " + ResultCombsShort(command.ResultCombsMode);
    if (command.ClearStakes) text += "; Удалить ставки";
    text += command.NewOnly ? "; Только новые ставки" : "; Все создаваемые ставки";
    return text;
}

std::string ShortCommandText(const TScriptCommand& command) {
    std::string text(StartCombsToken(command.StartCombsType));
    if (command.StartCombsType == kStartExclude) text += ':' + std::to_string(command.ExcludeDraws);
    text += '#';
    text += ResultCombsToken(command.ResultCombsMode);
    if (command.NewOnly) text += std::string("#") + kNewOnlyToken;
    return text;
}

}  // namespace zentrix
