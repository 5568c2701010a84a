#include "app/window_settings.h"

#include <type_traits>

#include "util/errors.h"
#include "util/format.h"

namespace zentrix {

namespace {

struct TOptionKey {
    const char* name;  // the key in the file (an array's keys add 1..5)
    TMainOption option;
    bool atExit;
};

// One table of every key, so reading and writing can never disagree.
const TOptionKey kOptionKeys[] = {
    {"LeftPanelWidth", &TMainOptions::LeftPanelWidth, true},
    {"DrawsExclude", &TMainOptions::DrawsExclude, true},
    {"DrawsStatLen", &TMainOptions::DrawsStatLen, true},
    {"DrawsStatHeight", &TMainOptions::DrawsStatHeight, true},
    {"DrawsGraphLen", &TMainOptions::DrawsGraphLen, true},
    {"FiltersHeight", &TMainOptions::FiltersHeight, true},
    {"LayoutLen", &TMainOptions::LayoutLen, true},
    {"LayoutCompareLen", &TMainOptions::LayoutCompareLen, true},
    {"LayoutCompareHeight", &TMainOptions::LayoutCompareHeight, true},
    {"WeekLen", &TMainOptions::WeekLen, true},
    {"WeekHeight", &TMainOptions::WeekHeight, true},
    {"ScriptLibraryHeight", &TMainOptions::ScriptLibraryHeight, true},
    {"ScriptLibraryFilter", &TMainOptions::ScriptLibraryFilter, true},
    {"DrawsStatMethod", &TMainOptions::DrawsStatMethod, true},
    {"WeekChartMode", &TMainOptions::WeekChartMode, false},
    {"WeekChartType", &TMainOptions::WeekChartType, false},
    {"AutoUpdates", &TMainOptions::AutoUpdates, false},
    {"DownloadDrawsOnStart", &TMainOptions::DownloadDrawsOnStart, false},
    {"ScriptLogEnabled", &TMainOptions::ScriptLogEnabled, false},
    {"StakesLogEnabled", &TMainOptions::StakesLogEnabled, false},
    {"StakesScrollEnabled", &TMainOptions::StakesScrollEnabled, false},
    {"StakesCheckOnLine", &TMainOptions::StakesCheckOnLine, false},
    {"ColorDraws", &TMainOptions::ColorDraws, false},
    {"ColorCombs", &TMainOptions::ColorCombs, false},
    {"ColorCard", &TMainOptions::ColorCard, false},
    {"ColorCardSequences", &TMainOptions::ColorCardSequences, false},
    {"LayoutGradient", &TMainOptions::LayoutGradient, false},
    {"SortedDraws", &TMainOptions::SortedDraws, false},
    {"PrefetchsEnabled", &TMainOptions::PrefetchsEnabled, false},
    {"ShowTotalLine", &TMainOptions::ShowTotalLine, false},
    {"PrefetchsInit", &TMainOptions::PrefetchsInit, false},
    {"RatingsEffMode", &TMainOptions::RatingsEffMode, false},
    {"ScriptLibraryOn", &TMainOptions::ScriptLibraryOn, false},
    {"SystemsEnabled", &TMainOptions::SystemsEnabled, false},
    {"TabGraphs", &TMainOptions::TabGraphs, false},
    {"TabCard", &TMainOptions::TabCard, false},
    {"TabLayout", &TMainOptions::TabLayout, false},
    {"TabWeek", &TMainOptions::TabWeek, false},
    {"TabTables", &TMainOptions::TabTables, false},
    {"Language", &TMainOptions::Language, false},
    {"FirstRun", &TMainOptions::FirstRun, false},
};

using TArray = int[5];

void ExchangeValue(TIniFile& ini, bool write, const std::string& key, int& value) {
    if (write)
        ini.WriteInteger(TWindowSettings::kMainSection, key, value);
    else
        value = ini.ReadInteger(TWindowSettings::kMainSection, key, value);
}
void ExchangeValue(TIniFile& ini, bool write, const std::string& key, bool& value) {
    if (write)
        ini.WriteBool(TWindowSettings::kMainSection, key, value);
    else
        value = ini.ReadBool(TWindowSettings::kMainSection, key, value);
}
void ExchangeValue(TIniFile& ini, bool write, const std::string& key, std::string& value) {
    if (write)
        ini.WriteString(TWindowSettings::kMainSection, key, value);
    else
        value = ini.ReadString(TWindowSettings::kMainSection, key, value);
}
void ExchangeValue(TIniFile& ini, bool write, const std::string& key, TArray& values) {
    for (int i = 0; i < 5; ++i) ExchangeValue(ini, write, Format("%s%d", {key, i + 1}), values[i]);
}
// Modes are kept as their numbers.
template <class TMode>
requires std::is_enum_v<TMode>
void ExchangeValue(TIniFile& ini, bool write, const std::string& key, TMode& value) {
    int number = static_cast<int>(value);
    ExchangeValue(ini, write, key, number);
    value = static_cast<TMode>(number);
}

}  // namespace

TWindowSettings::TWindowSettings(std::string path)
    : ini_(TIniFile::FromText({}, std::move(path))) {}

void TWindowSettings::Load() {
    ini_ = TIniFile(ini_.Path());
    Exchange(false, TWhich::All);
}

void TWindowSettings::StoreOption(TMainOption option) {
    Exchange(true, TWhich::One, &option);
    Save();
}

void TWindowSettings::StoreExitOptions() {
    Exchange(true, TWhich::AtExit);
}

void TWindowSettings::Save() {
    ini_.UpdateFile();
}

std::vector<std::string> TWindowSettings::KeyNames() {
    std::vector<std::string> names;
    for (const TOptionKey& key : kOptionKeys) {
        if (std::holds_alternative<int(TMainOptions::*)[5]>(key.option))
            for (int i = 1; i <= 5; ++i) names.push_back(Format("%s%d", {key.name, i}));
        else
            names.push_back(key.name);
    }
    return names;
}

void TWindowSettings::Exchange(bool write, TWhich which, const TMainOption* only) {
    for (const TOptionKey& key : kOptionKeys) {
        if (which == TWhich::AtExit && !key.atExit) continue;
        if (which == TWhich::One && key.option != *only) continue;
        std::visit([&](auto member) { ExchangeValue(ini_, write, key.name, options_.*member); },
                   key.option);
    }
}

}  // namespace zentrix
