#include "util/format.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "util/errors.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// Per thread, so an override in one thread (a CLI run, a test) never shows in another.
TFormatSettings& Settings() {
    static const TFormatSettings locale = LocaleFormatSettings();
    thread_local TFormatSettings settings = locale;
    return settings;
}

// A real as rounded decimal digits: value = 0.digits × 10^pointPos.
struct TDecimal {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    int pointPos = 0;
};

// 18 significant digits first (what an 80-bit real holds), then rounded half away from zero.
TDecimal ToDecimal(long double value) {
    TDecimal d;
    if (value == 0 || !std::isfinite(value)) return d;
    d.negative = value < 0;
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 17);
    std::string_view text(buf, res.ptr - buf);
    size_t e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.') d.digits += c;
    d.pointPos = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Keeps `keep` leading digits, rounding half away from zero.
void RoundDigits(TDecimal& d, int keep) {
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (static_cast<int>(d.digits.size()) <= keep) return;
    bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.digits.pop_back();
            ++d.pointPos;
            if (d.digits.empty()) d.digits = "1";
        } else {
            ++d.digits[i];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

std::string GroupThousands(const std::string& intPart, const std::string& separator) {
    std::string out;
    int n = static_cast<int>(intPart.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += separator;
        out += intPart[i];
    }
    return out;
}

std::string FixedText(long double value, int decimals, bool thousands) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    decimals = std::clamp(decimals, 0, 18);
    TDecimal d = ToDecimal(value);
    if (!d.digits.empty() && d.pointPos + decimals >= 0) {
        RoundDigits(d, d.pointPos + decimals);
    } else {
        d.digits.clear();
    }
    std::string intPart, fracPart;
    for (int i = 0; i < d.pointPos; ++i)
        intPart += i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0';
    if (intPart.empty()) intPart = "0";
    for (int i = 0; i < decimals; ++i) {
        int idx = d.pointPos + i;
        fracPart += idx >= 0 && idx < static_cast<int>(d.digits.size()) ? d.digits[idx] : '0';
    }
    const TFormatSettings& fs = Settings();
    std::string out = (d.negative && !d.digits.empty()) ? "-" : "";
    out += thousands ? GroupThousands(intPart, fs.thousandSeparator) : intPart;
    if (decimals > 0) out += fs.decimalSeparator + fracPart;
    return out;
}

std::string ExponentText(int exponent, int minDigits, bool plusSign) {
    std::string digits = std::to_string(std::abs(exponent));
    while (static_cast<int>(digits.size()) < minDigits) digits.insert(digits.begin(), '0');
    return std::string("E") + (exponent < 0 ? "-" : plusSign ? "+" : "") + digits;
}

std::string ScientificText(long double value, int precision) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    precision = std::clamp(precision, 1, 18);
    TDecimal d = ToDecimal(value);
    RoundDigits(d, precision);
    std::string digits = d.digits.empty() ? "0" : d.digits;
    digits.resize(precision, '0');
    int exponent = d.digits.empty() ? 0 : d.pointPos - 1;
    std::string out = d.negative && !d.digits.empty() ? "-" : "";
    out += digits[0];
    if (precision > 1) out += Settings().decimalSeparator + digits.substr(1);
    return out + ExponentText(exponent, 3, true);
}

std::string GeneralText(long double value, int precision) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    precision = std::clamp(precision, 1, 18);
    TDecimal d = ToDecimal(value);
    RoundDigits(d, precision);
    if (d.digits.empty()) return "0";
    std::string out = d.negative ? "-" : "";
    char sep = Settings().decimalSeparator;
    int exponent = d.pointPos - 1;
    if (exponent >= precision || exponent < -5) {
        out += d.digits[0];
        if (d.digits.size() > 1) out += sep + d.digits.substr(1);
        return out + ExponentText(exponent, 1, false);
    }
    if (d.pointPos <= 0) {
        out += "0";
        out += sep;
        out += std::string(-d.pointPos, '0') + d.digits;
        return out;
    }
    for (int i = 0; i < d.pointPos; ++i)
        out += i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0';
    if (static_cast<int>(d.digits.size()) > d.pointPos) out += sep + d.digits.substr(d.pointPos);
    return out;
}

