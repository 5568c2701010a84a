#include "stakes/system_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr std::string_view kSeparators = " *+,-./:;=\\_|~";
constexpr size_t kQuotedWordLimit = 20;

bool IsSeparator(char c) {
    return kSeparators.find(c) != std::string_view::npos;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A word as the message quotes it: a hostile line never floods the box.
std::string Quoted(std::string_view word) {
    return Utf8Left(word, kQuotedWordLimit) + (Utf8Length(word) > kQuotedWordLimit ? "..." : "");
}

}  // namespace

std::string SystemsFolder(const std::string& dataFolder) {
    return JoinPath(dataFolder, kSystemsFolderName);
}

std::vector<std::string_view> SystemLineWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSeparator(line[i])) ++i;
        const size_t start = i;
        while (i < line.size() && !IsSeparator(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::optional<TComb> ParseSystemLine(std::string_view line, int numbers) {
    const std::vector<std::string_view> words = SystemLineWords(line);
    if (words.empty()) return std::nullopt;
    if (words.size() < size_t(kCombSize))
        throw EConvertError(Format("в строке %d позиций вместо восьми", {int(words.size())}));
    TComb comb{};
    uint32_t seen = 0;
    for (int i = 0; i < kCombSize; ++i) {
        const std::string_view word = words[size_t(i)];
        const std::optional<int32_t> p = AllDigits(word) ? TryStrToInt(word) : std::nullopt;
        if (!p) throw EConvertError(Format("\"%s\" не является номером позиции", {Quoted(word)}));
        if (*p < 1 || *p > numbers)
            throw EConvertError(Format("позиция %d вне диапазона 1..%d", {*p, numbers}));
        if (seen & (1u << *p)) throw EConvertError(Format("позиция %d повторяется", {*p}));
        seen |= 1u << *p;
        comb[size_t(i)] = uint8_t(*p);
    }
    return comb;
}

TCombsArray ReadSystemFile(const std::string& path, int numbers) {
    const std::vector<std::string> lines = ReadTextLines(path);
    TCombsArray combs;
    combs.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        try {
            if (std::optional<TComb> comb = ParseSystemLine(lines[i], numbers))
                combs.push_back(*comb);
        } catch (const EConvertError& e) {
            throw EConvertError(
                Format("Файл \"%s\", строка %d: %s",
                       {std::filesystem::path(path).filename().string(), int(i + 1), e.what()}));
        }
    }
    return combs;
}

std::vector<std::string> SystemFileLines(const TCombsArray& positions) {
    std::vector<std::string> lines;
    lines.reserve(positions.size());
    for (const TComb& comb : positions) {
        std::string line;
        for (uint8_t p : comb) {
            if (!line.empty()) line += ' ';
            line += Format("%.2d", {int(p)});
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::optional<TLocalSystem> ParseSystemFileName(const std::string& fileName) {
    // "8-" NN "-" anything "_" anything ".dat"
    constexpr std::string_view kExt = ".dat";
    if (fileName.size() < 2 + 2 + 1 + 1 + kExt.size() || fileName.compare(0, 2, "8-") != 0 ||
        fileName[4] != '-' || !AllDigits(std::string_view(fileName).substr(2, 2)) ||
        fileName.compare(fileName.size() - kExt.size(), kExt.size(), kExt) != 0)
        return std::nullopt;
    const std::string stem = fileName.substr(0, fileName.size() - kExt.size());
    const size_t underscore = stem.find('_', 5);
    if (underscore == std::string::npos) return std::nullopt;
    TLocalSystem system;
    system.name = stem;
    system.numbers = std::stoi(stem.substr(2, 2));
    const std::string block = stem.substr(5, underscore - 5);
    const std::string id = stem.substr(underscore + 1);
    if (AllDigits(block)) system.block = TryStrToInt(block).value_or(-1);
    if (AllDigits(id)) system.id = TryStrToInt(id).value_or(-1);
    return system;
}

std::vector<TLocalSystem> ListLocalSystems(const std::string& systemsFolder) {
    std::vector<TLocalSystem> systems;
    std::error_code ec;
    std::filesystem::directory_iterator it(systemsFolder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        std::optional<TLocalSystem> system = ParseSystemFileName(it->path().filename().string());
        if (!system) continue;
        system->path = it->path().string();
        systems.push_back(std::move(*system));
    }
    std::sort(systems.begin(), systems.end(), [](const TLocalSystem& a, const TLocalSystem& b) {
        return a.numbers != b.numbers ? a.numbers < b.numbers : a.name < b.name;
    });
    return systems;
}

std::optional<TLocalSystem> LocalSystemFor(const std::string& systemsFolder, int numbers) {
    for (TLocalSystem& system : ListLocalSystems(systemsFolder))
        if (system.numbers == numbers) return std::move(system);
    return std::nullopt;
}

bool FindLocalSystem(const std::string& systemsFolder, const TByteArray& numbers,
                     TCombsArray& combs, std::string& nameOrMessage) {
    const int n = int(numbers.size());
    combs.clear();
    const std::optional<TLocalSystem> system = LocalSystemFor(systemsFolder, n);
    if (!system) {
        nameOrMessage = Format(kNoSystemFound, {n});
        return false;
    }
    TCombsArray positions = ReadSystemFile(system->path, n);
    if (positions.empty())
        throw EConvertError(Format("В файле \"%s\" нет комбинаций",
                                   {std::filesystem::path(system->path).filename().string()}));
    for (TComb& comb : positions)
        for (uint8_t& p : comb) p = numbers[size_t(p - 1)];
    combs = std::move(positions);
    nameOrMessage = system->name;
    return true;
}

}  // namespace zentrix
