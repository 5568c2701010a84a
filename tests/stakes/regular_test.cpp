#include <gtest/gtest.h>

#include <filesystem>

#include "stakes/regular_dialog.h"
#include "stakes/regular_rule.h"
#include "stakes/regular_table.h"
#include "stakes/stake_dialog.h"
#include "stakes/stakes_env.h"
#include "support/temp_dir.h"
#include "util/binary.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::Comb;
using test::Draw;

TRegularRule Rule(const std::string& comment, const std::array<int, 8>& current, int step,
                  bool lastDraw = false) {
    TRegularRule rule;
    rule.Comment = comment;
    rule.UseLastDraw = lastDraw;
    rule.CombStart = Comb(current);
    rule.CombCurrent = Comb(current);
    rule.Step = step;
    return rule;
}

TEST(RegularRule, RecordLayout) {
    TRegularRule rule = Rule("Аб", {1, 2, 3, 4, 5, 6, 7, 8}, -5, true);
    rule.CombCurrent = Comb({9, 10, 11, 12, 13, 14, 15, 20});
    rule.StakesMade = 0x01020304;
    std::string b;
    WriteRegularRecord(b, rule);
    ASSERT_EQ(b.size(), kRegularRecordSize);
    // The comment in Windows-1251 after its length byte, zeros to 256.
    EXPECT_EQ(b.substr(0, 3), std::string("\x02\xC0\xE1", 3));
    EXPECT_EQ(b.substr(3, 253), std::string(253, '\0'));
    EXPECT_EQ(b[256], '\x01');
    EXPECT_EQ(b.substr(257, 8), std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
    EXPECT_EQ(b.substr(265, 8), std::string("\x09\x0A\x0B\x0C\x0D\x0E\x0F\x14", 8));
    EXPECT_EQ(b.substr(273, 3), std::string(3, '\0'));
    TByteReader r(std::string_view(b).substr(276));
    EXPECT_EQ(r.I32(), -5);
    EXPECT_EQ(r.I32(), 0x01020304);
    EXPECT_EQ(ReadRegularRecord(b), rule);
}

TEST(RegularRule, FileRoundTripAndMissingFile) {
    test::TTempDir dir;
    TRegularsFile file(dir.File("Zentrix_8x20.ltb"));
    TRegularRules rules = {Rule("a", {1, 2, 3, 4, 5, 6, 7, 8}, 1)};
    file.Load(rules);
    EXPECT_TRUE(rules.empty());
    rules = {Rule("a", {1, 2, 3, 4, 5, 6, 7, 8}, 1), Rule("b", {3, 4, 5, 6, 7, 8, 9, 10}, -2)};
    file.Save(rules);
    EXPECT_EQ(FileSize(file.Path()), 2 * 284);
    TRegularRules back;
    file.Load(back);
    EXPECT_EQ(back, rules);
}

TEST(RegularRule, ADamagedFileKeepsItsWholeRecordsAndIsBackedUpBeforeItsRewrite) {
    test::TTempDir dir;
    const std::string path = dir.File("Zentrix_8x20.ltb");
    std::string bytes;
    WriteRegularRecord(bytes, Rule("a", {1, 2, 3, 4, 5, 6, 7, 8}, 1));
    bytes += "stray";
    AtomicWriteFile(path, bytes);
    TRegularsFile file(path);
    TRegularRules rules;
    EXPECT_THROW(file.Load(rules), EFileError);
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].Comment, "a");
    EXPECT_TRUE(file.Damaged());
    file.Save(rules);
    EXPECT_EQ(ReadFileBytes(path + ".bak"), bytes);
    EXPECT_EQ(FileSize(path), 284);
    EXPECT_FALSE(file.Damaged());
}

struct TNextCase {
    const char* name;
    std::array<int, 8> current;
    int step;
    bool lastDraw;
    int offset;
    std::array<int, 8> expected;
};

// Draws 1..3 of the archive below; offset k bases a rule on the previous draw on draw 3 - k.
const TDrawsArray kDraws = {Draw(1, {15, 16, 17, 18, 19, 20, 1, 2}),
                            Draw(2, {8, 7, 6, 5, 4, 3, 2, 1}), Draw(3, {9, 3, 5, 11, 13, 2, 4, 6})};

class NextTableCombinationTest : public ::testing::TestWithParam<TNextCase> {};

