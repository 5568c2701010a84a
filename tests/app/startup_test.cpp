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

}  // namespace
}  // namespace zentrix
