#include "stats/families/channels.h"

#include <gtest/gtest.h>

#include "core/enumerate.h"
#include "stats/filter.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::CombValues;
using test::DrawValues;
using test::ExpectDescriptor;
using test::KeyRecord;
using test::LabelCounts;
using test::Labels;
using test::Layout;
using test::MakeComb;
using test::MakeDraw;
using test::TDescriptor;
using test::TStatsEnv;

using TStrings = std::vector<std::string>;

TEST(ChannelStats, DrawValuesBySize) {
    struct TCase {
        int size;
        const char* code;
        std::array<int, 8> numbers;
        bool sorted;
        TStrings values;  // label x count in the order added
    };
    const TCase cases[] = {
        {4, "CHAN", {1, 2, 3, 4, 17, 18, 19, 20}, false, {"01 [1-4]x4", "05 [17-20]x4"}},
        {4,
         "CHNV",
         {1, 2, 3, 4, 17, 18, 19, 20},
         false,
         {"01 [1-4] x 4x1", "02 [5-8] x 0x1", "03 [9-12] x 0x1", "04 [13-16] x 0x1",
          "05 [17-20] x 4x1"}},
        {4, "CHNC", {1, 2, 3, 4, 17, 18, 19, 20}, false, {"2x1"}},
        {4, "CHN1", {1, 2, 3, 4, 17, 18, 19, 20}, false, {"4x1"}},
        {4, "CHN2", {1, 2, 3, 4, 17, 18, 19, 20}, false, {"0x1"}},
        {4, "CHNC", {1, 5, 9, 13, 17, 2, 3, 4}, false, {"5x1"}},
        {3,
         "CHAN",
         {19, 20, 1, 2, 3, 4, 5, 6},
         false,
         {"07 [19-21]x2", "01 [1-3]x3", "02 [4-6]x3"}},
        {3, "CHN7", {19, 20, 1, 2, 3, 4, 5, 6}, false, {"2x1"}},
        {3, "CHNC", {19, 20, 1, 2, 3, 4, 5, 6}, false, {"3x1"}},
        {20, "CHAN", {19, 20, 1, 2, 3, 4, 5, 6}, false, {"01 [1-20]x8"}},
        {20, "CHNV", {19, 20, 1, 2, 3, 4, 5, 6}, false, {"01 [1-20] x 8x1"}},
        {20, "CHNC", {19, 20, 1, 2, 3, 4, 5, 6}, false, {"1x1"}},
        {20, "CHN1", {19, 20, 1, 2, 3, 4, 5, 6}, false, {"8x1"}},
        {4, "KCS2", {20, 1, 2, 3, 4, 5, 6, 7}, false, {"5:1x1", "1:1x3", "1:2x1", "2:2x2"}},
        {4, "KCS2", {20, 1, 2, 3, 4, 5, 6, 7}, true, {"1:1x3", "1:2x1", "2:2x2", "2:5x1"}},
        {4,
         "KCS4",
         {1, 5, 9, 13, 17, 2, 6, 10},
         false,
         {"1:2:3:4x1", "2:3:4:5x1", "3:4:5:1x1", "4:5:1:2x1", "5:1:2:3x1"}},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({MakeDraw(7, c.numbers)}, Layout(c.size, 4));
        auto stat = env.Create(c.code);
        ASSERT_TRUE(stat) << c.code;
        EXPECT_EQ(LabelCounts(*stat, DrawValues(*stat, 0, c.sorted)), c.values)
            << c.size << " " << c.code;
    }
}

TEST(ChannelStats, TuplesOfEveryPositionSet) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})}, Layout(4, 4));
    struct TCase {
        const char* code;
        size_t values;
        const char* first;
        const char* last;
    };
    for (const TCase& c :
         {TCase{"KCM2", 28, "1:1", "2:2"}, TCase{"KCM3", 56, "1:1:1", "2:2:2"},
          TCase{"KCM4", 70, "1:1:1:1", "2:2:2:2"}, TCase{"KCS3", 6, "1:1:1", "2:2:2"}}) {
        auto stat = env.Create(c.code);
        TStatDrawArray values;
        auto state = stat->NewScanState();
        stat->AddDrawValues(0, 0, false, values, *state);
        int total = 0;
        for (const TStatDraw& r : values) total += r.Count;
        EXPECT_EQ(static_cast<size_t>(total), c.values) << c.code;
        EXPECT_EQ(stat->ValueLabel(values[0]), c.first) << c.code;
        EXPECT_EQ(stat->ValueLabel(values[values.size() - 1]), c.last) << c.code;
        EXPECT_TRUE(CombValues(*stat, MakeComb({1, 2, 3, 4, 5, 6, 7, 8})).empty()) << c.code;
    }
}

