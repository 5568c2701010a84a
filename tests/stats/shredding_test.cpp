#include "stats/families/shredding.h"

#include <gtest/gtest.h>

#include "core/config.h"
#include "core/enumerate.h"
#include "stats/comb_filter.h"
#include "stats/prefetch.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::CombValues;
using test::DrawValues;
using test::MakeComb;
using test::MakeDraw;
using test::W1Record;

// The registry over an archive with the default formulas, or the given formula 1.
struct TShredEnv {
    TDrawsArray draws;
    TConfigSettings config = DefaultConfigSettings();
    TStatList list{draws, config};

    explicit TShredEnv(TDrawsArray d, const std::string& formula1 = {}, int digits1 = 2)
        : draws(std::move(d)) {
        if (!formula1.empty()) config.formulas[0] = formula1;
        config.formulaDigits[0] = static_cast<uint8_t>(digits1);
        list.RegisterMethods();
    }
    std::unique_ptr<TCustomStat> Create(const std::string& code) const {
        return list.CreateStat(list.FindCode(code));
    }
};

TDrawsArray ThreeDraws() {
    return {MakeDraw(1, {8, 7, 6, 5, 4, 3, 2, 1}), MakeDraw(2, {1, 2, 3, 4, 5, 6, 7, 8}),
            MakeDraw(3, {9, 10, 11, 12, 13, 14, 15, 20})};
}

TEST(Shredding, RegistryEntriesCarryTheFormulas) {
    TShredEnv env(ThreeDraws());
    const int first = env.list.FindCode("SHR1");
    ASSERT_EQ(first, env.list.MethodCount() - 3);  // the last class of the table
    EXPECT_EQ(env.list.EntryName(env.list.MethodAt(first)),
              "Метод шинковки 1: (n1+n2+n3+n4)/(n5+n6+n7+n8)");
    EXPECT_EQ(env.list.EntryCaption(first + 2, true),
              "{ shr } Метод шинковки 3: (n1+n3+n5+n7)/(n2+n4+n6+n8) [ SNG ]");
    const TStatClass& cls = *env.list.MethodAt(first).Class;
    EXPECT_EQ(cls.className, "TstShreddingStat");
    EXPECT_EQ(cls.HelpCode(), "SHRx");
    EXPECT_FALSE(cls.CanParse());
    EXPECT_TRUE(cls.HasNorm());
    auto stat = env.Create("SHR2");
    EXPECT_EQ(stat->ParseValue("60"), 0);  // values cannot be typed
    auto& shred = static_cast<TstShreddingStat&>(*stat);
    EXPECT_EQ(shred.Formula(), "(n5+n6+n7+n8)/(n1+n2+n3+n4)");
    EXPECT_EQ(shred.Digits(), 2);
}

TEST(Shredding, DrawValuesReadTheTwoDrawsBefore) {
    struct TCase {
        const char* formula;
        int digits;
        int index;
        bool sorted;
        int32_t value;
    };
    const TCase cases[] = {
        {"(n1+n2+n3+n4)/(n5+n6+n7+n8)", 2, 1, false, 38},
        {"(n1+n2+n3+n4)/(n5+n6+n7+n8)", 2, 0, false, 60},  // 26/10
        {"(n1+n2+n3+n4)/(n5+n6+n7+n8)", 2, 0, true, 38},   // read ascending
        {"(n5+n6+n7+n8)/(n1+n2+n3+n4)", 2, 1, false, 60},
        {"n1/(p1+p2)", 2, 0, false, 0},    // no previous draw: division by zero
        {"n1/(t1+t2)", 2, 1, false, 0},    // no draw two before
        {"n1/(t1+t2)", 3, 2, false, 600},  // 9/15
        {"p2/n1", 3, 2, false, 222},       // 2/9
        {"p1/n1", 4, 2, false, 1111},      // 1/9
        {"p1/n1", 4, 2, true, 1111},
        {"t1/n1", 4, 2, false, 8888},     // 8/9 unsorted
        {"t1/n1", 4, 2, true, 1111},      // 1/9 sorted
        {"0.99999", 5, 0, false, 99999},  // five digits shown in full
    };
    for (const TCase& c : cases) {
        TShredEnv env(ThreeDraws(), c.formula, c.digits);
        auto stat = env.Create("SHR1");
        TStatDrawArray values;
        auto state = stat->NewScanState();
        stat->AddDrawValues(c.index, 2, c.sorted, values, *state);
        ASSERT_EQ(values.size(), 1u) << c.formula;
        EXPECT_EQ(values[0].Key.W1(), c.value) << c.formula << " draw " << c.index;
        EXPECT_EQ(stat->ValueLabel(values[0]), std::to_string(c.value));
        EXPECT_EQ(values[0].Depth, 2 - c.index + 1);
        auto* graph = static_cast<TCustomGraphStat*>(stat.get());
        EXPECT_EQ(graph->GraphValue(c.index, 2, c.sorted), c.value) << c.formula;
    }
}

