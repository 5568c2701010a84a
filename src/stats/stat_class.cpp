#include "stats/stat_class.h"

#include "util/format.h"

namespace zentrix {

namespace {

struct TGroupInfo {
    const char* code;
    const char* name;
};

constexpr TGroupInfo kGroups[kGroupCount] = {
    {"num", "Числа тиража"},
    {"sum", "Сумма чисел тиража"},
    {"dif", "Разности между числами тиража"},
    {"grp", "Каналы (группы чисел)"},
    {"mtx", "Матрица тиража"},
    {"sgm", "Сегменты матрицы тиража"},
    {"seq", "Последовательности чисел в одном тираже"},
    {"rep", "Повторяющиеся числа в нескольких тиражах"},
    {"ser", "Серии (цепочки) значений"},
    {"per", "Периоды повторения значений"},
    {"mov", "Переходы (изменения) значений между тиражами"},
    {"vrs", "Характеристическое число Варсела"},
    {"shr", "Методы шинковки"},
};

bool ValidGroup(TStatGroup group) {
    return GroupIndex(group) < kGroupCount;
}

}  // namespace

std::string FlagLetters(TStatFlags flags) {
    static constexpr char kLetters[] = "SNDPG";
    std::string out;
    for (int bit = 0; bit < 5; ++bit)
        if (flags & (1 << bit)) out += kLetters[bit];
    return out;
}

const char* GroupCode(TStatGroup group) {
    return ValidGroup(group) ? kGroups[GroupIndex(group)].code : "";
}

const char* GroupName(TStatGroup group) {
    return ValidGroup(group) ? kGroups[GroupIndex(group)].name : "";
}

std::string GroupTitle(TStatGroup group) {
    if (!ValidGroup(group)) return "#ERROR#";
    return Format("{ %1:s } %0:s", {GroupName(group), GroupCode(group)});
}

std::string TStatClass::CodeOf(int index) const {
    return Format(code, {index});
}

std::string TStatClass::NameOf(int index) const {
    return nameOf ? nameOf(name, index) : Format(name, {index});
}

}  // namespace zentrix
