#pragma once

#include <string>
#include <string_view>

namespace zentrix {

// Appends the bytes to the file (created when missing) in one write, as logs grow; 0 or the
// system error number.
int AppendToFile(const std::string& path, std::string_view bytes);

}  // namespace zentrix