TEST(Shredding, CombinationValuesHaveNoEarlierDraws) {
    TShredEnv env(ThreeDraws(), "n1/(p1+p2)+n2/n3", 3);
    auto stat = env.Create("SHR1");
    EXPECT_EQ(CombValues(*stat, MakeComb({1, 2, 3, 4, 5, 6, 7, 8}))[0].Key.W1(), 0);
    TShredEnv plain(ThreeDraws());
    auto two = plain.Create("SHR2");
    EXPECT_EQ(CombValues(*two, MakeComb({1, 2, 3, 4, 5, 6, 7, 8}))[0].Key.W1(), 60);
}

// A combination filters as the draw after the table's last one: p is the reference draw.
TEST(Shredding, FilterReadsTheReferenceDrawAndItsPredecessor) {
    TShredEnv env(ThreeDraws(), "n1/(p1+t1)", 2);
    auto stat = env.Create("SHR1");
    const TComb comb = MakeComb({3, 4, 5, 6, 7, 8, 9, 10});
    // Reference draw 3 (index 2): p1 = 9, t1 = 1: 3/10 = 0.3.
    const TStatDraw thirty = W1Record(30);
    EXPECT_TRUE(stat->FilterTest(comb, {&thirty, 1}, 2, false, false));
    const TStatDraw other = W1Record(31);
    EXPECT_FALSE(stat->FilterTest(comb, {&other, 1}, 2, false, false));
    // Reference draw 2 (index 1): p1 = 1, t1 = 8: 3/9 = 0.33.
    const TStatDraw thirtyThree = W1Record(33);
    EXPECT_TRUE(stat->FilterTest(comb, {&thirtyThree, 1}, 1, false, false));
    // Sorted: t1 = 1, p1 = 1: 3/2 = 1.5.
    const TStatDraw fifty = W1Record(50);
    EXPECT_TRUE(stat->FilterTest(comb, {&fifty, 1}, 1, true, false));
}

TEST(Shredding, PreparedFilterEqualsTheTest) {
    TShredEnv env(ThreeDraws(), "(n1+n8)/(p2+t3+n4)", 2);
    auto stat = env.Create("SHR1");
    const TStatDraw selected[] = {W1Record(11), W1Record(50), W1Record(99999), W1Record(-3)};
    const TCombsArray& all = AllCombs();
    const std::span<const TComb> source(all.data(), 20000);
    for (bool exclude : {false, true}) {
        TCombsArray expected, fast;
        for (const TComb& c : source)
            if (stat->FilterTest(c, selected, 2, false, exclude) != exclude) expected.push_back(c);
        stat->PrepareFilter(selected, 2, false, exclude)->Apply(source, fast);
        EXPECT_EQ(fast, expected);
        EXPECT_FALSE(fast.empty());
    }
}

TEST(Shredding, FullSetDistribution) {
    TShredEnv env({}, "n1/10", 2);
    auto stat = env.Create("SHR1");
    const TPrefetchData data = ComputePrefetch(*stat);
    // n1 is 1..13 over all combinations: n1/10 keeps 10..90 and 0 (for 10), 10..30.
    int64_t total = 0;
    for (const TPrefetchRecord& r : data.Records) {
        total += r.Count;
        EXPECT_EQ(r.Key.W1() % 10, 0);
    }
    EXPECT_EQ(total, kCombCount);
    EXPECT_EQ(data.Records.size(), 10u);
    // A formula that fails everywhere puts every combination on 0.
    TShredEnv bad({}, "1/p1", 2);
    const TPrefetchData zero = ComputePrefetch(*bad.Create("SHR1"));
    ASSERT_EQ(zero.Records.size(), 1u);
    EXPECT_EQ(zero.Records[0].Count, kCombCount);
}

}  // namespace
}  // namespace zentrix
