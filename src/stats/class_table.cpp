// The one table of statistic classes, in the fixed registry order. A family joins it when it is
// built; the gaps below mark where the families still to come belong.
#include "stats/families/comb_values.h"
#include "stats/families/differences.h"
#include "stats/families/numbers.h"
#include "stats/families/shredding.h"
#include "stats/families/sums.h"
#include "stats/stat_list.h"

namespace zentrix {

const std::vector<const TStatClass*>& StatClassTable() {
    static const std::vector<const TStatClass*> table = {
        &TstValues::Class(), &TstDigits::Class(), &TstEvenCount::Class(), &TstEvenValues::Class(),
        &TstSmallCount::Class(), &TstSmallValues::Class(), &TstPrimeCount::Class(),
        &TstPrimeValues::Class(),
        // sums, differences
        &TstSumValues::Class(), &TstSumRanges::Class(), &TstSumChange::Class(),
        &TstSumChangeSome::Class(), &TstSumTrend::Class(), &TstSumEvenValues::Class(),
        &TstSumPrimeValues::Class(), &TstSum2To3::Class(), &TstDiffTotal::Class(),
        &TstDiffMax::Class(), &TstMinMaxDiffs::Class(), &TstDiffSame::Class(),
        &TstDiffSameCnt::Class(),
        // channels, matrix, segments, sequences, repeats
        &TstCombValMix2::Class(), &TstCombValMix3::Class(), &TstCombValMix4::Class(),
        &TstCombValSeq2::Class(), &TstCombValSeq3::Class(), &TstCombValSeq4::Class(),
        &TstCombValPos2::Class(), &TstCombValPos3::Class(), &TstCombValPos4::Class(),
        // the ascending tuples (never available)
        &TstCombDiffSeq2::Class(), &TstCombDiffSeq3::Class(), &TstCombDiffSeq4::Class(),
        // channel, column, row and segment tuples
        &TstPosVal::Class(), &TstPosExt::Class(),
        // per-channel, per-column, per-row and per-segment counts, series, pauses, periods,
        // chains, characteristic numbers
        &TstShreddingStat::Class()};
    return table;
}

}  // namespace zentrix
