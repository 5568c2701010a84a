#pragma once

#include <string>
#include <string_view>

#include "util/errors.h"

namespace zentrix {

// The start mark was found, its end mark was not.
class EMarksNotFound : public EZentrix {
  public:
    using EZentrix::EZentrix;
};

// What a search does when the start mark is there and the end mark is not.
enum class TMissingEnd {
    Raise,  // EMarksNotFound
    Empty,  // an empty result
    Rest,   // everything after the start mark
};

// Marks are found without regard to the case of ASCII letters; every result is trimmed and
// unquoted.

// Trims; a text enclosed in double quotes loses them, and a doubled quote inside becomes one.
std::string Unquote(std::string_view text);
// The text after the first start mark up to the first end mark behind it; empty without the
// start mark. An empty end mark runs to the end of the text.
std::string ExtractBetween(std::string_view text, std::string_view startMark,
                           std::string_view endMark, TMissingEnd mode);
// ExtractBetween, then the text loses everything up to and including the end mark (all of it
// when the rest was taken). Without the start mark, or an empty result for a missing end mark,
// the text stays.
std::string CutBetween(std::string& text, std::string_view startMark, std::string_view endMark,
                       TMissingEnd mode);
// The text between the first marker and the next one (or the end); the text then starts at that
// next marker, so repeated calls walk through the segments. Without the marker: empty, and the
// text stays.
std::string CutSegment(std::string& text, std::string_view marker);
// ExtractBetween with the second marks over the result of ExtractBetween with the first.
std::string ExtractBetween2(std::string_view text, std::string_view startMark1,
                            std::string_view endMark1, std::string_view startMark2,
                            std::string_view endMark2, TMissingEnd mode);

}  // namespace zentrix