[[noreturn]] void BadFormat(std::string_view format) {
    throw EConvertError("Format '" + std::string(format) +
                        "' invalid or incompatible with argument");
}

std::string PadTo(std::string text, int width, bool left) {
    int len = static_cast<int>(Utf8Length(text));
    if (width > len) {
        std::string pad(width - len, ' ');
        text = left ? text + pad : pad + text;
    }
    return text;
}

}  // namespace

const TFormatSettings& FormatSettings() {
    return Settings();
}

TFormatScope::TFormatScope(const TFormatSettings& settings) : saved_(Settings()) {
    Settings() = settings;
}
TFormatScope::TFormatScope() : saved_(Settings()) {}
TFormatScope::~TFormatScope() {
    Settings() = saved_;
}
void TFormatScope::SetDecimalSeparator(char separator) {
    Settings().decimalSeparator = separator;
}

TFormatSettings LocaleFormatSettings() {
    TFormatSettings fs;
    const char* name = nullptr;
    for (const char* var : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* v = std::getenv(var);
        if (v && *v) {
            name = v;
            break;
        }
    }
    if (!name || std::string_view(name) == "C" || std::string_view(name) == "POSIX") {
        fs.decimalSeparator = fs.fileDecimalSeparator = '.';
        fs.thousandSeparator = ",";
        return fs;
    }
    if (locale_t loc = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(0))) {
        const char* radix = nl_langinfo_l(RADIXCHAR, loc);
        const char* thousands = nl_langinfo_l(THOUSEP, loc);
        if (radix && std::char_traits<char>::length(radix) == 1) fs.decimalSeparator = radix[0];
        if (thousands && *thousands)
            fs.thousandSeparator = thousands;
        else
            fs.thousandSeparator = fs.decimalSeparator == ',' ? "\xC2\xA0" : ",";
        freelocale(loc);
        fs.fileDecimalSeparator = fs.decimalSeparator == ',' ? ',' : '.';
        return fs;
    }
    // The locale is not installed: guess from the language part of its name.
    std::string lang = LowerCase(std::string_view(name).substr(0, 2));
    static const char* kCommaLanguages[] = {"ru", "uk", "be", "kk", "de", "fr", "es", "it", "pt",
                                            "pl", "cs", "sk", "bg", "sr", "hr", "nl", "sv", "fi",
                                            "da", "nb", "tr", "ro", "hu", "lt", "lv", "et"};
    bool comma = std::any_of(std::begin(kCommaLanguages), std::end(kCommaLanguages),
                             [&](const char* l) { return lang == l; });
    fs.decimalSeparator = fs.fileDecimalSeparator = comma ? ',' : '.';
    fs.thousandSeparator = comma ? "\xC2\xA0" : ",";
    return fs;
}

std::string FloatToStrF(long double value, int decimals) {
    return FixedText(value, decimals, false);
}

std::string FloatToStrShortest(long double value) {
    return FloatToStrShortest(value, Settings().decimalSeparator);
}

std::string FloatToStrShortest(long double value, char separator) {
    char buf[128];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    std::string text(buf, res.ptr);
    for (char& c : text)
        if (c == '.')
            c = separator;
        else if (c == 'e')
            c = 'E';
    return text;
}

