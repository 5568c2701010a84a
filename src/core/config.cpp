#include "core/config.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <utility>

#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/rounding.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr const char* kGlobal = "GLOBAL";
constexpr const char* kStakes = "STAKES";
constexpr const char* kCdl = "CDL";
constexpr const char* kShredding = "SHREDDING";
constexpr const char* kServices = "SERVICES";
constexpr const char* kUser = "USER";
// Longest name and address; the catalog refuses longer ones.
constexpr size_t kUserNameMax = 64;
constexpr size_t kUserEmailMax = 128;

// The services' addresses when the settings name none: the publisher's and the lottery's.
constexpr const char* kDefaultSiteUrl = "https://kestra.example.org";
constexpr const char* kDefaultProxyListUrl = "http://proxylist.example.org";
constexpr const char* kDefaultUpdateUrl =
    "https://zentrix.example.org/files/autoupdates/Numerra_AU.cfg";
constexpr const char* kDefaultCatalogUrl = "https://zentrix.example.org";

// The keys of SERVICES with their members and defaults.
struct TServiceKey {
    const char* key;
    std::string TServiceSettings::*member;
    const char* fallback;
};
constexpr TServiceKey kServiceKeys[] = {
    {"SiteUrl", &TServiceSettings::SiteUrl, kDefaultSiteUrl},
    {"ProxyListUrl", &TServiceSettings::ProxyListUrl, kDefaultProxyListUrl},
    {"UpdateUrl", &TServiceSettings::UpdateUrl, kDefaultUpdateUrl},
    {"CatalogUrl", &TServiceSettings::CatalogUrl, kDefaultCatalogUrl},
    {"CaFile", &TServiceSettings::CaFile, ""},
};

constexpr const char* kDefaultFormulas[3] = {
    "(n1+n2+n3+n4)/(n5+n6+n7+n8)", "(n5+n6+n7+n8)/(n1+n2+n3+n4)", "(n1+n3+n5+n7)/(n2+n4+n6+n8)"};
constexpr int kDefaultFormulaDigits = 2;

// A stored integer moved into its range; a number too large for 32 bits is still on its side of
// the range.
int32_t ReadClamped(const TIniFile& ini, const char* section, const std::string& key,
                    int32_t fallback, int32_t lo, int32_t hi) {
    const std::string text = ini.ReadString(section, key, "");
    const int64_t v = TryStrToInt64(text).value_or(StrToIntDef(text, fallback));
    return static_cast<int32_t>(std::clamp<int64_t>(v, lo, hi));
}

TCurrency ReadMoney(const TIniFile& ini, const char* section, const std::string& key) {
    return ClampMoney(ini.ReadFloat(section, key, 0));
}

long double ReadCoefficient(const TIniFile& ini, const std::string& key, long double fallback) {
    return ClampCoefficient(ini.ReadFloat(kCdl, key, fallback), fallback);
}

bool StartsWithText(const std::string& text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           SameText(std::string_view(text).substr(0, prefix.size()), prefix);
}

std::string ProfitKey(int i, const char* field) {
    return Format("Profit_%d_%s", {i, field});
}

}  // namespace

TConfigSettings DefaultConfigSettings() {
    const TIniFile empty = TIniFile::FromText({});
    TConfigSettings s;
    LoadConfig(empty, s.data);
    LoadGenerateDefaults(empty, s);
    LoadShredding(empty, s);
    LoadServices(empty, s);
    LoadUser(empty, s);
    return s;
}

std::string SegmentsText(const std::array<uint8_t, kMaxNumber>& segments) {
    std::string text;
    for (uint8_t s : segments) text += static_cast<char>('0' + (s >= 1 && s <= 9 ? s : 1));
    return text;
}

std::array<uint8_t, kMaxNumber> ParseSegmentsText(const std::string& text) {
    std::array<uint8_t, kMaxNumber> segments;
    for (int i = 0; i < kMaxNumber; ++i) {
        char c = i < static_cast<int>(text.size()) ? text[i] : '1';
        segments[i] = static_cast<uint8_t>(c >= '1' && c <= '9' ? c - '0' : 1);
    }
    return segments;
}

