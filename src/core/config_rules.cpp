#include "core/config_rules.h"

#include <algorithm>
#include <cmath>

#include "core/config.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// True when the value is what its text with `decimals` decimals reads back as.
bool FitsDecimals(long double value, int decimals) {
    const auto back = TryStrToFloat(FloatToStrF(value, decimals));
    return back && *back == value;
}

long double CheckedReal(const std::string& key, const std::string& text, long double lo,
                        long double hi, int decimals, const char* decimalsText) {
    const auto v = TryStrToFloat(text);
    if (!v || std::isnan(*v) || *v < lo || *v > hi || !FitsDecimals(*v, decimals))
        throw EConvertError(
            Format("Недопустимое значение %s=%s: нужно число от %s до %s не "
                   "более чем с %s после запятой",
                   {key, text, FloatToStrF(lo, 0), FloatToStrF(hi, 0), decimalsText}));
    return *v;
}

}  // namespace

TCurrency ClampMoney(long double value) {
    if (std::isnan(value)) return 0;
    return ToCurrency(std::clamp<long double>(value, 0, kMoneyMax));
}

long double ClampCoefficient(long double value, long double fallback) {
    if (std::isnan(value)) return fallback;
    return std::clamp<long double>(value, -kCoefficientMax, kCoefficientMax);
}

int32_t CheckedInteger(const std::string& key, const std::string& text, int32_t lo, int32_t hi) {
    auto v = TryStrToInt(Trim(text));
    if (!v || *v < lo || *v > hi)
        throw EConvertError(Format("Недопустимое значение %s=%s: нужно целое число от %d до %d",
                                   {key, text, lo, hi}));
    return *v;
}

TCurrency CheckedMoney(const std::string& key, const std::string& text) {
    return ToCurrency(CheckedReal(key, text, 0, kMoneyMax, kMoneyDecimals, "двумя знаками"));
}

long double CheckedCoefficient(const std::string& key, const std::string& text) {
    return CheckedReal(key, text, -kCoefficientMax, kCoefficientMax, kCoefficientDecimals,
                       "тремя знаками");
}

std::string CheckedFormula(const std::string& key, const std::string& text) {
    if (Trim(text).empty())
        throw EConvertError(
            Format("Недопустимое значение %s: формула не может быть пустой", {key}));
    return text;
}

}  // namespace zentrix
