#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/chart_series.h"
#include "core/draw.h"

namespace zentrix {

inline constexpr const char* kRepeatsCaption = "Количество повторов в зависимости от тиража";
inline constexpr const char* kRepeatsCollectText = "Идет сбор статистики....";
inline constexpr const char* kRepeatsChartText = "Создание графиков...";
inline constexpr int kRepeatsLengthDefault = 100;
inline constexpr int kRepeatsDepthDefault = 100;

// One row of the repeats list: for draw `Draw`, how many earlier draws share `Matches` numbers
// with it, and which (newest first, separated by a blank).
struct TRepeatsRow {
    int32_t Draw = 0;
    int Matches = 0;
    int Repeats = 0;
    std::string DrawList;
    bool operator==(const TRepeatsRow&) const = default;
};

// The captions of the list's columns.
const std::vector<std::string>& RepeatsColumns();
std::vector<std::string> RepeatsRowTexts(const TRepeatsRow& row);

// For each of the newest `length` draws of the whole archive, newest first, the draws up to
// `depth` back compared with it: one row per number of shared numbers, in the order those counts
// were first met going back. `step` runs once per draw. Records no draw can have are skipped.
std::vector<TRepeatsRow> AnalyzeRepeats(const TDrawsArray& draws, int length, int depth,
                                        const std::function<void()>& step = {});

// The number of draws AnalyzeRepeats looks at (its progress steps).
int RepeatsDrawCount(const TDrawsArray& draws, int length);

// Series "Совпадений: k" for k = 1..the largest count, each in a random colour with markers
// outlined in another: the repeats of each draw; `step` runs once per row.
std::vector<TChartSeries> RepeatsChart(const std::vector<TRepeatsRow>& rows, std::mt19937& random,
                                       const std::function<void()>& step = {});

}  // namespace zentrix
