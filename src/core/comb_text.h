#pragma once

#include <string>
#include <string_view>

#include "core/draw.h"
#include "core/game.h"

namespace zentrix {

// 1;5;7;11;12;15;18;20
std::string NumbersText(const TComb& comb);
// 01 05 07 11 12 15 18 20 (the clipboard form)
std::string CombText(const TComb& comb);
std::string CountedNumbersText(const TCountedNumbers& set, std::string_view separator);
// Тираж № 105 от 07.03.2024 19:30, значения: 3;8;1;20;14;6;11;17 e:2
std::string DrawText(const TDraw& draw);

// One number of a combination as read from text: a word that is not a number in 0..255 gives 0.
uint8_t CombByte(std::string_view word);

// Eight words separated by TAB, blank, comma, hyphen, full stop, colon, semicolon or vertical
// bar; kept in the given order, a word that is not a number in 0..255 giving 0. Any other word
// count raises EConvertError "Некорректная комбинация: "<text>"!".
TComb ParseComb(std::string_view text);

// A list "3;5;9" or "3,5,9", or else a range "L-U;S" / "L-U,S"; empty when neither reads.
TIntArray ParseIntList(std::string_view text);
std::string IntListText(const TIntArray& list, std::string_view separator);

// "-" unless text is a non-negative integer v; otherwise v - fact, "+" marking a positive one.
std::string SignedDifference(std::string_view text, int64_t fact);

// 1 "Вручную", 2 "Регуляр", 3 "Сценарий", 4 "Система", anything else empty.
std::string StakeKindName(int kind);

}  // namespace zentrix
