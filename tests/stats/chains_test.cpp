#include "stats/families/chains.h"

#include <gtest/gtest.h>

#include "core/enumerate.h"
#include "stats/filter.h"
#include "stats/stat_table.h"
#include "stats/stats_env.h"
#include "stats/table_rows.h"

namespace zentrix {
namespace {

using test::KeyRecord;
using test::LabelCounts;
using test::Labels;
using test::Layout;
using test::MakeComb;
using test::MakeDraw;
using test::TableRows;
using test::TStatsEnv;

using TStrings = std::vector<std::string>;

constexpr const char* kQuarters = "11111222223333344444";

// Draw 101 shares 1, 2, 3 with the last draw 104; 102 and 103 share none with it.
TDrawsArray SharingArchive() {
    return {MakeDraw(101, {1, 2, 3, 9, 10, 11, 12, 13}), MakeDraw(102, {4, 5, 6, 7, 8, 9, 10, 11}),
            MakeDraw(103, {4, 5, 6, 7, 8, 12, 13, 14}),
            MakeDraw(104, {1, 2, 3, 15, 16, 17, 18, 19})};
}

// Draw 403 repeats 401 at positions 1..4, draw 404 repeats 402 at positions 1, 2.
TDrawsArray ThreeDrawArchive() {
    return {MakeDraw(401, {1, 2, 3, 4, 5, 6, 7, 8}), MakeDraw(402, {9, 10, 11, 12, 13, 14, 15, 16}),
            MakeDraw(403, {1, 2, 3, 4, 17, 18, 19, 20}),
            MakeDraw(404, {9, 10, 5, 6, 7, 8, 11, 12})};
}

// The draw before the last one holds 7 and 13 of it; the draw after holds 8 and 6 of 7's
// channel (5..8 at size 4) and nothing of 13's (13..16).
TDrawsArray InsideArchive() {
    return {MakeDraw(301, {7, 13, 1, 2, 3, 4, 9, 10}), MakeDraw(302, {8, 6, 1, 2, 3, 4, 9, 10}),
            MakeDraw(303, {7, 13, 17, 18, 19, 20, 5, 6})};
}

TStatDrawArray ValuesOf(TCustomStat& stat, int index, int refIndex, bool sorted = false) {
    TStatDrawArray values;
    auto state = stat.NewScanState();
    stat.AddDrawValues(index, refIndex, sorted, values, *state);
    return values;
}

// How many combinations of the full list the filter keeps; the plain test must agree.
size_t Kept(TCustomStat& stat, const std::vector<TStatDraw>& selected, int refIndex,
            bool exclude = false) {
    TCombsArray kept;
    FilterCombList(stat, selected, refIndex, false, exclude, AllCombs(), kept);
    size_t tested = 0;
    for (const TComb& c : AllCombs())
        tested += stat.FilterTest(c, selected, refIndex, false, exclude) != exclude;
    EXPECT_EQ(tested, kept.size()) << stat.Code();
    return kept.size();
}

TStrings GroupCodes(const TStatsEnv& env) {
    TStrings codes;
    for (int i = 0; i < env.list.MethodCount(); ++i) {
        const TStatMethod& m = env.list.MethodAt(i);
        if (m.Class->MethodGroup() == TStatGroup::Moves) codes.push_back(m.Class->CodeOf(m.Index));
    }
    return codes;
}

TStrings Indexed(const std::string& prefix, int low, int high) {
    TStrings out;
    for (int i = low; i <= high; ++i) out.push_back(prefix + std::to_string(i));
    return out;
}

TEST(ChainStats, Descriptors) {
    TStatsEnv env({}, Layout(4, 4));
    struct TCase {
        const char* code;
        const char* className;
        const char* helpCode;
        const char* name;
        const char* letters;
    };
    const TCase cases[] = {
        {"SDV2", "TstChain2DrawsAll", "SDV2", "Переходы чисел между 2 тиражами без учета позиции",
         "D"},
        {"SDP2", "TstChain2DrawsPos", "SDP2", "Переходы чисел между 2 тиражами с учетом позиции",
         "SD"},
        {"SDN3", "TstChain2Pos", "SDNx", "Переходы чисел между 2 тиражами в 3 позиции", "SD"},
        {"SDP3", "TstChain3DrawsPos", "SDP3", "Переходы чисел между 3 тиражами с учетом позиции",
         "SD"},
        {"SDM8", "TstChain3Pos", "SDMx", "Переходы чисел между 3 тиражами в 8 позиции", "SD"},
        {"SCV2", "TstChain2ChannelsAll", "SCV2",
         "Переходы каналов между 2 тиражами без учета позиции", "D"},
        {"SCP2", "TstChain2ChannelsPos", "SCP2",
         "Переходы каналов между 2 тиражами с учетом позиции", "SD"},
        {"SCN1", "TstChain2Channel", "SCNx", "Переходы каналов между 2 тиражами в 1 позиции", "SD"},
        {"SCP3", "TstChain3ChannelsPos", "SCP3",
         "Переходы каналов между 3 тиражами с учетом позиции", "SD"},
        {"SCM5", "TstChain3Channel", "SCMx", "Переходы каналов между 3 тиражами в 5 позиции", "SD"},
        {"SC2C1", "TstChain2CnlCnt", "SC2Cx", "Переходы кол-ва чисел в 1 канале между 2 тиражами",
         "D"},
        {"SC3C5", "TstChain3CnlCnt", "SC3Cx", "Переходы кол-ва чисел в 5 канале между 3 тиражами",
         "D"},
        {"SDA2", "TstChainChannels2InsideAll", "SDA2", "Переходы чисел в пределах каналов (все)",
         "D"},
        {"SDG2", "TstChainChannels2InsideSuc", "SDG2",
         "Переходы чисел в пределах каналов (N-M, удачные)", "D"},
        {"SDZ2", "TstChainChannels2InsideBad", "SDZ2",
         "Переходы чисел в пределах каналов (N-0, не удачные)", "D"},
        {"SDC2", "TstChainChannels2InsideCnt", "SDC2",
         "Переходы чисел в пределах каналов (количество)", "D"},
        {"SSV2", "TstChain2SegmentsAll", "SSV2",
         "Переходы сегментов между 2 тиражами без учета позиции", "D"},
        {"SSP2", "TstChain2SegmentsPos", "SSP2",
         "Переходы сегментов между 2 тиражами с учетом позиции", "SD"},
        {"SSN2", "TstChain2Segment", "SSNx", "Переходы сегментов между 2 тиражами в 2 позиции",
         "SD"},
        {"SSP3", "TstChain3SegmentsPos", "SSP3",
         "Переходы сегментов между 3 тиражами с учетом позиции", "SD"},
        {"SSM4", "TstChain3Segment", "SSMx", "Переходы сегментов между 3 тиражами в 4 позиции",
         "SD"},
        {"SS2C1", "TstChain2SgmCnt", "SS2Cx", "Переходы кол-ва чисел в 1 сегменте между 2 тиражами",
         "D"},
        {"SS3C1", "TstChain3SgmCnt", "SS3Cx", "Переходы кол-ва чисел в 1 сегменте между 3 тиражами",
         "D"},
    };
    for (const TCase& c : cases) {
        const int entry = env.Entry(c.code);
        ASSERT_GE(entry, 0) << c.code;
        const TStatMethod& m = env.list.MethodAt(entry);
        EXPECT_EQ(m.Class->className, c.className) << c.code;
        EXPECT_EQ(m.Class->HelpCode(), c.helpCode) << c.code;
        EXPECT_EQ(m.Class->NameOf(m.Index), c.name) << c.code;
        EXPECT_EQ(env.list.CreateStat(entry)->Name(), c.name) << c.code;
        EXPECT_EQ(FlagLetters(m.Class->AllFlags()), c.letters) << c.code;
        EXPECT_FALSE(m.Class->CanParse()) << c.code;
        EXPECT_FALSE(m.Class->HasNorm()) << c.code;
        EXPECT_EQ(m.Class->MethodGroup(), TStatGroup::Moves) << c.code;
    }
    EXPECT_EQ(env.list.EntryCaption(env.Entry("SDN3"), true),
              "{ mov } Переходы чисел между 2 тиражами в 3 позиции [ SD ]");
}

// The group's entries in registry order; the channel and segment counts follow the layout.
TEST(ChainStats, RegistryOrderFollowsTheLayout) {
    auto expected = [](int channels, int segments) {
        TStrings codes = {"SDV2", "SDP2"};
        auto add = [&](const TStrings& more) {
            codes.insert(codes.end(), more.begin(), more.end());
        };
        add(Indexed("SDN", 1, 8));
        codes.push_back("SDP3");
        add(Indexed("SDM", 1, 8));
        add({"SCV2", "SCP2"});
        add(Indexed("SCN", 1, 8));
        codes.push_back("SCP3");
        add(Indexed("SCM", 1, 8));
        add(Indexed("SC2C", 1, channels));
        add(Indexed("SC3C", 1, channels));
        add({"SDA2", "SDG2", "SDZ2", "SDC2", "SSV2", "SSP2"});
        add(Indexed("SSN", 1, 8));
        codes.push_back("SSP3");
        add(Indexed("SSM", 1, 8));
        add(Indexed("SS2C", 1, segments));
        add(Indexed("SS3C", 1, segments));
        return codes;
    };
    // An empty segment map puts every number in segment 1.
    EXPECT_EQ(GroupCodes(TStatsEnv({}, Layout(4, 4))), expected(5, 1));
    EXPECT_EQ(GroupCodes(TStatsEnv({}, Layout(5, 4, kQuarters))), expected(4, 4));
    EXPECT_EQ(GroupCodes(TStatsEnv({}, Layout(4, 4))).size(), 73u);

    // A changed layout takes effect when the registry is built again.
    TStatsEnv env({}, Layout(4, 4));
    env.config.data.ChannelSize = 10;
    env.config.data.MatrixSegments = ParseSegmentsText(kQuarters);
    env.list.RegisterMethods();
    EXPECT_EQ(GroupCodes(env), expected(2, 4));
    EXPECT_EQ(env.Entry("SC2C3"), -1);
}

TEST(ChainStats, DrawValues) {
    struct TCase {
        const char* code;
        TDrawsArray (*archive)();
        const char* segments;
        int index;
        int refIndex;
        bool sorted;
        TStrings values;  // label x count, in the order added
    };
    const TCase cases[] = {
        // 102 shares nothing with 104.
        {"SDV2", SharingArchive, "", 2, 3, false, {}},
        {"SDN1", SharingArchive, "", 1, 3, false, {"1 -> 4x1"}},
        {"SDN4", SharingArchive, "", 1, 3, false, {}},
        {"SDP2", InsideArchive, "", 1, 2, false, {"7 -> 8x1", "13 -> 6x1"}},
        // Two numbers of the draw before in one channel give the same transitions twice.
        {"SCV2",
         InsideArchive,
         "",
         1,
         2,
         false,
         {"02 -> 02x2", "02 -> 01x4", "02 -> 03x2", "04 -> 02x2", "04 -> 01x4", "04 -> 03x2"}},
        {"SCP2", InsideArchive, "", 1, 2, false, {"02 -> 02x1", "04 -> 02x1"}},
        {"SCN2", InsideArchive, "", 1, 2, false, {"04 -> 02x1"}},
        {"SCN3", InsideArchive, "", 1, 2, false, {}},
        {"SDP3", ThreeDrawArchive, "", 2, 3, false, {"1-9 -> 1x1", "2-10 -> 2x1"}},
        {"SDM2", ThreeDrawArchive, "", 2, 3, false, {"2-10 -> 2x1"}},
        {"SDM3", ThreeDrawArchive, "", 2, 3, false, {}},
        {"SCP3", ThreeDrawArchive, "", 2, 3, false, {"01-03 -> 01x2"}},
        {"SSP3", ThreeDrawArchive, kQuarters, 2, 3, false, {"1-2 -> 1x2"}},
        {"SSM1", ThreeDrawArchive, kQuarters, 2, 3, false, {"1-2 -> 1x1"}},
        {"SSP2", ThreeDrawArchive, kQuarters, 1, 3, false, {"1 -> 3x1", "2 -> 3x1"}},
        {"SC2C2", ThreeDrawArchive, "", 1, 3, false, {"4 -> 0x1"}},
        {"SC3C1", ThreeDrawArchive, "", 2, 3, false, {"4-0 -> 4x1"}},
        {"SS2C1", ThreeDrawArchive, "", 1, 3, false, {"8 -> 8x1"}},
        {"SS3C1", ThreeDrawArchive, "", 2, 3, false, {"8-8 -> 8x1"}},
        {"SS3C2", ThreeDrawArchive, kQuarters, 2, 3, false, {}},
        {"SSV2", ThreeDrawArchive, "", 1, 3, false, {"1 -> 1x64"}},
        // Inside channels: 7 and 13 of the draw before are in the last draw.
        {"SDA2", InsideArchive, "", 1, 2, false, {"07 -> 08x1", "07 -> 06x1", "13 -> 00x1"}},
        {"SDG2", InsideArchive, "", 1, 2, false, {"07 -> 08x1", "07 -> 06x1"}},
        {"SDZ2", InsideArchive, "", 1, 2, false, {"13 -> 00x1"}},
        {"SDC2", InsideArchive, "", 1, 2, false, {"7 -> 2x1", "13 -> 0x1"}},
        // They read the stored order whatever the sorting option.
        {"SDA2", InsideArchive, "", 1, 2, true, {"07 -> 08x1", "07 -> 06x1", "13 -> 00x1"}},
    };
    for (const TCase& c : cases) {
        TStatsEnv env(c.archive(), Layout(4, 4, c.segments));
        auto stat = env.Create(c.code);
        ASSERT_TRUE(stat) << c.code;
        EXPECT_EQ(LabelCounts(*stat, ValuesOf(*stat, c.index, c.refIndex, c.sorted)), c.values)
            << c.code << " draw " << c.index << " sorted " << c.sorted;
    }
}

// Draw 102 follows three numbers that the last draw shares: 3 x 8 transitions.
TEST(ChainStats, SharedNumbersGiveEightTransitionsEach) {
    TStatsEnv env(SharingArchive(), Layout(4, 4));
    auto stat = env.Create("SDV2");
    const TStatDrawArray values = ValuesOf(*stat, 1, 3);
    ASSERT_EQ(values.size(), 24u);
    EXPECT_EQ(stat->ValueLabel(values[0]), "1 -> 4");
    EXPECT_EQ(stat->ValueLabel(values[23]), "3 -> 11");
    EXPECT_EQ(TableRows(env, "SDV2", 0, false).size(), 24u);
    // Judged against 103 instead, 102 follows 12 and 13 and 103 follows five numbers.
    EXPECT_EQ(TableRows(env, "SDV2", 1, false).size(), 56u);
}

TEST(ChainStats, SortedPositions) {
    TStatsEnv env(
        {MakeDraw(1, {8, 1, 2, 3, 4, 5, 6, 7}), MakeDraw(2, {20, 10, 11, 12, 13, 14, 15, 16}),
         MakeDraw(3, {1, 8, 17, 18, 19, 9, 10, 11})},
        Layout(4, 4));
    auto stat = env.Create("SDN1");
    EXPECT_TRUE(ValuesOf(*stat, 1, 2, false).empty());
    EXPECT_EQ(LabelCounts(*stat, ValuesOf(*stat, 1, 2, true)), TStrings{"1 -> 10x1"});
}

// The first draw has nothing before it, the second nothing two draws back: four equal draws
// make every chain hold wherever it has its draws.
TEST(ChainStats, FirstArchiveDrawsGiveNothing) {
    const std::array<int, 8> same = {1, 2, 3, 4, 5, 6, 7, 8};
    TStatsEnv env({MakeDraw(1, same), MakeDraw(2, same), MakeDraw(3, same), MakeDraw(4, same)},
                  Layout(4, 4));
    int checked = 0;
    for (int i = 0; i < env.list.MethodCount(); ++i) {
        if (env.list.MethodAt(i).Class->MethodGroup() != TStatGroup::Moves) continue;
        auto stat = env.list.CreateStat(i);
        const int length = dynamic_cast<const TCustomChainStat&>(*stat).Length();
        // Every following draw holds numbers of every channel of the draw before.
        const bool everyDraw = stat->Code() != "SDZ2";
        for (int index = 0; index < 4; ++index) {
            const size_t n = ValuesOf(*stat, index, 3).size();
            if (index + 1 < length) {
                EXPECT_EQ(n, 0u) << stat->Code() << " draw " << index;
            } else if (everyDraw) {
                EXPECT_GT(n, 0u) << stat->Code() << " draw " << index;
            }
        }
        ++checked;
    }
    EXPECT_EQ(checked, 73);
}

TEST(ChainStats, PossibleValues) {
    TStatsEnv env(SharingArchive(), Layout(4, 4));
    struct TCase {
        const char* code;
        int refIndex;
        TStrings labels;
    };
    const TCase cases[] = {
        // 104 holds 1, 2, 3 of channel 1; 103 holds 4.
        {"SC2C1", 3, {"3 -> 0", "3 -> 1", "3 -> 2", "3 -> 3", "3 -> 4"}},
        {"SC3C1", 3, {"1-3 -> 0", "1-3 -> 1", "1-3 -> 2", "1-3 -> 3", "1-3 -> 4"}},
        {"SC2C2", 2, {"4 -> 0", "4 -> 1", "4 -> 2", "4 -> 3", "4 -> 4"}},
        // At the first draw there is no draw before the reference draw.
        {"SC3C1", 0, {"0-3 -> 0", "0-3 -> 1", "0-3 -> 2", "0-3 -> 3", "0-3 -> 4"}},
        {"SS2C1", 3, {"8 -> 0"}},
        {"SS3C1", 3, {"8-8 -> 0"}},
        {"SDV2", 3, {}},
        {"SDA2", 3, {}},
        {"SSM1", 3, {}},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        TStatDrawArray values;
        stat->ListPossibleValues(c.refIndex, values);
        EXPECT_EQ(Labels(*stat, values), c.labels) << c.code << " ref " << c.refIndex;
    }
    // The table shows every possible value, counted or not.
    EXPECT_EQ(TableRows(env, "SC2C1", 0, false),
              (TStrings{"3 -> 0x0@-/-", "3 -> 1x1@102/-", "3 -> 2x0@-/-", "3 -> 3x0@-/-",
                        "3 -> 4x0@-/-"}));
}

TEST(ChainStats, Tables) {
    TStatsEnv env(SharingArchive(), Layout(4, 4));
    // No earlier draw repeated 104's fourth number at the fourth position.
    EXPECT_TRUE(TableRows(env, "SDN4", 0, false).empty());
    EXPECT_EQ(TableRows(env, "SDN1", 0, false), TStrings{"1 -> 4x1@102/-"});
    // A window of the first draw alone: nothing comes before it.
    EXPECT_TRUE(TableRows(env, "SDV2", 3, false).empty());
    EXPECT_EQ(
        TableRows(env, "SC2C1", 3, false),
        (TStrings{"3 -> 0x0@-/-", "3 -> 1x0@-/-", "3 -> 2x0@-/-", "3 -> 3x0@-/-", "3 -> 4x0@-/-"}));
    // Every number in segment 1: the one transition 1 -> 1, 64 per draw after the first.
    EXPECT_EQ(TableRows(env, "SSV2", 0, true), TStrings{"1 -> 1x192@104/-"});
    // Judged against 103: 102 led with 4 as 103 does.
    EXPECT_EQ(TableRows(env, "SDN1", 1, false), TStrings{"4 -> 4x1@103/-"});
}

TEST(ChainStats, Labels) {
    TStatsEnv env({}, Layout(4, 4));
    struct TCase {
        const char* code;
        TStatDraw record;
        const char* label;
    };
    const TCase cases[] = {
        {"SDV2", KeyRecord(5, 12), "5 -> 12"},     {"SDP3", KeyRecord(3, 5, 12), "3-5 -> 12"},
        {"SCN1", KeyRecord(2, 3), "02 -> 03"},     {"SCM1", KeyRecord(1, 2, 3), "01-02 -> 03"},
        {"SSV2", KeyRecord(1, 4), "1 -> 4"},       {"SSP3", KeyRecord(1, 2, 3), "1-2 -> 3"},
        {"SDZ2", KeyRecord(5, 0), "05 -> 00"},     {"SDA2", KeyRecord(5, 7), "05 -> 07"},
        {"SDC2", KeyRecord(5, 2), "5 -> 2"},       {"SC2C1", KeyRecord(3, 4), "3 -> 4"},
        {"SC3C1", KeyRecord(0, 3, 1), "0-3 -> 1"}, {"SS2C1", KeyRecord(8, 0), "8 -> 0"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(env.Create(c.code)->ValueLabel(c.record), c.label) << c.code;
    EXPECT_EQ(env.Create("SDV2")->ParseValue("5"), 0);
}

size_t CombsWithout(int low, int high) {
    size_t n = 0;
    for (const TComb& c : AllCombs()) {
        bool any = false;
        for (uint8_t x : c) any = any || (x >= low && x <= high);
        n += !any;
    }
    return n;
}

TEST(ChainStats, Filters) {
    TStatsEnv env(InsideArchive(), Layout(4, 4, kQuarters));
    const size_t all = AllCombs().size();
    const size_t with4 = all - CombsWithout(4, 4);
    // Number, channel and segment chains: the last component names a number, channel, segment.
    EXPECT_EQ(Kept(*env.Create("SDV2"), {KeyRecord(1, 4)}, 2), with4);
    EXPECT_EQ(Kept(*env.Create("SDM1"), {KeyRecord(9, 1, 4)}, 2), with4);
    EXPECT_EQ(Kept(*env.Create("SCV2"), {KeyRecord(1, 2)}, 2), all - CombsWithout(5, 8));
    EXPECT_EQ(Kept(*env.Create("SSP2"), {KeyRecord(1, 4)}, 2, true), CombsWithout(16, 20));
    // Count chains: the combination's count in the channel or segment.
    EXPECT_EQ(Kept(*env.Create("SC2C1"), {KeyRecord(3, 0)}, 2), CombsWithout(1, 4));
    EXPECT_EQ(Kept(*env.Create("SC3C1"), {KeyRecord(1, 3, 4)}, 2), 1820u);  // 1..4 all held
    EXPECT_EQ(Kept(*env.Create("SS2C4"), {KeyRecord(0, 0), KeyRecord(0, 5)}, 2),
              CombsWithout(16, 20) + 455);  // none, or all five of 16..20
    EXPECT_EQ(Kept(*env.Create("SS3C1"), {KeyRecord(1, 1, 8)}, 2), 0u);

    // Inside channels, against 303 (7 and 13 among its numbers).
    // 7 -> 00: holding a number of 7's channel 5..8 is what the value names, so removing it
    // keeps the combinations that leave the channel empty.
    auto bad = env.Create("SDZ2");
    EXPECT_EQ(Kept(*bad, {KeyRecord(7, 0)}, 2, true), CombsWithout(5, 8));
    EXPECT_EQ(Kept(*bad, {KeyRecord(7, 0)}, 2), all - CombsWithout(5, 8));
    // 8 is not in 303: nothing matches.
    EXPECT_EQ(Kept(*bad, {KeyRecord(8, 0)}, 2), 0u);
    // A value N-M names the number M.
    EXPECT_EQ(Kept(*env.Create("SDA2"), {KeyRecord(7, 4)}, 2), with4);
    // A count names the whole channel.
    EXPECT_EQ(Kept(*env.Create("SDC2"), {KeyRecord(13, 2)}, 2), all - CombsWithout(13, 16));
}

}  // namespace
}  // namespace zentrix
