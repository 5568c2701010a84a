#include "scenario/scenario.h"

#include <exception>
#include <utility>

#include "scenario/scenario_file.h"
#include "scenario/scenario_line.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix {

namespace {

bool ReadLines(const std::string& path, std::vector<std::string>& lines, std::string& message) {
    try {
        lines = ReadScenarioFile(path);
        return true;
    } catch (const std::exception& e) {
        message = Format(kScenarioReadError, {path, e.what()});
        return false;
    }
}

}  // namespace

void TScenario::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw EZentrix(Format(kLineNotFound, {index}));
}

const std::string& TScenario::Line(int index) const {
    CheckIndex(index);
    return lines_[index];
}

int TScenario::Add(std::string line) {
    lines_.push_back(std::move(line));
    return Count() - 1;
}

void TScenario::Set(int index, std::string line) {
    CheckIndex(index);
    lines_[index] = std::move(line);
}

void TScenario::Remove(int index) {
    CheckIndex(index);
    lines_.erase(lines_.begin() + index);
}

void TScenario::Swap(int a, int b) {
    CheckIndex(a);
    CheckIndex(b);
    std::swap(lines_[a], lines_[b]);
}

bool TScenario::LoadFile(const std::string& path, std::string& message) {
    std::vector<std::string> lines;
    if (!ReadLines(path, lines, message)) return false;
    lines_ = std::move(lines);
    return true;
}

bool TScenario::AppendFile(const std::string& path, std::string& message) {
    std::vector<std::string> lines;
    if (!ReadLines(path, lines, message)) return false;
    if (!lines_.empty() && !lines.empty() && !IsSeparatorLine(lines_.back())) lines_.emplace_back();
    lines_.insert(lines_.end(), lines.begin(), lines.end());
    return true;
}

bool TScenario::SaveFile(const std::string& path, std::string& message) const {
    try {
        WriteScenarioFile(path, lines_);
        return true;
    } catch (const std::exception& e) {
        message = Format(kScenarioWriteError, {path, e.what()});
        return false;
    }
}

}  // namespace zentrix
