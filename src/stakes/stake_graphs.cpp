#include "stakes/stake_graphs.h"

#include <algorithm>
#include <unordered_map>

#include "util/errors.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr TColor kGreen{0, 128, 0};
constexpr TColor kBlue{0, 0, 255};
constexpr TColor kRed{255, 0, 0};
constexpr TColor kGrey{128, 128, 128};
constexpr size_t kGraphDraws = 100;

long double Money(TCurrency value) {
    return static_cast<long double>(value) / kCurrencyScale;
}

bool IsResult(const TStakeRec& rec) {
    return rec.Checked && rec.Draw > 0 && rec.Matches() >= 0;
}

// Where the last kGraphDraws draws of the file begin, and how many draws that is.
std::pair<size_t, size_t> LastDraws(const std::vector<TStakeRec>& stakes) {
    size_t distinct = 0;
    int32_t current = 0;
    for (size_t i = stakes.size(); i-- > 0;) {
        if (!IsResult(stakes[i])) continue;
        if (distinct == 0 || stakes[i].Draw != current) {
            if (distinct == kGraphDraws) return {i + 1, distinct};
            ++distinct;
            current = stakes[i].Draw;
        }
    }
    return {0, distinct};
}

}  // namespace

std::vector<TGraphPoint> ProfitByDrawsGraph(const std::vector<TStakeRec>& stakes) {
    std::vector<std::pair<int32_t, TCurrency>> sums;
    std::unordered_map<int32_t, size_t> index;
    for (const TStakeRec& rec : stakes) {
        if (rec.Draw < 0) continue;
        auto [it, added] = index.emplace(rec.Draw, sums.size());
        if (added) sums.push_back({rec.Draw, 0});
        sums[it->second].second += rec.Profit;
    }
    if (sums.empty()) throw EZentrix(kTooFewGraphDraws);
    TCurrency total = 0;
    for (const auto& [draw, sum] : sums) total += sum;
    const long double mean = Money(total) / sums.size();
    std::vector<TGraphPoint> points;
    TCurrency running = 0;
    for (const auto& [draw, sum] : sums) {
        running += sum;
        points.push_back(
            {draw, "Суммарный профит ставок по тиражу", Money(sum), true, true, kGreen});
        points.push_back({draw, "Среднее значение", mean, false, false, kBlue});
        points.push_back({draw, "Накопленное значение", Money(running), true, true, kRed});
    }
    return points;
}

std::vector<TGraphPoint> RatingStakesGraph(const std::vector<TStakeRec>& stakes,
                                           const std::vector<std::string>& comments, bool profit) {
    const auto [first, distinct] = LastDraws(stakes);
    if (distinct < 2) throw EZentrix(kTooFewGraphDraws);
    std::vector<TGraphPoint> points;
    for (size_t i = first; i < stakes.size(); ++i) {
        const TStakeRec& rec = stakes[i];
        if (!IsResult(rec)) continue;
        const auto match =
            std::find_if(comments.begin(), comments.end(),
                         [&](const std::string& c) { return SameText(c, rec.Comment); });
        if (match == comments.end()) continue;
        points.push_back({rec.Draw, *match,
                          profit ? Money(rec.Profit) : static_cast<long double>(rec.Matches()),
                          true, true, std::nullopt});
    }
    return points;
}

std::vector<TGraphPoint> MatchCountGraph(const TRatingsArray& ratings,
                                         const std::vector<size_t>& rows) {
    int32_t most = 0;
    for (size_t row : rows)
        if (row < ratings.size()) most = std::max(most, ratings[row].Stakes);
    std::vector<TGraphPoint> points;
    const auto& tables = MatchTables();
    for (int i = 0; i <= kCombSize; ++i)
        points.push_back({i, "Нормальные значения",
                          static_cast<long double>(tables.counts[i]) * most / kCombCount, true,
                          false, kGrey});
    for (size_t row : rows) {
        if (row >= ratings.size()) continue;
        for (int i = 0; i <= kCombSize; ++i)
            points.push_back({i, ratings[row].Comment,
                              static_cast<long double>(ratings[row].Histogram[i]), true, false,
                              std::nullopt});
    }
    return points;
}

}  // namespace zentrix
