#include "stats/filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "core/demo_archive.h"
#include "core/enumerate.h"
#include "stats/set_values_stat.h"
#include "stats/stat_table.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::KeyRecord;
using test::MakeComb;
using test::TStatsEnv;
using test::W1Record;

// Selections to try for a method: none, the commonest value, a few, many, and keys that no
// combination can have next to a real one.
std::vector<std::vector<TStatDraw>> Selections(const TStatsEnv& env, int entry) {
    TStatTableParams p;
    p.RefIndex = static_cast<int>(env.draws.size()) - 1;
    p.WindowLength = 200;
    TStatTable table = TStatTable::Compute(env.list.CreateStat(entry), p);
    table.Sort(kColCount, true);
    std::vector<TStatDraw> rows;
    for (int r = 0; r < table.RowCount(); ++r) rows.push_back(table.Record(r));
    std::vector<std::vector<TStatDraw>> selections = {{}};
    auto first = [&](size_t n) {
        return std::vector<TStatDraw>(rows.begin(), rows.begin() + std::min(n, rows.size()));
    };
    if (!rows.empty()) {
        selections.push_back(first(1));
        selections.push_back(first(3));
        selections.push_back(first(12));  // past what the few-value filters take
        // Every fifth row from the rare end.
        std::vector<TStatDraw> spread;
        for (size_t i = rows.size(); i-- > 0;)
            if (i % 5 == 0) spread.push_back(rows[i]);
        spread.resize(std::min<size_t>(spread.size(), 8));
        selections.push_back(spread);
    }
    std::vector<TStatDraw> odd = {KeyRecord(-1), KeyRecord(300), KeyRecord(5, 1), W1Record(70000),
                                  KeyRecord(0)};
    if (!rows.empty()) odd.push_back(rows.front());
    selections.push_back(odd);
    return selections;
}

// Combinations as files and the clipboard may hold them: any order, any byte values.
TCombsArray OddCombs() {
    TCombsArray list = {
        MakeComb({0, 0, 0, 0, 0, 0, 0, 0}), MakeComb({255, 255, 255, 255, 255, 255, 255, 255}),
        MakeComb({20, 19, 18, 17, 16, 15, 14, 13}), MakeComb({5, 5, 5, 5, 5, 5, 5, 5}),
        MakeComb({44, 1, 200, 7, 7, 0, 13, 100})};
    uint32_t seed = 12345;
    for (int i = 0; i < 500; ++i) {
        TComb c;
        for (uint8_t& b : c) {
            seed = seed * 1103515245u + 12345u;
            b = static_cast<uint8_t>((seed >> 16) % (i % 2 ? 22 : 256));
        }
        list.push_back(c);
    }
    return list;
}

// The plain filtering: FilterTest on every combination.
TCombsArray PlainFilter(const TCustomStat& stat, const std::vector<TStatDraw>& selected,
                        int refIndex, bool exclude, const TCombsArray& source) {
    TCombsArray out;
    for (const TComb& c : source)
        if (stat.FilterTest(c, selected, refIndex, false, exclude) != exclude) out.push_back(c);
    return out;
}

class FilteringEveryMethod : public testing::TestWithParam<std::string> {};

// The layouts of the channel, matrix and segment methods tried besides the zero configuration:
// channel sizes 3, 20 and 4 with 7 (not dividing 20), 20 and 3 matrix columns, and segment maps
// with a segment 0 and empty segments 3, 4, with four segments, and with one.
TConfigSettings LayoutConfig(char layout) {
    TConfigSettings c;
    switch (layout) {
        case 'A':
            c = test::Layout(3, 7, "02222222225555555555");
            break;
        case 'B':
            c = test::Layout(20, 20, "11111222223333344444");
            break;
        case 'C':
            c = test::Layout(4, 3);
            break;
    }
    if (layout == 'A') c.data.MatrixSegments[0] = 0;
    return c;
}

