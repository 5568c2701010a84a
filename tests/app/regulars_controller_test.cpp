#include "app/regulars_controller.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>

#include "app/session.h"
#include "core/archive_file.h"
#include "stakes/stakes_env.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
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
    rule.CombStart = rule.CombCurrent = Comb(current);
    rule.Step = step;
    return rule;
}

std::string RulesBytes(const TRegularRules& rules) {
    std::string bytes;
    for (const TRegularRule& rule : rules) WriteRegularRecord(bytes, rule);
    return bytes;
}

// Four draws; the prize table of the stakes tests.
const TDrawsArray kDraws = {Draw(1, {1, 2, 3, 4, 5, 6, 7, 8}), Draw(2, {2, 3, 4, 5, 6, 7, 8, 9}),
                            Draw(3, {11, 12, 13, 14, 15, 16, 17, 18}),
                            Draw(4, {3, 4, 5, 6, 7, 8, 9, 10})};

struct RegularsTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    std::unique_ptr<TMainSession> session = std::make_unique<TMainSession>(dir.Path(), ui);
    std::vector<std::string> startMessages;

    TRegularsController& Regulars() { return session->Regulars(); }
    std::string FilePath() const { return dir.File("Zentrix_8x20.ltb"); }
    void Start(const TRegularRules& rules = {}, bool shown = true) {
        WriteDrawsFile(dir.File("Zentrix_8x20.ldr"), kDraws);
        if (!rules.empty()) AtomicWriteFile(FilePath(), RulesBytes(rules));
        if (!shown) WriteTextLines(dir.File("Zentrix_8x20.frm"), {"[TFormMain]", "TabTables=0"});
        session->LoadWindowSettings();
        session->LoadConfig();
        session->Config().ApplyParams(test::PrizeConfig());
        ASSERT_TRUE(session->Initialize());
        startMessages = ui.MessageTexts();
        ui.Clear();
    }
    TRegularRules FileRules() {
        TRegularsFile file(FilePath());
        TRegularRules rules;
        file.Load(rules);
        return rules;
    }
};

const TRegularRules kTwo = {Rule("Первый", {1, 2, 3, 4, 5, 6, 7, 8}, 1),
                            Rule("Второй", {13, 14, 15, 16, 17, 18, 19, 20}, -3, true)};

TEST_F(RegularsTest, StartLoadsTheFileOnlyWhileThePageIsShown) {
    Start(kTwo);
    EXPECT_TRUE(startMessages.empty());
    EXPECT_EQ(Regulars().Rules(), kTwo);
    EXPECT_EQ(Regulars().RowCells(1),
              (std::vector<std::string>{"Второй", "13;14;15;16;17;18;19;20",
                                        "13;14;15;16;17;18;19;20", "-3", "0"}));
    // Hidden: dropped; shown again: read again and the status says so.
    EXPECT_FALSE(Regulars().ToggleTab());
    EXPECT_EQ(Regulars().Count(), 0);
    EXPECT_FALSE(Regulars().CanAdd());
    EXPECT_TRUE(Regulars().ToggleTab());
    EXPECT_EQ(Regulars().Rules(), kTwo);
    EXPECT_EQ(ui.StatusTexts().back(), "Загрузка файла регулярных ставок...");
    EXPECT_EQ(ui.invalidated.back(), TUiPart::RegularsList);
}

TEST_F(RegularsTest, AHiddenPageNeitherReadsNorWritesTheFile) {
    Start(kTwo, false);
    EXPECT_EQ(Regulars().Count(), 0);
    for (const std::string& s : ui.StatusTexts())
        EXPECT_NE(s, "Загрузка файла регулярных ставок...");
    EXPECT_FALSE(Regulars().CanAdd());
    EXPECT_EQ(FileRules(), kTwo);
}

TEST_F(RegularsTest, ADamagedFileIsReportedKeptAndBackedUpAtTheFirstSave) {
    WriteDrawsFile(dir.File("Zentrix_8x20.ldr"), kDraws);
    const std::string damaged = RulesBytes(kTwo) + "half";
    AtomicWriteFile(FilePath(), damaged);
    ASSERT_TRUE(session->Initialize());
    ASSERT_EQ(ui.MessageTexts().size(), 1u);
    EXPECT_EQ(ui.MessageTexts()[0].rfind("Ошибка чтения файла регулярных ставок!\n\n", 0), 0u);
    EXPECT_EQ(Regulars().Rules(), kTwo);
    ui.Clear();
    ui.answers = {TMsgResult::Yes};
    EXPECT_EQ(Regulars().Delete({0}), 1);
    EXPECT_EQ(ReadFileBytes(FilePath() + ".bak"), damaged);
    EXPECT_EQ(FileRules(), TRegularRules{kTwo[1]});
}

