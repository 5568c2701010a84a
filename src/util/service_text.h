#pragma once

#include <string>
#include <string_view>

namespace zentrix {

// The backslash escaping of the catalog services' form values: codes 0..6 become "\0".."\6",
// 7..13 "\a" "\b" "\t" "\n" "\v" "\f" "\r", 27 "\e", and " ' ? \ a backslash and the character.
std::string EscapeServiceText(std::string_view text);
// The reverse; a backslash before any other character keeps that character, a trailing one stays.
std::string UnescapeServiceText(std::string_view text);
// A form value as "application/x-www-form-urlencoded" carries it: every byte outside
// A-Z a-z 0-9 - . _ ~ as %XX.
std::string FormEncode(std::string_view bytes);

}  // namespace zentrix
