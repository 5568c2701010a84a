#include "app/window_settings.h"

#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

TWindowSettings::TWindowSettings(std::string path)
    : ini_(TIniFile::FromText({}, std::move(path))) {}

void TWindowSettings::Load() {
    ini_ = TIniFile(ini_.Path());
    Exchange(false, nullptr);
}

void TWindowSettings::StoreOption(const std::string& key) {
    Exchange(true, &key);
    Save();
}

void TWindowSettings::StoreExitOptions() {
    static const std::string kExit = "*exit*";
    Exchange(true, &kExit);
}

void TWindowSettings::Save() {
    ini_.UpdateFile();
}

// One table of every key, so reading and writing can never disagree.
void TWindowSettings::Exchange(bool write, const std::string* onlyKey) {
    const std::string section = kMainSection;
    TMainOptions& o = options_;
    auto wanted = [&](const char* key, bool atExit) {
        if (!onlyKey) return true;
        if (*onlyKey == "*exit*") return atExit;
        return SameText(*onlyKey, key);
    };
    auto intKey = [&](const char* key, int& value, bool atExit) {
        if (!wanted(key, atExit)) return;
        if (write)
            ini_.WriteInteger(section, key, value);
        else
            value = ini_.ReadInteger(section, key, value);
    };
    auto boolKey = [&](const char* key, bool& value, bool atExit) {
        if (!wanted(key, atExit)) return;
        if (write)
            ini_.WriteBool(section, key, value);
        else
            value = ini_.ReadBool(section, key, value);
    };
    intKey("LeftPanelWidth", o.LeftPanelWidth, true);
    intKey("DrawsExclude", o.DrawsExclude, true);
    intKey("DrawsStatLen", o.DrawsStatLen, true);
    intKey("DrawsStatHeight", o.DrawsStatHeight, true);
    intKey("DrawsGraphLen", o.DrawsGraphLen, true);
    intKey("FiltersHeight", o.FiltersHeight, true);
    intKey("LayoutLen", o.LayoutLen, true);
    for (int i = 0; i < 5; ++i) {
        std::string key = Format("LayoutCompareLen%d", {i + 1});
        intKey(key.c_str(), o.LayoutCompareLen[i], true);
    }
    intKey("LayoutCompareHeight", o.LayoutCompareHeight, true);
    intKey("WeekLen", o.WeekLen, true);
    intKey("WeekHeight", o.WeekHeight, true);
    intKey("ScriptLibraryHeight", o.ScriptLibraryHeight, true);
    intKey("ScriptLibraryFilter", o.ScriptLibraryFilter, true);
    if (wanted("DrawsStatMethod", true)) {
        if (write)
            ini_.WriteString(section, "DrawsStatMethod", o.DrawsStatMethod);
        else
            o.DrawsStatMethod = ini_.ReadString(section, "DrawsStatMethod", o.DrawsStatMethod);
    }
    intKey("WeekChartMode", o.WeekChartMode, false);
    boolKey("WeekChartType", o.WeekChartType, false);
    boolKey("AutoUpdates", o.AutoUpdates, false);
    intKey("DownloadDrawsOnStart", o.DownloadDrawsOnStart, false);
    boolKey("ScriptLogEnabled", o.ScriptLogEnabled, false);
    boolKey("StakesLogEnabled", o.StakesLogEnabled, false);
    boolKey("StakesScrollEnabled", o.StakesScrollEnabled, false);
    boolKey("StakesCheckOnLine", o.StakesCheckOnLine, false);
    boolKey("ColorDraws", o.ColorDraws, false);
    boolKey("ColorCombs", o.ColorCombs, false);
    boolKey("ColorCard", o.ColorCard, false);
    boolKey("ColorCardSequences", o.ColorCardSequences, false);
    boolKey("LayoutGradient", o.LayoutGradient, false);
    boolKey("SortedDraws", o.SortedDraws, false);
    boolKey("PrefetchsEnabled", o.PrefetchsEnabled, false);
    boolKey("ShowTotalLine", o.ShowTotalLine, false);
    boolKey("PrefetchsInit", o.PrefetchsInit, false);
    intKey("RatingsEffMode", o.RatingsEffMode, false);
    boolKey("ScriptLibraryOn", o.ScriptLibraryOn, false);
    boolKey("SystemsEnabled", o.SystemsEnabled, false);
    boolKey("TabGraphs", o.TabGraphs, false);
    boolKey("TabCard", o.TabCard, false);
    boolKey("TabLayout", o.TabLayout, false);
    boolKey("TabWeek", o.TabWeek, false);
    boolKey("TabTables", o.TabTables, false);
    intKey("Language", o.Language, false);
    boolKey("FirstRun", o.FirstRun, false);
}

}  // namespace zentrix
