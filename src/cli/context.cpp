#include "cli/context.h"

#include "util/program_folder.h"

namespace zentrix::cli {

const std::string& TCliContext::DataFolder() {
    if (!folder_) folder_ = ResolveDataFolder(dirOption, executablePath, false);
    return *folder_;
}

const std::string& TCliContext::CreateDataFolder() {
    if (!folder_) folder_ = ResolveDataFolder(dirOption, executablePath, true);
    return *folder_;
}

}  // namespace zentrix::cli
