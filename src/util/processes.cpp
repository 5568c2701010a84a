#include "util/processes.h"

#include <unistd.h>

#include <filesystem>

namespace zentrix {

bool OtherProcessRunning(const std::string& executableName) {
    namespace fs = std::filesystem;
    const std::string self = std::to_string(::getpid());
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        const std::string pid = entry.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid == self)
            continue;
        std::error_code linkError;
        fs::path exe = fs::read_symlink(entry.path() / "exe", linkError);
        if (!linkError && exe.filename() == executableName) return true;
    }
    return false;
}

}  // namespace zentrix
