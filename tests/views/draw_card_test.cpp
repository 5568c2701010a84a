#include "views/draw_card.h"

#include <gtest/gtest.h>

#include "support/make_draw.h"

namespace zentrix {
namespace {

using test::MakeDraw;

TEST(DrawCardTest, EmptyArchiveGivesOneEmptyRow) {
    const TDrawsArray draws;
    TDrawCard card(draws);
    card.Rebuild();
    EXPECT_EQ(card.DataRows(), 1);
    for (int c = 0; c < kCardColumns; ++c) EXPECT_EQ(card.Text(1, c), "");
    EXPECT_EQ(card.Table().rows.size(), 1u);
    EXPECT_EQ(TDrawCard::Header(0), "");
    EXPECT_EQ(TDrawCard::Header(20), "20");
    EXPECT_EQ(TDrawCard::Header(kCardExtraColumn), "E");
}

TEST(DrawCardTest, NewestDrawOnTopAndNumbersInTheirColumns) {
    const TDrawsArray draws = {MakeDraw(7, {1, 2, 3, 4, 5, 6, 7, 8}, 0),
                               MakeDraw(8, {20, 19, 18, 17, 16, 15, 14, 13}, 2),
                               MakeDraw(9, {3, 5, 9, 11, 12, 14, 17, 20}, 4)};
    TDrawCard card(draws);
    card.Rebuild();
    ASSERT_EQ(card.DataRows(), 3);
    EXPECT_EQ(card.Text(1, 0), "9");
    EXPECT_EQ(card.Text(2, 0), "8");
    EXPECT_EQ(card.Text(3, 0), "7");
    EXPECT_EQ(card.Text(1, 3), "3");
    EXPECT_EQ(card.Text(1, 4), "");
    EXPECT_EQ(card.Text(1, kCardExtraColumn), "4");
    EXPECT_EQ(card.Text(3, kCardExtraColumn), "0");  // an unknown extra number shows as 0
    const TTextTable table = card.Table(2);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.headers.size(), size_t(kCardColumns));
    EXPECT_EQ(table.rows[1][13], "13");
}

TEST(DrawCardTest, NumbersOutsideTheGameAreNotWritten) {
    const TDrawsArray draws = {MakeDraw(1, {0, 2, 3, 4, 5, 6, 7, 25}, 1)};
    TDrawCard card(draws);
    card.Rebuild();
    EXPECT_EQ(card.Text(1, 2), "2");
    for (int c : {1, 8, 20}) EXPECT_EQ(card.Text(1, c), "") << c;
}

// Rows: 1 = draw 3 (newest), 2 = draw 2, 3 = draw 1.
struct CardColours : ::testing::Test {
    TDrawsArray draws = {MakeDraw(1, {1, 3, 8, 11, 13, 15, 17, 19}),
                         MakeDraw(2, {7, 8, 11, 14, 16, 18, 20, 4}),
                         MakeDraw(3, {7, 2, 5, 10, 12, 15, 17, 19})};
    TDrawCard card{draws};
    TCardOptions plain{false, true, 5};
    CardColours() { card.Rebuild(); }
};

TEST_F(CardColours, RepeatsAndNeighboursAsTheRulesSay) {
    // 11: drawn in rows 2 and 3, no neighbour in either: lime in both.
    EXPECT_EQ(card.Color(2, 11, plain), kRepeatColor);
    EXPECT_EQ(card.Color(3, 11, plain), kRepeatColor);
    // 7 and 8 in row 2: both neighbours; 8 repeats in row 3 -> yellow; 7 repeats in row 1 too.
    EXPECT_EQ(card.Color(2, 8, plain), kRepeatAndNeighbourColor);
    EXPECT_EQ(card.Color(2, 7, plain), kRepeatAndNeighbourColor);
    // 8 of row 3 has no 7 or 9 beside it: lime.
    EXPECT_EQ(card.Color(3, 8, plain), kRepeatColor);
    // 14 in row 2 with no repeat, 13/15 absent from row 2: channel off -> normal colour.
    EXPECT_EQ(card.Color(2, 14, plain), std::nullopt);
    // 4 in row 2: no 3/5 in row 2, no 4 above or below: normal.
    EXPECT_EQ(card.Color(2, 4, plain), std::nullopt);
    // An empty cell and the extra column keep the normal colour.
    EXPECT_EQ(card.Color(2, 1, plain), std::nullopt);
    EXPECT_EQ(card.Color(2, kCardExtraColumn, plain), std::nullopt);
    // 7 in row 1 and row 2: repeat; row 1 has no 6 or 8: lime.
    EXPECT_EQ(card.Color(1, 7, plain), kRepeatColor);
    // 15 of row 1 is drawn two rows down, not in the adjacent row: plain.
    EXPECT_EQ(card.Color(1, 15, plain), std::nullopt);
    EXPECT_EQ(card.Color(1, 10, plain), std::nullopt);
}

TEST_F(CardColours, ChannelColoursFollowTheChannelSize) {
    const TCardOptions channels{true, false, 5};
    EXPECT_EQ(card.Color(1, 1, channels), (TColor{170, 255, 170}));
    EXPECT_EQ(card.Color(1, 6, channels), (TColor{255, 255, 170}));
    EXPECT_EQ(card.Color(1, 11, channels), (TColor{170, 255, 255}));
    EXPECT_EQ(card.Color(1, 20, channels), (TColor{255, 170, 170}));
    // Sequences off: a lime cell shows its channel.
    EXPECT_EQ(card.Color(2, 11, channels), (TColor{170, 255, 255}));
    // Sequences on, a plain drawn cell takes the channel colour; a coloured one does not.
    const TCardOptions both{true, true, 1};
    EXPECT_EQ(card.Color(2, 14, both), ChannelColor(14, 1));
    EXPECT_EQ(ChannelColor(20, 1), ChannelColor(1, 1));  // palette entry 1 again
    EXPECT_EQ(card.Color(2, 11, both), kRepeatColor);
}

}  // namespace
}  // namespace zentrix
