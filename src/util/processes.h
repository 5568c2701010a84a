#pragma once

#include <string>

namespace zentrix {

// Whether another process runs the executable file with this name (not this process).
bool OtherProcessRunning(const std::string& executableName);

}  // namespace zentrix
