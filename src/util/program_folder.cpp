#include "util/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "util/files.h"

namespace zentrix {

namespace fs = std::filesystem;

std::string ResolveDataFolder(const std::optional<std::string>& dirOption,
                              const std::string& executablePath) {
    std::string folder;
    if (dirOption && !dirOption->empty()) {
        folder = *dirOption;
    } else if (const char* env = std::getenv("ZENTRIX_DIR"); env && *env) {
        folder = env;
    } else {
        fs::path exeDir = fs::path(executablePath).parent_path();
        if (!exeDir.empty() && ::access(exeDir.c_str(), W_OK) == 0) {
            folder = exeDir.string();
        } else {
            const char* xdg = std::getenv("XDG_DATA_HOME");
            const char* home = std::getenv("HOME");
            fs::path base = xdg && *xdg ? fs::path(xdg)
                            : home      ? fs::path(home) / ".local" / "share"
                                        : fs::current_path();
            folder = (base / kProgramName).string();
        }
    }
    EnsureDirectory(folder);
    std::error_code ec;
    fs::path absolute = fs::absolute(folder, ec);
    return ec ? folder : absolute.lexically_normal().string();
}

std::string ProgramFile(const std::string& folder, const std::string& extension) {
    return JoinPath(folder, std::string(kProgramName) + extension);
}

std::string ExecutablePath(const char* argv0) {
    std::error_code ec;
    fs::path p = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return p.string();
    return argv0 ? argv0 : "";
}

}  // namespace zentrix
