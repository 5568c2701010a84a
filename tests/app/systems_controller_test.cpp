#include "app/systems_controller.h"

#include <gtest/gtest.h>

#include "app/session.h"
#include "core/demo_archive.h"
#include "stakes/stake_make.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/files.h"

namespace zentrix {
namespace {

TComb Comb(int first) {
    TComb c;
    for (int i = 0; i < 8; ++i) c[i] = static_cast<uint8_t>(first + i);
    return c;
}

// A session with a 60-draw archive, the stakes open, and a system for 10 numbers whose
// positions map onto 1..10 for the list {1..8, 2..9, 3..10}: its first and third lines are
// combinations of that list, the second is not.
struct SystemsTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TCombsController& combs = session.Combs();
    TSystemsController& systems = session.Systems();

    SystemsTest() {
        session.LoadConfig();
        session.InitRegistry();
        combs.InitArrays();
        session.Archive().Assign(MakeDemoDraws(60, 3, 45292));
        EXPECT_TRUE(session.TryDataLock());
        session.OpenStakes();
        combs.Working() = {Comb(1), Comb(2), Comb(3)};
        EnsureDirectory(systems.Folder());
        WriteTextLines(JoinPath(systems.Folder(), "8-10-2_0005.dat"),
                       {"8 7 6 5 4 3 2 1", "1-3-5-7-9-2-4-6", "03,04,05,06,07,08,09,10"});
        ui.Clear();
    }
    std::vector<TStakeRec> Records() { return session.Stakes().File().ReadAll(); }
    int Play(bool whole) {
        const std::optional<TSystemsController::TPlay> play = systems.PreparePlay(whole);
        if (!play) return -2;
        return systems.Play(*play, play->fields);
    }
};

TEST_F(SystemsTest, TheWholeSystemStakesEveryLineSorted) {
    ASSERT_TRUE(systems.CanPlay());
    const std::optional<TSystemsController::TPlay> play = systems.PreparePlay(true);
    ASSERT_TRUE(play);
    EXPECT_EQ(play->fields.comment, "Системная игра для 10 чисел [вся система]: 8-10-2_0005");
    EXPECT_EQ(play->fields.draw, session.Stakes().NextDraw());
    EXPECT_EQ(systems.Play(*play, play->fields), 3);
    const std::vector<TStakeRec> records = Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].Numbers.Numbers[0], 1);
    EXPECT_EQ(records[0].Numbers.Numbers[7], 8);
    EXPECT_EQ(records[1].Numbers.Numbers[7], 9);
    for (const TStakeRec& r : records) {
        EXPECT_EQ(r.Kind, kStakeSystem);
        EXPECT_EQ(r.Selection, 3);  // the system's size
        EXPECT_EQ(r.Comment, play->fields.comment);
    }
    EXPECT_TRUE(ui.MessageTexts().empty());
}

TEST_F(SystemsTest, TheFilteredPlayStakesOnlyTheListsCombinations) {
    ASSERT_EQ(Play(true), 3);
    const std::optional<TSystemsController::TPlay> play = systems.PreparePlay(false);
    ASSERT_TRUE(play);
    EXPECT_EQ(play->fields.comment, "Системная игра для 10 чисел [комбинации]: 8-10-2_0005");
    TStakeDialogFields fields = play->fields;
    fields.comment = "Своя";
    EXPECT_EQ(systems.Play(*play, fields), 2);
    const std::vector<TStakeRec> records = Records();
    ASSERT_EQ(records.size(), 6u);  // three, a separator, two
    EXPECT_TRUE(records[3].IsSeparator());
    EXPECT_EQ(records[4].Comment, "Своя");
    EXPECT_EQ(records[4].Selection, 3);  // the list's size
    EXPECT_EQ(records[5].Numbers.Numbers[0], 3);

    // Nothing in common (byte for byte: the unsorted 3..10 is not the ticket): only the group
    // separator.
    combs.Working() = {TComb{10, 9, 8, 7, 6, 5, 4, 3}, TComb{1, 2, 3, 4, 5, 6, 7, 9},
                       TComb{2, 3, 4, 5, 6, 7, 8, 10}};
    EXPECT_EQ(Play(false), 0);
    ASSERT_EQ(Records().size(), 7u);
    EXPECT_TRUE(Records()[6].IsSeparator());
}

