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

    // The file's lines replace the scenario. A failure raises EFileError with the text to show;
    // the lines stay as they were.
    void LoadFile(const std::string& path);
    // The file's lines follow the scenario's, after one separator when both hold lines and the
    // last line is not already one. Failure as for LoadFile.
    void AppendFile(const std::string& path);
    // Raises EFileError with the text to show; the scenario is left as it is whatever happens.
    void SaveFile(const std::string& path) const;

  private:
    void CheckIndex(int index) const;

    std::vector<std::string> lines_;
};

}  // namespace zentrix
