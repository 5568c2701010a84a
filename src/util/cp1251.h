#pragma once

#include <string>
#include <string_view>

namespace zentrix {

// Windows-1251 is the code page of every file, clipboard text and network reply the program
// exchanges; inside the program text is UTF-8.
std::string Cp1251ToUtf8(std::string_view bytes);
// Characters that Windows-1251 lacks become '?'.
std::string Utf8ToCp1251(std::string_view text);

}  // namespace zentrix
