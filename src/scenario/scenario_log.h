#pragma once

#include <string>
#include <vector>

#include "util/datetime.h"

namespace zentrix {

inline constexpr int kLogRuleWidth = 94;
inline constexpr const char* kLogWriteError = "Ошибка записи журнала: %s!";

// "ScriptLog_yyyy-mm-dd-hh-nn-ss.txt" for a run started at `start`.
std::string ScenarioLogName(TDateTime start);
// The head filled with `fill` up to the rule width; a rule alone for an empty head.
std::string LogBanner(const std::string& head, char fill);

// The execution log of one run. Each line is its own append (opened, written, closed), so the
// log is readable while the run goes on and a crash loses nothing written.
class TScenarioLog {
  public:
    // Starts a log in the folder; the file appears with its first line.
    void Open(const std::string& folder, TDateTime start);
    void Close() { path_.clear(); }
    bool IsOpen() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    // "[yyyy-mm-dd hh:nn:ss]: " and the line, Windows-1251 with CR LF. Raises EFileError with
    // kLogWriteError.
    void Write(const std::string& line, TDateTime time) const;

  private:
    std::string path_;
};

}  // namespace zentrix
