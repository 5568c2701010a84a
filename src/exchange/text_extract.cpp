#include "exchange/text_extract.h"

#include <algorithm>

#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// A page in an error box is unreadable: the box shows its beginning.
constexpr size_t kQuotedTextLength = 200;

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

size_t FindMark(std::string_view text, std::string_view mark, size_t from = 0) {
    if (from > text.size()) return std::string_view::npos;
    auto it =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), mark.begin(),
                    mark.end(), [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
    return it == text.end() && !mark.empty() ? std::string_view::npos
                                             : static_cast<size_t>(it - text.begin());
}

// Where the value lies and where the text after it begins; npos start = no start mark.
struct TSpan {
    size_t start = std::string_view::npos;
    size_t end = 0;
    size_t next = 0;
};

TSpan FindSpan(std::string_view text, std::string_view startMark, std::string_view endMark,
               TMissingEnd mode) {
    TSpan span;
    const size_t s = FindMark(text, startMark);
    if (s == std::string_view::npos) return span;
    span.start = s + startMark.size();
    if (endMark.empty()) {
        span.end = span.next = text.size();
        return span;
    }
    const size_t e = FindMark(text, endMark, span.start);
    if (e != std::string_view::npos) {
        span.end = e;
        span.next = e + endMark.size();
        return span;
    }
    switch (mode) {
        case TMissingEnd::Raise: {
            std::string quoted = Utf8Left(text, kQuotedTextLength);
            if (quoted.size() < text.size()) quoted += "...";
            throw EMarksNotFound(Format(
                "Не удалось найти пару идентификаторов \"%1:s\" - \"%2:s\" в тексте\n\n[%0:s]!",
                {quoted, startMark, endMark}));
        }
        case TMissingEnd::Empty:
            span.start = std::string_view::npos;
            return span;
        case TMissingEnd::Rest:
            span.end = span.next = text.size();
            return span;
    }
    return span;
}

}  // namespace

std::string Unquote(std::string_view text) {
    std::string s = Trim(text);
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') return s;
    s = s.substr(1, s.size() - 2);
    for (size_t i = s.size(); i-- > 0;)
        if (s[i] == '"' && (i == 0 || s[i - 1] != '"')) s.erase(i, 1);
    return s;
}

std::string ExtractBetween(std::string_view text, std::string_view startMark,
                           std::string_view endMark, TMissingEnd mode) {
    const TSpan span = FindSpan(text, startMark, endMark, mode);
    if (span.start == std::string_view::npos) return {};
    return Unquote(text.substr(span.start, span.end - span.start));
}

std::string CutBetween(std::string& text, std::string_view startMark, std::string_view endMark,
                       TMissingEnd mode) {
    const TSpan span = FindSpan(text, startMark, endMark, mode);
    if (span.start == std::string_view::npos) return {};
    std::string value = Unquote(std::string_view(text).substr(span.start, span.end - span.start));
    text.erase(0, span.next);
    return value;
}

std::string CutSegment(std::string& text, std::string_view marker) {
    if (marker.empty()) return {};
    const size_t s = FindMark(text, marker);
    if (s == std::string_view::npos) return {};
    const size_t start = s + marker.size();
    size_t next = FindMark(text, marker, start);
    if (next == std::string_view::npos) next = text.size();
    std::string value = Unquote(std::string_view(text).substr(start, next - start));
    text.erase(0, next);
    return value;
}

std::string ExtractBetween2(std::string_view text, std::string_view startMark1,
                            std::string_view endMark1, std::string_view startMark2,
                            std::string_view endMark2, TMissingEnd mode) {
    return ExtractBetween(ExtractBetween(text, startMark1, endMark1, mode), startMark2, endMark2,
                          mode);
}

}  // namespace zentrix
