#include "core/params_dialog.h"

#include <gtest/gtest.h>

#include "core/config.h"
#include "support/temp_dir.h"

namespace zentrix {
namespace {

TEST(ParamsDialog, PrizeTableHasNineRowsByMatches) {
    test::TFormatGuard guard(',');
    TConfigData d = DefaultConfigSettings().data;
    d.Profits = {{5, ToCurrency(100)}, {8, ToCurrency(12345.678)}};
    const std::vector<std::string> rows = PrizeTableRows(d);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0], "0=0,00");
    EXPECT_EQ(rows[5], "5=100,00");
    EXPECT_EQ(rows[8], "8=12345,68");

    // OK without a change keeps every prize where it was.
    TParamsDialogModel m = OpenParamsDialog(d);
    EXPECT_EQ(m.prizeValues[5], "100,00");
    TConfigData result = m.Result();
    ASSERT_EQ(result.Profits.size(), 9u);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(result.Profits[i].Overlap, i);
    EXPECT_EQ(StakeResult(result, 8, 5), ToCurrency(100));
    EXPECT_EQ(result.Profits[8].Profit, ToCurrency(12345.68));

    m.prizeValues[3] = "abc";  // not a number: 0
    m.prizeValues[4] = "2,5";
    result = m.Result();
    EXPECT_EQ(result.Profits[3].Profit, 0);
    EXPECT_EQ(result.Profits[4].Profit, 25000);

    EXPECT_TRUE(PrizeValueCharAllowed(','));
    EXPECT_TRUE(PrizeValueCharAllowed('7'));
    EXPECT_TRUE(PrizeValueCharAllowed('\b'));
    EXPECT_FALSE(PrizeValueCharAllowed('.'));
    EXPECT_FALSE(PrizeValueCharAllowed('-'));
    EXPECT_FALSE(SegmentCharAllowed(','));
}

TEST(ParamsDialog, OkKeepsEveryValueInTheRangesConfigSetChecks) {
    test::TFormatGuard guard(',');
    TParamsDialogModel m = OpenParamsDialog(DefaultConfigSettings().data);
    m.cost = ToCurrency(-5);
    m.prizeValues[2] = "99999999999999999";  // typed digits beyond what a prize may be
    m.cdl.Level = 5e9L;
    m.cdl.Count = -5e9L;
    const TConfigData result = m.Result();
    EXPECT_EQ(result.Cost, 0);
    EXPECT_EQ(result.Profits[2].Profit, kMoneyMax * kCurrencyScale);
    EXPECT_EQ(result.CDL.Level, kCoefficientMax);
    EXPECT_EQ(result.CDL.Count, -kCoefficientMax);
}

TEST(ParamsDialog, SegmentGridKeepsEveryDigitAcrossShapes) {
    std::array<uint8_t, kMaxNumber> segments;
    for (int i = 0; i < kMaxNumber; ++i) segments[i] = static_cast<uint8_t>(1 + i % 9);
    TSegmentGrid grid(segments, 4);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Cell(1, 2), "7");  // number 7

    grid.SetCols(6);
    EXPECT_EQ(grid.Cols(), 6);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.NumberAt(3, 1), 20);
    for (int col = 2; col < 6; ++col) EXPECT_FALSE(grid.Selectable(3, col));  // 21..24
    EXPECT_EQ(grid.Cell(1, 0), "7");
    EXPECT_EQ(grid.Segments(), segments);

    grid.SetCell(0, 0, "");  // an empty cell counts as 1
    grid.SetCols(20);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Cell(0, 0), "1");
    EXPECT_EQ(grid.Cell(0, 19), std::to_string(1 + 19 % 9));
}

TEST(ParamsDialog, BadSegmentDigitResetsTheCell) {
    TSegmentGrid grid({}, 4);
    for (const char* text : {"0", "12", "x"}) {
        auto error = grid.SetCell(0, 1, text);
        ASSERT_TRUE(error) << text;
        EXPECT_EQ(*error, std::string("Некорректное значение: ") + text +
                              "!\n\nУкажите любое число от 1 до 9");
        EXPECT_EQ(grid.Cell(0, 1), "1");
    }
    EXPECT_FALSE(grid.SetCell(0, 1, "9"));
    EXPECT_FALSE(grid.SetCell(4, 3, "5"));  // number 20
    EXPECT_EQ(grid.Segments()[1], 9);
    EXPECT_EQ(grid.Segments()[19], 5);
}

TEST(ParamsDialog, ResultRebuildsTheRecord) {
    TConfigData d = DefaultConfigSettings().data;
    d.MaxStake = 12;
    TParamsDialogModel m = OpenParamsDialog(d);
    EXPECT_EQ(m.MatrixRows(), 5);
    m.SetMatrixCols(6);
    EXPECT_EQ(m.MatrixRows(), 4);
    EXPECT_EQ(m.segments.Cols(), 6);
    m.segments.SetCell(3, 1, "3");  // number 20
    m.channelSize = 5;
    m.cost = ToCurrency(2);
    m.cdl.UseAbsValues = true;
    const TConfigData r = m.Result();
    EXPECT_EQ(r.MatrixCols, 6);
    EXPECT_EQ(r.ChannelSize, 5);
    EXPECT_EQ(r.Cost, 20000);
    EXPECT_EQ(r.MaxStake, 12);
    EXPECT_TRUE(r.CDL.UseAbsValues);
    EXPECT_EQ(SegmentsText(r.MatrixSegments), "11111111111111111113");
}

}  // namespace
}  // namespace zentrix
