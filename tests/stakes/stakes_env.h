#pragma once

#include <array>
#include <memory>
#include <string>

#include "core/config_data.h"
#include "core/draw.h"
#include "stakes/rating_rec.h"
#include "stakes/stake_make.h"
#include "stakes/stakes_file.h"
#include "support/temp_dir.h"
#include "util/file_lock.h"

namespace zentrix::test {

inline TComb Comb(const std::array<int, 8>& numbers) {
    TComb c;
    for (int i = 0; i < 8; ++i) c[i] = static_cast<uint8_t>(numbers[i]);
    return c;
}

inline TDraw Draw(int number, const std::array<int, 8>& numbers) {
    TDraw d;
    d.Number = number;
    d.Numbers = Comb(numbers);
    d.Extra = 1;
    return d;
}

// Cost 2.00; 3 matches win 10.00, 4 matches 50.00.
inline TConfigData PrizeConfig() {
    TConfigData config;
    config.Cost = 2 * kCurrencyScale;
    config.Profits = {{3, 10 * kCurrencyScale}, {4, 50 * kCurrencyScale}};
    return config;
}

inline TRatingRec RatingRow(const std::string& comment, int stakes, int matches,
                            TCurrency profit = 0) {
    TRatingRec row;
    row.Comment = comment;
    row.Stakes = stakes;
    row.Matches = matches;
    row.Profit = profit;
    return row;
}

inline TStakeRec Stake(int draw, const std::array<int, 8>& numbers,
                       const std::string& comment = kManualStakeComment) {
    return NewStake(PrizeConfig(), kStakeManual, draw, 100, Comb(numbers), comment);
}

// A stakes file in a fresh folder, held as the session holds it.
struct TStakesEnv {
    TTempDir dir;
    TExclusiveFile hold;
    TStakesFile file;

    std::string Path() const { return dir.File("Zentrix_8x20.lsk"); }
    TStakesOpenReport Open() {
        if (!hold.IsOpen()) hold.Open(Path());
        return file.Open(hold);
    }
};

}  // namespace zentrix::test
