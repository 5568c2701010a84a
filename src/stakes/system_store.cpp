#include "stakes/system_store.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <filesystem>

#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"

namespace zentrix {

namespace {

std::time_t ToTimeT(TDateTime local) {
    const TDateParts p = DecodeDateTime(local);
    std::tm tm{};
    tm.tm_year = p.year - 1900;
    tm.tm_mon = p.month - 1;
    tm.tm_mday = p.day;
    tm.tm_hour = p.hour;
    tm.tm_min = p.minute;
    tm.tm_sec = p.second;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

}  // namespace

std::string SystemsFolder(const std::string& dataFolder) {
    return JoinPath(dataFolder, "Systems");
}

std::string SystemFileName(int nums, int block, int id) {
    return Format("%d-%.2d-%d_%.4d.dat", {8, nums, block, id});
}

std::vector<std::string> LocalSystemFiles(const std::string& folder, int nums) {
    const std::string prefix = Format("8-%.2d-", {nums});
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(ec) && name.size() > prefix.size() + 4 &&
            name.compare(0, prefix.size(), prefix) == 0 &&
            name.find('_', prefix.size()) != std::string::npos &&
            name.compare(name.size() - 4, 4, ".dat") == 0)
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
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
