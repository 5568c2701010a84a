#include "util/cp1251.h"

#include <algorithm>
#include <array>

#include "util/strings.h"

namespace zentrix {

namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F. 0 marks the unused 0x98.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::optional<char> ToCp1251(char32_t cp) {
    if (cp < 0x80) return static_cast<char>(cp);
    if (cp >= 0x410 && cp <= 0x44F) return static_cast<char>(0xC0 + (cp - 0x410));
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] != 0 && kHigh[i] == cp) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

// Converts code point by code point; `strict` stops at the first character that has no byte.
std::optional<std::string> Convert(std::string_view text, bool strict) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (c >= 0x80 && c < 0xC0) {  // stray continuation byte
            if (strict) return std::nullopt;
            out += '?';
            ++i;
            continue;
        }
        if (extra > 0 && i + extra >= text.size()) {
            if (strict) return std::nullopt;
            out += '?';
            break;
        }
        char32_t cp = extra ? (c & (0x3F >> extra)) : c;
        for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (text[i + k] & 0x3F);
        const std::optional<char> b = ToCp1251(cp);
        if (!b && strict) return std::nullopt;
        out += b.value_or('?');
        i += extra + 1;
    }
    return out;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        unsigned char b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out += ch;
        else if (b >= 0xC0)
            AppendUtf8(out, 0x410 + (b - 0xC0));
        else if (kHigh[b - 0x80] != 0)
            AppendUtf8(out, kHigh[b - 0x80]);
        else
            out += '?';
    }
    return out;
}

std::string Utf8ToCp1251(std::string_view text) {
    return *Convert(text, false);
}

std::optional<std::string> TryUtf8ToCp1251(std::string_view text) {
    if (!IsValidUtf8(text)) return std::nullopt;
    return Convert(text, true);
}

TTextEncoding DetectTextEncoding(std::string_view bytes) {
    if (bytes.substr(0, kBom.size()) == kBom) return TTextEncoding::Utf8Bom;
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return !ascii && IsValidUtf8(bytes) ? TTextEncoding::Utf8 : TTextEncoding::Cp1251;
}

std::string DecodeText(std::string_view bytes, TTextEncoding encoding) {
    switch (encoding) {
        case TTextEncoding::Utf8Bom:
            return std::string(bytes.substr(kBom.size()));
        case TTextEncoding::Utf8:
            return std::string(bytes);
        case TTextEncoding::Cp1251:
            break;
    }
    return Cp1251ToUtf8(bytes);
}

}  // namespace zentrix