TEST_F(RegularsTest, AFolderInTheFilesPlaceIsReportedAndStays) {
    std::filesystem::create_directory(FilePath());
    Start();
    ASSERT_EQ(startMessages.size(), 1u);
    EXPECT_EQ(startMessages[0].rfind("Ошибка чтения файла регулярных ставок!\n\n", 0), 0u);
    const TRegularAddDialog none = Regulars().OpenAdd({});
    TRegularDialogFields fields = none.Initial();
    fields.useLastDraw = true;
    EXPECT_EQ(Regulars().Add(none, fields), -1);
    EXPECT_EQ(Regulars().Count(), 0);
    EXPECT_TRUE(std::filesystem::is_directory(FilePath()));
}

TEST_F(RegularsTest, AddOneOrOnePerSelectedCombinationAndRefusals) {
    Start(kTwo);
    const TCombsArray& list = session->Combs().Combs();
    ASSERT_GE(list.size(), 4u);
    // Three selected, the constant start.
    const TRegularAddDialog three = Regulars().OpenAdd({0, 2, 3});
    EXPECT_EQ(Regulars().Add(three, three.Initial()), 3);
    ASSERT_EQ(Regulars().Count(), 5);
    EXPECT_EQ(Regulars().Rules()[2].Comment, "Регулярная ставка (1)");
    EXPECT_EQ(Regulars().Rules()[3].Comment, "Регулярная ставка (3)");
    EXPECT_EQ(Regulars().Rules()[4].Comment, "Регулярная ставка (4)");
    EXPECT_EQ(Regulars().Rules()[3].CombCurrent, list[2]);
    EXPECT_EQ(FileRules(), Regulars().Rules());
    const std::vector<std::string> statuses = ui.StatusTexts();
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Создание регулярных ставок..."),
              statuses.end());
    EXPECT_EQ(statuses.back(), "Сохранение файла регулярных ставок...");

    // A comment already used is refused in an error box; nothing changes.
    const TRegularAddDialog one = Regulars().OpenAdd({1});
    TRegularDialogFields fields = one.Initial();
    fields.comment = "первый";
    ui.Clear();
    EXPECT_EQ(Regulars().Add(one, fields), -1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Ошибка");
    EXPECT_EQ(ui.messages[0].text,
              "Запись с таким комментарией уже присутствует в списке!\nВыберите другой "
              "комментарий.");
    EXPECT_EQ(Regulars().Count(), 5);
}

TEST_F(RegularsTest, AFailedSaveKeepsTheRulesAsTheyWere) {
    Start(kTwo);
    ::chmod(dir.Path().c_str(), 0555);
    const TRegularAddDialog none = Regulars().OpenAdd({});
    TRegularDialogFields fields = none.Initial();
    fields.useLastDraw = true;
    const int added = Regulars().Add(none, fields);
    ui.answers = {TMsgResult::Yes};
    const int deleted = Regulars().Delete({0});
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(added, -1);
    EXPECT_EQ(deleted, 0);
    // The error of the add, the deletion question, the error of the delete.
    const std::vector<std::string> texts = ui.MessageTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].rfind("Ошибка записи в файл регулярных ставок!\n\n", 0), 0u);
    EXPECT_EQ(texts[2].rfind("Ошибка записи в файл регулярных ставок!\n\n", 0), 0u);
    EXPECT_EQ(Regulars().Rules(), kTwo);
    EXPECT_EQ(FileRules(), kTwo);
}

TEST_F(RegularsTest, DeleteAsksAndRemovesTheSelectedRules) {
    Start({kTwo[0], kTwo[1], Rule("Третий", {1, 3, 5, 7, 9, 11, 13, 15}, 2)});
    ui.answers = {TMsgResult::No};
    EXPECT_EQ(Regulars().Delete({0, 2}), 0);
    EXPECT_EQ(Regulars().Count(), 3);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Предупреждение");
    EXPECT_EQ(ui.messages[0].defaultButton, TMsgResult::No);
    EXPECT_EQ(ui.messages[0].text,
              "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
    ui.answers = {TMsgResult::Yes};
    EXPECT_EQ(Regulars().Delete({2, 0}), 2);
    EXPECT_EQ(Regulars().Rules(), TRegularRules{kTwo[1]});
    EXPECT_EQ(FileRules(), TRegularRules{kTwo[1]});
    // An index outside the list.
    ui.Clear();
    EXPECT_EQ(Regulars().Delete({5}), 0);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"Запись со индексом 5 в файле данных не найдена!"});
}

