#include "core/config.h"

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "util/errors.h"
#include "util/format.h"
#include "util/rounding.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr const char* kGlobal = "GLOBAL";
constexpr const char* kStakes = "STAKES";
constexpr const char* kCdl = "CDL";
constexpr const char* kShredding = "SHREDDING";

constexpr const char* kDefaultFormulas[3] = {
    "(n1+n2+n3+n4)/(n5+n6+n7+n8)", "(n5+n6+n7+n8)/(n1+n2+n3+n4)", "(n1+n3+n5+n7)/(n2+n4+n6+n8)"};
constexpr int kDefaultFormulaDigits = 2;
// More prize entries than this are not read: a damaged count must not stall the start.
constexpr int kMaxProfits = 256;

int32_t ReadRanged(const TIniFile& ini, const char* section, const std::string& key,
                   int32_t fallback, int32_t lo, int32_t hi) {
    int32_t v = ini.ReadInteger(section, key, fallback);
    return v < lo || v > hi ? fallback : v;
}

TCurrency ReadCurrency(const TIniFile& ini, const char* section, const std::string& key) {
    try {
        return ToCurrency(ini.ReadFloat(section, key, 0));
    } catch (const EConvertError&) {
        return 0;
    }
}

std::string ProfitKey(int i, const char* field) {
    return Format("Profit_%d_%s", {i, field});
}

std::string RealText(long double v) {
    return FloatToStrShortest(v);
}

}  // namespace

TConfigSettings DefaultConfigSettings() {
    const TIniFile empty = TIniFile::FromText({});
    TConfigSettings s;
    LoadConfig(empty, s.data);
    LoadGenerateDefaults(empty, s);
    LoadShredding(empty, s);
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
    data.MatrixCols = ReadRanged(ini, kGlobal, "MatrixCols", 4, kMatrixColsMin, kMatrixColsMax);
    data.MatrixSegments = ParseSegmentsText(ini.ReadString(kGlobal, "MatrixSegments", ""));
    data.ChannelSize = ReadRanged(ini, kGlobal, "ChannelSize", 4, kChannelSizeMin, kChannelSizeMax);
    data.Cost = ReadCurrency(ini, kStakes, "Cost");
    data.MaxStake = ini.ReadInteger(kStakes, "MaxStake", 8);
    const int count = ReadRanged(ini, kStakes, "Profits", 0, 0, kMaxProfits);
    data.Profits.clear();
    for (int i = 0; i < count; ++i) {
        TProfit p;
        p.Overlap =
            static_cast<uint8_t>(ReadRanged(ini, kStakes, ProfitKey(i, "Overlap"), 0, 0, 255));
        p.Profit = ReadCurrency(ini, kStakes, ProfitKey(i, "Profit"));
        data.Profits.push_back(p);
    }
    data.CDL.Count = ini.ReadFloat(kCdl, "Count", 0);
    data.CDL.Deviation = ini.ReadFloat(kCdl, "Deviation", -1);
    data.CDL.Level = ini.ReadFloat(kCdl, "Level", 1);
    data.CDL.UsePercents = ini.ReadInteger(kCdl, "UsePercents", 0) > 0;
    data.CDL.UseAbsValues = ini.ReadInteger(kCdl, "UseAbsValues", 0) > 0;
}

void LoadGenerateDefaults(const TIniFile& ini, TConfigSettings& settings) {
    settings.generateMode =
        static_cast<uint8_t>(ReadRanged(ini, kGlobal, "CombsGenerateMode", 0, 0, 255));
    settings.generateParameters =
        Utf8Left(ini.ReadString(kGlobal, "CombsGenerateParameters", ""), kGenerateParametersMax);
}

void LoadShredding(const TIniFile& ini, TConfigSettings& settings) {
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        settings.formulas[i] = ini.ReadString(kShredding, "Formula" + n, kDefaultFormulas[i]);
        settings.formulaDigits[i] = static_cast<uint8_t>(
            ReadRanged(ini, kShredding, "Formula" + n + "Digits", kDefaultFormulaDigits, 0, 255));
    }
}

