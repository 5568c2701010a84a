#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/config_data.h"

namespace zentrix {

// The valid values of the configuration, as the parameters and formulas dialogs offer them.
// Loading moves a stored value to the nearest valid one; `config set` refuses an invalid one.

inline constexpr int kMatrixColsMin = 1, kMatrixColsMax = 20;
inline constexpr int kChannelSizeMin = 2, kChannelSizeMax = 20;
inline constexpr size_t kGenerateParametersMax = 255;
inline constexpr int kGenerateModeMax = 4;
inline constexpr int kFormulaDigitsMin = 1, kFormulaDigitsMax = 5;
// More prize entries than this are not read: a damaged count must not stall the start.
inline constexpr int kMaxProfits = 256;
inline constexpr int kOverlapMax = 255;  // what a prize entry's byte holds
// The stake cost and the prizes: 0 .. kMoneyMax, two decimals.
inline constexpr int64_t kMoneyMax = 1'000'000'000'000;
inline constexpr int kMoneyDecimals = 2;
// The weight coefficients: -kCoefficientMax .. kCoefficientMax, three decimals.
inline constexpr int64_t kCoefficientMax = 1'000'000'000;
inline constexpr int kCoefficientDecimals = 3;

// The nearest valid value; a NaN gives the fallback.
TCurrency ClampMoney(long double value);
long double ClampCoefficient(long double value, long double fallback);

// A typed value checked; EConvertError names the key and what it takes.
int32_t CheckedInteger(const std::string& key, const std::string& text, int32_t lo, int32_t hi);
TCurrency CheckedMoney(const std::string& key, const std::string& text);
long double CheckedCoefficient(const std::string& key, const std::string& text);
std::string CheckedFormula(const std::string& key, const std::string& text);

}  // namespace zentrix