TEST_F(RegularsTest, StakeFromARuleOnOkOnlyAndAsKindTwo) {
    Start(kTwo);
    std::optional<TRegularStakeDraft> draft = Regulars().PrepareStake({0, 1});
    ASSERT_TRUE(draft);
    EXPECT_EQ(draft->row, 0u);
    EXPECT_EQ(draft->fields.draw, 5);
    EXPECT_EQ(draft->fields.numbers, "2;3;4;5;6;7;8;9");
    EXPECT_EQ(draft->fields.comment, "Первый");
    // Cancel: nothing prepared is kept.
    EXPECT_EQ(Regulars().Rules(), kTwo);
    EXPECT_EQ(session->Stakes().Count(), 0);
    // A refused dialog changes nothing either.
    TStakeDialogFields bad = draft->fields;
    bad.numbers = "1;2;3";
    EXPECT_FALSE(Regulars().CommitStake(*draft, bad));
    EXPECT_EQ(Regulars().Rules(), kTwo);
    EXPECT_EQ(session->Stakes().Count(), 0);

    ASSERT_TRUE(Regulars().CommitStake(*draft, draft->fields));
    EXPECT_EQ(Regulars().Rules()[0].CombCurrent, Comb({2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Regulars().Rules()[0].StakesMade, 1);
    EXPECT_EQ(FileRules(), Regulars().Rules());
    ASSERT_EQ(session->Stakes().Count(), 1);
    const TStakeRec stake = session->Stakes().File().Read(0);
    EXPECT_EQ(stake.Kind, kStakeRegular);
    EXPECT_EQ(stake.Draw, 5);
    EXPECT_EQ(stake.Comment, "Первый");
    EXPECT_EQ(session->Stakes().RowCells(1).at(1), "Регуляр");
}

TEST_F(RegularsTest, TestStakesEachOffsetFromTheOldestAndRestoresTheOffset) {
    Start(kTwo);
    session->Archive().SetDrawsOffset(1);
    ui.Clear();
    EXPECT_EQ(Regulars().RunTest({0, 1}, 3), 6);
    EXPECT_EQ(session->Archive().DrawsOffset(), 1);
    ASSERT_EQ(session->Stakes().Count(), 6);
    // The constant rule walks 1..8 up by one; the other shifts the draw before each down by 3.
    const struct {
        int draw;
        std::array<int, 8> numbers;
    } expected[] = {
        {2, {2, 3, 4, 5, 6, 7, 8, 9}},   {2, {5, 18, 19, 20, 1, 2, 3, 4}},
        {3, {3, 4, 5, 6, 7, 8, 9, 10}},  {3, {19, 20, 1, 2, 3, 4, 5, 6}},
        {4, {4, 5, 6, 7, 8, 9, 10, 11}}, {4, {8, 9, 10, 11, 12, 13, 14, 15}},
    };
    for (int i = 0; i < 6; ++i) {
        const TStakeRec stake = session->Stakes().File().Read(i);
        TComb numbers = Comb(expected[i].numbers);
        SortComb(numbers);
        EXPECT_EQ(stake.Kind, kStakeRegular) << i;
        EXPECT_EQ(stake.Draw, expected[i].draw) << i;
        EXPECT_EQ(stake.Numbers.Numbers, numbers) << i;
        // Every draw is in the archive: checked at once, and counted in the ratings.
        EXPECT_TRUE(stake.Checked) << i;
    }
    EXPECT_EQ(Regulars().Rules()[0].StakesMade, 3);
    EXPECT_EQ(Regulars().Rules()[0].CombCurrent, Comb({4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(FileRules(), Regulars().Rules());
    EXPECT_EQ(session->Ratings().Count(), 2);
    const std::vector<std::string> statuses = ui.StatusTexts();
    EXPECT_NE(std::find(statuses.begin(), statuses.end(),
                        "Создание ставок по регулярным табличным ставкам..."),
              statuses.end());
}

TEST_F(RegularsTest, TestStopsAtTheFirstRuleThatCannotMove) {
    TRegularRule broken = Rule("Битый", {1, 1, 1, 1, 1, 1, 1, 1}, 1);
    Start({kTwo[0], broken});
    EXPECT_EQ(Regulars().RunTest({0, 1}, 3), 1);
    ASSERT_EQ(ui.MessageTexts().size(), 1u);
    EXPECT_NE(ui.MessageTexts()[0].find("Битый"), std::string::npos);
    EXPECT_EQ(Regulars().Rules()[0].StakesMade, 1);
    EXPECT_EQ(Regulars().Rules()[1], broken);
    EXPECT_EQ(session->Archive().DrawsOffset(), 0);
}

TEST_F(RegularsTest, TheTestCountQuestion) {
    Start(kTwo);
    // Cancel and 0 end; a count out of range asks again.
    ui.inputs = {std::nullopt};
    EXPECT_EQ(Regulars().Test({0}), 0);
    ui.inputs = {std::string("0")};
    EXPECT_EQ(Regulars().Test({0}), 0);
    EXPECT_TRUE(ui.messages.empty());
    ui.inputs = {std::string("4"), std::string("2")};
    EXPECT_EQ(Regulars().Test({0}), 2);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"Количество тестов должно быть от 1 до 3!"});
}

}  // namespace
}  // namespace zentrix