std::vector<TConfigEntry> ConfigEntries(const TConfigSettings& settings) {
    const TConfigData& d = settings.data;
    using G = TConfigGroup;
    std::vector<TConfigEntry> e = {
        {G::Config, kGlobal, "MatrixCols", std::to_string(d.MatrixCols)},
        {G::Config, kGlobal, "MatrixSegments", SegmentsText(d.MatrixSegments)},
        {G::Config, kGlobal, "ChannelSize", std::to_string(d.ChannelSize)},
        {G::GenerateDefaults, kGlobal, "CombsGenerateMode", std::to_string(settings.generateMode)},
        {G::GenerateDefaults, kGlobal, "CombsGenerateParameters",
         Utf8Left(settings.generateParameters, kGenerateParametersMax)},
        {G::Config, kStakes, "Cost", RealText(FromCurrency(d.Cost))},
        {G::Config, kStakes, "MaxStake", std::to_string(d.MaxStake)},
        {G::Config, kStakes, "Profits", std::to_string(d.Profits.size())},
    };
    for (size_t i = 0; i < d.Profits.size(); ++i) {
        e.push_back({G::Config, kStakes, ProfitKey(static_cast<int>(i), "Overlap"),
                     std::to_string(d.Profits[i].Overlap)});
        e.push_back({G::Config, kStakes, ProfitKey(static_cast<int>(i), "Profit"),
                     RealText(FromCurrency(d.Profits[i].Profit))});
    }
    e.push_back({G::Config, kCdl, "Count", RealText(d.CDL.Count)});
    e.push_back({G::Config, kCdl, "Deviation", RealText(d.CDL.Deviation)});
    e.push_back({G::Config, kCdl, "Level", RealText(d.CDL.Level)});
    e.push_back({G::Config, kCdl, "UsePercents", d.CDL.UsePercents ? "1" : "0"});
    e.push_back({G::Config, kCdl, "UseAbsValues", d.CDL.UseAbsValues ? "1" : "0"});
    for (int i = 0; i < 3; ++i)
        e.push_back(
            {G::Shredding, kShredding, "Formula" + std::to_string(i + 1), settings.formulas[i]});
    for (int i = 0; i < 3; ++i)
        e.push_back({G::Shredding, kShredding, "Formula" + std::to_string(i + 1) + "Digits",
                     std::to_string(settings.formulaDigits[i])});
    return e;
}

void SaveConfigGroup(TIniFile& ini, const TConfigSettings& settings, TConfigGroup group) {
    for (const TConfigEntry& e : ConfigEntries(settings))
        if (e.group == group) ini.WriteString(e.section, e.key, e.value);
}

namespace {

int32_t IntValue(const std::string& key, const std::string& value, int32_t lo, int32_t hi) {
    auto v = TryStrToInt(Trim(value));
    if (!v || *v < lo || *v > hi)
        throw EConvertError(Format("Недопустимое значение %s=%s: нужно целое число от %d до %d",
                                   {key, value, lo, hi}));
    return *v;
}

long double RealValue(const std::string& key, const std::string& value) {
    auto v = TryStrToFloat(value);
    if (!v || !std::isfinite(*v))
        throw EConvertError(Format("Недопустимое значение %s=%s: нужно число", {key, value}));
    return *v;
}

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
        d.MatrixCols = IntValue(key, value, kMatrixColsMin, kMatrixColsMax);
        return G::Config;
    }
    if (is(kGlobal, "MatrixSegments")) {
        d.MatrixSegments = SegmentsValue(value);
        return G::Config;
    }
    if (is(kGlobal, "ChannelSize")) {
        d.ChannelSize = IntValue(key, value, kChannelSizeMin, kChannelSizeMax);
        return G::Config;
    }
    if (is(kGlobal, "CombsGenerateMode")) {
        settings.generateMode = static_cast<uint8_t>(IntValue(key, value, 0, kGenerateModeMax));
        return G::GenerateDefaults;
    }
    if (is(kGlobal, "CombsGenerateParameters")) {
        settings.generateParameters = Utf8Left(value, kGenerateParametersMax);
        return G::GenerateDefaults;
    }
    if (is(kStakes, "Cost")) {
        d.Cost = ToCurrency(RealValue(key, value));
        return G::Config;
    }
    if (is(kStakes, "MaxStake")) {
        d.MaxStake = IntValue(key, value, INT32_MIN, INT32_MAX);
        return G::Config;
    }
    if (is(kStakes, "Profits")) {
        const int count = IntValue(key, value, 0, kMaxProfits);
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
                p.Profit = ToCurrency(RealValue(key, value));
            else
                p.Overlap = static_cast<uint8_t>(IntValue(key, value, 0, kCombSize));
            return G::Config;
        }
    }
    if (is(kCdl, "Count")) {
        d.CDL.Count = RealValue(key, value);
        return G::Config;
    }
    if (is(kCdl, "Deviation")) {
        d.CDL.Deviation = RealValue(key, value);
        return G::Config;
    }
    if (is(kCdl, "Level")) {
        d.CDL.Level = RealValue(key, value);
        return G::Config;
    }
    if (is(kCdl, "UsePercents")) {
        d.CDL.UsePercents = IntValue(key, value, 0, 1) != 0;
        return G::Config;
    }
    if (is(kCdl, "UseAbsValues")) {
        d.CDL.UseAbsValues = IntValue(key, value, 0, 1) != 0;
        return G::Config;
    }
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        if (SameText(section, kShredding) && SameText(key, "Formula" + n)) {
            settings.formulas[i] = value;
            return G::Shredding;
        }
        if (SameText(section, kShredding) && SameText(key, "Formula" + n + "Digits")) {
            settings.formulaDigits[i] = static_cast<uint8_t>(IntValue(key, value, 0, 255));
            return G::Shredding;
        }
    }
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
