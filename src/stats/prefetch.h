#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"
#include "util/program_folder.h"

namespace zentrix {

class TCustomStat;
class TStatList;

// Full-set distribution files: for a method with flag N, how many of the 125970 combinations
// have each value. Records of 12 bytes (K1..K4 as 16-bit fields, Count as 32-bit) sorted by
// key, then a 12-byte trailer (MinCount, MaxCount, 4 zero bytes); little-endian.
inline constexpr const char* kPrefetchExtension = ".dfc";
inline constexpr size_t kPrefetchRecordSize = 12;
inline constexpr const char* kPrefetchCreateError =
    "Ошибка создания файла данных для полного набора вариантов!\n\nИмя файла: %s\n\n%s";
inline constexpr const char* kPrefetchOpenError =
    "Ошибка открытия файла данных для полного набора вариантов!\n\nИмя файла: %s\n\n%s";
inline constexpr const char* kPrefetchBuildStatus = "Создание файла предварительной выборки %s...";
inline constexpr const char* kPrefetchBuildAllText =
    "Создание файлов для полного набора комбинаций...";

struct TPrefetchRecord {
    TStatKey Key;
    int32_t Count = 0;
    bool operator==(const TPrefetchRecord&) const = default;
};

struct TPrefetchData {
    std::vector<TPrefetchRecord> Records;  // ascending by key
    int32_t MinCount = 0;
    int32_t MaxCount = 0;
    bool operator==(const TPrefetchData&) const = default;
};

// folder/Prefetchs/Zentrix_8x20_<code>.dfc
std::string PrefetchFileName(const std::string& folder, const std::string& code);
std::string PrefetchFileName(const std::string& folder, const TStatList& list, int entry);

// The distribution of a method over all combinations. Only the full list is read; no working
// list is involved.
TPrefetchData ComputePrefetch(TCustomStat& stat);
std::string SerializePrefetch(const TPrefetchData& data);
// Raises EFileError for a damaged file: a size that is not a whole number of records with a
// trailer, records out of order, a negative count, or a trailer that disagrees with the records.
TPrefetchData ParsePrefetch(std::string_view bytes);
TPrefetchData ReadPrefetchFile(const std::string& path);
// Writes atomically; when writing fails, no file is left under the name (an old one may no
// longer fit the configuration) and the error is raised.
void WritePrefetchFile(const std::string& path, const TPrefetchData& data);

// Builds and writes an entry's file. On failure: nothing, and message holds the text to show.
std::optional<TPrefetchData> BuildPrefetchFile(const TStatList& list, int entry,
                                               const std::string& folder, std::string& message);
// The entry's distribution for the statistics table, when the comparison with the full set is on
// (the caller checks that): nothing when its class has no flag N; an
// existing non-empty file is read, a missing or empty one is built first. On failure: nothing,
// and message holds the text to show (the table is then computed without norms).
std::optional<TPrefetchData> OpenPrefetchFile(const TStatList& list, int entry,
                                              const std::string& folder, std::string& message);

using TGroupSet = std::bitset<16>;

struct TPrefetchBuildHooks {
    // Before a file is built, with its name without the folder (the status line).
    std::function<void(const std::string& fileName)> building;
    // After each registry entry (the progress window, one step per entry).
    std::function<void(int done, int total)> step;
    // A file that could not be built, with the message to show.
    std::function<void(const std::string& message)> failed;
};

// Which files BuildPrefetchFiles writes: the missing ones, those of the rebuilt groups, and with
// repairDamaged those the reader refuses.
struct TPrefetchSelection {
    TPrefetchSelection(TGroupSet groups = {}) : rebuild(groups) {}
    TGroupSet rebuild;
    bool repairDamaged = false;
    // Only these registry entries, in this order; every entry when empty.
    std::vector<int> entries;
};

// Builds the chosen files of the entries with flag N, going on past a file that fails. Returns
// how many files were written.
int BuildPrefetchFiles(const TStatList& list, const std::string& folder,
                       const TPrefetchSelection& selection, const TPrefetchBuildHooks& hooks = {});

}  // namespace zentrix
