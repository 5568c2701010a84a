// The one table of statistic classes, in the fixed registry order. A family joins it when it is
// built; the gaps below mark where the families still to come belong.
#include "stats/families/chain_channels.h"
#include "stats/families/chain_numbers.h"
#include "stats/families/chain_segments.h"
#include "stats/families/channels.h"
#include "stats/families/comb_values.h"
#include "stats/families/differences.h"
#include "stats/families/matrix.h"
#include "stats/families/numbers.h"
#include "stats/families/periods.h"
#include "stats/families/repeats.h"
#include "stats/families/segments.h"
#include "stats/families/sequences.h"
#include "stats/families/series.h"
#include "stats/families/shredding.h"
#include "stats/families/sums.h"
#include "stats/families/varsel.h"
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
        // channels, matrix, segments
        &TstChannels::Class(), &TstChanValues::Class(), &TstChanCount::Class(),
        &TstColumns::Class(), &TstRows::Class(), &TstColValues::Class(), &TstRowValues::Class(),
        &TstColCount::Class(), &TstRowCount::Class(), &TstColMask::Class(), &TstRowMask::Class(),
        &TstColAjacent::Class(), &TstRowAjacent::Class(), &TstColAjacentCnt::Class(),
        &TstRowAjacentCnt::Class(), &TstSegments::Class(), &TstSegmValues::Class(),
        &TstSegmCount::Class(),
        // sequences, repeats
        &TstSequenceLen::Class(), &TstSequenceCnt::Class(), &TstSequenceLenMax::Class(),
        &TstRepValues2::Class(), &TstRepValues3::Class(), &TstRepValues2B3::Class(),
        &TstRepValues2over1::Class(), &TstRepValues2over2::Class(), &TstRepValues2over3::Class(),
        &TstRepValues2P1::Class(), &TstRepValues2N1::Class(), &TstRepValues2P2::Class(),
        &TstRepValues2N2::Class(), &TstRepCount2::Class(), &TstRepCount3::Class(),
        &TstRepCount2B3::Class(), &TstRepCount2over1::Class(), &TstRepCount2over2::Class(),
        &TstRepCount2over3::Class(), &TstRepCount2P1::Class(), &TstRepCount2N1::Class(),
        &TstRepCount2P2::Class(), &TstRepCount2N2::Class(),
        // combination values
        &TstCombValMix2::Class(), &TstCombValMix3::Class(), &TstCombValMix4::Class(),
        &TstCombValSeq2::Class(), &TstCombValSeq3::Class(), &TstCombValSeq4::Class(),
        &TstCombValPos2::Class(), &TstCombValPos3::Class(), &TstCombValPos4::Class(),
        // the ascending tuples (never available)
        &TstCombDiffSeq2::Class(), &TstCombDiffSeq3::Class(), &TstCombDiffSeq4::Class(),
        // channel, column, row and segment tuples
        &TstCombChnMix2::Class(), &TstCombChnMix3::Class(), &TstCombChnMix4::Class(),
        &TstCombChnSeq2::Class(), &TstCombChnSeq3::Class(), &TstCombChnSeq4::Class(),
        &TstCombColMix2::Class(), &TstCombColMix3::Class(), &TstCombColMix4::Class(),
        &TstCombColSeq2::Class(), &TstCombColSeq3::Class(), &TstCombColSeq4::Class(),
        &TstCombRowMix2::Class(), &TstCombRowMix3::Class(), &TstCombRowMix4::Class(),
        &TstCombRowSeq2::Class(), &TstCombRowSeq3::Class(), &TstCombRowSeq4::Class(),
        &TstCombSegmMix2::Class(), &TstCombSegmMix3::Class(), &TstCombSegmMix4::Class(),
        &TstCombSegmSeq2::Class(), &TstCombSegmSeq3::Class(), &TstCombSegmSeq4::Class(),
        &TstPosVal::Class(), &TstPosExt::Class(),
        // per-channel, per-column, per-row and per-segment counts
        &TstChnValCnt::Class(), &TstColValCnt::Class(), &TstRowValCnt::Class(),
        &TstSgmValCnt::Class(),
        // series, pauses, periods
        &TstNumGroups::Class(), &TstNumPauses::Class(), &TstChnGroups::Class(),
        &TstChnPauses::Class(), &TstSgmGroups::Class(), &TstSgmPauses::Class(),
        &TstNumPeriods::Class(), &TstChnPeriods::Class(), &TstSgmPeriods::Class(),
        // chains
        &TstChain2DrawsAll::Class(), &TstChain2DrawsPos::Class(), &TstChain2Pos::Class(),
        &TstChain3DrawsPos::Class(), &TstChain3Pos::Class(), &TstChain2ChannelsAll::Class(),
        &TstChain2ChannelsPos::Class(), &TstChain2Channel::Class(), &TstChain3ChannelsPos::Class(),
        &TstChain3Channel::Class(), &TstChain2CnlCnt::Class(), &TstChain3CnlCnt::Class(),
        &TstChainChannels2InsideAll::Class(), &TstChainChannels2InsideSuc::Class(),
        &TstChainChannels2InsideBad::Class(), &TstChainChannels2InsideCnt::Class(),
        &TstChain2SegmentsAll::Class(), &TstChain2SegmentsPos::Class(), &TstChain2Segment::Class(),
        &TstChain3SegmentsPos::Class(), &TstChain3Segment::Class(), &TstChain2SgmCnt::Class(),
        &TstChain3SgmCnt::Class(),
        // characteristic numbers
        &TstVarsel1::Class(), &TstVarsel2::Class(), &TstVarsel3::Class(),
        &TstShreddingStat::Class()};
    return table;
}

}  // namespace zentrix
