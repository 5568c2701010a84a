#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zentrix {

// Number formatting settings: each thread starts from the user's locale's; a TFormatScope
// overrides them for the current thread only.
struct TFormatSettings {
    char decimalSeparator = ',';                 // printed reals
    std::string thousandSeparator = "\xC2\xA0";  // no-break space
    // Reals in settings files: the locale's, so a printing override never reaches a file.
    char fileDecimalSeparator = ',';
};

// The current thread's settings.
const TFormatSettings& FormatSettings();

// Replaces the current thread's settings while it lives; the previous ones come back at its end,
// also when an exception leaves the scope. Scopes nest.
class TFormatScope {
  public:
    explicit TFormatScope(const TFormatSettings& settings);
    // Keeps the current settings, to be changed through the scope.
    TFormatScope();
    ~TFormatScope();
    TFormatScope(const TFormatScope&) = delete;
    TFormatScope& operator=(const TFormatScope&) = delete;

    // Overrides the separator of printed reals only; settings files keep theirs.
    void SetDecimalSeparator(char separator);

  private:
    TFormatSettings saved_;
};

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
