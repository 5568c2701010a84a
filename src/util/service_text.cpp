#include "util/service_text.h"

namespace zentrix {

namespace {
// The letter after the backslash for codes 7..13.
constexpr char kControlLetters[] = "abtnvfr";
}  // namespace

std::string EscapeServiceText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code <= 6) {
            out += '\\';
            out += static_cast<char>('0' + code);
        } else if (code >= 7 && code <= 13) {
            out += '\\';
            out += kControlLetters[code - 7];
        } else if (code == 27) {
            out += "\\e";
        } else if (c == '"' || c == '\'' || c == '?' || c == '\\') {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapeServiceText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const char n = text[++i];
        if (n >= '0' && n <= '6') {
            out += static_cast<char>(n - '0');
        } else if (n == 'e') {
            out += '\x1b';
        } else {
            bool control = false;
            for (int k = 0; k < 7; ++k)
                if (kControlLetters[k] == n) {
                    out += static_cast<char>(7 + k);
                    control = true;
                }
            if (!control) out += n;
        }
    }
    return out;
}

std::string FormEncode(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

}  // namespace zentrix
