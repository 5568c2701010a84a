#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zentrix {

// Windows-1251 is the code page of every file, clipboard text and network reply the program
// exchanges; inside the program text is UTF-8.
std::string Cp1251ToUtf8(std::string_view bytes);
// Characters that Windows-1251 lacks become '?'.
std::string Utf8ToCp1251(std::string_view text);
// Nothing when the text is not valid UTF-8 or holds a character Windows-1251 lacks.
std::optional<std::string> TryUtf8ToCp1251(std::string_view text);

// How a text file's bytes are encoded: a byte order mark means UTF-8; so do bytes that are valid
// UTF-8 and not all ASCII (Windows-1251 text is almost never valid UTF-8); anything else is
// Windows-1251.
enum class TTextEncoding { Cp1251, Utf8, Utf8Bom };
TTextEncoding DetectTextEncoding(std::string_view bytes);
// The bytes as UTF-8 text (the byte order mark dropped).
std::string DecodeText(std::string_view bytes, TTextEncoding encoding);

}  // namespace zentrix