TEST_F(SystemsTest, AMissingOrBrokenSystemStopsThePlayWithItsBox) {
    combs.Working() = {Comb(1), Comb(5)};  // 12 numbers
    EXPECT_EQ(Play(true), -2);
    ASSERT_EQ(ui.MessageTexts().size(), 1u);
    EXPECT_EQ(ui.MessageTexts()[0],
              std::string("Система для 12 чисел не найдена или не загружена на компьютер!") +
                  kNoSystemFoundHint);
    ui.Clear();
    combs.Working() = {Comb(1), Comb(2), Comb(3)};
    WriteTextLines(JoinPath(systems.Folder(), "8-10-2_0005.dat"), {"1 2 3"});
    EXPECT_EQ(Play(true), -2);
    ASSERT_EQ(ui.MessageTexts().size(), 1u);
    EXPECT_EQ(ui.MessageTexts()[0],
              "Ошибка загрузки комбинаций системы!\n\nФайл \"8-10-2_0005.dat\", строка 1: в "
              "строке 3 позиций вместо восьми");
    EXPECT_TRUE(Records().empty());
}

TEST_F(SystemsTest, PlayNeedsThePageTheListAndTheStakes) {
    EXPECT_TRUE(systems.CanPlay());
    EXPECT_FALSE(systems.Toggle());
    EXPECT_FALSE(systems.CanPlay());
    EXPECT_TRUE(systems.Toggle());
    combs.Working().clear();
    EXPECT_FALSE(systems.CanPlay());
}

TEST_F(SystemsTest, ScenarioActionsFindTheLocalSystem) {
    struct TCase {
        const char* action;
        size_t stakes;
        const char* logged;
    };
    const TCase cases[] = {
        {"SYSA", 3, "{#} Системная игра для 10 чисел [все система]: загружен файл \"8-10-2_0005\""},
        {"SYSC", 2,
         "{#} Системная игра для 10 чисел [система * комбинации]: загружен файл "
         "\"8-10-2_0005\""},
    };
    TScenarioRun& run = session.Run();
    run.SetLogOverride(true);
    for (const TCase& c : cases) {
        session.Stakes().FileForWriting().Clear();
        TScenarioController& scenario = session.Scenario();
        if (scenario.Count() > 0) {
            ui.answers.push_back(TMsgResult::Yes);
            scenario.DeleteAll();
        }
        scenario.AddScriptLine(std::string("CURR:0#") + c.action +
                               "|TMF1#NUMS:10#LNO:#SF:0| | | | | | |");
        combs.Working() = {Comb(1), Comb(2), Comb(3)};
        ui.Clear();
        run.Forecast();
        size_t stakes = 0;
        for (const TStakeRec& r : Records()) stakes += !r.IsSeparator();
        EXPECT_EQ(stakes, c.stakes) << c.action;
        EXPECT_TRUE(ui.MessageTexts().empty()) << c.action;
        const std::string log = ReadTextFile(run.LogPath());
        EXPECT_NE(log.find(c.logged), std::string::npos) << c.action << "\n" << log;
    }
}

TEST_F(SystemsTest, TheGeneratorWritesIntoTheFolderOnlyForANewCount) {
    const std::string path = systems.Generate({12, 3, 3}, {});
    EXPECT_EQ(path, JoinPath(systems.Folder(), "8-12-3_0000.dat"));
    const TCombsArray system = ReadSystemFile(path, 12);
    EXPECT_GE(CheckWheel(12, system).rows[3].guaranteed, 3);
    EXPECT_THROW(systems.Generate({10, 2, 2}, {}), EZentrix);
    EXPECT_EQ(systems.LocalSystems().size(), 2u);
}

}  // namespace
}  // namespace zentrix
