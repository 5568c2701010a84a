#pragma once

#include <string>
#include <vector>

#include "core/config_data.h"
#include "core/config_rules.h"
#include "util/ini.h"

namespace zentrix {

// Zentrix_8x20.ini: the configuration, the generator defaults and the shredding formulas. The
// PROXY section shares the file and belongs to the download.

// Which part of the settings file a key belongs to; each part is read and written as a whole.
enum class TConfigGroup { Config, GenerateDefaults, Shredding, Services, User };

// One key of the settings file with its value as written.
struct TConfigEntry {
    TConfigGroup group;
    std::string section;
    std::string key;
    std::string value;
};

// The values every key takes when the file lacks it.
TConfigSettings DefaultConfigSettings();

// Reading keeps the defaults for missing keys and values that are not numbers; a value outside
// its range becomes the nearest valid one, so the next save does not lose it.
void LoadConfig(const TIniFile& ini, TConfigData& data);
void LoadGenerateDefaults(const TIniFile& ini, TConfigSettings& settings);
void LoadShredding(const TIniFile& ini, TConfigSettings& settings);
// SERVICES: a missing or empty key takes its default address.
void LoadServices(const TIniFile& ini, TConfigSettings& settings);
// USER: the name, the e-mail address and the computer identifier (a stored identifier that is
// not 32 hexadecimal digits counts as none).
void LoadUser(const TIniFile& ini, TConfigSettings& settings);
// A new computer identifier: 32 random hexadecimal digits (nothing read from the hardware).
std::string NewComputerId();

// Every key of the parts with its value as the file holds it after saving, in the file's
// order, reals with the given decimal separator (the settings files' one by default). Saving
// writes exactly these keys of the part.
std::vector<TConfigEntry> ConfigEntries(const TConfigSettings& settings);
std::vector<TConfigEntry> ConfigEntries(const TConfigSettings& settings, char decimalSeparator);
void SaveConfigGroup(TIniFile& ini, const TConfigSettings& settings, TConfigGroup group);

// Sets one key of the three parts by its section and name (as the file spells them, ignoring
// case), checked as the parameters dialog checks it; returns the part it belongs to. Raises
// EConvertError with the reason for an unknown key or a bad value.
TConfigGroup SetConfigValue(TConfigSettings& settings, const std::string& section,
                            const std::string& key, const std::string& value);

// The 20 segment digits as the file and the dialog compare them.
std::string SegmentsText(const std::array<uint8_t, kMaxNumber>& segments);
// Character n the digit of number n; a missing character or anything but 1..9 counts as 1.
std::array<uint8_t, kMaxNumber> ParseSegmentsText(const std::string& text);

// Real money to currency units, rounded with ties to even; raises EConvertError for a value the
// currency cannot hold.
TCurrency ToCurrency(long double value);
long double FromCurrency(TCurrency value);

// The money result of one stake of `count` numbers with `matches` matching numbers: minus the
// cost of its Binomial(count, 8) plays, plus the prize of the first entry for that many matches.
TCurrency StakeResult(const TConfigData& data, int count, int matches);

// The weight coefficients while a scenario overrides them.
void SaveWeights(TConfigSettings& settings);
void RestoreWeights(TConfigSettings& settings);
void SetWeights(TConfigSettings& settings, bool useOwn, const TCDLParams& own);

}  // namespace zentrix
