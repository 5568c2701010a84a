#include "app/log_files.h"

#include "util/file_glob.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

int DeleteLogFiles(TSessionCore& core, const std::string& prefix, const std::string& suffix) {
    TDeleteFilesResult result;
    {
        TBusyScope busy(core, "Поиск файлов журналов...");
        const std::vector<std::string> logs = FindFilesLike(core.Folder(), prefix, suffix);
        if (logs.empty()) {
            core.InfoBox(kNoLogFiles);
            return 0;
        }
        result = DeleteFiles(logs);
    }
    const int deleted = static_cast<int>(result.deleted.size());
    if (result.failed.empty()) {
        core.InfoBox(
            Format("Удалено файлов журналов: %d\n\n%s", {deleted, Join(result.deleted, "\n")}));
    } else {
        core.WarningBox(
            Format("Удалено файлов журналов: %d, не удалось удалить: %d\n\n%s",
                   {deleted, static_cast<int>(result.failed.size()), Join(result.failed, "\n")}));
    }
    return deleted;
}

}  // namespace zentrix
