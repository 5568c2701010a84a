#pragma once

#include <optional>
#include <string>

namespace zentrix {

// Every file of the program is named after the program file.
inline constexpr const char* kProgramName = "Zentrix_8x20";

// The data folder: --dir, else $ZENTRIX_DIR, else the executable's folder when it is writable,
// else $XDG_DATA_HOME/Zentrix_8x20 (~/.local/share/Zentrix_8x20). Created when missing.
std::string ResolveDataFolder(const std::optional<std::string>& dirOption,
                              const std::string& executablePath);

// Folder + "Zentrix_8x20" + extension, e.g. ProgramFile(dir, ".ldr").
std::string ProgramFile(const std::string& folder, const std::string& extension);

// The running executable's path (from /proc/self/exe), or argv0 when that fails.
std::string ExecutablePath(const char* argv0);

}  // namespace zentrix