TEST_P(FilteringEveryMethod, PreparedFilterEqualsTheFilterTest) {
    // "A|CODE": the method under a layout of LayoutConfig.
    const std::string param = GetParam();
    const bool layout = param.size() > 2 && param[1] == '|';
    TStatsEnv env(MakeDemoDraws(300, 11, 45000),
                  layout ? LayoutConfig(param[0]) : TConfigSettings{});
    const int ref = static_cast<int>(env.draws.size()) - 1;
    const TCombsArray odd = OddCombs();
    const int entry = env.Entry(layout ? param.substr(2) : param);
    ASSERT_GE(entry, 0);
    auto stat = env.list.CreateStat(entry);
    stat->LoadDraws(-1, ref, false);
    for (const auto& selected : Selections(env, entry)) {
        for (const TCombsArray* source : {&AllCombs(), &odd}) {
            // FilterTest answers the same in both modes except for the period methods, which
            // read the mode: one pass serves both modes for the others.
            const bool readsMode = (stat->StatClass().MethodFlags() & kFlagP) != 0;
            std::vector<char> has(source->size());
            auto test = [&](bool exclude) {
                for (size_t i = 0; i < source->size(); ++i)
                    has[i] = stat->FilterTest((*source)[i], selected, ref, false, exclude);
            };
            test(false);
            for (bool exclude : {false, true}) {
                if (exclude && readsMode) test(true);
                TCombsArray expected;
                for (size_t i = 0; i < source->size(); ++i)
                    if ((has[i] != 0) != exclude) expected.push_back((*source)[i]);
                // The result is appended after what the list held.
                TCombsArray fast = {MakeComb({9, 9, 9, 9, 9, 9, 9, 9})};
                FilterCombList(*stat, selected, ref, false, exclude, *source, fast);
                ASSERT_EQ(fast.size(), expected.size() + 1) << selected.size() << " " << exclude;
                EXPECT_TRUE(std::equal(expected.begin(), expected.end(), fast.begin() + 1))
                    << selected.size() << " " << exclude;
            }
        }
    }
}

// Every registered method, families to come included.
std::vector<std::string> RegisteredCodes() {
    TStatsEnv env;
    std::vector<std::string> codes;
    for (int i = 0; i < env.list.MethodCount(); ++i)
        codes.push_back(env.list.MethodAt(i).Class->CodeOf(env.list.MethodAt(i).Index));
    return codes;
}

std::string TestName(const testing::TestParamInfo<std::string>& info) {
    std::string name;
    // PRV+1 and PRV-1 must not both become PRV_1.
    for (char c : info.param)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c
                : c == '+'                                  ? 'P'
                : c == '-'                                  ? 'M'
                                                            : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Registry, FilteringEveryMethod, testing::ValuesIn(RegisteredCodes()),
                         TestName);

// The channel, matrix, segment, series and period methods under each layout.
std::vector<std::string> LayoutCodes() {
    std::vector<std::string> codes;
    for (char layout : {'A', 'B', 'C'}) {
        TStatsEnv env({}, LayoutConfig(layout));
        for (int i = 0; i < env.list.MethodCount(); ++i) {
            const TStatMethod& m = env.list.MethodAt(i);
            const TStatGroup g = m.Class->MethodGroup();
            if (g == TStatGroup::Channels || g == TStatGroup::Matrix || g == TStatGroup::Segments ||
                g == TStatGroup::Series || g == TStatGroup::Periods)
                codes.push_back(std::string(1, layout) + "|" + m.Class->CodeOf(m.Index));
        }
    }
    return codes;
}

INSTANTIATE_TEST_SUITE_P(Layouts, FilteringEveryMethod, testing::ValuesIn(LayoutCodes()), TestName);

