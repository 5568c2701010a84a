#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"

namespace zentrix {

inline constexpr const char* kSystemsFolderName = "Systems";
inline constexpr int kSystemMinNumbers = 9;
inline constexpr int kSystemMaxNumbers = 20;
inline constexpr const char* kNoSystemFound =
    "Система для %d чисел не найдена или не загружена на компьютер!";
inline constexpr const char* kNoSystemFoundHint =
    "\n\nПеред системной игрой необходимо предварительно загрузить системы на Ваш компьютер "
    "через меню \"Системы\" - \"Загрузить\".";
inline constexpr const char* kSystemReadFailure = "Ошибка загрузки комбинаций системы!\n\n%s";

// The folder "Systems" of the data folder.
std::string SystemsFolder(const std::string& dataFolder);

// The words of a system line: runs of anything but the fourteen separators (space * + , - . / :
// ; = \ _ | ~). A tab or any other character belongs to a word.
std::vector<std::string_view> SystemLineWords(std::string_view line);

// One line of a system over `numbers` positions: its words 1..8 are positions 1..numbers, all
// different (words after the eighth are ignored). Nothing for a line without words. Raises
// EConvertError for fewer than eight words, a word that is not a position, a position outside
// 1..numbers or one given twice: such a line would stake a ticket the system does not hold.
std::optional<TComb> ParseSystemLine(std::string_view line, int numbers);

// Every line of a system file; a malformed line fails the whole file with its line number
// (EConvertError), a file that cannot be read with EFileError. Nothing is staked from a file
// that is partly wrong.
TCombsArray ReadSystemFile(const std::string& path, int numbers);

// The text lines of a system: positions as two digits separated by single blanks.
std::vector<std::string> SystemFileLines(const TCombsArray& positions);

// A local system file named "8-NN-block_id.dat"; block and id are -1 when they are not numbers.
struct TLocalSystem {
    std::string path;
    std::string name;  // the file name without folder and extension
    int numbers = 0;
    int block = -1;
    int id = -1;
};
// What the name "8-" + N as two digits + "-" + anything + "_" + anything + ".dat" tells; nothing
// for another name.
std::optional<TLocalSystem> ParseSystemFileName(const std::string& fileName);
// The systems of the folder by N, then by name; none when the folder is missing.
std::vector<TLocalSystem> ListLocalSystems(const std::string& systemsFolder);
// The first system for that many numbers in name order.
std::optional<TLocalSystem> LocalSystemFor(const std::string& systemsFolder, int numbers);

// The combinations of the local system for numbers.size() numbers, position p replaced by the
// p-th number, and the system's name; false with kNoSystemFound when there is none. Raises
// EZentrix when the file cannot be read, is malformed or holds no combination.
bool FindLocalSystem(const std::string& systemsFolder, const TByteArray& numbers,
                     TCombsArray& combs, std::string& nameOrMessage);

}  // namespace zentrix