std::optional<long double> TryStrToFloat(std::string_view input) {
    std::string text = Trim(input);
    if (text.empty()) return std::nullopt;
    for (char& c : text)
        if (c == Settings().decimalSeparator || c == ',') c = '.';
    const char* begin = text.data();
    if (*begin == '+') ++begin;
    long double value = 0;
    auto res = std::from_chars(begin, text.data() + text.size(), value);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string Format(std::string_view format, std::initializer_list<TFormatArg> argList) {
    std::vector<const TFormatArg*> args;
    for (const TFormatArg& a : argList) args.push_back(&a);
    std::string out;
    size_t argIndex = 0;
    auto nextArg = [&]() -> const TFormatArg& {
        if (argIndex >= args.size()) BadFormat(format);
        return *args[argIndex++];
    };
    auto intArg = [&](const TFormatArg& a) -> int64_t {
        if (auto p = std::get_if<int64_t>(&a.Value())) return *p;
        BadFormat(format);
    };
    size_t i = 0;
    const size_t n = format.size();
    while (i < n) {
        char c = format[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i >= n) BadFormat(format);
        if (format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // A number, or "*" taking it from the arguments.
        auto readNumber = [&]() -> std::optional<int> {
            if (i < n && format[i] == '*') {
                ++i;
                return static_cast<int>(intArg(nextArg()));
            }
            if (i >= n || format[i] < '0' || format[i] > '9') return std::nullopt;
            int v = 0;
            while (i < n && format[i] >= '0' && format[i] <= '9') {
                v = v * 10 + (format[i++] - '0');
                if (v > 100000) BadFormat(format);
            }
            return v;
        };
        std::optional<int> first = readNumber();
        if (first && i < n && format[i] == ':') {
            ++i;
            argIndex = *first;
            first.reset();
        }
        bool left = false;
        if (!first && i < n && format[i] == '-') {
            left = true;
            ++i;
        }
        std::optional<int> width = first ? first : readNumber();
        std::optional<int> precision;
        if (i < n && format[i] == '.') {
            ++i;
            precision = readNumber().value_or(0);
        }
        if (i >= n) BadFormat(format);
        char type = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i++])));
        const TFormatArg& arg = nextArg();
        std::string text;
        switch (type) {
            case 'd':
            case 'u': {
                int64_t v = intArg(arg);
                if (type == 'u' && v < 0) v = static_cast<uint32_t>(v);
                std::string digits =
                    std::to_string(v < 0 ? -static_cast<uint64_t>(v) : static_cast<uint64_t>(v));
                if (precision && static_cast<int>(digits.size()) < *precision)
                    digits.insert(0, *precision - digits.size(), '0');
                text = (v < 0 ? "-" : "") + digits;
                break;
            }
            case 'x': {
                int64_t v = intArg(arg);
                uint64_t u = (v >= INT32_MIN && v <= INT32_MAX) ? static_cast<uint32_t>(v)
                                                                : static_cast<uint64_t>(v);
                char buf[32];
                auto res = std::to_chars(buf, buf + sizeof buf, u, 16);
                text.assign(buf, res.ptr);
                for (char& ch : text) ch = static_cast<char>(std::toupper(ch));
                if (precision && static_cast<int>(text.size()) < *precision)
                    text.insert(0, *precision - text.size(), '0');
                break;
            }
            case 'e':
            case 'f':
            case 'g':
            case 'n': {
                long double v;
                if (auto p = std::get_if<long double>(&arg.Value()))
                    v = *p;
                else if (auto q = std::get_if<int64_t>(&arg.Value()))
                    v = static_cast<long double>(*q);
                else
                    BadFormat(format);
                if (type == 'f')
                    text = FixedText(v, precision.value_or(2), false);
                else if (type == 'n')
                    text = FixedText(v, precision.value_or(2), true);
                else if (type == 'e')
                    text = ScientificText(v, precision.value_or(15));
                else
                    text = GeneralText(v, precision.value_or(15));
                break;
            }
            case 's': {
                if (auto p = std::get_if<std::string>(&arg.Value()))
                    text = *p;
                else if (auto q = std::get_if<int64_t>(&arg.Value()))
                    text = std::to_string(*q);
                else
                    BadFormat(format);
                if (precision) text = Utf8Left(text, *precision);
                break;
            }
            default:
                BadFormat(format);
        }
        out += PadTo(std::move(text), width.value_or(0), left);
    }
    return out;
}

}  // namespace zentrix
