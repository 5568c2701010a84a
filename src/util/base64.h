#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zentrix {

// Standard Base64 with "=" padding.
std::string Base64Encode(std::string_view bytes);
// Nothing when the text is not Base64; line breaks and blanks between the characters are
// skipped.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace zentrix
