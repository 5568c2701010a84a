#include "app/scenario_run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/session.h"
#include "core/archive.h"
#include "core/demo_archive.h"
#include "core/game.h"
#include "scenario/filter_item.h"
#include "scenario/scenario_line.h"
#include "stakes/stake_make.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/cp1251.h"
#include "util/datetime.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix {
namespace {

TComb Comb(int first) {
    TComb c;
    for (int i = 0; i < 8; ++i) c[i] = static_cast<uint8_t>(first + i);
    return c;
}

// A line whose one filter keeps every combination: the action sees the list as it came.
std::string KeepAllLine(const std::string& command) {
    return command + "|TMF1#NUMS:10#LNO:#SF:0| | | | | | |";
}

// A session on a temporary folder with a 60-draw archive, the folder held and the stakes open.
struct ScenarioRunTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TArchiveController& archive = session.Archive();
    TCombsController& combs = session.Combs();
    TStatsController& stats = session.Stats();
    TScenarioRun& run = session.Run();

    ScenarioRunTest() {
        session.LoadConfig();
        session.InitRegistry();
        combs.InitArrays();
        archive.Assign(MakeDemoDraws(60, 3, 45292));
        EXPECT_TRUE(session.TryDataLock());
        session.OpenStakes();
        combs.GenerateCombs(false, 0, "");
        run.SetLogOverride(false);
        ui.Clear();
    }
    // The scenario's lines replaced.
    void Lines(std::initializer_list<std::string> lines) {
        TScenarioController& scenario = session.Scenario();
        if (scenario.Count() > 0) {
            ui.answers.push_back(TMsgResult::Yes);
            scenario.DeleteAll();
        }
        for (const std::string& line : lines) scenario.AddScriptLine(line);
    }
    std::vector<TStakeRec> Stakes() {
        std::vector<TStakeRec> out;
        for (const TStakeRec& rec : session.Stakes().File().ReadAll())
            if (!rec.IsSeparator()) out.push_back(rec);
        return out;
    }
    int Undone() const {
        return static_cast<int>(
            std::count_if(combs.FilterLog().begin(), combs.FilterLog().end(),
                          [](const TFilterLogLine& l) { return l.mark == TFilterMark::Undone; }));
    }
    // The statistics table the page shows for a method over a window, "Количество" descending.
    TStatTable SortedTable(const std::string& code, int window) {
        TStatTable table =
            stats.Tables().Compute(stats.Tables().Request(stats.Registry().FindCode(code), window));
        table.Sort(kColCount, true);
        return table;
    }
};

// Deleting NUMS values one row at a time: every step drops one number, so n steps leave
// C(20 - n, 8) combinations; past 12 steps a step would empty the list and is undone.
TEST_F(ScenarioRunTest, EachStopRuleEndsTheSingleSelectionWalk) {
    const TStatTable table = SortedTable("NUMS", 10);
    auto leadingAbove = [&](int column, long double bound) {
        int n = 0;
        while (n < table.RowCount() && TryStrToFloat(table.CellText(n, column)).value_or(0) > bound)
            ++n;
        return n;
    };
    const int countBound = TryStrToInt(table.CellText(5, kColCount)).value_or(0);
    const int percentBound =
        static_cast<int>(TryStrToFloat(table.CellText(5, kColCountPercent)).value_or(0));
    struct TCase {
        std::string stop;
        int steps;
        int undone;
    };
    // Walking n rows makes min(n, 12) steps; each row past the 12th is undone.
    auto walked = [](std::string stop, int n) {
        return TCase{std::move(stop), std::min(n, 12), std::max(0, n - 12)};
    };
    const TCase cases[] = {
        {"SF:0", 12, 8},
        {"SZ:0", 12, 1},
        {"ST:3", 3, 0},
        {"SC:50000", 2, 0},
        walked("SV:" + std::to_string(countBound), leadingAbove(kColCount, countBound)),
        walked("SP:" + std::to_string(percentBound), leadingAbove(kColCountPercent, percentBound)),
    };
    for (const TCase& c : cases) {
        Lines({"FULL:0#NONE|TSD1#NUMS:10#LNO:#" + c.stop + "| | | | | | |"});
        ui.Clear();
        run.Forecast();
        EXPECT_EQ(combs.Count(), Binomial(20 - c.steps, 8)) << c.stop;
        EXPECT_EQ(Undone(), c.undone) << c.stop;
        EXPECT_TRUE(ui.MessageTexts().empty()) << c.stop;
    }
}

