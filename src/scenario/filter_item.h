#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config_data.h"
#include "stats/stat_class.h"

namespace zentrix {

class TStatList;

// A statistic of the registry: its class and index. Class descriptors live for the whole run, so
// a reference stays valid when the registry is rebuilt.
struct TMethodRef {
    const TStatClass* Class = nullptr;
    int32_t Index = 0;

    explicit operator bool() const { return Class != nullptr; }
    bool operator==(const TMethodRef&) const = default;
    // The entry's code, "SUMS", "POS3"; empty for none.
    std::string Code() const;
};

// The registry entry a reference names; -1 when the registry has none.
int FindMethodEntry(const TStatList& list, const TMethodRef& method);

// The entry a statistic word of filter text names: among the codes that are a case-insensitive
// prefix of the word, the one equal to the word's text before ":" when there is one (so CHN12
// is not read as CHN1), else the first in order; -1 when none.
int MatchCodeWord(const std::vector<std::string>& codes, std::string_view word);

// What a filter item and each of its variants share.
struct TFilterSettings {
    bool Enabled = false;
    TMethodRef Method;
    int32_t DrawsSortOrder = 0;
    bool BottomUp = false;
    bool MultiSelect = false;
    bool KeepSelected = false;
    uint8_t LevelMode = 0;
    std::string LevelValue;
    bool CDLOverride = false;
    long double CoefCount = 0;
    long double CoefDeviation = 0;
    long double CoefLevel = 0;
    bool CoefPercents = false;
    bool CoefAbs = false;
    uint8_t StopMode = 0;
    int32_t StopValue = 0;

    TCDLParams Weights() const;
    void SetWeights(const TCDLParams& weights);
};

// One filter slot of a scenario command.
struct TFilterItem : TFilterSettings {
    std::string StatText;  // the statistic word as read, written back when no method matched
    std::string DrawsLen;  // value list of window lengths
};

// Text of an item: "TSD1#SUMS:10#LMV:3#SF:1", with a fifth word of weights when CDLOverride is
// set; empty for a disabled item.
std::string EncodeFilterItem(const TFilterItem& item);
// Never fails: what does not read takes the defaults.
TFilterItem DecodeFilterItem(std::string_view text, const TStatList& list);
// Decoded and encoded again: the form the scenario list shows.
std::string CanonicalFilterText(std::string_view text, const TStatList& list);

// The coefficient text of filter text: shortest, "." whatever the locale, never an exponent.
std::string CoefText(long double value);
// Keeps "-", digits, "." and "," (both decimal points); 0 when the rest does not convert and
// for an exponent form ("1e3").
long double CoefValue(std::string_view text);

// The words joined by "#"; shared by items and their variants.
std::string EncodeFilterText(const TFilterSettings& filter, const std::string& statWord,
                             const std::string& levelText);

}  // namespace zentrix
