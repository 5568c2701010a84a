#pragma once

#include <string>
#include <variant>
#include <vector>

#include "util/ini.h"

namespace zentrix {

// The weekday tab's chart: one weekday over the numbers, or one number over the weekdays.
enum class TWeekChartMode { DayOverNumbers = 0, NumberOverDays = 1 };
// What the start does about new draws.
enum class TDownloadOnStart { Ask = 0, Download = 1, Nothing = 2 };
// What the ratings view shows.
enum class TRatingsEffMode { Expected = 0, Absolute = 1, Relative = 2 };

// The main window's options kept in the window settings file, section TFormMain. A value of -1
// for a size means "as designed": the window's layout decides.
struct TMainOptions {
    // written at exit
    int LeftPanelWidth = -1;
    int DrawsExclude = 0;
    int DrawsStatLen = 1000;
    int DrawsStatHeight = -1;
    int DrawsGraphLen = -1;
    int FiltersHeight = -1;
    int LayoutLen = -1;
    int LayoutCompareLen[5] = {-1, -1, -1, -1, -1};
    int LayoutCompareHeight = -1;
    int WeekLen = -1;
    int WeekHeight = -1;
    int ScriptLibraryHeight = -1;
    int ScriptLibraryFilter = 2;
    // The code of the statistic chosen last ("" for the list's first one), so a restart or a
    // refill of the list keeps the user's choice.
    std::string DrawsStatMethod;
    // written when changed
    TWeekChartMode WeekChartMode = TWeekChartMode::DayOverNumbers;
    bool WeekChartType = false;
    bool AutoUpdates = true;
    TDownloadOnStart DownloadDrawsOnStart = TDownloadOnStart::Ask;
    bool ScriptLogEnabled = false;
    bool StakesLogEnabled = false;
    bool StakesScrollEnabled = true;
    bool StakesCheckOnLine = true;
    bool ColorDraws = true;
    bool ColorCombs = true;
    bool ColorCard = true;
    bool ColorCardSequences = true;
    bool LayoutGradient = true;
    bool SortedDraws = false;
    bool PrefetchsEnabled = false;
    bool ShowTotalLine = true;
    bool PrefetchsInit = false;
    TRatingsEffMode RatingsEffMode = TRatingsEffMode::Absolute;
    bool ScriptLibraryOn = true;
    bool SystemsEnabled = true;
    bool TabGraphs = true;
    bool TabCard = true;
    bool TabLayout = true;
    bool TabWeek = true;
    bool TabTables = true;
    int Language = 1049;
    bool FirstRun = false;
};

// An option as its member, so a misspelt option does not compile:
// StoreOption(&TMainOptions::SortedDraws).
using TMainOption =
    std::variant<int TMainOptions::*, bool TMainOptions::*, std::string TMainOptions::*,
                 int (TMainOptions::*)[5], TWeekChartMode TMainOptions::*,
                 TDownloadOnStart TMainOptions::*, TRatingsEffMode TMainOptions::*>;

// Zentrix_8x20.frm: each window's section named after its class; the main window's is TFormMain.
// Placement and list columns live in the same sections (read and written by the front end
// through Ini()).
class TWindowSettings {
  public:
    static constexpr const char* kMainSection = "TFormMain";

    // Reads nothing yet; Load reads the file.
    explicit TWindowSettings(std::string path);

    // Reads every option; raises EZentrix when the file cannot be read (the defaults stay).
    void Load();
    TMainOptions& Options() { return options_; }
    const TMainOptions& Options() const { return options_; }

    // Writes one option of the "when changed" kind at once.
    void StoreOption(TMainOption option);
    // Writes the options of the "at exit" kind; the caller then calls Save.
    void StoreExitOptions();
    // Writes the file back; raises EFileError.
    void Save();

    TIniFile& Ini() { return ini_; }

    // The keys of the options in the file, in their table's order.
    static std::vector<std::string> KeyNames();

  private:
    // Every option, or the "at exit" ones, or the one given.
    enum class TWhich { All, AtExit, One };
    void Exchange(bool write, TWhich which, const TMainOption* only = nullptr);

    TIniFile ini_;
    TMainOptions options_;
};

}  // namespace zentrix
