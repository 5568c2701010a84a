#include "util/strings.h"

#include <charconv>

namespace zentrix {

namespace {

bool IsBlank(unsigned char c) {
    return c <= ' ';
}

// Decodes one code point at pos (advancing pos). Invalid bytes decode as themselves.
char32_t DecodeAt(std::string_view s, size_t& pos) {
    unsigned char c = static_cast<unsigned char>(s[pos]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra == 0 || pos + extra >= s.size()) {
        ++pos;
        return c;
    }
    char32_t cp = c & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        unsigned char cc = static_cast<unsigned char>(s[pos + i]);
        if ((cc & 0xC0) != 0x80) {
            ++pos;
            return c;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

char32_t FoldLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 32;  // А..Я
    if (c >= 0x400 && c <= 0x40F) return c + 80;  // Ѐ..Џ (Ё among them)
    return c;
}

char32_t FoldUpper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0x430 && c <= 0x44F) return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    return c;
}

template <typename Fold>
std::string MapCase(std::string_view text, Fold fold) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        size_t start = pos;
        char32_t cp = DecodeAt(text, pos);
        char32_t mapped = fold(cp);
        if (mapped == cp)
            out.append(text.substr(start, pos - start));
        else
            AppendUtf8(out, mapped);
    }
    return out;
}

template <typename T>
std::optional<T> TryInt(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::string_view digits = text;
    bool negative = false;
    if (digits[0] == '+' || digits[0] == '-') {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return std::nullopt;
    for (char c : digits)
        if (c < '0' || c > '9') return std::nullopt;
    // Parse with the sign attached so the most negative value still fits.
    std::string buffer = negative ? "-" + std::string(digits) : std::string(digits);
    T value{};
    auto [ptr, ec] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec != std::errc() || ptr != buffer.data() + buffer.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string Trim(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && IsBlank(static_cast<unsigned char>(text[e - 1]))) --e;
    return std::string(text.substr(b, e - b));
}

std::vector<std::string> SplitAny(std::string_view text, std::string_view delimiters,
                                  bool keepEmpty) {
    std::vector<std::string> words;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || delimiters.find(text[i]) != std::string_view::npos) {
            if (keepEmpty || i > start) words.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return words;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string Join(const std::vector<std::string>& words, std::string_view separator) {
    std::string out;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i) out += separator;
        out += words[i];
    }
    return out;
}

std::optional<int32_t> TryStrToInt(std::string_view text) {
    return TryInt<int32_t>(text);
}
std::optional<int64_t> TryStrToInt64(std::string_view text) {
    return TryInt<int64_t>(text);
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) {
    return TryStrToInt(text).value_or(fallback);
}

std::string LowerCase(std::string_view text) {
    return MapCase(text, FoldLower);
}
std::string UpperCase(std::string_view text) {
    return MapCase(text, FoldUpper);
}

int CompareText(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t ca = FoldLower(DecodeAt(a, i));
        char32_t cb = FoldLower(DecodeAt(b, j));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool SameText(std::string_view a, std::string_view b) {
    return CompareText(a, b) == 0;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

size_t Utf8Length(std::string_view text) {
    size_t n = 0;
    for (size_t pos = 0; pos < text.size(); ++n) DecodeAt(text, pos);
    return n;
}

std::string Utf8Left(std::string_view text, size_t count) {
    size_t pos = 0;
    for (size_t n = 0; n < count && pos < text.size(); ++n) DecodeAt(text, pos);
    return std::string(text.substr(0, pos));
}

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80             ? 0
                    : (c & 0xE0) == 0xC0 ? 1
                    : (c & 0xF0) == 0xE0 ? 2
                    : (c & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (extra < 0 || (extra == 1 && c < 0xC2)) return false;
        if (extra > 0 && i + extra >= s.size()) return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

const char* RussianPlural(int64_t n, const char* one, const char* few, const char* many) {
    const int64_t units = (n < 0 ? -n : n) % 100;
    if (units >= 11 && units <= 14) return many;
    switch (units % 10) {
        case 1:
            return one;
        case 2:
        case 3:
        case 4:
            return few;
        default:
            return many;
    }
}

}  // namespace zentrix
