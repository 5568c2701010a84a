#include "stakes/regular_table.h"

#include <bitset>

#include "core/archive.h"
#include "core/comb_text.h"
#include "stakes/stake_make.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix {

bool IsStakeComb(const TComb& comb) {
    std::bitset<kMaxNumber + 1> seen;
    for (uint8_t n : comb) {
        if (n < 1 || n > kMaxNumber || seen[n]) return false;
        seen[n] = true;
    }
    return true;
}

TComb NextTableCombination(TRegularRule& rule, const TDrawsArray& draws, int offset) {
    if (rule.Step < kRegularStepMin || rule.Step > kRegularStepMax)
        throw EZentrix(Format("Регулярная ставка \"%s\": шаг %d вне диапазона от %d до %d!",
                              {rule.Comment, rule.Step, kRegularStepMin, kRegularStepMax}));
    const TComb base = rule.UseLastDraw ? DrawAtOffset(draws, offset) : rule.CombCurrent;
    if (!IsStakeComb(base)) {
        if (rule.UseLastDraw)
            throw EZentrix(
                Format("Регулярная ставка \"%s\": нет предыдущего тиража для смещения %d!",
                       {rule.Comment, offset}));
        throw EZentrix(Format("Регулярная ставка \"%s\": некорректная текущая комбинация %s!",
                              {rule.Comment, NumbersText(base)}));
    }
    TComb next = ShiftComb(base, rule.Step);
    SortComb(next);
    rule.CombCurrent = next;
    rule.StakesMade += 1;
    return next;
}

TStakeRec RegularStake(const TConfigData& config, const TRegularRule& rule, int32_t draw,
                       int32_t selection) {
    return NewStake(config, kStakeRegular, draw, selection, rule.CombCurrent, rule.Comment);
}

const std::vector<std::string>& RegularHeaders() {
    static const std::vector<std::string> headers = {"Комментарий", "Стартовая комбинация",
                                                     "Текущая комбинация", "Шаг", "Ставок"};
    return headers;
}

namespace {

// A rule on the previous draw may have no start of its own: its numbers are all zero.
std::string RuleCombText(const TComb& comb) {
    for (uint8_t n : comb)
        if (n != 0) return NumbersText(comb);
    return {};
}

}  // namespace

std::vector<std::string> RegularCells(const TRegularRule& rule) {
    return {rule.Comment, RuleCombText(rule.CombStart), RuleCombText(rule.CombCurrent),
            std::to_string(rule.Step), std::to_string(rule.StakesMade)};
}

TTextTable RegularsTable(const TRegularRules& rules) {
    TTextTable table;
    table.headers = RegularHeaders();
    table.alignments = {TCellAlign::Left, TCellAlign::Left, TCellAlign::Left, TCellAlign::Right,
                        TCellAlign::Right};
    table.widths = {240, 170, 170, 50, 60};
    for (const TRegularRule& rule : rules) table.rows.push_back(RegularCells(rule));
    return table;
}

}  // namespace zentrix
