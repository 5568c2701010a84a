#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"

namespace zentrix {

// Combination files (*.lcv): one combination per line, "1;5;7;11;12;15;18;20", Windows-1251,
// CR LF.
inline constexpr const char* kCombFileFilter = "Файлы комбинаций (*.lcv)|*.lcv";
inline constexpr const char* kCombFileExtension = "lcv";

// A line is used when it splits at "," and ";" into exactly 8 words; the numbers are taken as
// written (no range or order check).
std::optional<TComb> ParseCombFileLine(std::string_view line);
// Appends the file's combinations; other lines are skipped silently. Raises EFileError.
void ReadCombFile(const std::string& path, TCombsArray& out);
// Writes the combinations atomically; raises EFileError.
void WriteCombFile(const std::string& path, const TCombsArray& combs);

// The clipboard form: the given rows in row order as "01 05 07 ..." lines joined by CR LF; rows
// outside the list are left out.
std::string CombsClipboardText(const TCombsArray& combs, const std::vector<int>& rows);
// Every line read with ParseComb; the first malformed line raises its EConvertError.
TCombsArray ParseCombLines(const std::vector<std::string>& lines);

}  // namespace zentrix
