#include "scenario/scenario.h"

#include <exception>
#include <utility>

#include "scenario/scenario_file.h"
#include "scenario/scenario_line.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix {

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
    try {
        return ReadScenarioFile(path);
    } catch (const std::exception& e) {
        throw EFileError(Format(kScenarioReadError, {path, e.what()}));
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

void TScenario::LoadFile(const std::string& path) {
    lines_ = ReadLines(path);
}

void TScenario::AppendFile(const std::string& path) {
    const std::vector<std::string> lines = ReadLines(path);
    if (!lines_.empty() && !lines.empty() && !IsSeparatorLine(lines_.back())) lines_.emplace_back();
    lines_.insert(lines_.end(), lines.begin(), lines.end());
}

void TScenario::SaveFile(const std::string& path) const {
    try {
        WriteScenarioFile(path, lines_);
    } catch (const std::exception& e) {
        throw EFileError(Format(kScenarioWriteError, {path, e.what()}));
    }
}

}  // namespace zentrix