void LoadConfig(const TIniFile& ini, TConfigData& data) {
    data.MatrixCols = ReadClamped(ini, kGlobal, "MatrixCols", 4, kMatrixColsMin, kMatrixColsMax);
    data.MatrixSegments = ParseSegmentsText(ini.ReadString(kGlobal, "MatrixSegments", ""));
    data.ChannelSize =
        ReadClamped(ini, kGlobal, "ChannelSize", 4, kChannelSizeMin, kChannelSizeMax);
    data.Cost = ReadMoney(ini, kStakes, "Cost");
    data.MaxStake = ReadClamped(ini, kStakes, "MaxStake", 8, INT32_MIN, INT32_MAX);
    const int count = ReadClamped(ini, kStakes, "Profits", 0, 0, kMaxProfits);
    data.Profits.clear();
    for (int i = 0; i < count; ++i) {
        TProfit p;
        p.Overlap = static_cast<uint8_t>(
            ReadClamped(ini, kStakes, ProfitKey(i, "Overlap"), 0, 0, kOverlapMax));
        p.Profit = ReadMoney(ini, kStakes, ProfitKey(i, "Profit"));
        data.Profits.push_back(p);
    }
    data.CDL.Count = ReadCoefficient(ini, "Count", 0);
    data.CDL.Deviation = ReadCoefficient(ini, "Deviation", -1);
    data.CDL.Level = ReadCoefficient(ini, "Level", 1);
    data.CDL.UsePercents = ini.ReadInteger(kCdl, "UsePercents", 0) > 0;
    data.CDL.UseAbsValues = ini.ReadInteger(kCdl, "UseAbsValues", 0) > 0;
}

void LoadGenerateDefaults(const TIniFile& ini, TConfigSettings& settings) {
    settings.generateMode = static_cast<uint8_t>(
        ReadClamped(ini, kGlobal, "CombsGenerateMode", 0, 0, kGenerateModeMax));
    settings.generateParameters =
        Utf8Left(ini.ReadString(kGlobal, "CombsGenerateParameters", ""), kGenerateParametersMax);
}

void LoadShredding(const TIniFile& ini, TConfigSettings& settings) {
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        settings.formulas[i] = ini.ReadString(kShredding, "Formula" + n, "");
        if (Trim(settings.formulas[i]).empty()) settings.formulas[i] = kDefaultFormulas[i];
        settings.formulaDigits[i] = static_cast<uint8_t>(
            ReadClamped(ini, kShredding, "Formula" + n + "Digits", kDefaultFormulaDigits,
                        kFormulaDigitsMin, kFormulaDigitsMax));
    }
}

void LoadServices(const TIniFile& ini, TConfigSettings& settings) {
    for (const TServiceKey& k : kServiceKeys) {
        std::string value = Trim(ini.ReadString(kServices, k.key, ""));
        settings.services.*k.member = value.empty() ? k.fallback : value;
    }
}

