#include "stakes/stake_dialog.h"

#include <bitset>
#include <vector>

#include "core/comb_text.h"
#include "stakes/stake_make.h"
#include "util/errors.h"
#include "util/strings.h"

namespace zentrix {

namespace {

std::vector<std::string> Words(std::string_view numbers) {
    std::vector<std::string> words;
    for (const std::string& word : SplitAny(numbers, ";,")) words.push_back(Trim(word));
    return words;
}

std::string CheckedComment(const TStakeDialogFields& fields) {
    const std::string comment = Utf8Left(fields.comment, kStakeCommentLimit);
    if (Trim(comment).empty()) throw EConvertError(kNoStakeComment);
    return comment;
}

void CheckRanges(const TStakeDialogFields& fields) {
    if (fields.draw < 1 || fields.draw > kStakeDrawMax)
        throw EConvertError("Некорректный номер тиража!");
    if (fields.draws < 1 || fields.draws > kStakeDrawsMax)
        throw EConvertError("Некорректное количество тиражей!");
}

}  // namespace

TStakeDialogFields NewStakeFields(int32_t nextDraw, const std::optional<TComb>& selected) {
    TStakeDialogFields fields;
    fields.draw = nextDraw;
    fields.numbers = selected ? NumbersText(*selected) : std::string();
    fields.comment = kManualStakeComment;
    return fields;
}

int64_t StakeNumbersSum(std::string_view numbers) {
    int64_t sum = 0;
    for (const std::string& word : Words(numbers)) sum += TryStrToInt(word).value_or(0);
    return sum;
}

std::optional<TComb> ParseStakeNumbers(std::string_view numbers) {
    const std::vector<std::string> words = Words(numbers);
    if (words.size() != kCombSize) return std::nullopt;
    TComb comb{};
    std::bitset<kMaxNumber + 1> seen;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::optional<int32_t> n = TryStrToInt(words[i]);
        if (!n || *n < 1 || *n > kMaxNumber || seen[*n]) return std::nullopt;
        seen[*n] = true;
        comb[i] = static_cast<uint8_t>(*n);
    }
    return comb;
}

TStakeDialogResult StakeDialogResult(const TStakeDialogFields& fields, const TConfigData& config,
                                     int32_t selection, uint8_t kind) {
    const std::optional<TComb> comb = ParseStakeNumbers(fields.numbers);
    if (!comb) throw EConvertError(kBadStakeNumbers);
    const std::string comment = CheckedComment(fields);
    CheckRanges(fields);
    return {NewStake(config, kind, static_cast<int32_t>(fields.draw), selection, *comb, comment),
            static_cast<int>(fields.draws)};
}

std::string CheckMultiStakeFields(const TStakeDialogFields& fields) {
    const std::string comment = CheckedComment(fields);
    CheckRanges(fields);
    return comment;
}

}  // namespace zentrix