TEST_P(NextTableCombinationTest, ShiftsWrapsAndSorts) {
    const TNextCase& c = GetParam();
    TRegularRule rule = Rule("r", c.current, c.step, c.lastDraw);
    rule.StakesMade = 4;
    const TComb next = NextTableCombination(rule, kDraws, c.offset);
    EXPECT_EQ(next, Comb(c.expected));
    EXPECT_EQ(rule.CombCurrent, Comb(c.expected));
    EXPECT_EQ(rule.CombStart, Comb(c.current));
    EXPECT_EQ(rule.StakesMade, 5);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NextTableCombinationTest,
    ::testing::Values(
        TNextCase{"UpWrapsPast20",
                  {15, 16, 17, 18, 19, 20, 1, 2},
                  3,
                  false,
                  0,
                  {1, 2, 3, 4, 5, 18, 19, 20}},
        TNextCase{"DownWrapsPast1",
                  {1, 2, 3, 4, 5, 6, 7, 8},
                  -5,
                  false,
                  0,
                  {1, 2, 3, 16, 17, 18, 19, 20}},
        TNextCase{"StepZeroKeeps",
                  {2, 4, 6, 8, 10, 12, 14, 16},
                  0,
                  false,
                  0,
                  {2, 4, 6, 8, 10, 12, 14, 16}},
        TNextCase{"FullTurnUp", {1, 2, 3, 4, 5, 6, 7, 8}, 20, false, 0, {1, 2, 3, 4, 5, 6, 7, 8}},
        TNextCase{
            "FullTurnDown", {1, 2, 3, 4, 5, 6, 7, 8}, -20, false, 0, {1, 2, 3, 4, 5, 6, 7, 8}},
        TNextCase{
            "LastDrawNewest", {1, 2, 3, 4, 5, 6, 7, 8}, 1, true, 0, {3, 4, 5, 6, 7, 10, 12, 14}},
        TNextCase{
            "LastDrawAtOffsetOne", {0, 0, 0, 0, 0, 0, 0, 0}, 2, true, 1, {3, 4, 5, 6, 7, 8, 9, 10}},
        TNextCase{"LastDrawAtOffsetTwoDown",
                  {0, 0, 0, 0, 0, 0, 0, 0},
                  -1,
                  true,
                  2,
                  {1, 14, 15, 16, 17, 18, 19, 20}},
        TNextCase{"LastDrawStepZeroStakesThePreviousDraw",
                  {1, 2, 3, 4, 5, 6, 7, 8},
                  0,
                  true,
                  1,
                  {1, 2, 3, 4, 5, 6, 7, 8}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NextTableCombination, ABaseThatIsNoCombinationIsRefusedAndTheRuleStays) {
    const struct {
        TRegularRule rule;
        int offset;
    } cases[] = {
        {Rule("нет тиража", {1, 2, 3, 4, 5, 6, 7, 8}, 1, true), 3},  // outside the archive
        {Rule("нули", {0, 0, 0, 0, 0, 0, 0, 0}, 1), 0},
        {Rule("повтор", {1, 1, 3, 4, 5, 6, 7, 8}, 1), 0},
        {Rule("больше 20", {1, 2, 3, 4, 5, 6, 7, 200}, 1), 0},
        {Rule("шаг", {1, 2, 3, 4, 5, 6, 7, 8}, 21), 0},
        {Rule("шаг вниз", {1, 2, 3, 4, 5, 6, 7, 8}, -21), 0},
    };
    for (const auto& c : cases) {
        TRegularRule rule = c.rule;
        EXPECT_THROW(NextTableCombination(rule, kDraws, c.offset), EZentrix) << c.rule.Comment;
        EXPECT_EQ(rule, c.rule) << c.rule.Comment;
    }
    TRegularRule empty = Rule("пустой архив", {1, 2, 3, 4, 5, 6, 7, 8}, 1, true);
    EXPECT_THROW(NextTableCombination(empty, {}, 0), EZentrix);
}

TEST(RegularTable, CellsAndStake) {
    TRegularRule rule = Rule("Моя", {1, 2, 3, 4, 5, 6, 7, 8}, -3);
    rule.CombCurrent = Comb({2, 3, 4, 5, 6, 7, 8, 9});
    rule.StakesMade = 7;
    EXPECT_EQ(RegularHeaders(), (std::vector<std::string>{"Комментарий", "Стартовая комбинация",
                                                          "Текущая комбинация", "Шаг", "Ставок"}));
    EXPECT_EQ(RegularCells(rule),
              (std::vector<std::string>{"Моя", "1;2;3;4;5;6;7;8", "2;3;4;5;6;7;8;9", "-3", "7"}));
    // A rule on the previous draw without a start of its own shows none.
    EXPECT_EQ(RegularCells(Rule("x", {0, 0, 0, 0, 0, 0, 0, 0}, 1, true)).at(1), "");
    const TStakeRec stake = RegularStake(test::PrizeConfig(), rule, 12, 300);
    EXPECT_EQ(stake.Kind, kStakeRegular);
    EXPECT_EQ(stake.Draw, 12);
    EXPECT_EQ(stake.Selection, 300);
    EXPECT_EQ(stake.Comment, "Моя");
    EXPECT_EQ(stake.Numbers.Count, 8);
    EXPECT_EQ(stake.Profit, -20000);
}

const TCombsArray kList = {Comb({1, 2, 3, 4, 5, 6, 7, 8}), Comb({20, 19, 18, 17, 16, 15, 14, 13}),
                           Comb({2, 4, 6, 8, 10, 12, 14, 16}), Comb({3, 5, 7, 9, 11, 13, 15, 17})};

TEST(RegularAddDialog, Defaults) {
    const TRegularAddDialog one(kList, {1});
    EXPECT_EQ(one.Initial().comment, "Регулярная ставка");
    EXPECT_EQ(one.Initial().step, 1);
    EXPECT_FALSE(one.Initial().useLastDraw);
    EXPECT_EQ(one.Initial().start, "20;19;18;17;16;15;14;13");
    EXPECT_TRUE(one.StartEnabled(false));
    EXPECT_FALSE(one.StartEnabled(true));
    for (const std::vector<size_t>& rows : {std::vector<size_t>{}, std::vector<size_t>{0, 2}}) {
        const TRegularAddDialog many(kList, rows);
        EXPECT_EQ(many.Initial().start, "{...Выделенные комбинации...}");
        EXPECT_FALSE(many.StartEnabled(false));
    }
}

TEST(RegularAddDialog, RefusalsKeepTheDialogOpen) {
    const TRegularRules existing = {Rule("Есть", {1, 2, 3, 4, 5, 6, 7, 8}, 1)};
    const TRegularAddDialog one(kList, {0});
    const struct {
        std::string start, comment;
        int step;
        const char* message;
    } cases[] = {
        {"1;2;3;4;5;6;7", "x", 1, kBadStakeNumbers},
        {"1;2;3;4;5;6;7;7", "x", 1, kBadStakeNumbers},
        {"1;2;3;4;5;6;7;21", "x", 1, kBadStakeNumbers},
        {"1;2;3;4;5;6;7;a", "x", 1, kBadStakeNumbers},
        {"1,2,3,4,5,6,7,8", "  ", 1, kNoStakeComment},
        {"1;2;3;4;5;6;7;8", "есть", 1, kRegularDuplicateComment},
        {"1;2;3;4;5;6;7;8", "x", 21, "Шаг должен быть от -20 до 20!"},
    };
    for (const auto& c : cases) {
        TRegularDialogFields fields = one.Initial();
        fields.start = c.start;
        fields.comment = c.comment;
        fields.step = c.step;
        try {
            one.Accept(fields, existing);
            ADD_FAILURE() << c.start << " " << c.comment;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.start << " " << c.comment;
        }
    }
}

TEST(RegularAddDialog, OneRuleOrOnePerSelectedCombination) {
    // One selected, the constant start: the typed combination, sorted.
    const TRegularAddDialog one(kList, {1});
    TRegularDialogFields fields = one.Initial();
    fields.start = "9,3,1,20,5,7,11,13";
    fields.step = -4;
    TRegularRules rules = one.Accept(fields, {});
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].CombStart, Comb({1, 3, 5, 7, 9, 11, 13, 20}));
    EXPECT_EQ(rules[0].CombCurrent, rules[0].CombStart);
    EXPECT_EQ(rules[0].Step, -4);
    EXPECT_EQ(rules[0].StakesMade, 0);
    EXPECT_FALSE(rules[0].UseLastDraw);

    // Three selected, the constant start: one rule each, numbered by list position.
    const TRegularAddDialog three(kList, {0, 2, 3});
    rules = three.Accept(three.Initial(), {});
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[0].Comment, "Регулярная ставка (1)");
    EXPECT_EQ(rules[1].Comment, "Регулярная ставка (3)");
    EXPECT_EQ(rules[2].Comment, "Регулярная ставка (4)");
    EXPECT_EQ(rules[1].CombStart, kList[2]);

    // Nothing selected and the constant start: no rule.
    const TRegularAddDialog none(kList, {});
    EXPECT_TRUE(none.Accept(none.Initial(), {}).empty());

    // The previous draw: one rule whatever is selected, the placeholder no start.
    fields = three.Initial();
    fields.useLastDraw = true;
    rules = three.Accept(fields, {});
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_TRUE(rules[0].UseLastDraw);
    EXPECT_EQ(rules[0].CombStart, TComb{});
    EXPECT_EQ(rules[0].Comment, "Регулярная ставка");
}

TEST(RegularAddDialog, TheCommentIsCutTo64Characters) {
    const TRegularAddDialog none(kList, {});
    TRegularDialogFields fields = none.Initial();
    fields.useLastDraw = true;
    fields.comment = std::string(40, 'a') + std::string(60, 'b');
    const TRegularRules rules = none.Accept(fields, {});
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].Comment, std::string(40, 'a') + std::string(24, 'b'));
}

}  // namespace
}  // namespace zentrix
