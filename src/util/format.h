#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zentrix {

// Number formatting settings of the user's locale; the CLI and the tests may override them.
struct TFormatSettings {
    char decimalSeparator = ',';                 // printed reals
    std::string thousandSeparator = "\xC2\xA0";  // no-break space
    // Reals in settings files: the locale's, so a printing override never reaches a file.
    char fileDecimalSeparator = ',';
};

const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
// Overrides the separator of printed reals only; settings files keep theirs.
void SetDecimalSeparator(char separator);
// Reads the separators of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG).
TFormatSettings LocaleFormatSettings();

// One argument of Format: an integer, a real or a text.
class TFormatArg {
  public:
    TFormatArg(int v) : value_(static_cast<int64_t>(v)) {}
    TFormatArg(unsigned v) : value_(static_cast<int64_t>(v)) {}
    TFormatArg(long v) : value_(static_cast<int64_t>(v)) {}
    TFormatArg(long long v) : value_(static_cast<int64_t>(v)) {}
    TFormatArg(unsigned long v) : value_(static_cast<int64_t>(v)) {}
    TFormatArg(double v) : value_(static_cast<long double>(v)) {}
    TFormatArg(long double v) : value_(v) {}
    TFormatArg(const char* v) : value_(std::string(v)) {}
    TFormatArg(std::string_view v) : value_(std::string(v)) {}
    TFormatArg(const std::string& v) : value_(v) {}

    const std::variant<int64_t, long double, std::string>& Value() const { return value_; }

  private:
    std::variant<int64_t, long double, std::string> value_;
};

// Delphi-compatible Format: "%" [index ":"] ["-"] [width] ["." precision] type, with the types
// d u x e f g n s and "%%". Widths and "*" work as in Delphi; precision zero-pads integers and
// cuts texts. A bad specifier or argument raises EConvertError.
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args = {});

// Real in fixed notation with the given decimals and the locale's decimal separator; halves are
// rounded away from zero, as the Delphi formatter does.
std::string FloatToStrF(long double value, int decimals);
// The shortest text that reads back to the same value, with the given decimal separator or the
// printed one.
std::string FloatToStrShortest(long double value, char separator);
std::string FloatToStrShortest(long double value);
// Accepts the locale's separator or a full stop, surrounding blanks and an exponent.
std::optional<long double> TryStrToFloat(std::string_view text);

}  // namespace zentrix
