#include "stakes/wheel_check.h"

#include <gtest/gtest.h>

#include "stakes/wheel_generate.h"
#include "util/errors.h"

namespace zentrix {
namespace {

// Every combination of 8 out of positions 1..n.
TCombsArray FullSystem(int n) {
    TCombsArray all;
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (__builtin_popcount(m) != kCombSize) continue;
        TComb c{};
        size_t i = 0;
        for (int p = 0; p < n; ++p)
            if (m & (1u << p)) c[i++] = uint8_t(p + 1);
        all.push_back(c);
    }
    return all;
}

TEST(WheelCheck, TheFullSystemGuaranteesEveryDrawnNumber) {
    for (int n : {9, 12}) {
        const TWheelCheck check = CheckWheel(n, FullSystem(n));
        EXPECT_EQ(check.tickets, size_t(Binomial(n, 8)));
        for (int t = 0; t <= kCombSize; ++t) {
            const TWheelRow& row = check.rows[size_t(t)];
            EXPECT_EQ(row.guaranteed, t) << n << " " << t;
            EXPECT_EQ(row.best[size_t(t)], Binomial(n, t));
            EXPECT_DOUBLE_EQ(row.Share(t), 1.0);
            EXPECT_EQ(row.draws, Binomial(n, t) * Binomial(20 - n, 8 - t));
        }
        // Over all draws the best ticket matches as many as were drawn among the n.
        EXPECT_EQ(check.all.draws, kCombCount);
        for (int m = 0; m <= kCombSize; ++m)
            EXPECT_EQ(check.all.best[size_t(m)], Binomial(n, m) * Binomial(20 - n, 8 - m));
        EXPECT_EQ(check.all.guaranteed, n <= 12 ? 0 : n - 12);
    }
}

TEST(WheelCheck, ASingleTicketLosesOneWhenTheSpareNumberIsDrawn) {
    const TWheelCheck check = CheckWheel(9, {TComb{1, 2, 3, 4, 5, 6, 7, 8}});
    EXPECT_EQ(check.rows[0].guaranteed, 0);
    for (int t = 1; t <= kCombSize; ++t) {
        const TWheelRow& row = check.rows[size_t(t)];
        EXPECT_EQ(row.guaranteed, t - 1) << t;
        EXPECT_EQ(row.best[size_t(t - 1)], Binomial(8, t - 1)) << t;
        EXPECT_EQ(row.best[size_t(t)], Binomial(8, t)) << t;
        EXPECT_NEAR(row.Share(t - 1), t / 9.0, 1e-12) << t;
    }
}

TEST(WheelCheck, ASystemMissingOneNumberGuaranteesOneLess) {
    // The full system of positions 1..9 taken over 10 numbers: position 10 is never played.
    const TWheelCheck check = CheckWheel(10, FullSystem(9));
    for (int t = 1; t <= kCombSize; ++t) {
        const TWheelRow& row = check.rows[size_t(t)];
        EXPECT_EQ(row.guaranteed, t - 1) << t;
        EXPECT_EQ(row.best[size_t(t - 1)], Binomial(9, t - 1)) << t;
        EXPECT_EQ(row.best[size_t(t)], Binomial(9, t)) << t;
    }
}

TEST(WheelCheck, EmptyAndBadSystems) {
    const TWheelCheck none = CheckWheel(20, {});
    EXPECT_EQ(none.rows[8].guaranteed, 0);
    EXPECT_EQ(none.rows[8].draws, kCombCount);
    EXPECT_EQ(none.rows[7].draws, 0);  // all eight are among the twenty
    EXPECT_THROW(CheckWheel(9, {TComb{1, 2, 3, 4, 5, 6, 7, 10}}), EConvertError);
    EXPECT_THROW(CheckWheel(9, {TComb{1, 1, 3, 4, 5, 6, 7, 8}}), EConvertError);
    EXPECT_THROW(CheckWheel(7, {}), EConvertError);
    EXPECT_THROW(CheckWheel(21, {}), EConvertError);
}

TEST(WheelCheck, AListIsASystemOverItsOwnNumbers) {
    TByteArray numbers;
    const TCombsArray tickets =
        ListAsSystem({TComb{3, 7, 1, 9, 2, 4, 5, 6}, TComb{10, 3, 1, 2, 4, 5, 6, 7}}, numbers);
    EXPECT_EQ(numbers, (TByteArray{3, 7, 1, 9, 2, 4, 5, 6, 10}));
    EXPECT_EQ(tickets[1], (TComb{9, 1, 3, 5, 6, 7, 8, 2}));
}

struct TGoalCase {
    int numbers, matches, drawn;
};

TEST(WheelGenerate, ItsSystemsPassTheChecker) {
    const TGoalCase cases[] = {{9, 7, 8},  {10, 2, 2}, {12, 3, 3}, {12, 4, 6},
                               {14, 3, 5}, {16, 2, 3}, {20, 1, 1}, {20, 3, 8}};
    for (const TGoalCase& c : cases) {
        const TWheelGoal goal{c.numbers, c.matches, c.drawn};
        const TCombsArray system = GenerateWheel(goal);
        ASSERT_FALSE(system.empty());
        const TWheelCheck check = CheckWheel(c.numbers, system);
        EXPECT_GE(check.rows[size_t(c.drawn)].guaranteed, c.matches)
            << c.numbers << " " << c.matches << " " << c.drawn;
    }
    // The same seed builds the same system; "3 if 3" over 12 reaches the bound of 6 tickets.
    EXPECT_EQ(GenerateWheel({12, 3, 3}), GenerateWheel({12, 3, 3}));
    EXPECT_EQ(GenerateWheel({12, 3, 3}).size(), 6u);
    // "1 if 1" over 20 needs three tickets; any ticket over 9 shares 7 with any draw of 8.
    EXPECT_EQ(GenerateWheel({20, 1, 1}).size(), 3u);
    EXPECT_EQ(GenerateWheel({9, 7, 8}).size(), 1u);
}

TEST(WheelGenerate, GoalsAreReadAndChecked) {
    const TWheelGoal goal = ParseWheelGoal(12, "3-if-4");
    EXPECT_EQ(goal.matches, 3);
    EXPECT_EQ(goal.drawn, 4);
    EXPECT_EQ(ParseWheelGoal(12, "2 IF 5").drawn, 5);
    for (const char* bad : {"", "3", "3-if-", "x-if-3", "4-if-3", "8-if-8", "0-if-3", "3-if-9"})
        EXPECT_THROW(ParseWheelGoal(12, bad), EConvertError) << bad;
    EXPECT_THROW(ParseWheelGoal(8, "3-if-3"), EConvertError);
    EXPECT_EQ(GeneratedSystemFileName(goal), "8-12-3_0000.dat");
}

}  // namespace
}  // namespace zentrix
