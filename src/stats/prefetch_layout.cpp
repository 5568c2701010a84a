#include "stats/prefetch_layout.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "stats/stat_list.h"
#include "util/files.h"
#include "util/program_folder.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// One line per layout group: its number, "=", the layout its files were counted for.
std::vector<std::pair<int, std::string>> CurrentLayouts(const TConfigData& d) {
    std::string segments;
    for (uint8_t b : d.MatrixSegments) segments += static_cast<char>('0' + (b <= 9 ? b : 1));
    return {{GroupIndex(TStatGroup::Channels), std::to_string(d.ChannelSize)},
            {GroupIndex(TStatGroup::Matrix), std::to_string(d.MatrixCols)},
            {GroupIndex(TStatGroup::Segments), segments}};
}

std::string LayoutFileName(const std::string& folder) {
    return JoinPath(JoinPath(folder, kPrefetchFolder),
                    std::string(kProgramName) + kPrefetchLayoutSuffix);
}

}  // namespace

int RemovePrefetchFiles(const TStatList& list, const std::string& folder, TGroupSet groups) {
    int removed = 0;
    for (int i = 0; i < list.MethodCount(); ++i) {
        const TStatClass& cls = *list.MethodAt(i).Class;
        const int group = GroupIndex(cls.MethodGroup());
        if (!cls.HasNorm() || group >= static_cast<int>(groups.size()) || !groups[group]) continue;
        removed += std::remove(PrefetchFileName(folder, list, i).c_str()) == 0;
    }
    return removed;
}

TGroupSet DropStaleLayoutFiles(const TStatList& list, const std::string& folder) {
    const std::string path = LayoutFileName(folder);
    std::vector<std::string> written;
    try {
        if (FileExists(path)) written = SplitLines(ReadFileBytes(path));
    } catch (const std::exception&) {
        // An unreadable list names no layout: every layout group counts as stale.
    }
    TGroupSet stale;
    std::string text;
    for (const auto& [group, layout] : CurrentLayouts(list.Config().data)) {
        const std::string line = std::to_string(group) + "=" + layout;
        if (std::find(written.begin(), written.end(), line) == written.end()) stale.set(group);
        text += line + "\r\n";
    }
    if (stale.none()) return stale;
    RemovePrefetchFiles(list, folder, stale);
    try {
        EnsureDirectory(JoinPath(folder, kPrefetchFolder));
        AtomicWriteFile(path, text);
    } catch (const std::exception&) {
        // Without the list the files are dropped again next time: rebuilt, never stale.
    }
    return stale;
}

}  // namespace zentrix