TEST_F(ScenarioRunTest, MultiSelectionFiltersOnceAndUndoesAnEmptyingStep) {
    // Keeping the combinations with one of the first 9 numbers drops only those of the other 11.
    Lines({"FULL:0#NONE|TMF1#NUMS:10#LNO:#ST:9| | | | | | |"});
    run.Forecast();
    EXPECT_EQ(combs.Count(), kCombCount - Binomial(11, 8));
    EXPECT_EQ(combs.FilterLog().size(), 1u);
    // Deleting those with one of 13 numbers would leave none: the step is rolled back.
    Lines({"FULL:0#NONE|TMD1#NUMS:10#LNO:#ST:13| | | | | | |"});
    run.Forecast();
    EXPECT_EQ(combs.Count(), kCombCount);
    EXPECT_EQ(Undone(), 1);
}

TEST_F(ScenarioRunTest, EveryActionOnThreeCombinationsAndOnOne) {
    run.SetRandom([](size_t) { return size_t{1}; });
    struct TCase {
        const char* action;
        std::vector<int> staked;  // first numbers of the staked combinations
        std::vector<int> single;  // the same with one combination left
    };
    // The second line stakes the last combination, unless the first stopped the run.
    const TCase cases[] = {
        {"RAND", {2, 3}, {1, 1}},      {"FIRST", {1, 3}, {1, 1}}, {"LAST", {3, 3}, {1, 1}},
        {"ALL", {1, 2, 3, 3}, {1, 1}}, {"SYSA", {3}, {1, 1}},     {"SYSC", {3}, {1, 1}},
        {"STOP", {}, {1, 1}},          {"SKIP", {3}, {1, 1}},     {"NONE", {3}, {1}},
    };
    for (const TCase& c : cases) {
        for (bool one : {false, true}) {
            session.Stakes().FileForWriting().Clear();
            Lines({KeepAllLine(std::string("CURR:0#") + c.action), KeepAllLine("CURR:0#LAST")});
            combs.Working() = one ? TCombsArray{Comb(1)} : TCombsArray{Comb(1), Comb(2), Comb(3)};
            ui.Clear();
            run.Forecast();
            std::vector<int> firsts;
            for (const TStakeRec& s : Stakes()) firsts.push_back(s.Numbers.Numbers[0]);
            EXPECT_EQ(firsts, one ? c.single : c.staked) << c.action << one;
            const std::string action = c.action;
            std::vector<std::string> boxes = ui.MessageTexts();
            if (!one && action == "STOP") {
                ASSERT_EQ(boxes.size(), 1u);
                EXPECT_EQ(boxes[0],
                          "Выполнение сценария прервано, т.к. после применения всех фильтров в "
                          "списке комбинаций их осталось более одной: 3!\n\nФильтры: 01.001: @ "
                          "CURR#STOP + TMF1#NUMS:10#LNO:#SF:0");
                EXPECT_EQ(ui.messages[0].title, "Внимание!");
            } else if (!one && (action == "SYSA" || action == "SYSC")) {
                ASSERT_EQ(boxes.size(), 1u) << action;
                EXPECT_EQ(boxes[0],
                          std::string("Система для 10 чисел не найдена или не загружена на "
                                      "компьютер!") +
                              kNoSystemFoundHint);
            } else {
                EXPECT_TRUE(boxes.empty()) << action << one;
            }
        }
    }
}

