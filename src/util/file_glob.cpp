#include "util/file_glob.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "util/files.h"

namespace zentrix {

namespace fs = std::filesystem;

std::vector<std::string> FindFilesLike(const std::string& folder, const std::string& prefix,
                                       const std::string& suffix) {
    std::vector<std::string> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        std::error_code kind;
        if (it->is_regular_file(kind)) found.push_back(it->path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

TDeleteFilesResult DeleteFiles(const std::vector<std::string>& paths) {
    TDeleteFilesResult result;
    for (const std::string& path : paths) {
        const std::string name = fs::path(path).filename().string();
        std::error_code ec;
        if (fs::remove(path, ec))
            result.deleted.push_back(name);
        else
            result.failed.push_back(name + ": " +
                                    (ec ? SystemErrorText(ec.value()) : std::string("нет файла")));
    }
    return result;
}

}  // namespace zentrix
