#pragma once

#include <optional>
#include <string_view>

namespace zentrix {

inline constexpr const char* kTestCountTitle = "Количество тестов";
inline constexpr const char* kTestCountPrompt = "Укажите количество тестов:";
inline constexpr const char* kTestCountTooFewDraws =
    "Для теста сценария в архиве должно быть не менее двух тиражей!";

// The dialog "Количество тестов": 1 .. draws - 1, 10 unless fewer are possible.
struct TTestCountDialog {
    int minimum = 1;
    int maximum = 0;
    int initial = 0;
    explicit TTestCountDialog(int drawCount);
    bool Possible() const { return maximum >= minimum; }
    // The typed count, or nothing when it is not a whole number within the range.
    std::optional<int> Accept(std::string_view text) const;
};

}  // namespace zentrix
