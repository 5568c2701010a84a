#include <gtest/gtest.h>

#include "app/startup_switches.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/file_lock.h"

namespace zentrix {
namespace {

TEST(StartupSwitches, AnyPrefixAnyCase) {
    TStartupSwitches s = ParseStartupSwitches({"/LOADONLY", "--fullRefresh", "\\no-language"});
    EXPECT_TRUE(s.loadOnly);
    EXPECT_TRUE(s.fullRefresh);
    EXPECT_TRUE(s.noLanguage);
    EXPECT_FALSE(s.restart);
    EXPECT_FALSE(s.fullRecreate);
    EXPECT_TRUE(s.EndsAfterInit());
    s = ParseStartupSwitches({"restart", "-fullrecreate", "loadonlyx", "---loadonly"});
    EXPECT_TRUE(s.restart);
    EXPECT_TRUE(s.fullRecreate);
    EXPECT_FALSE(s.loadOnly);
    EXPECT_EQ(ParseStartupSwitches({"--dir", "/tmp/a"}).dir, "/tmp/a");
    EXPECT_EQ(ParseStartupSwitches({"--dir=/tmp/b"}).dir, "/tmp/b");
    EXPECT_FALSE(ParseStartupSwitches({}).EndsAfterInit());
    EXPECT_TRUE(ParseStartupSwitches({"--quit-after-start"}).quitAfterStart);
    EXPECT_FALSE(ParseStartupSwitches({"--quit-after-start"}).EndsAfterInit());
}

TEST(ExclusiveFile, SecondHolderIsRefused) {
    test::TTempDir dir;
    TExclusiveFile first, second;
    first.Open(dir.File("Zentrix_8x20.lsk"));
    EXPECT_THROW(second.Open(dir.File("Zentrix_8x20.lsk")), EFileError);
    first.Close();
    EXPECT_NO_THROW(second.Open(dir.File("Zentrix_8x20.lsk")));
}

}  // namespace
}  // namespace zentrix

#include "app/window_placement.h"

namespace zentrix {
namespace {

TEST(WindowPlacement, RoundTripPerScreenAndDensity) {
    TIniFile ini = TIniFile::FromText("");
    TScreenInfo big{1920, 1080, 96}, small{1280, 800, 96};
    WritePlacement(ini, "TFormMain", {0, 3, 10, 20, 1210, 820}, big);
    WritePlacement(ini, "TFormMain", {0, 1, 5, 5, 805, 605}, small);
    EXPECT_EQ(ReadPlacement(ini, "TFormMain", big), (TWindowPlacement{0, 1, 10, 20, 1210, 820}));
    EXPECT_EQ(ReadPlacement(ini, "TFormMain", small), (TWindowPlacement{0, 1, 5, 5, 805, 605}));
    EXPECT_EQ(ini.ReadString("TFormMain", "NormPos_1920x1080", ""), "10,20,1210,820");
    EXPECT_FALSE(ReadPlacement(ini, "TFormMain", TScreenInfo{1920, 1080, 144}));
    EXPECT_FALSE(ReadPlacement(ini, "Other", big));
    ini.WriteString("TFormMain", "NormPos_1920x1080", "garbage");
    ini.WriteString("TFormMain", "NormPos", "1,2");
    EXPECT_FALSE(ReadPlacement(ini, "TFormMain", big));

    WriteColumnWidth(ini, "TFormMain", "lvDraws", 3, 40);
    WriteSortType(ini, "TFormMain", "lvDrawsStat", 1, 0);
    EXPECT_EQ(ReadColumnWidth(ini, "TFormMain", "lvDraws", 3, 10), 40);
    EXPECT_EQ(ReadColumnWidth(ini, "TFormMain", "lvDraws", 4, 10), 10);
    EXPECT_EQ(ini.ReadString("TFormMain", "lvDrawsStat.SortType", ""), "1,0");
    EXPECT_EQ(ReadSortType(ini, "TFormMain", "lvDrawsStat"), std::make_pair(1, 0));
}

TEST(WindowPlacement, FitsTheScreenItOverlapsMost) {
    // The primary screen first, a second one to its right.
    const std::vector<TScreenRect> screens = {{0, 0, 1280, 770}, {1280, 0, 1024, 738}};
    const struct {
        TWindowPlacement stored;
        TWindowPlacement fitted;
    } cases[] = {
        // Inside a screen: as stored.
        {{0, 1, 10, 20, 1210, 820}, {0, 1, 10, 0, 1210, 770}},
        {{0, 1, 100, 50, 900, 650}, {0, 1, 100, 50, 900, 650}},
        // Larger than any screen (a damaged file): the screen's size.
        {{0, 1, 0, 0, 200000, 90000}, {0, 1, 0, 0, 1280, 770}},
        {{0, 3, -2147483647, -5, 2147483647, 5}, {0, 3, 0, 0, 1280, 10}},
        // Off every screen: moved onto the primary one.
        {{0, 1, 5000, 4000, 5800, 4600}, {0, 1, 480, 170, 1280, 770}},
        {{0, 1, -900, -700, -100, -100}, {0, 1, 0, 0, 800, 600}},
        // Mostly on the second screen: fitted to it.
        {{0, 1, 1500, 100, 2700, 900}, {0, 1, 1280, 0, 2304, 738}},
    };
    for (const auto& c : cases) EXPECT_EQ(FitToScreens(c.stored, screens), c.fitted);
    EXPECT_EQ(FitToScreens({0, 1, 1, 2, 3, 4}, {}), (TWindowPlacement{0, 1, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace zentrix