namespace {

bool IsComputerId(const std::string& text) {
    return text.size() == 32 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// A name or address goes into the catalog's replies between marks: no marks, no controls.
std::string CheckedUserText(const std::string& key, const std::string& value, size_t limit) {
    const std::string v = Trim(value);
    const bool clean = std::none_of(v.begin(), v.end(), [](char c) {
        return c == '<' || c == '>' || static_cast<unsigned char>(c) < 32;
    });
    if (!clean || !IsValidUtf8(v) || Utf8Length(v) > limit)
        throw EConvertError(Format("Недопустимое значение %s=%s: не более %d символов, без < и >",
                                   {key, value, static_cast<int>(limit)}));
    return v;
}

}  // namespace

void LoadUser(const TIniFile& ini, TConfigSettings& settings) {
    settings.user.Name = Utf8Left(Trim(ini.ReadString(kUser, "Name", "")), kUserNameMax);
    settings.user.Email = Utf8Left(Trim(ini.ReadString(kUser, "Email", "")), kUserEmailMax);
    const std::string id = LowerCase(Trim(ini.ReadString(kUser, "ComputerId", "")));
    settings.user.ComputerId = IsComputerId(id) ? id : "";
}

std::string NewComputerId() {
    std::random_device random;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string id;
    for (int i = 0; i < 32; ++i) id += kHex[random() & 15];
    return id;
}

std::vector<TConfigEntry> ConfigEntries(const TConfigSettings& settings) {
    return ConfigEntries(settings, FormatSettings().fileDecimalSeparator);
}

std::vector<TConfigEntry> ConfigEntries(const TConfigSettings& settings, char decimalSeparator) {
    const TConfigData& d = settings.data;
    auto realText = [decimalSeparator](long double v) {
        return FloatToStrShortest(v, decimalSeparator);
    };
    using G = TConfigGroup;
    std::vector<TConfigEntry> e = {
        {G::Config, kGlobal, "MatrixCols", std::to_string(d.MatrixCols)},
        {G::Config, kGlobal, "MatrixSegments", SegmentsText(d.MatrixSegments)},
        {G::Config, kGlobal, "ChannelSize", std::to_string(d.ChannelSize)},
        {G::GenerateDefaults, kGlobal, "CombsGenerateMode", std::to_string(settings.generateMode)},
        {G::GenerateDefaults, kGlobal, "CombsGenerateParameters",
         Utf8Left(settings.generateParameters, kGenerateParametersMax)},
        {G::Config, kStakes, "Cost", realText(FromCurrency(d.Cost))},
        {G::Config, kStakes, "MaxStake", std::to_string(d.MaxStake)},
        {G::Config, kStakes, "Profits", std::to_string(d.Profits.size())},
    };
    for (size_t i = 0; i < d.Profits.size(); ++i) {
        e.push_back({G::Config, kStakes, ProfitKey(static_cast<int>(i), "Overlap"),
                     std::to_string(d.Profits[i].Overlap)});
        e.push_back({G::Config, kStakes, ProfitKey(static_cast<int>(i), "Profit"),
                     realText(FromCurrency(d.Profits[i].Profit))});
    }
    e.push_back({G::Config, kCdl, "Count", realText(d.CDL.Count)});
    e.push_back({G::Config, kCdl, "Deviation", realText(d.CDL.Deviation)});
    e.push_back({G::Config, kCdl, "Level", realText(d.CDL.Level)});
    e.push_back({G::Config, kCdl, "UsePercents", d.CDL.UsePercents ? "1" : "0"});
    e.push_back({G::Config, kCdl, "UseAbsValues", d.CDL.UseAbsValues ? "1" : "0"});
    for (int i = 0; i < 3; ++i)
        e.push_back(
            {G::Shredding, kShredding, "Formula" + std::to_string(i + 1), settings.formulas[i]});
    for (int i = 0; i < 3; ++i)
        e.push_back({G::Shredding, kShredding, "Formula" + std::to_string(i + 1) + "Digits",
                     std::to_string(settings.formulaDigits[i])});
    for (const TServiceKey& k : kServiceKeys)
        e.push_back({G::Services, kServices, k.key, settings.services.*k.member});
    e.push_back({G::User, kUser, "Name", settings.user.Name});
    e.push_back({G::User, kUser, "Email", settings.user.Email});
    e.push_back({G::User, kUser, "ComputerId", settings.user.ComputerId});
    return e;
}

void SaveConfigGroup(TIniFile& ini, const TConfigSettings& settings, TConfigGroup group) {
    for (const TConfigEntry& e : ConfigEntries(settings))
        if (e.group == group) ini.WriteString(e.section, e.key, e.value);
}

namespace {

std::array<uint8_t, kMaxNumber> SegmentsValue(const std::string& value) {
    if (value.size() > kMaxNumber)
        throw EConvertError(Format("Недопустимое значение MatrixSegments=%s: не более %d цифр",
                                   {value, kMaxNumber}));
    for (char c : value)
        if (c < '1' || c > '9')
            throw EConvertError(
                Format("Некорректное значение: %s!\n\nУкажите любое число от 1 до 9",
                       {std::string(1, c)}));
    return ParseSegmentsText(value);
}

// "Profit_<i>_Overlap" / "Profit_<i>_Profit": the entry index and whether it is the prize.
std::optional<std::pair<int, bool>> ProfitKeyOf(const std::string& key) {
    const std::string lower = LowerCase(key);
    if (lower.rfind("profit_", 0) != 0) return std::nullopt;
    const size_t sep = lower.find('_', 7);
    if (sep == std::string::npos) return std::nullopt;
    auto index = TryStrToInt(lower.substr(7, sep - 7));
    const std::string field = lower.substr(sep + 1);
    if (!index || *index < 0 || (field != "overlap" && field != "profit")) return std::nullopt;
    return std::make_pair(*index, field == "profit");
}

}  // namespace

TConfigGroup SetConfigValue(TConfigSettings& settings, const std::string& section,
                            const std::string& key, const std::string& value) {
    using G = TConfigGroup;
    TConfigData& d = settings.data;
    auto is = [&](const char* sec, const char* name) {
        return SameText(section, sec) && SameText(key, name);
    };
    if (is(kGlobal, "MatrixCols")) {
        d.MatrixCols = CheckedInteger(key, value, kMatrixColsMin, kMatrixColsMax);
        return G::Config;
    }
    if (is(kGlobal, "MatrixSegments")) {
        d.MatrixSegments = SegmentsValue(value);
        return G::Config;
    }
    if (is(kGlobal, "ChannelSize")) {
        d.ChannelSize = CheckedInteger(key, value, kChannelSizeMin, kChannelSizeMax);
        return G::Config;
    }
    if (is(kGlobal, "CombsGenerateMode")) {
        settings.generateMode =
            static_cast<uint8_t>(CheckedInteger(key, value, 0, kGenerateModeMax));
        return G::GenerateDefaults;
    }
    if (is(kGlobal, "CombsGenerateParameters")) {
        settings.generateParameters = Utf8Left(value, kGenerateParametersMax);
        return G::GenerateDefaults;
    }
    if (is(kStakes, "Cost")) {
        d.Cost = CheckedMoney(key, value);
        return G::Config;
    }
    if (is(kStakes, "MaxStake")) {
        d.MaxStake = CheckedInteger(key, value, INT32_MIN, INT32_MAX);
        return G::Config;
    }
    if (is(kStakes, "Profits")) {
        const int count = CheckedInteger(key, value, 0, kMaxProfits);
        const size_t old = d.Profits.size();
        d.Profits.resize(static_cast<size_t>(count));
        for (size_t i = old; i < d.Profits.size(); ++i)
            d.Profits[i].Overlap = static_cast<uint8_t>(i);
        return G::Config;
    }
    if (SameText(section, kStakes)) {
        if (auto profit = ProfitKeyOf(key)) {
            if (profit->first >= static_cast<int>(d.Profits.size()))
                throw EConvertError(Format("Записи выигрыша %d нет: сначала задайте STAKES Profits",
                                           {profit->first}));
            TProfit& p = d.Profits[profit->first];
            if (profit->second)
                p.Profit = CheckedMoney(key, value);
            else
                p.Overlap = static_cast<uint8_t>(CheckedInteger(key, value, 0, kCombSize));
            return G::Config;
        }
    }
    if (is(kCdl, "Count")) {
        d.CDL.Count = CheckedCoefficient(key, value);
        return G::Config;
    }
    if (is(kCdl, "Deviation")) {
        d.CDL.Deviation = CheckedCoefficient(key, value);
        return G::Config;
    }
    if (is(kCdl, "Level")) {
        d.CDL.Level = CheckedCoefficient(key, value);
        return G::Config;
    }
    if (is(kCdl, "UsePercents")) {
        d.CDL.UsePercents = CheckedInteger(key, value, 0, 1) != 0;
        return G::Config;
    }
    if (is(kCdl, "UseAbsValues")) {
        d.CDL.UseAbsValues = CheckedInteger(key, value, 0, 1) != 0;
        return G::Config;
    }
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        if (SameText(section, kShredding) && SameText(key, "Formula" + n)) {
            settings.formulas[i] = CheckedFormula(key, value);
            return G::Shredding;
        }
        if (SameText(section, kShredding) && SameText(key, "Formula" + n + "Digits")) {
            settings.formulaDigits[i] = static_cast<uint8_t>(
                CheckedInteger(key, value, kFormulaDigitsMin, kFormulaDigitsMax));
            return G::Shredding;
        }
    }
    for (const TServiceKey& k : kServiceKeys) {
        if (!SameText(section, kServices) || !SameText(key, k.key)) continue;
        const std::string v = Trim(value);
        if (k.member == &TServiceSettings::CaFile) {
            if (!v.empty() && FileSize(v) < 0)
                throw EConvertError(Format("Файл \"%s\" не найден!", {v}));
        } else if (!v.empty() && !StartsWithText(v, "https://") && !StartsWithText(v, "http://")) {
            throw EConvertError(Format(
                "Недопустимое значение %s=%s: адрес должен начинаться с https:// или http://",
                {key, value}));
        }
        // An empty address goes back to the default.
        settings.services.*k.member = v.empty() ? k.fallback : v;
        return G::Services;
    }
    if (SameText(section, kUser) && SameText(key, "Name")) {
        settings.user.Name = CheckedUserText(key, value, kUserNameMax);
        return G::User;
    }
    if (SameText(section, kUser) && SameText(key, "Email")) {
        const std::string v = CheckedUserText(key, value, kUserEmailMax);
        if (!v.empty() && (v.find('@') == std::string::npos || v.find(' ') != std::string::npos))
            throw EConvertError(Format("Недопустимый адрес электронной почты: %s", {value}));
        settings.user.Email = v;
        return G::User;
    }
    if (SameText(section, kUser) && SameText(key, "ComputerId"))
        throw EConvertError("Идентификатор компьютера создается программой и не изменяется");
    throw EConvertError(Format("Неизвестный параметр: [%s] %s", {section, key}));
}

