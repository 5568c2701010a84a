#include "scenario/scenario_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "util/cp1251.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

std::string Stamp(TDateTime time, const char* pattern) {
    const TDateParts p = DecodeDateTime(time);
    return Format(pattern, {p.year, p.month, p.day, p.hour, p.minute, p.second});
}

bool Matches(const std::string& name, const std::string& prefix, const std::string& suffix) {
    return name.size() >= prefix.size() + suffix.size() && name.starts_with(prefix) &&
           name.ends_with(suffix);
}

}  // namespace

std::string ScenarioLogName(TDateTime start) {
    return "ScriptLog_" + Stamp(start, "%.4d-%.2d-%.2d-%.2d-%.2d-%.2d") + ".txt";
}

std::string LogBanner(const std::string& head, char fill) {
    const size_t used = Utf8Length(head);
    return head + std::string(used < kLogRuleWidth ? kLogRuleWidth - used : 0, fill);
}

void TScenarioLog::Open(const std::string& folder, TDateTime start) {
    path_ = JoinPath(folder, ScenarioLogName(start));
}

void TScenarioLog::Write(const std::string& line, TDateTime time) const {
    if (!IsOpen()) return;
    const std::string bytes =
        Utf8ToCp1251("[" + Stamp(time, "%.4d-%.2d-%.2d %.2d:%.2d:%.2d") + "]: " + line) + "\r\n";
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    int error = fd < 0 ? errno : 0;
    if (fd >= 0) {
        ssize_t n;
        do n = ::write(fd, bytes.data(), bytes.size());
        while (n < 0 && errno == EINTR);
        if (n != static_cast<ssize_t>(bytes.size())) error = n < 0 ? errno : ENOSPC;
        if (::close(fd) != 0 && error == 0) error = errno;
    }
    if (error != 0) throw EFileError(Format(kLogWriteError, {SystemErrorText(error)}));
}

TLogDeletion DeleteLogFiles(const std::string& folder, const std::string& prefix,
                            const std::string& suffix) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && Matches(it->path().filename().string(), prefix, suffix))
            files.push_back(it->path());
    std::sort(files.begin(), files.end());
    TLogDeletion result;
    result.found = static_cast<int>(files.size());
    std::vector<std::string> deleted, failed;
    for (const fs::path& file : files) {
        if (::unlink(file.c_str()) == 0 || errno == ENOENT)
            deleted.push_back(file.filename().string());
        else
            failed.push_back(file.filename().string() + ": " + SystemErrorText(errno));
    }
    result.completed = failed.empty();
    result.summary =
        result.completed
            ? Format("Удалено файлов: %d.", {static_cast<int>(deleted.size())})
            : Format("Удалено файлов: %d, не удалось удалить: %d.",
                     {static_cast<int>(deleted.size()), static_cast<int>(failed.size())});
    result.details = Join(result.completed ? deleted : failed, "\n");
    return result;
}

}  // namespace zentrix
