#include "util/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "util/errors.h"
#include "util/files.h"

namespace zentrix {

namespace fs = std::filesystem;

namespace {

// Links and ".." resolved as far as the path exists, the rest normalized; a link to a file not
// made yet counts as that file.
fs::path RealPath(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    for (int hops = 0; hops < 40 && fs::is_symlink(p, ec); ++hops) {
        fs::path target = fs::read_symlink(p, ec);
        if (ec) break;
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    fs::path canonical = fs::weakly_canonical(p, ec);
    p = ec ? p.lexically_normal() : canonical;
    if (p.has_relative_path() && p.filename().empty()) p = p.parent_path();
    return p;
}

bool IsUnder(const fs::path& base, const fs::path& path) {
    return std::mismatch(base.begin(), base.end(), path.begin(), path.end()).first == base.end();
}

// A file name a killed save may have left a temporary for: one of the folder's own files, a
// backup of one, a full-set file or the full-set files' layout record.
bool IsOwnName(const std::string& name, bool inPrefetchFolder) {
    const std::string program = kProgramName;
    if (inPrefetchFolder)
        return name == program + "_layout.txt" ||
               (name.rfind(program + "_", 0) == 0 && name.size() > 4 &&
                name.compare(name.size() - 4, 4, ".dfc") == 0);
    for (const char* extension : kProgramFileExtensions) {
        const std::string own = program + extension;
        if (name == own) return true;
        const std::string backup = own + ".bak";
        if (name.rfind(backup, 0) == 0 &&
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(backup.size()), name.end(),
                        [](char c) { return c >= '0' && c <= '9'; }))
            return true;
    }
    return false;
}

void RemoveTemporariesIn(const fs::path& folder, bool inPrefetchFolder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::optional<std::string> target = SaveTemporaryTarget(name);
        if (!target || !IsOwnName(*target, inPrefetchFolder)) continue;
        std::error_code statError;
        if (it->symlink_status(statError).type() == fs::file_type::regular)
            fs::remove(it->path(), statError);
    }
}

}  // namespace

std::string ResolveDataFolder(const std::optional<std::string>& dirOption,
                              const std::string& executablePath, bool create) {
    std::string folder;
    if (dirOption && !dirOption->empty()) {
        folder = *dirOption;
    } else if (const char* env = std::getenv("ZENTRIX_DIR"); env && *env) {
        folder = env;
    } else {
        const fs::path exeDir = fs::path(executablePath).parent_path();
        const bool writable = !exeDir.empty() && ::access(exeDir.c_str(), W_OK) == 0;
        std::error_code ec;
        const fs::path working = fs::current_path(ec);
        folder = ChooseDataFolder(exeDir.string(), IsInstalledLayout(exeDir.string()), writable,
                                  std::getenv("XDG_DATA_HOME"), std::getenv("HOME"),
                                  ec ? std::string(".") : working.string());
    }
    if (create) {
        EnsureDirectory(folder);
    } else {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0)
            throw EFileError("Каталог данных " + folder + ": " + SystemErrorText(errno));
        if (!S_ISDIR(st.st_mode))
            throw EFileError("Каталог данных " + folder + ": " + SystemErrorText(ENOTDIR));
    }
    std::error_code ec;
    fs::path absolute = fs::absolute(folder, ec);
    return ec ? folder : absolute.lexically_normal().string();
}

bool IsInstalledLayout(const std::string& executableFolder) {
    if (executableFolder.empty()) return false;
    const fs::path bin = fs::path(executableFolder).lexically_normal();
    const fs::path name = bin.has_filename() ? bin.filename() : bin.parent_path().filename();
    std::error_code ec;
    return name == "bin" && fs::is_directory(bin / ".." / "share" / "zentrix", ec);
}

std::string ChooseDataFolder(const std::string& executableFolder, bool installed,
                             bool executableFolderWritable, const char* xdgDataHome,
                             const char* home, const std::string& workingFolder) {
    if (!installed && executableFolderWritable && !executableFolder.empty())
        return executableFolder;
    const fs::path base = xdgDataHome && *xdgDataHome ? fs::path(xdgDataHome)
                          : home && *home             ? fs::path(home) / ".local" / "share"
                                                      : fs::path(workingFolder);
    return (base / kProgramName).string();
}

std::string ProgramFile(const std::string& folder, const std::string& extension) {
    return JoinPath(folder, std::string(kProgramName) + extension);
}

bool IsInsideFolder(const std::string& folder, const std::string& path) {
    return IsUnder(RealPath(folder), RealPath(path));
}

bool IsProgramDataFile(const std::string& folder, const std::string& path) {
    const fs::path real = RealPath(path);
    for (const char* extension : kProgramFileExtensions)
        if (real == RealPath(ProgramFile(folder, extension))) return true;
    return IsUnder(RealPath(JoinPath(folder, kPrefetchFolder)), real);
}

void RemoveStaleTemporaries(const std::string& folder) {
    RemoveTemporariesIn(folder, false);
    RemoveTemporariesIn(fs::path(folder) / kPrefetchFolder, true);
}

std::string ExecutablePath(const char* argv0) {
    std::error_code ec;
    fs::path p = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return p.string();
    return argv0 ? argv0 : "";
}

}  // namespace zentrix
