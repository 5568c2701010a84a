#pragma once

#include <array>
#include <optional>
#include <string>

namespace zentrix {

// Every file of the program is named after the program file.
inline constexpr const char* kProgramName = "Zentrix_8x20";
// The data folder's own files, by extension: the draws archive, the configuration, the window
// settings, the favourite methods, the stakes, the ratings, the scenario, the regular stakes.
inline constexpr std::array<const char*, 8> kProgramFileExtensions = {
    ".ldr", ".ini", ".frm", ".flt", ".lsk", ".lrt", ".lss", ".ltb"};
// The data folder's folder of full-set distribution files.
inline constexpr const char* kPrefetchFolder = "Prefetchs";

// The data folder: --dir, else $ZENTRIX_DIR, else DefaultDataFolder. Created when missing if
// `create`; otherwise a missing folder raises EFileError.
std::string ResolveDataFolder(const std::optional<std::string>& dirOption,
                              const std::string& executablePath, bool create);

// Whether the executable's folder is the bin folder of an installation: "bin" with
// "../share/zentrix" beside it.
bool IsInstalledLayout(const std::string& executableFolder);

// The folder data goes to when none is named: the executable's folder when the program is not
// installed and that folder is writable, else $XDG_DATA_HOME/Zentrix_8x20, else
// ~/.local/share/Zentrix_8x20, else Zentrix_8x20 in the working folder. An installed program
// never writes beside itself, even where it could (root).
std::string ChooseDataFolder(const std::string& executableFolder, bool installed,
                             bool executableFolderWritable, const char* xdgDataHome,
                             const char* home, const std::string& workingFolder);

// Folder + "Zentrix_8x20" + extension, e.g. ProgramFile(dir, ".ldr").
std::string ProgramFile(const std::string& folder, const std::string& extension);

// Whether `path`, once links and ".." are resolved, lies inside `folder` (or is it).
bool IsInsideFolder(const std::string& folder, const std::string& path);
// Whether `path`, once links and ".." are resolved, is one of the data folder's own files or lies
// in its Prefetchs folder.
bool IsProgramDataFile(const std::string& folder, const std::string& path);

// Removes the temporary files that killed saves of the folder's own files left behind (only
// those names; other files stay). Call only while holding the folder.
void RemoveStaleTemporaries(const std::string& folder);

// The running executable's path (from /proc/self/exe), or argv0 when that fails.
std::string ExecutablePath(const char* argv0);

}  // namespace zentrix
