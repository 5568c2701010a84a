#pragma once

#include <bitset>
#include <string>

#include "core/draw.h"

namespace zentrix {

// Operations on the archive array (oldest first). `offset` counts back from the newest draw;
// the reference draw has index High - offset.

// 1 for an empty archive, -1 for an offset outside 0..count-1, else the reference draw's
// number + 1; -1 also when the reference draw's number is the largest, leaving no next one.
int NextDrawNumber(const TDrawsArray& draws, int offset);
// The stored numbers of the draw after the reference draw joined by ";"; empty unless
// 0 < offset < count.
std::string NextDrawText(const TDrawsArray& draws, int offset);
// The reference draw's 8 numbers; zeros when the offset lies outside the archive.
TComb DrawAtOffset(const TDrawsArray& draws, int offset);
// The numbers of the draw after the reference draw as a set; empty when offset is 0.
std::bitset<256> NextDrawSet(const TDrawsArray& draws, int offset);

// Index of the draw with that number, or -1: an interpolation search over an ascending archive,
// then a scan from the newest draw for an archive that is not ascending.
int FindDrawIndex(const TDrawsArray& draws, int number);
// Raises EZentrix "Запись со индексом %d в файле данных не найдена!" for a bad index.
void DeleteDrawAt(TDrawsArray& draws, int index);

// A draw's numbers as consumers see them: ascending when `sorted` (the stored order is kept).
TComb DrawNumbers(const TDraw& draw, bool sorted);
int NumbersSum(const TComb& numbers);

}  // namespace zentrix
