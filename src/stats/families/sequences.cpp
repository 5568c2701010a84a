#include "stats/families/sequences.h"

namespace zentrix {

TStatClassInfo TstSequenceLen::Describe() {
    return {"SEQL", "Длина последовательности в тираже", TStatGroup::Sequences, kFlagS | kFlagN};
}

TStatClassInfo TstSequenceCnt::Describe() {
    return {"SEQS", "Количество последовательностей в тираже", TStatGroup::Sequences,
            kFlagS | kFlagN};
}

int32_t TstSequenceCnt::DoGraphValue(const TComb& numbers, const TStatContext&) const {
    return NumberRuns(numbers, true).Joined();
}

TStatClassInfo TstSequenceLenMax::Describe() {
    return {"LENS", "Макс. длина последовательности в тираже", TStatGroup::Sequences,
            kFlagS | kFlagN};
}

int32_t TstSequenceLenMax::DoGraphValue(const TComb& numbers, const TStatContext&) const {
    const int longest = NumberRuns(numbers, true).Longest();
    return longest > 1 ? longest : 0;
}

}  // namespace zentrix