TEST_F(ScenarioRunTest, AStakeCarriesItsLineAndVariant) {
    Lines({KeepAllLine("CURR:0#FIRST") + "Мой комментарий"});
    combs.Working() = {Comb(3), Comb(4)};
    run.Forecast();
    const std::vector<TStakeRec> stakes = Stakes();
    ASSERT_EQ(stakes.size(), 1u);
    EXPECT_EQ(stakes[0].Kind, kStakeScenario);
    EXPECT_EQ(stakes[0].Draw, NextDrawNumber(archive.Draws(), 0));
    EXPECT_EQ(stakes[0].Selection, 2);
    EXPECT_EQ(stakes[0].Matches(), -1);
    EXPECT_EQ(stakes[0].Comment, "01.001: Мой комментарий @ CURR#FIRST + TMF1#NUMS:10#LNO:#SF:0");
    EXPECT_EQ(run.StakesAdded(), 1);

    // Line and variant numbers keep their widths; a long comment is cut at 255 characters.
    TFilterVar var{};
    var[0].Enabled = true;
    var[0].Method = DecodeFilterItem("TSD1#NUMS:5", stats.Registry()).Method;
    var[0].DrawsLen = 5;
    const TScriptCommand command = DecodeCommand("EXCL:3#ALL#CLR#NEX");
    EXPECT_EQ(ScenarioStakeComment(12, 345, "", command, var),
              "12.345: @ EXCL:3#ALL#NEX + TSD0#NUMS:5#LNO:#SF:0");
    std::string longComment;
    for (int i = 0; i < 300; ++i) longComment += "ж";
    const std::string cut = ScenarioStakeComment(1, 1, longComment, command, var);
    EXPECT_EQ(Utf8Length(cut), 255u);
    EXPECT_TRUE(cut.starts_with("01.001: жжж"));
}

TEST_F(ScenarioRunTest, NewOnlySkipsAStakeThatExistsInAnyOrder) {
    // A stake for the next draw with the same numbers stored in another order.
    TStakeRec old = NewStake(session.Config().Data(), kStakeManual,
                             NextDrawNumber(archive.Draws(), 0), 1, Comb(1), "old");
    std::reverse(old.Numbers.Numbers.begin(), old.Numbers.Numbers.end());
    AppendStakes(session.Stakes().FileForWriting(), {old});
    Lines({KeepAllLine("CURR:0#ALL#NEX")});
    combs.Working() = {Comb(1), Comb(2)};
    run.Forecast();
    EXPECT_EQ(run.StakesAdded(), 1);
    run.Forecast();  // the second forecast finds both
    EXPECT_EQ(run.StakesAdded(), 0);
    EXPECT_EQ(Stakes().size(), 2u);
}

