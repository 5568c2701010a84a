#include "scenario/scenario_log.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "util/append_file.h"
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
    const int error = AppendToFile(path_, bytes);
    if (error != 0) throw EFileError(Format(kLogWriteError, {SystemErrorText(error)}));
}

}  // namespace zentrix
