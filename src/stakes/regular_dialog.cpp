#include "stakes/regular_dialog.h"

#include "core/comb_text.h"
#include "stakes/stake_dialog.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

TRegularAddDialog::TRegularAddDialog(const TCombsArray& list, const std::vector<size_t>& selected) {
    for (size_t row : selected)
        if (row < list.size()) selected_.emplace_back(row, list[row]);
    initial_.start = OneSelected() ? NumbersText(selected_[0].second) : kRegularSelectedCombs;
}

TRegularRules TRegularAddDialog::Accept(const TRegularDialogFields& fields,
                                        const TRegularRules& existing) const {
    std::optional<TComb> start = ParseStakeNumbers(fields.start);
    if (!fields.useLastDraw && OneSelected() && !start) throw EConvertError(kBadStakeNumbers);
    const std::string comment = Utf8Left(fields.comment, kRegularCommentLimit);
    if (Trim(comment).empty()) throw EConvertError(kNoStakeComment);
    for (const TRegularRule& rule : existing)
        if (SameText(rule.Comment, comment)) throw EConvertError(kRegularDuplicateComment);
    if (fields.step < kRegularStepMin || fields.step > kRegularStepMax)
        throw EConvertError(
            Format("Шаг должен быть от %d до %d!", {kRegularStepMin, kRegularStepMax}));

    TRegularRule rule;
    rule.Comment = comment;
    rule.UseLastDraw = fields.useLastDraw;
    rule.Step = fields.step;
    TRegularRules rules;
    if (fields.useLastDraw || OneSelected()) {
        // A rule on the previous draw needs no start of its own: zeros unless one was given.
        if (start) {
            SortComb(*start);
            rule.CombStart = *start;
        }
        rule.CombCurrent = rule.CombStart;
        rules.push_back(rule);
        return rules;
    }
    for (const auto& [position, comb] : selected_) {
        TRegularRule one = rule;
        one.Comment = comment + Format(" (%d)", {static_cast<int64_t>(position + 1)});
        one.CombStart = comb;
        SortComb(one.CombStart);
        one.CombCurrent = one.CombStart;
        rules.push_back(one);
    }
    return rules;
}

}  // namespace zentrix