TCurrency ToCurrency(long double value) {
    const long double units = value * kCurrencyScale;
    // The largest magnitude that still converts exactly to a 64-bit integer.
    constexpr long double kLimit = 9.2e18L;
    if (!std::isfinite(units) || std::fabs(units) > kLimit)
        throw EConvertError(Format("Недопустимая денежная сумма: %s", {FloatToStrShortest(value)}));
    return RoundHalfEven(units);
}

long double FromCurrency(TCurrency value) {
    return static_cast<long double>(value) / kCurrencyScale;
}

TCurrency StakeResult(const TConfigData& data, int count, int matches) {
    constexpr TCurrency kMax = std::numeric_limits<TCurrency>::max();
    TCurrency loss;
    if (__builtin_mul_overflow(data.Cost, Binomial(count, kCombSize), &loss))
        loss = data.Cost > 0 ? kMax : -kMax;
    loss = -loss;
    if (matches < 0) return loss;
    for (const TProfit& p : data.Profits)
        if (p.Overlap == matches) {
            TCurrency sum;
            if (__builtin_add_overflow(loss, p.Profit, &sum)) sum = p.Profit > 0 ? kMax : -kMax;
            return sum;
        }
    return loss;
}

void SaveWeights(TConfigSettings& settings) {
    settings.savedCDL = settings.data.CDL;
}

void RestoreWeights(TConfigSettings& settings) {
    settings.data.CDL = settings.savedCDL;
}

void SetWeights(TConfigSettings& settings, bool useOwn, const TCDLParams& own) {
    settings.data.CDL = useOwn ? own : settings.savedCDL;
}

}  // namespace zentrix
