#include "app/session_core.h"

#include <gtest/gtest.h>

#include "support/counting_view.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::TCountingView;

TEST(SessionCore, BusyNestsAndStatusClearsAfterFailure) {
    test::TTempDir dir;
    test::TFakeUi ui;
    TSessionCore core(dir.Path(), ui);
    EXPECT_TRUE(core.NotBusy());
    try {
        TBusyScope outer(core, "Загрузка файла тиражей...");
        TBusyScope inner(core, "Сохранение...");
        EXPECT_TRUE(ui.busyCursor);
        throw EZentrix("boom");
    } catch (const EZentrix&) {
    }
    EXPECT_TRUE(core.NotBusy());
    EXPECT_FALSE(ui.busyCursor);
    EXPECT_EQ(ui.status, "");
    core.EndBusy();  // never below zero
    EXPECT_TRUE(core.NotBusy());
}

TEST(SessionCore, MessageBoxesAndConfirmations) {
    test::TTempDir dir;
    test::TFakeUi ui;
    TSessionCore core(dir.Path(), ui);
    EXPECT_FALSE(core.ConfirmDelete(1));  // No is the default
    ui.answers.push_back(TMsgResult::Yes);
    EXPECT_TRUE(core.ConfirmDelete(3));
    core.ReportFailure("Ошибка чтения файла тиражей!\n\n%s", EFileError("disk"));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, "Удалить выделенную запись?");
    EXPECT_EQ(ui.messages[0].title, "Предупреждение");
    EXPECT_EQ(ui.messages[1].text,
              "Удалить все выделенные записи (всего будет удалено 3 записи(ей))?");
    EXPECT_EQ(ui.messages[2].title, "Ошибка");
    EXPECT_EQ(ui.messages[2].kind, TMsgKind::Error);
    EXPECT_EQ(ui.messages[2].text, "Ошибка чтения файла тиражей!\n\ndisk");
}

TEST(SessionCore, SingleProgressWindowCapsItsPosition) {
    test::TTempDir dir;
    test::TFakeUi ui;
    TSessionCore core(dir.Path(), ui);
    {
        TProgressScope progress(core, "Создание файлов...", 2);
        EXPECT_THROW(core.ShowProgress("again", 1), EZentrix);
        core.StepProgress();
        core.StepProgress(5);
    }
    EXPECT_FALSE(core.ProgressShown());
    EXPECT_EQ(ui.events,
              (std::vector<std::string>{"progress:Создание файлов...:2", "progress-step:1",
                                        "progress-step:2", "progress-close"}));
}

TEST(SessionCore, ViewsRecomputeInOrderUnlessSuspended) {
    test::TTempDir dir;
    test::TFakeUi ui;
    TSessionCore core(dir.Path(), ui);
    TCountingView a, b;
    core.RegisterView(&a);
    core.RegisterView(&b);
    core.RefreshViews(true);
    core.SetViewsSuspended(true);
    core.RefreshViews(false);
    core.SetViewsSuspended(false);
    core.RefreshViews(false);
    EXPECT_EQ(a.calls, (std::vector<bool>{true, false}));
    EXPECT_EQ(b.calls, (std::vector<bool>{true, false}));
}

TEST(WindowSettings, DefaultsAndImmediateOrExitWrites) {
    test::TTempDir dir;
    test::TFakeUi ui;
    TSessionCore core(dir.Path(), ui);
    TWindowSettings& s = core.Settings();
    s.Load();  // a missing file gives every default
    EXPECT_EQ(s.Options().DrawsStatLen, 1000);
    EXPECT_TRUE(s.Options().ColorDraws);
    EXPECT_FALSE(s.Options().SortedDraws);
    EXPECT_EQ(s.Options().Language, 1049);
    s.Options().SortedDraws = true;
    s.Options().DrawsStatLen = 250;
    s.StoreOption(&TMainOptions::SortedDraws);
    std::string text = ReadFileBytes(dir.File("Zentrix_8x20.frm"));
    EXPECT_EQ(text, "[TFormMain]\r\nSortedDraws=1\r\n");
    s.StoreExitOptions();
    s.Save();
    TWindowSettings again(dir.File("Zentrix_8x20.frm"));
    again.Load();
    EXPECT_TRUE(again.Options().SortedDraws);
    EXPECT_EQ(again.Options().DrawsStatLen, 250);
}