TEST(ChannelStats, EntriesFollowTheNumberOfChannels) {
    struct TCase {
        int size;
        TStrings entries;
    };
    const TCase cases[] = {
        {4, {"CHN1", "CHN2", "CHN3", "CHN4", "CHN5"}},
        {3, {"CHN1", "CHN2", "CHN3", "CHN4", "CHN5", "CHN6", "CHN7"}},
        {20, {"CHN1"}},
        {0, {}},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({}, Layout(c.size, 4));
        TStrings entries;
        for (int i = 0; i < env.list.MethodCount(); ++i)
            if (env.list.MethodAt(i).Class->className == "TstChnValCnt")
                entries.push_back(env.list.MethodAt(i).Class->CodeOf(env.list.MethodAt(i).Index));
        EXPECT_EQ(entries, c.entries) << c.size;
    }
}

TEST(ChannelStats, PossibleValues) {
    struct TCase {
        int size;
        const char* code;
        size_t count;
        const char* first;
        const char* last;
    };
    const TCase cases[] = {
        {4, "CHAN", 5, "01 [1-4]", "05 [17-20]"},
        {3, "CHAN", 7, "01 [1-3]", "07 [19-21]"},
        {4, "CHNV", 25, "01 [1-4] x 0", "05 [17-20] x 4"},
        {20, "CHNV", 9, "01 [1-20] x 0", "01 [1-20] x 8"},
        {4, "CHNC", 5, "1", "5"},
        {2, "CHNC", 8, "1", "8"},
        {4, "CHN3", 4, "1", "4"},
        {20, "CHN1", 20, "1", "20"},
        {4, "KCM2", 0, "", ""},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({}, Layout(c.size, 4));
        auto stat = env.Create(c.code);
        TStatDrawArray values;
        stat->ListPossibleValues(0, values);
        const TStrings labels = Labels(*stat, values);
        ASSERT_EQ(labels.size(), c.count) << c.size << " " << c.code;
        if (c.count == 0) continue;
        EXPECT_EQ(labels.front(), c.first) << c.code;
        EXPECT_EQ(labels.back(), c.last) << c.code;
    }
}

TEST(ChannelStats, DescriptorsAndParsing) {
    TStatsEnv env({}, Layout(4, 4));
    struct TCase {
        TDescriptor d;
        const char* help;
    };
    const TCase cases[] = {
        {{"CHAN", "TstChannels", "Каналы", "N"}, "CHAN"},
        {{"CHNV", "TstChanValues", "Количество чисел в канале", "N"}, "CHNV"},
        {{"CHNC", "TstChanCount", "Количество каналов в тираже", "NG"}, "CHNC"},
        {{"KCM3", "TstCombChnMix3", "Сочетания из 3 каналов по всем числам тиража", "S"}, "KCM3"},
        {{"KCS2", "TstCombChnSeq2", "Сочетания из 2 каналов по соседним числам", "S"}, "KCS2"},
        {{"CHN4", "TstChnValCnt", "Количество чисел в 4 канале", "NG"}, "CHNx"},
    };
    for (const TCase& c : cases) {
        const int entry = ExpectDescriptor(env, c.d, TStatGroup::Channels);
        if (entry < 0) continue;
        EXPECT_EQ(env.list.MethodAt(entry).Class->HelpCode(), c.help) << c.d.code;
    }
    EXPECT_EQ(env.Create("CHAN")->ParseValue("02 [5-8]"), 2);
    EXPECT_EQ(env.Create("CHAN")->ParseValue("x"), 0);
    EXPECT_EQ(env.Create("CHNC")->ParseValue("3"), 3);
    EXPECT_EQ(env.Create("CHN2")->ParseValue("3:5"), 0);
    EXPECT_EQ(env.Create("CHNV")->ParseValue("2"), 0);  // not typed
    EXPECT_EQ(env.Create("KCM2")->ParseValue("2"), 0);
}

// How many of the 125970 combinations each selection keeps, counted by hand.
TEST(ChannelStats, KeptCombinations) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})}, Layout(4, 4));
    struct TCase {
        const char* code;
        std::vector<TStatDraw> selected;
        size_t kept;
    };
    const TCase cases[] = {
        // some number in 5..8: all but C(16, 8)
        {"CHAN", {KeyRecord(2)}, 125970 - 12870},
        // none in 5..8
        {"CHNV", {KeyRecord(2, 0)}, 12870},
        // all five channels: C(20,8) - 5 C(16,8) + 10 C(12,8) - 10 C(8,8)
        {"CHNC", {KeyRecord(5)}, 66560},
        {"CHN1", {KeyRecord(4)}, 1820},  // 1..4 and C(16, 4) others
        // a number of 1..4 and one of 17..20
        {"KCM2", {KeyRecord(1, 5)}, 125970 - 2 * 12870 + 495},
        {"KCM2", {KeyRecord(5, 1)}, 0},
        // 1..4 straight before 17..20: only 1, 2, 3, 4, 17, 18, 19, 20
        {"KCS2", {KeyRecord(1, 5)}, 1},
        {"KCM4", {KeyRecord(1, 1, 1, 1)}, 1820},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        TCombsArray kept;
        FilterCombList(*stat, c.selected, 0, false, false, AllCombs(), kept);
        EXPECT_EQ(kept.size(), c.kept) << c.code;
    }
}

}  // namespace
}  // namespace zentrix
