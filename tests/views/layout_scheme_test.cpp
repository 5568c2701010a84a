#include "views/layout_scheme.h"

#include <gtest/gtest.h>

#include "support/make_draw.h"

namespace zentrix {
namespace {

using test::MakeDraw;

// Draws 11..14, oldest first.
TDrawsArray FourDraws() {
    return {MakeDraw(11, {1, 2, 3, 4, 5, 6, 7, 8}), MakeDraw(12, {1, 2, 3, 9, 10, 11, 12, 13}),
            MakeDraw(13, {1, 14, 15, 16, 17, 18, 19, 20}),
            MakeDraw(14, {20, 2, 1, 4, 6, 8, 10, 12})};
}

TEST(LayoutSchemeTest, EmptyArchiveGivesTwoByTwoEmptyCells) {
    const TLayoutScheme scheme = TLayoutScheme::Build({}, 0, 100);
    EXPECT_EQ(scheme.Rows(), 2);
    EXPECT_EQ(scheme.Columns(), 2);
    EXPECT_EQ(scheme.Text(1, 1), "");
    EXPECT_EQ(scheme.Text(0, 1), "");
    EXPECT_TRUE(BuildLayoutComparison({}, 0, 50).rows.empty());
    const TLayoutScheme unbuilt;  // what the window shows before the first build
    EXPECT_EQ(unbuilt.Text(1, 1), "");
    EXPECT_EQ(unbuilt.Color(1, 1, false), kChequerGreen);
}

TEST(LayoutSchemeTest, WindowOfOneIsTheReferenceDrawInStoredOrder) {
    const TLayoutScheme scheme = TLayoutScheme::Build(FourDraws(), 0, 1);
    EXPECT_EQ(scheme.Rows(), 2);
    EXPECT_EQ(scheme.Columns(), 2);
    EXPECT_EQ(scheme.Text(0, 1), "14");
    EXPECT_EQ(scheme.Text(1, 0), "1");
    EXPECT_EQ(scheme.Text(1, 1), "20, 2, 1, 4, 6, 8, 10, 12");
}

TEST(LayoutSchemeTest, CountsByRowsAndLastDrawsByColumns) {
    // A window longer than the archive uses the whole archive.
    const TLayoutScheme scheme = TLayoutScheme::Build(FourDraws(), 0, 1000);
    // Last draws 14, 13, 12, 11 (5 and 7 last in 11); counts 4 (1), 3 (2), 2, 1.
    ASSERT_EQ(scheme.Columns(), 5);
    ASSERT_EQ(scheme.Rows(), 5);
    EXPECT_EQ(scheme.Text(0, 1), "14");
    EXPECT_EQ(scheme.Text(0, 4), "11");
    EXPECT_EQ(scheme.Text(1, 0), "4");
    EXPECT_EQ(scheme.Text(4, 0), "1");
    EXPECT_EQ(scheme.Text(1, 1), "1");
    EXPECT_EQ(scheme.Text(2, 1), "2");
    // Same last draw and count share a cell in first-met order.
    EXPECT_EQ(scheme.Text(3, 1), "20, 4, 6, 8, 10, 12");
    EXPECT_EQ(scheme.Text(4, 2), "14, 15, 16, 17, 18, 19");
    EXPECT_EQ(scheme.Text(3, 3), "3");
    EXPECT_EQ(scheme.Text(4, 3), "9, 11, 13");
    EXPECT_EQ(scheme.Text(4, 4), "5, 7");
    EXPECT_EQ(scheme.Text(1, 4), "");
    EXPECT_EQ(scheme.Entries().front(), (TShemaEntry{20, 2, 14}));
}

TEST(LayoutSchemeTest, OffsetEndsTheWindowEarlierAndBracketsTheNextDraw) {
    const TLayoutScheme none = TLayoutScheme::Build(FourDraws(), 0, 2);
    for (int r = 1; r < none.Rows(); ++r)
        for (int c = 1; c < none.Columns(); ++c)
            EXPECT_EQ(none.Text(r, c).find('['), std::string::npos);
    // Offset 1: the window is draws 12 and 13; draw 14's numbers are bracketed.
    const TLayoutScheme scheme = TLayoutScheme::Build(FourDraws(), 1, 2);
    EXPECT_EQ(scheme.Text(0, 1), "13");
    EXPECT_EQ(scheme.Text(0, 2), "12");
    EXPECT_EQ(scheme.Text(1, 0), "2");
    EXPECT_EQ(scheme.Text(1, 1), "[1]");
    EXPECT_EQ(scheme.Text(2, 1), "14, 15, 16, 17, 18, 19, [20]");
    EXPECT_EQ(scheme.Text(2, 2), "[2], 3, 9, [10], 11, [12], 13");
    EXPECT_EQ(scheme.Color(1, 1, true), kNextDrawCellColor);
    EXPECT_EQ(scheme.Color(2, 2, false), kNextDrawCellColor);
}

TEST(LayoutSchemeTest, GradientAndChequerColours) {
    EXPECT_EQ(LayoutGradientColor(1, 1, 5, 6), (TColor{224, 229, 131}));
    EXPECT_EQ(LayoutChequerColor(7, 3), kChequerPink);
    EXPECT_EQ(LayoutChequerColor(4, 3), kChequerGreen);
    EXPECT_EQ(LayoutChequerColor(8, 7), kChequerGreen);
    EXPECT_EQ(LayoutChequerColor(96, 1), kChequerPink);  // rows above 95 are never in a block
    // Halves round to even: 255 - 155 * 1 / 2 = 177.5 -> 178; 100 + 77.5 -> 178 (even).
    EXPECT_EQ(LayoutGradientColor(1, 1, 2, 2), (TColor{178, 178, 178}));
    // Empty data cells are coloured too; fixed cells are not.
    const TLayoutScheme scheme = TLayoutScheme::Build(FourDraws(), 0, 1000);
    EXPECT_EQ(scheme.Color(1, 4, true), LayoutGradientColor(1, 4, 5, 5));
    EXPECT_EQ(scheme.Color(0, 1, true), std::nullopt);
    EXPECT_EQ(scheme.Color(1, 0, false), std::nullopt);
}

TEST(LayoutSchemeTest, ComparisonRowsInFirstMetOrder) {
    const TLayoutComparison list = BuildLayoutComparison(FourDraws(), 0, 3);
    EXPECT_EQ(list.rangeHeader, "12 - 14");
    // The newest draw's first number (20, count 2) leads.
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[0], (std::array<std::string, 2>{"2", "20, 2, 10, 12"}));
    EXPECT_EQ(list.rows[1], (std::array<std::string, 2>{"3", "1"}));
    EXPECT_EQ(list.rows[2],
              (std::array<std::string, 2>{"1", "4, 6, 8, 14, 15, 16, 17, 18, 19, 3, 9, 11, 13"}));
    // Offset and a window longer than what is left.
    EXPECT_EQ(BuildLayoutComparison(FourDraws(), 2, 50).rangeHeader, "11 - 12");
}

TEST(LayoutSchemeTest, ComparisonSortFollowsTheClicks) {
    TListSort sort;
    sort = SortAfterClick(sort, 0);
    EXPECT_EQ(sort, (TListSort{0, false}));  // the first click on "Кол-во" sorts ascending
    std::vector<std::array<std::string, 2>> rows = {{"2", "b"}, {"10", "A"}, {"3", "a"}};
    SortListRows(rows, sort);
    EXPECT_EQ(rows[0][0], "2");
    EXPECT_EQ(rows[2][0], "10");  // numbers compare as numbers
    sort = SortAfterClick(sort, 0);
    EXPECT_EQ(sort, (TListSort{0, true}));
    sort = SortAfterClick(sort, 1);
    EXPECT_EQ(sort, (TListSort{1, false}));
    SortListRows(rows, sort);
    // "A" and "a" are equal without regard to case: the counts decide.
    EXPECT_EQ(rows[0][0], "3");
    EXPECT_EQ(rows[1][0], "10");
    EXPECT_EQ(rows[2][0], "2");
}

}  // namespace
}  // namespace zentrix
