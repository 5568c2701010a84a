#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "scenario/filter_item.h"
#include "scenario/scenario.h"
#include "scenario/scenario_line.h"
#include "scenario/script_command.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::TStatsEnv;

// Every field a decoded item carries. The statistic word is left out when a method matched
// (its canonical form is the code and the window lengths).
std::string Fields(const TFilterItem& item) {
    std::ostringstream out;
    out << item.Enabled << '|' << (item.Method ? "" : item.StatText) << '|' << item.Method.Code()
        << '|' << item.DrawsLen << '|' << item.DrawsSortOrder << item.BottomUp << item.MultiSelect
        << item.KeepSelected << '|' << int(item.LevelMode) << ':' << item.LevelValue << '|'
        << item.CDLOverride << ':' << CoefText(item.CoefCount) << ':'
        << CoefText(item.CoefDeviation) << ':' << CoefText(item.CoefLevel) << ':'
        << item.CoefPercents << item.CoefAbs << '|' << int(item.StopMode) << ':' << item.StopValue;
    return out.str();
}

// Garbled text made of the pieces scenario text is made of, and of stray bytes.
std::string RandomText(std::mt19937& rng) {
    static const char* const kPieces[] = {
        "#",
        ":",
        "|",
        ";",
        ",",
        ".",
        "-",
        " ",
        "TSD",
        "BMF",
        "bmf",
        "NUMS",
        "nums",
        "POS3",
        "SUMS",
        "LMV",
        "lva",
        "WDV",
        "SF",
        "st",
        "SZ",
        "1",
        "0",
        "12",
        "-5",
        "1-10;2",
        "0.125",
        "0,5",
        "1e5",
        "FULL",
        "EXCL",
        "curr",
        "RAND",
        "all",
        "CLR",
        "nex",
        "Проба",
        "\xFF",
        "\xC3",
        "\t",
        "\r",
        "99999999999",
        "1.5:0.25:1:1:0",
    };
    std::uniform_int_distribution<int> count(0, 24);
    std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text;
    for (int n = count(rng); n > 0; --n) {
        if (rng() % 8 == 0)
            text += static_cast<char>(byte(rng));
        else
            text += kPieces[piece(rng)];
    }
    return text;
}

TEST(ScenarioDecoders, GarbledTextDecodesToAStableCanonicalForm) {
    TStatsEnv env;
    std::mt19937 rng(20240307);
    for (int i = 0; i < 600; ++i) {
        const std::string text = RandomText(rng);
        SCOPED_TRACE(text);

        TFilterItem item;
        ASSERT_NO_THROW(item = DecodeFilterItem(text, env.list));
        const std::string canonical = EncodeFilterItem(item);
        const TFilterItem again = DecodeFilterItem(canonical, env.list);
        EXPECT_EQ(EncodeFilterItem(again), canonical);
        if (item.Method || !item.StatText.empty()) {
            EXPECT_EQ(Fields(again), Fields(item));
        }

        TScriptCommand command;
        ASSERT_NO_THROW(command = DecodeCommand(text));
        EXPECT_EQ(DecodeCommand(EncodeCommand(command)), command);
        EXPECT_NO_THROW(DescribeCommand(command));

        const TFilterTexts filters = LineFilters(text);
        const std::string line = BuildLine(LineCommand(text), filters, LineComment(text));
        EXPECT_EQ(LineCommand(line), LineCommand(text));
        EXPECT_EQ(LineFilters(line), filters);
        EXPECT_EQ(LineComment(line), LineComment(text));
    }
}

TEST(ScenarioDecoders, AMalformedFileLoadsAndEveryLineDecodes) {
    TStatsEnv env;
    TScenario scenario;
    ASSERT_NO_THROW(scenario.LoadFile(ZENTRIX_TEST_DATA "/scenario_malformed.lsc"));
    ASSERT_EQ(scenario.Count(), 8);
    EXPECT_EQ(scenario.Line(1), "");
    EXPECT_EQ(DescribeCommand(DecodeCommand(LineCommand(scenario.Line(0)))),
              "Исключить 3 тиражей; Все; Удалить ставки; Только новые ставки");
    EXPECT_EQ(CanonicalFilterText(LineFilter(scenario.Line(0), 1), env.list),
              "BSF2#NUMS:10,20#CDV:1-3;1#ST:2");
    EXPECT_EQ(LineComment(scenario.Line(0)), "Проба");
    for (const std::string& line : scenario.Lines()) {
        EXPECT_NO_THROW(DecodeCommand(LineCommand(line)));
        for (int k = 1; k <= 7; ++k)
            EXPECT_NO_THROW(CanonicalFilterText(LineFilter(line, k), env.list));
    }
}

}  // namespace
}  // namespace zentrix
