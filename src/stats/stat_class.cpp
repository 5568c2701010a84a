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

bool ValidGroup(int group) {
    return group >= 0 && group < kGroupCount;
}

}  // namespace

std::string FlagLetters(TStatFlags flags) {
    static constexpr char kLetters[] = "SNDPG";
    std::string out;
    for (int bit = 0; bit < 5; ++bit)
        if (flags & (1 << bit)) out += kLetters[bit];
    return out;
}

const char* GroupCode(int group) {
    return ValidGroup(group) ? kGroups[group].code : "";
}

const char* GroupName(int group) {
    return ValidGroup(group) ? kGroups[group].name : "";
}

std::string GroupTitle(int group) {
    if (!ValidGroup(group)) return "#ERROR#";
    return Format("{ %1:s } %0:s", {kGroups[group].name, kGroups[group].code});
}

std::string TStatClass::CodeOf(int index) const {
    return Format(code, {index});
}

std::string TStatClass::NameOf(int index) const {
    return Format(name, {index});
}

}  // namespace zentrix