// A file written before the options had typed keys still reads: the keys are the same names.
TEST(WindowSettings, KeysAreTheNamesTheFileHolds) {
    const std::vector<std::string> names = {"LeftPanelWidth",
                                            "DrawsExclude",
                                            "DrawsStatLen",
                                            "DrawsStatHeight",
                                            "DrawsGraphLen",
                                            "FiltersHeight",
                                            "LayoutLen",
                                            "LayoutCompareLen1",
                                            "LayoutCompareLen2",
                                            "LayoutCompareLen3",
                                            "LayoutCompareLen4",
                                            "LayoutCompareLen5",
                                            "LayoutCompareHeight",
                                            "WeekLen",
                                            "WeekHeight",
                                            "ScriptLibraryHeight",
                                            "ScriptLibraryFilter",
                                            "DrawsStatMethod",
                                            "WeekChartMode",
                                            "WeekChartType",
                                            "AutoUpdates",
                                            "DownloadDrawsOnStart",
                                            "ScriptLogEnabled",
                                            "StakesLogEnabled",
                                            "StakesScrollEnabled",
                                            "StakesCheckOnLine",
                                            "ColorDraws",
                                            "ColorCombs",
                                            "ColorCard",
                                            "ColorCardSequences",
                                            "LayoutGradient",
                                            "SortedDraws",
                                            "PrefetchsEnabled",
                                            "ShowTotalLine",
                                            "PrefetchsInit",
                                            "RatingsEffMode",
                                            "ScriptLibraryOn",
                                            "SystemsEnabled",
                                            "TabGraphs",
                                            "TabCard",
                                            "TabLayout",
                                            "TabWeek",
                                            "TabTables",
                                            "Language",
                                            "FirstRun"};
    EXPECT_EQ(TWindowSettings::KeyNames(), names);

    test::TTempDir dir;
    const std::string path = dir.File("Zentrix_8x20.frm");
    AtomicWriteFile(path,
                    "[TFormMain]\r\nLayoutCompareLen3=44\r\nDrawsStatMethod=KNM4\r\n"
                    "WeekChartMode=1\r\nDownloadDrawsOnStart=2\r\nRatingsEffMode=0\r\n"
                    "TabWeek=0\r\nLanguage=1033\r\n");
    TWindowSettings s(path);
    s.Load();
    const TMainOptions& o = s.Options();
    EXPECT_EQ(o.LayoutCompareLen[2], 44);
    EXPECT_EQ(o.LayoutCompareLen[3], -1);
    EXPECT_EQ(o.DrawsStatMethod, "KNM4");
    EXPECT_EQ(o.WeekChartMode, TWeekChartMode::NumberOverDays);
    EXPECT_EQ(o.DownloadDrawsOnStart, TDownloadOnStart::Nothing);
    EXPECT_EQ(o.RatingsEffMode, TRatingsEffMode::Expected);
    EXPECT_FALSE(o.TabWeek);
    EXPECT_EQ(o.Language, 1033);
    // One option stored alone writes its own key only, a mode as its number.
    s.Options().RatingsEffMode = TRatingsEffMode::Relative;
    s.StoreOption(&TMainOptions::RatingsEffMode);
    EXPECT_EQ(TIniFile(path).ReadString("TFormMain", "RatingsEffMode", ""), "2");
    EXPECT_EQ(TIniFile(path).ReadString("TFormMain", "LeftPanelWidth", "none"), "none");
}

}  // namespace
}  // namespace zentrix
