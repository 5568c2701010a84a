#include "stakes/system_store.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <filesystem>

#include "stakes/system_file.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"

namespace zentrix {

namespace {

std::time_t ToTimeT(TDateTime local) {
    return static_cast<std::time_t>(LocalToUnixTime(local));
}

}  // namespace

std::string SystemFileName(int nums, int block, int id) {
    return Format("%d-%.2d-%d_%.4d.dat", {8, nums, block, id});
}

std::vector<std::string> LocalSystemFiles(const std::string& folder, int nums) {
    std::vector<std::string> files;
    for (const TLocalSystem& s : ListLocalSystems(folder))
        if (s.numbers == nums) files.push_back(s.path);
    return files;
}

std::string WriteSystemFile(const std::string& folder, int nums, int block, int id,
                            TDateTime created, const std::vector<std::string>& lines) {
    EnsureDirectory(folder);
    const std::string path = JoinPath(folder, SystemFileName(nums, block, id));
    WriteTextLines(path, lines);
    if (created > 0) {
        const std::time_t when = ToTimeT(created);
        const timespec times[2] = {{when, 0}, {when, 0}};
        if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
            throw EFileError(Format("Не удалось установить время файла \"%s\": %s",
                                    {path, SystemErrorText(errno)}));
    }
    for (const auto& other : LocalSystemFiles(folder, nums))
        if (other != path) std::filesystem::remove(other);
    return path;
}

void DeleteSystemFile(const std::string& folder, int nums, int block, int id) {
    std::error_code ec;
    std::filesystem::remove(JoinPath(folder, SystemFileName(nums, block, id)), ec);
}

bool SystemFileTimeIs(const std::string& path, TDateTime created) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return false;
    return created > 0 && st.st_mtime == ToTimeT(created);
}

}  // namespace zentrix
