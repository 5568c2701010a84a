#include "core/archive.h"

#include <cmath>
#include <cstdint>

#include "util/errors.h"
#include "util/format.h"

namespace zentrix {

namespace {

int High(const TDrawsArray& draws) {
    return static_cast<int>(draws.size()) - 1;
}

}  // namespace

int NextDrawNumber(const TDrawsArray& draws, int offset) {
    if (draws.empty()) return 1;
    if (offset < 0 || offset > High(draws)) return -1;
    const int32_t number = draws[High(draws) - offset].Number;
    return number < INT32_MAX ? number + 1 : -1;
}

std::string NextDrawText(const TDrawsArray& draws, int offset) {
    if (offset <= 0 || offset >= static_cast<int>(draws.size())) return {};
    std::string text;
    for (uint8_t n : draws[High(draws) - offset + 1].Numbers) {
        if (!text.empty()) text += ';';
        text += std::to_string(n);
    }
    return text;
}

TComb DrawAtOffset(const TDrawsArray& draws, int offset) {
    if (offset < 0 || offset > High(draws)) return {};
    return draws[High(draws) - offset].Numbers;
}

std::bitset<256> NextDrawSet(const TDrawsArray& draws, int offset) {
    std::bitset<256> set;
    if (offset <= 0 || offset >= static_cast<int>(draws.size())) return set;
    for (uint8_t n : draws[High(draws) - offset + 1].Numbers) set.set(n);
    return set;
}

int FindDrawIndex(const TDrawsArray& draws, int number) {
    if (draws.empty()) return -1;
    const int high = High(draws);
    const int64_t first = draws.front().Number;
    const int64_t last = draws.back().Number;
    if (first == number) return 0;
    if (last == number) return high;
    const int64_t span = last - first + 1;
    if (span != 0) {
        long double estimate =
            std::round(static_cast<long double>(draws.size()) * (number - first) / span);
        int i = estimate > high ? high : estimate < 0 ? 0 : static_cast<int>(estimate);
        if (draws[i].Number == number) return i;
        const int step = draws[i].Number < number ? 1 : -1;
        // Walk towards the target while the numbers still lie on its side.
        while (i >= 0 && i <= high &&
               (step > 0 ? draws[i].Number < number : draws[i].Number > number))
            i += step;
        if (i >= 0 && i <= high && draws[i].Number == number) return i;
    }
    for (int i = high; i >= 0; --i)
        if (draws[i].Number == number) return i;
    return -1;
}

void DeleteDrawAt(TDrawsArray& draws, int index) {
    if (index < 0 || index > High(draws))
        throw EZentrix(Format("Запись со индексом %d в файле данных не найдена!", {index}));
    draws.erase(draws.begin() + index);
}

TComb DrawNumbers(const TDraw& draw, bool sorted) {
    TComb numbers = draw.Numbers;
    if (sorted) SortComb(numbers);
    return numbers;
}

int NumbersSum(const TComb& numbers) {
    int sum = 0;
    for (uint8_t n : numbers) sum += n;
    return sum;
}

}  // namespace zentrix
