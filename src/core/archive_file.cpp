#include "core/archive_file.h"

#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"

namespace zentrix {

std::string SerializeDraws(const TDrawsArray& draws) {
    std::string bytes;
    bytes.reserve(draws.size() * kDrawRecordSize);
    for (const TDraw& d : draws) WriteDrawRecord(bytes, d);
    return bytes;
}

void WriteDrawsFile(const std::string& path, const TDrawsArray& draws) {
    AtomicWriteFile(path, SerializeDraws(draws));
}

TDrawsFileRead ReadDrawsFile(const std::string& path) {
    TDrawsFileRead result;
    if (FileSize(path) < 0) return result;
    std::string readError;
    const std::string bytes = ReadAvailableBytes(path, readError);
    const size_t whole = bytes.size() / kDrawRecordSize;
    result.draws.reserve(whole);
    for (size_t i = 0; i < whole; ++i)
        result.draws.push_back(
            ReadDrawRecord(std::string_view(bytes).substr(i * kDrawRecordSize, kDrawRecordSize)));
    const size_t stray = bytes.size() % kDrawRecordSize;
    if (!readError.empty()) {
        result.damaged = true;
        result.error = Format("%s: %s. Прочитано полных записей: %d.",
                              {path, readError, static_cast<int64_t>(whole)});
    } else if (stray != 0) {
        result.damaged = true;
        result.error = Format(
            "%s: размер файла (%d байт) не кратен размеру записи (%d байта). Прочитано полных "
            "записей: %d, лишние байты в конце (%d) пропущены.",
            {path, static_cast<int64_t>(bytes.size()), static_cast<int64_t>(kDrawRecordSize),
             static_cast<int64_t>(whole), static_cast<int64_t>(stray)});
    }
    if (result.damaged)
        result.error += " Перед первой записью файл будет сохранен в резервную копию рядом с ним.";
    return result;
}

std::string BackupDamagedFile(const std::string& path) {
    if (FileSize(path) < 0) return {};
    std::string backup = path + ".bak";
    for (int i = 2; FileSize(backup) >= 0; ++i) backup = path + ".bak" + std::to_string(i);
    const std::string bytes = ReadFileBytes(path);
    AtomicWriteFile(backup, bytes);
    return backup;
}

}  // namespace zentrix
