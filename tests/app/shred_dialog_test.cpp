#include "stats/shred_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/session.h"
#include "core/demo_archive.h"
#include "stats/families/shredding.h"
#include "stats/prefetch.h"
#include "stats/stat_table.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

// Every file of the folder with its contents.
std::string FolderState(const std::string& folder) {
    std::string state;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        if (e.is_regular_file()) state += e.path().string() + "\n" + ReadFileBytes(e.path()) + "\n";
    return state;
}

struct ShredDialogTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TStatsController& stats = session.Stats();

    ShredDialogTest() {
        session.LoadConfig();
        session.InitRegistry();
        session.Combs().InitArrays();
        session.Archive().Assign(MakeDemoDraws(60, 3, 777));
        ui.Clear();
    }
    std::string Caption(const std::string& code) const {
        return stats.Registry().EntryCaption(stats.Registry().FindCode(code), false);
    }
    std::string Prefetch(const std::string& code) const {
        return dir.File("Prefetchs/Zentrix_8x20_" + code + ".dfc");
    }
};

TEST_F(ShredDialogTest, OpensOnTheCurrentFormulas) {
    const TShredDialogModel model = session.Config().OpenShredding();
    EXPECT_EQ(model.formulas[0], "(n1+n2+n3+n4)/(n5+n6+n7+n8)");
    EXPECT_EQ(model.formulas[2], "(n1+n3+n5+n7)/(n2+n4+n6+n8)");
    EXPECT_EQ(model.digits, (std::array<uint8_t, 3>{2, 2, 2}));
    EXPECT_EQ(ShredRowLabel(1), "Формула 2:");
    EXPECT_TRUE(session.Config().CanShredding());
}

TEST_F(ShredDialogTest, OkSavesRebuildsTheFullSetFilesAndTheNames) {
    // A stale file of the group and one of another group that must stay.
    session.Stats().BuildPrefetchFiles(true, {});
    AtomicWriteFile(Prefetch("SHR1"), "stale");
    const std::string nums = ReadFileBytes(Prefetch("NUMS"));
    ui.Clear();

    TShredDialogModel model = session.Config().OpenShredding();
    model.formulas[0] = "n1/10";
    model.SetDigits(1, 9);  // the spin stops at 5
    model.SetDigits(2, 0);  // and at 1
    EXPECT_EQ(model.digits, (std::array<uint8_t, 3>{2, 5, 1}));
    session.Config().ApplyShredding(model);

    const TIniFile ini(dir.File("Zentrix_8x20.ini"));
    EXPECT_EQ(ini.ReadString("SHREDDING", "Formula1", ""), "n1/10");
    EXPECT_EQ(ini.ReadString("SHREDDING", "Formula2", ""), "(n5+n6+n7+n8)/(n1+n2+n3+n4)");
    EXPECT_EQ(ini.ReadInteger("SHREDDING", "Formula2Digits", 0), 5);
    EXPECT_EQ(ini.ReadInteger("SHREDDING", "Formula3Digits", 0), 1);
    const std::vector<std::string> status = ui.StatusTexts();
    EXPECT_NE(std::find(status.begin(), status.end(), "Сохранение файла конфигурации..."),
              status.end());
    EXPECT_NE(std::find(status.begin(), status.end(),
                        "Создание файла предварительной выборки Zentrix_8x20_SHR1.dfc..."),
              status.end());

    EXPECT_EQ(Caption("SHR1"), "{ shr } Метод шинковки 1: n1/10");
    TstShreddingStat fresh(stats.Registry(), 1);
    EXPECT_EQ(ReadPrefetchFile(Prefetch("SHR1")), ComputePrefetch(fresh));
    EXPECT_EQ(ReadPrefetchFile(Prefetch("SHR1")).Records.size(), 10u);
    // Five digits for formula 2 now: its distribution has more values than 100.
    EXPECT_GT(ReadPrefetchFile(Prefetch("SHR2")).Records.size(), 100u);
    EXPECT_EQ(ReadFileBytes(Prefetch("NUMS")), nums);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ShredDialogTest, CancelLeavesEverythingAsItWas) {
    session.Config().ApplyShredding(session.Config().OpenShredding());
    const std::string before = FolderState(dir.Path());
    const std::string caption = Caption("SHR1");
    {
        // The window edits its own copy; Cancel drops it.
        TShredDialogModel model = session.Config().OpenShredding();
        model.formulas[0] = "p1";
        model.SetDigits(0, 4);
    }
    EXPECT_EQ(FolderState(dir.Path()), before);
    EXPECT_EQ(Caption("SHR1"), caption);
    EXPECT_EQ(session.Config().Settings().formulas[0], "(n1+n2+n3+n4)/(n5+n6+n7+n8)");
    EXPECT_EQ(session.Config().Settings().formulaDigits[0], 2);
}

TEST_F(ShredDialogTest, AWriteFailureKeepsTheNewFormulasForTheRun) {
    std::filesystem::create_directory(dir.File("Zentrix_8x20.ini"));
    TShredDialogModel model = session.Config().OpenShredding();
    model.formulas[2] = "n8/7";
    session.Config().ApplyShredding(model);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка записи в файл конфигурации!\n\n", 0), 0u);
    EXPECT_EQ(Caption("SHR3"), "{ shr } Метод шинковки 3: n8/7");
}

// The table over the demo archive: every value is a two-digit class, and the first draw, which
// has no draws before it, still counts.
TEST_F(ShredDialogTest, TableOfAShreddingMethod) {
    TShredDialogModel model = session.Config().OpenShredding();
    model.formulas[0] = "(n1+n2)/(p1+p2+1)";
    session.Config().ApplyShredding(model);
    const int entry = stats.Registry().FindCode("SHR1");
    const auto& items = stats.MethodLists().Stats;
    const auto item = std::find_if(items.begin(), items.end(),
                                   [entry](const TMethodListItem& i) { return i.Entry == entry; });
    ASSERT_NE(item, items.end());
    stats.SelectPosition(static_cast<int>(item - items.begin()));
    stats.SetWindowLength(1000);
    stats.CalcStatTable(true);
    ASSERT_TRUE(stats.HasTable());
    int64_t total = 0;
    for (int r = 0; r < stats.Table().RowCount(); ++r) {
        const int v = std::stoi(stats.Table().CellText(r, kColValue));
        EXPECT_GE(v, 0);
        EXPECT_LT(v, 100);
        total += std::stoi(stats.Table().CellText(r, kColCount));
    }
    EXPECT_EQ(total, 60);
}

}  // namespace
}  // namespace zentrix