// Values read once for the whole list are kept with the registry; a changed layout must not
// be answered from the values of the old one.
TEST(Filtering, ChangedLayoutIsNotAnsweredFromKeptValues) {
    TStatsEnv env(MakeDemoDraws(300, 11, 45000), test::Layout(4, 3));
    const int ref = static_cast<int>(env.draws.size()) - 1;
    for (const char* code : {"COLA", "ROWC", "CHN1", "SGMS"}) {
        SCOPED_TRACE(code);
        env.config = test::Layout(4, 3);
        for (const TConfigSettings& layout : {test::Layout(5, 4, "11223344556677889999"),
                                              test::Layout(4, 3)}) {
            const int entry = env.Entry(code);
            ASSERT_GE(entry, 0);
            const std::vector<TStatDraw> selected = Selections(env, entry)[1];
            auto stat = env.list.CreateStat(entry);
            stat->LoadDraws(-1, ref, false);
            TCombsArray before;
            FilterCombList(*stat, selected, ref, false, false, AllCombs(), before);
            env.config.data = layout.data;
            auto changed = env.list.CreateStat(entry);
            changed->LoadDraws(-1, ref, false);
            TCombsArray after;
            FilterCombList(*changed, selected, ref, false, false, AllCombs(), after);
            EXPECT_EQ(after, PlainFilter(*changed, selected, ref, false, AllCombs()));
        }
    }
}

// A method of the kind the later families bring: flag D, no prepared filter of its own. It keeps
// the combinations holding the first number of the reference draw, or lacking it when removing.
class TstRefFirst final : public TDescribedStat<TstRefFirst, TCustomNumbersStat> {
  public:
    using TDescribedStat::TDescribedStat;
    static TStatClassInfo Describe() {
        return {"REF1", "Первое число последнего тиража", TStatGroup::Repeats, kFlagD};
    }

  protected:
    bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                      const TStatContext& ctx) const override {
        const int first = ctx.Reference->Numbers[0];
        // The mode matters to this test, as it does to the period methods.
        return (ctx.Exclude ? !InComb(first, comb) : InComb(first, comb)) &&
               MatchK(selected, 1, first);
    }
    void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values, TScanState&) override {
        AddK1(values, ctx.Reference->Numbers[0], true);
    }
};

TEST(Filtering, MethodsWithoutAPreparedFilterUseTheirFilterTest) {
    TStatsEnv env(MakeDemoDraws(20, 5, 45000));
    TstRefFirst stat(env.list, 0);
    const int ref = 12;
    const int first = env.draws[ref].Numbers[0];
    const std::vector<TStatDraw> selected = {KeyRecord(first)};
    for (bool exclude : {false, true}) {
        TCombsArray fast;
        FilterCombList(stat, selected, ref, false, exclude, AllCombs(), fast);
        EXPECT_EQ(stat.ReferenceDraw().Number, env.draws[ref].Number);
        EXPECT_EQ(fast, PlainFilter(stat, selected, ref, exclude, AllCombs()));
        // The test answers "lacks the number" when removing, so both modes keep the
        // combinations holding it.
        EXPECT_EQ(fast.size(), 50388u);
    }
}

TEST(Filtering, KeepOrRemoveANumber) {
    TStatsEnv env(MakeDemoDraws(10, 1, 45000));
    auto stat = env.Create("NUMS");
    const std::vector<TStatDraw> five = {KeyRecord(5)};
    TCombsArray kept, removed;
    FilterCombList(*stat, five, 9, false, false, AllCombs(), kept);
    FilterCombList(*stat, five, 9, false, true, AllCombs(), removed);
    EXPECT_EQ(kept.size(), 50388u);     // C(19, 7)
    EXPECT_EQ(removed.size(), 75582u);  // C(19, 8)
    EXPECT_TRUE(std::all_of(kept.begin(), kept.end(), [](const TComb& c) { return InComb(5, c); }));
    EXPECT_TRUE(
        std::none_of(removed.begin(), removed.end(), [](const TComb& c) { return InComb(5, c); }));
    EXPECT_EQ(PlainFilter(*stat, five, 9, true, AllCombs()), removed);
}

TEST(Filtering, ExtraNumberNeverFilters) {
    TStatsEnv env(MakeDemoDraws(10, 1, 45000));
    auto stat = env.Create("POE1");
    const std::vector<TStatDraw> all = {KeyRecord(1), KeyRecord(2), KeyRecord(3), KeyRecord(4)};
    TCombsArray kept, removed;
    FilterCombList(*stat, all, 9, false, false, AllCombs(), kept);
    FilterCombList(*stat, all, 9, false, true, AllCombs(), removed);
    EXPECT_TRUE(kept.empty());
    EXPECT_EQ(removed, AllCombs());
}

}  // namespace
}  // namespace zentrix
