#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrix {

// Removes blanks and control characters (code <= 32) from both ends, as Delphi's Trim does.
std::string Trim(std::string_view text);

// Splits at any of the delimiter characters. Empty words are dropped unless keepEmpty.
std::vector<std::string> SplitAny(std::string_view text, std::string_view delimiters,
                                  bool keepEmpty = false);

// Splits into lines at CR LF, LF or CR; a trailing line break adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

std::string Join(const std::vector<std::string>& words, std::string_view separator);

// Strict decimal integer: optional sign, digits only, no blanks, within 32 bits.
std::optional<int32_t> TryStrToInt(std::string_view text);
std::optional<int64_t> TryStrToInt64(std::string_view text);
int32_t StrToIntDef(std::string_view text, int32_t fallback);

// Case folding for Latin and Cyrillic letters (other characters stay as they are).
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// <0, 0, >0 comparing the case-folded texts code point by code point.
int CompareText(std::string_view a, std::string_view b);

// UTF-8 helpers: one code point appended (U+FFFD for a surrogate or one beyond U+10FFFF), length
// in code points, the first n code points.
void AppendUtf8(std::string& out, char32_t cp);
size_t Utf8Length(std::string_view text);
std::string Utf8Left(std::string_view text, size_t count);
bool IsValidUtf8(std::string_view text);

// The Russian noun form agreeing with n: one for 1, 21, 101..., few for 2-4, 22-24...,
// many for the rest and for 11-14.
const char* RussianPlural(int64_t n, const char* one, const char* few, const char* many);

}  // namespace zentrix
