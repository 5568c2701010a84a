#pragma once

#include <string>
#include <vector>

namespace zentrix {

// The working scenario is "Zentrix_8x20.lss" in the data folder; the user's are "*.lsc". Both
// are Windows-1251 text with CR LF line ends, one scenario line per text line, an empty text
// line being a separator.
inline constexpr const char* kWorkingScenarioExtension = ".lss";
inline constexpr const char* kScenarioFileExtension = "lsc";
inline constexpr const char* kScenarioFileFilter = "Файлы сценариев (*.lsc)|*.lsc";

inline constexpr const char* kScenarioReadError = "Ошибка чтения файла \"%s\"!\n\n%s";
inline constexpr const char* kScenarioWriteError = "Ошибка записи в файл \"%s\"!\n\n%s";
inline constexpr const char* kScenarioLoadStatus = "Загрузка файла \"%s\"...";
inline constexpr const char* kScenarioSaveStatus = "Сохранение файла \"%s\"...";

std::string WorkingScenarioPath(const std::string& folder);

// Raises EFileError.
std::vector<std::string> ReadScenarioFile(const std::string& path);
// Atomic: a failed write leaves the previous file whole. Raises EFileError.
void WriteScenarioFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace zentrix