TEST_F(ScenarioRunTest, TheLogOfOneSmallRun) {
    SetClock([] { return EncodeDateTime({2026, 3, 4, 5, 6, 7}); });
    run.SetLogOverride(true);
    Lines({"CURR:0#FIRST|TSD1#NUMS:10#LVA:5#SF:0| | | | | | |Малый"});
    combs.Working() = {Comb(1), Comb(6), Comb(11)};
    run.Forecast();
    SetClock({});
    const std::string path = dir.File("ScriptLog_2026-03-04-05-06-07.txt");
    ASSERT_EQ(run.LogPath(), path);
    EXPECT_NE(std::find(ui.events.begin(), ui.events.end(), "open:" + path), ui.events.end());
    std::vector<std::string> lines = SplitLines(Cp1251ToUtf8(ReadFileBytes(path)));
    const std::string stamp = "[2026-03-04 05:06:07]: ";
    for (std::string& line : lines) {
        ASSERT_TRUE(line.starts_with(stamp)) << line;
        line = line.substr(stamp.size());
    }
    // The table's 20 rows come after the computation line; the rest is fixed.
    const auto rowsAt = std::find_if(lines.begin(), lines.end(),
                                     [](const std::string& l) { return l.starts_with("< ["); });
    ASSERT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.starts_with("< ["); }),
              20);
    lines.erase(rowsAt, rowsAt + 20);
    const std::string dashes(94, '-'), equals(94, '=');
    const std::string row5 = "< [5] ";
    std::vector<std::string> expected = {
        "### ЗАПУСК СЦЕНАРИЯ " + std::string(74, '#'),
        equals,
        "=== Выполнение сценария для смещения 000000 " + std::string(50, '='),
        equals,
        dashes,
        "Выполнение строки 001: \"CURR:0#FIRST|TSD1#NUMS:10#LVA:5#SF:0| | | | | | |Малый\"",
        dashes,
        "Создание всех вариантов фильтров...",
        "Создано 1 вариантов фильтров.",
        "",
        dashes,
        "Применение набора фильтров 001: \"TSD1#NUMS:10#LVA:5#SF:0\"",
        dashes,
        "Создание начального списка комбинаций...",
        "Количество комбинаций в списке: 3",
        "Анализ тиражей и расчет статистики \"{ num } Числа тиража [ N ]\" для выборки в 10 "
        "тиражей...",
    };
    ASSERT_GE(lines.size(), expected.size() + 3);
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << i;
    // Row 5 alone passes: it is deleted; the two combinations without 5 are left.
    EXPECT_TRUE(lines[expected.size()].starts_with("Шаг 001. Выделение строки: < [5] кол-во: "))
        << lines[expected.size()];
    const std::vector<std::string> tail(lines.begin() + expected.size() + 1, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{
                        "Удаляем выделенные значения...",
                        "Количество комбинаций в списке: 2",
                        "{*} Добавление ставки, режим: \"Выбрать первую комбинацию в списке\"",
                        "{+} Ставка на тираж 61 добавлена в список ставок: [6;7;8;9;10;11;12;13]",
                        dashes,
                        "### ЗАВЕРШЕНИЕ СЦЕНАРИЯ " + std::string(70, '#'),
                    }));
}

TEST_F(ScenarioRunTest, ATestRunsTheLastDrawsAndRestoresTheOffset) {
    archive.SetDrawsOffset(5);
    Lines({KeepAllLine("CURR:0#FIRST")});
    combs.Working() = {Comb(1), Comb(2)};
    run.RunTest(3);
    std::vector<int> offsets;
    for (const TRunPass& pass : run.Passes()) offsets.push_back(pass.offset);
    EXPECT_EQ(offsets, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(archive.DrawsOffset(), 5);
    // One group per pass, each stake for the draw after that pass's reference draw, all checked.
    const std::vector<TStakeRec> records = session.Stakes().File().ReadAll();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_TRUE(records[1].IsSeparator() && records[3].IsSeparator());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(records[2 * i].Draw, NextDrawNumber(archive.Draws(), 3 - i));
        EXPECT_TRUE(records[2 * i].Checked);
    }
    EXPECT_EQ(run.StakesAdded(), 3);
    EXPECT_EQ(run.StakesChecked(), 3);
    ASSERT_EQ(session.Ratings().Count(), 1);
    EXPECT_EQ(session.Ratings().Ratings()[0].Stakes, 3);
    EXPECT_FALSE(run.Running());
    EXPECT_TRUE(session.Core().NotBusy());
}

// Asks to stop when the second pass has set its offset, as a click on "Стоп" would.
struct TStopAtCycle : TScenarioRunObserver {
    TScenarioRun& run;
    int cycle;
    bool reached = false;
    TStopAtCycle(TScenarioRun& r, int c) : run(r), cycle(c) {}
    void ShowPanel(TScriptPanel panel, const std::string& text) override {
        if (panel == TScriptPanel::Cycle && text == "Цикл: " + std::to_string(cycle))
            reached = true;
    }
    void Polled() override {
        if (reached && run.CanStop()) run.Stop();
    }
};

