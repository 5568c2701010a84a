#include "stakes/stake_make.h"

#include <memory>
#include <numeric>
#include <random>

#include "core/archive.h"
#include "core/config.h"

namespace zentrix {

TStakeRec NewStake(const TConfigData& config, uint8_t kind, int32_t draw, int32_t selection,
                   const TComb& numbers, const std::string& comment) {
    TStakeRec rec;
    rec.Kind = kind;
    rec.Draw = draw;
    rec.Selection = selection;
    rec.Numbers = TCountedNumbers::FromComb(numbers);
    SortCountedNumbers(rec.Numbers);
    rec.Profit = StakeResult(config, rec.Numbers.Count, -1);
    rec.Comment = comment;
    return rec;
}

int32_t StakeDraw(const TDrawsArray& draws, int offset) {
    return NextDrawNumber(draws, offset);
}

TRandomIndex SystemRandomIndex() {
    auto engine = std::make_shared<std::mt19937_64>(std::random_device{}());
    return [engine](size_t count) {
        return std::uniform_int_distribution<size_t>(0, count - 1)(*engine);
    };
}

TRandomIndex SeededRandomIndex(uint64_t seed) {
    auto engine = std::make_shared<std::mt19937_64>(seed);
    return [engine](size_t count) {
        return std::uniform_int_distribution<size_t>(0, count - 1)(*engine);
    };
}

TStakeRec ManualStake(const TConfigData& config, int32_t draw, const TCombsArray& list,
                      const TComb& numbers, const std::string& comment) {
    return NewStake(config, kStakeManual, draw, static_cast<int32_t>(list.size()), numbers,
                    comment);
}

TStakeRec RandomStake(const TConfigData& config, int32_t draw, const TCombsArray& list,
                      const TRandomIndex& random, const std::string& comment) {
    if (list.empty()) throw EZentrix("Список комбинаций пуст!");
    return ManualStake(config, draw, list, list[random(list.size()) % list.size()], comment);
}

std::vector<TStakeRec> StakesForCombs(const TConfigData& config, int32_t draw,
                                      const TCombsArray& list, const std::vector<size_t>& rows,
                                      const std::string& comment) {
    std::vector<TStakeRec> stakes;
    stakes.reserve(rows.size());
    for (size_t row : rows)
        if (row < list.size())
            stakes.push_back(ManualStake(config, draw, list, list[row], comment));
    return stakes;
}

std::vector<size_t> AllRows(const TCombsArray& list) {
    std::vector<size_t> rows(list.size());
    std::iota(rows.begin(), rows.end(), size_t{0});
    return rows;
}

std::vector<TStakeRec> StakeCopies(const std::vector<TStakeRec>& stakes, int drawsCount,
                                   const TStakeRec* last) {
    std::vector<TStakeRec> out;
    bool endsWithDraw = last != nullptr && last->Draw > 0;
    for (const TStakeRec& stake : stakes) {
        if (stake.Checked) throw EZentrix(kCheckedStakeAppend);
        if (drawsCount <= 1) {
            out.push_back(stake);
            endsWithDraw = stake.Draw > 0;
            continue;
        }
        for (int i = 0; i < drawsCount; ++i) {
            if (endsWithDraw) out.push_back(SeparatorRecord());
            TStakeRec copy = stake;
            copy.Draw = stake.Draw + i;
            out.push_back(copy);
            endsWithDraw = copy.Draw > 0;
        }
    }
    return out;
}

void AppendStake(TStakesFile& file, const TStakeRec& stake, int drawsCount) {
    AppendStakes(file, {stake}, drawsCount);
}

void AppendStakes(TStakesFile& file, const std::vector<TStakeRec>& stakes, int drawsCount) {
    if (!file.IsOpen()) throw EFileError("Файл ставок не открыт!");
    const std::optional<TStakeRec> last = file.Last();
    file.Append(StakeCopies(stakes, drawsCount, last ? &*last : nullptr));
}

void AppendGroupSeparator(TStakesFile& file) {
    const std::optional<TStakeRec> last = file.Last();
    if (last && last->Draw > 0) file.Append({SeparatorRecord()});
}

bool StakeExists(const TStakesFile& file, int32_t draw, const TCountedNumbers& numbers) {
    for (const TStakeRec& rec : file.ReadAll())
        if (rec.Draw == draw && SameNumbers(rec.Numbers, numbers)) return true;
    return false;
}

}  // namespace zentrix
