#include "stats/prefetch.h"

#include <cstdio>

#include "core/enumerate.h"
#include "stats/custom_stat.h"
#include "stats/prefetch_layout.h"
#include "stats/stat_list.h"
#include "util/binary.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/program_folder.h"

namespace zentrix {

namespace {

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A file the reader takes as it is.
bool Readable(const std::string& path) {
    try {
        ReadPrefetchFile(path);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

std::string PrefetchFileName(const std::string& folder, const std::string& code) {
    return JoinPath(JoinPath(folder, kPrefetchFolder),
                    std::string(kProgramName) + "_" + code + kPrefetchExtension);
}

std::string PrefetchFileName(const std::string& folder, const TStatList& list, int entry) {
    const TStatMethod& m = list.MethodAt(entry);
    return PrefetchFileName(folder, m.Class->CodeOf(m.Index));
}

TPrefetchData ComputePrefetch(TCustomStat& stat) {
    TStatDrawArray values;
    for (const TComb& c : AllCombs()) stat.AddCombValues(c, values);
    SortValues(values);
    const TValueTotals totals = ValueTotals(values.Records());
    TPrefetchData data;
    data.Records.reserve(values.size());
    for (const TStatDraw& r : values) data.Records.push_back({r.Key, r.Count});
    data.MinCount = totals.MinCount;
    data.MaxCount = totals.MaxCount;
    return data;
}

std::string SerializePrefetch(const TPrefetchData& data) {
    std::string out;
    out.reserve((data.Records.size() + 1) * kPrefetchRecordSize);
    TByteWriter w(out);
    for (const TPrefetchRecord& r : data.Records) {
        for (int16_t k : r.Key.K) w.I16(k);
        w.I32(r.Count);
    }
    w.I32(data.MinCount);
    w.I32(data.MaxCount);
    w.Zeros(4);
    return out;
}

TPrefetchData ParsePrefetch(std::string_view bytes) {
    if (bytes.size() < kPrefetchRecordSize || bytes.size() % kPrefetchRecordSize != 0)
        throw EFileError(Format("Файл поврежден: размер %d байт не кратен %d.",
                                {bytes.size(), kPrefetchRecordSize}));
    TByteReader r(bytes);
    TPrefetchData data;
    const size_t count = bytes.size() / kPrefetchRecordSize - 1;
    data.Records.resize(count);
    for (size_t i = 0; i < count; ++i) {
        TPrefetchRecord& rec = data.Records[i];
        for (int16_t& k : rec.Key.K) k = r.I16();
        rec.Count = r.I32();
        if (rec.Count < 0) throw EFileError("Файл поврежден: отрицательное количество.");
        if (i > 0 && CompareKeys(data.Records[i - 1].Key, rec.Key) >= 0)
            throw EFileError("Файл поврежден: записи не упорядочены по значению.");
    }
    data.MinCount = r.I32();
    data.MaxCount = r.I32();
    const int32_t pad = r.I32();
    if (data.MinCount < 0 || data.MaxCount < 0)
        throw EFileError("Файл поврежден: отрицательное количество.");
    int32_t minCount = INT32_MAX, maxCount = 0;
    for (const TPrefetchRecord& rec : data.Records) {
        minCount = std::min(minCount, rec.Count);
        maxCount = std::max(maxCount, rec.Count);
    }
    if (pad != 0 || (count > 0 && (minCount != data.MinCount || maxCount != data.MaxCount)))
        throw EFileError("Файл поврежден: итоговая запись не соответствует данным.");
    return data;
}

TPrefetchData ReadPrefetchFile(const std::string& path) {
    return ParsePrefetch(ReadFileBytes(path));
}

void WritePrefetchFile(const std::string& path, const TPrefetchData& data) {
    try {
        EnsureDirectory(path.substr(0, path.find_last_of('/')));
        AtomicWriteFile(path, SerializePrefetch(data));
    } catch (...) {
        std::remove(path.c_str());
        throw;
    }
}

std::optional<TPrefetchData> BuildPrefetchFile(const TStatList& list, int entry,
                                               const std::string& folder, std::string& message) {
    const std::string path = PrefetchFileName(folder, list, entry);
    try {
        std::unique_ptr<TCustomStat> stat = list.CreateStat(entry);
        TPrefetchData data = ComputePrefetch(*stat);
        WritePrefetchFile(path, data);
        return data;
    } catch (const std::exception& e) {
        message = Format(kPrefetchCreateError, {path, e.what()});
        return std::nullopt;
    }
}

std::optional<TPrefetchData> OpenPrefetchFile(const TStatList& list, int entry,
                                              const std::string& folder, std::string& message) {
    if (!list.MethodAt(entry).Class->HasNorm()) return std::nullopt;
    DropStaleLayoutFiles(list, folder);
    const std::string path = PrefetchFileName(folder, list, entry);
    if (FileSize(path) <= 0) return BuildPrefetchFile(list, entry, folder, message);
    try {
        return ReadPrefetchFile(path);
    } catch (const std::exception& e) {
        message = Format(kPrefetchOpenError, {path, e.what()});
        return std::nullopt;
    }
}

int BuildPrefetchFiles(const TStatList& list, const std::string& folder,
                       const TPrefetchSelection& selection, const TPrefetchBuildHooks& hooks) {
    DropStaleLayoutFiles(list, folder);
    std::vector<int> entries = selection.entries;
    if (entries.empty())
        for (int i = 0; i < list.MethodCount(); ++i) entries.push_back(i);
    int built = 0, done = 0;
    const int total = static_cast<int>(entries.size());
    for (int i : entries) {
        const TStatClass& cls = *list.MethodAt(i).Class;
        const std::string path = PrefetchFileName(folder, list, i);
        const int group = GroupIndex(cls.MethodGroup());
        const bool rebuild = group >= 0 && group < static_cast<int>(selection.rebuild.size()) &&
                             selection.rebuild[group];
        if (cls.HasNorm() &&
            (rebuild || !FileExists(path) || (selection.repairDamaged && !Readable(path)))) {
            if (hooks.building) hooks.building(BaseName(path));
            std::string message;
            if (BuildPrefetchFile(list, i, folder, message))
                ++built;
            else if (hooks.failed)
                hooks.failed(message);
        }
        if (hooks.step) hooks.step(++done, total);
    }
    return built;
}

}  // namespace zentrix
