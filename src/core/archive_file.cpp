#include "core/archive_file.h"

#include <algorithm>
#include <vector>

#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/strings.h"

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
    std::vector<std::string> damage;
    if (!readError.empty())
        damage.push_back(Format("%s: %s. Прочитано полных записей: %d.",
                                {path, readError, static_cast<int64_t>(whole)}));
    else if (stray != 0)
        damage.push_back(Format(
            "%s: размер файла (%d байт) не кратен размеру записи (%d байта). Прочитано полных "
            "записей: %d, лишние байты в конце (%d) пропущены.",
            {path, static_cast<int64_t>(bytes.size()), static_cast<int64_t>(kDrawRecordSize),
             static_cast<int64_t>(whole), static_cast<int64_t>(stray)}));
    const auto firstBad = std::find_if(result.draws.begin(), result.draws.end(),
                                       [](const TDraw& d) { return !IsSoundDraw(d); });
    if (firstBad != result.draws.end()) {
        const int64_t bad = std::count_if(firstBad, result.draws.end(),
                                          [](const TDraw& d) { return !IsSoundDraw(d); });
        damage.push_back(
            Format("%s: записей с недопустимыми значениями (числа вне 1..20 или повторяются, "
                   "дополнительное число вне 0..4): %d, первая из них: тираж № %d. Записи "
                   "оставлены в архиве, чтобы их можно было исправить или удалить; статистика их "
                   "не учитывает.",
                   {path, bad, static_cast<int64_t>(firstBad->Number)}));
    }
    if (!damage.empty()) {
        damage.push_back("Перед первой записью файл будет сохранен в резервную копию рядом с ним.");
        result.damaged = true;
        result.error = Join(damage, " ");
    }
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
