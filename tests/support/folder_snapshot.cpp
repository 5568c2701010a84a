#include "support/folder_snapshot.h"

#include <filesystem>

#include "util/files.h"

namespace zentrix::test {

std::map<std::string, std::string> FolderSnapshot(const std::string& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(e.path(), folder).string();
        const fs::file_status st = e.symlink_status();
        if (fs::is_symlink(st))
            entries[name] = "<link:" + fs::read_symlink(e.path()).string() + ">";
        else if (fs::is_directory(st))
            entries[name] = "<dir>";
        else
            entries[name] = ReadFileBytes(e.path().string());
    }
    return entries;
}

}  // namespace zentrix::test