TEST_F(ScenarioRunTest, AStopRequestEndsATestWhereItIs) {
    Lines({KeepAllLine("CURR:0#FIRST")});
    combs.Working() = {Comb(1), Comb(2)};
    TStopAtCycle observer(run, 2);
    run.SetObserver(&observer);
    ui.answers.push_back(TMsgResult::Yes);
    run.RunTest(5);
    run.SetObserver(nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kStopQuestion);
    EXPECT_EQ(ui.messages[0].defaultButton, TMsgResult::No);
    EXPECT_EQ(run.Passes().size(), 1u);
    EXPECT_EQ(archive.DrawsOffset(), 4);  // not restored after a stop
    EXPECT_EQ(Stakes().size(), 1u);
    EXPECT_FALSE(run.Running());
    EXPECT_FALSE(run.StopRequested());
}

TEST_F(ScenarioRunTest, ErrorsStopTheRunAndKeepTheStakesMadeBefore) {
    struct TCase {
        std::string filter;
        std::string message;
    };
    const TCase cases[] = {
        {"TSD1#NUMS:1-10#LNO:#SF:0", "Некорректное описание фильтра: TSD1#NUMS:1-10#LNO:#SF:0!"},
        {"TSD1#QQQQ:10#LNO:#SF:0", "Метод расчета статистики \"QQQQ\" на найден!"},
        {"TSD1#NUMS:1-1000;1#LMV:1-1000;1#SF:0", "Вы задали слишком много вариантов фильтров"},
    };
    for (const TCase& c : cases) {
        session.Stakes().FileForWriting().Clear();
        Lines({KeepAllLine("CURR:0#FIRST"), "CURR:0#FIRST|" + c.filter + "| | | | | | |",
               KeepAllLine("CURR:0#LAST")});
        combs.Working() = {Comb(1), Comb(2)};
        ui.Clear();
        run.Forecast();
        ASSERT_EQ(ui.messages.size(), 1u) << c.filter;
        EXPECT_EQ(ui.messages[0].title, "Ошибка");
        EXPECT_TRUE(ui.messages[0].text.starts_with(c.message)) << ui.messages[0].text;
        // The first line's stake stays; the third line never ran.
        ASSERT_EQ(Stakes().size(), 1u) << c.filter;
        EXPECT_EQ(Stakes()[0].Numbers.Numbers[0], 1);
    }
}

// The run gives what the statistics page gives by hand: the same tables, the same rows tested
// in the same order, each step kept, removed or undone alike.
TEST_F(ScenarioRunTest, AForecastEqualsTheSameStepsByHand) {
    Lines({"FULL:0#NONE|TSD1#NUMS:10#LMV:4#SF:0|TSF1#EVEN:15#LNO:#ST:2| | | | | |"});
    run.Forecast();
    const TCombsArray byRun = combs.Combs();

    combs.GenerateCombs(true, 0, "");
    auto byHand = [&](const std::string& code, int window, bool keep, auto passes, int maxSteps) {
        const int entry = stats.Registry().FindCode(code);
        stats.SelectPosition(stats.Catalog().StatsPosition(entry));
        stats.SetWindowLength(window);
        stats.CalcStatTable(true);
        while (stats.Table().SortColumn() != kColCount || !stats.Table().SortDescending())
            stats.SortByClick(kColCount);
        int steps = 0;
        for (int r = 0; r < stats.Table().RowCount() && steps < maxSteps; ++r) {
            if (!passes(stats.StatRowTexts(r))) continue;
            if (keep)
                stats.StatFilterInclude({r});
            else
                stats.StatFilterExclude({r});
            if (combs.Count() == 0)
                combs.CombsUndo();
            else
                ++steps;
        }
    };
    // "Глубина" is the sixth text of a row.
    auto deep = [](const std::vector<std::string>& t) {
        return TryStrToInt(t[5]).value_or(0) >= 4;
    };
    auto any = [](const std::vector<std::string>&) { return true; };
    byHand("NUMS", 10, false, deep, 1000);
    // A part is applied only while more than one combination is left.
    if (combs.Count() > 1) byHand("EVEN", 15, true, any, 2);
    EXPECT_EQ(combs.Combs(), byRun);
    EXPECT_LT(byRun.size(), static_cast<size_t>(kCombCount));
}

}  // namespace
}  // namespace zentrix
