#pragma once

#include <string>
#include <vector>

namespace zentrix {

// The files of a folder (not of its subfolders) named prefix + any text + suffix, sorted by name.
std::vector<std::string> FindFilesLike(const std::string& folder, const std::string& prefix,
                                       const std::string& suffix);

struct TDeleteFilesResult {
    std::vector<std::string> deleted;  // file names
    std::vector<std::string> failed;   // "name: reason"
};
// Deletes each file; a failure does not stop the others.
TDeleteFilesResult DeleteFiles(const std::vector<std::string>& paths);

}  // namespace zentrix
