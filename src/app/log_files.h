#pragma once

#include <string>

#include "app/session_core.h"

namespace zentrix {

inline constexpr const char* kNoLogFiles = "Файлы журналов не найдены!";

// Deletes the logs of the data folder named prefix + any text + suffix, without asking, and
// shows the outcome: an information box when every file went, a warning listing the failures
// otherwise, "Файлы журналов не найдены!" when there was none. Returns how many were deleted.
int DeleteLogFiles(TSessionCore& core, const std::string& prefix, const std::string& suffix);

}  // namespace zentrix
