#pragma once

#include <string>
#include <vector>

namespace zentrix {

inline constexpr const char* kLineNotFound = "Запись со индексом %d в файле данных не найдена!";

// The current scenario: its lines in execution order, an empty line being a separator.
class TScenario {
  public:
    const std::vector<std::string>& Lines() const { return lines_; }
    int Count() const { return static_cast<int>(lines_.size()); }
    // An index outside the list raises EZentrix kLineNotFound.
    const std::string& Line(int index) const;

    // Returns the new line's index.
    int Add(std::string line);
    void Set(int index, std::string line);
    void Remove(int index);
    void Swap(int a, int b);
    void Clear() { lines_.clear(); }

    // The file's lines replace the scenario. On failure the lines stay as they were, the result
    // is false and message holds the text to show.
    bool LoadFile(const std::string& path, std::string& message);
    // The file's lines follow the scenario's, after one separator when both hold lines and the
    // last line is not already one. Failure as for LoadFile.
    bool AppendFile(const std::string& path, std::string& message);
    // The scenario is left as it is whatever happens.
    bool SaveFile(const std::string& path, std::string& message) const;

  private:
    void CheckIndex(int index) const;

    std::vector<std::string> lines_;
};

}  // namespace zentrix
