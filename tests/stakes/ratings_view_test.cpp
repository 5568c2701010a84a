#include "stakes/ratings_view.h"

#include <gtest/gtest.h>

#include "stakes/stakes_env.h"
#include "support/temp_dir.h"
#include "util/cp1251.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix {
namespace {

TEST(RatingsView, CellTextsOfEachMode) {
    test::TFormatGuard format('.');
    TRatingRec row = test::RatingRow("x", 1000, 3000, -12345);
    row.Histogram[3] = 360;
    struct TCase {
        TEffMode mode;
        const char* e3;
    };
    for (const TCase& c : {TCase{TEffMode::Expected, "352"}, TCase{TEffMode::Absolute, "0.792%"},
                           TCase{TEffMode::Relative, "102.248%"}}) {
        const auto cells = RatingCells(row, c.mode);
        ASSERT_EQ(cells.size(), 24u);
        EXPECT_EQ(cells[15 + 3], c.e3);
    }
    const auto cells = RatingCells(row, TEffMode::Absolute);
    EXPECT_EQ(cells[0], "x");
    EXPECT_EQ(cells[1], "1000");
    EXPECT_EQ(cells[2], "3000");
    EXPECT_EQ(cells[3], "3.000");
    EXPECT_EQ(cells[4], "-1.23");
    EXPECT_EQ(cells[6 + 3], "360");
    EXPECT_EQ(cells[15], "-0.393%");  // none of the 0.393% expected with no match
}

TEST(RatingsView, NoStakesLeaveTheAveragesEmpty) {
    test::TFormatGuard format(',');
    const auto cells = RatingCells(test::RatingRow("x", 0, 0, 0), TEffMode::Relative);
    EXPECT_EQ(cells[3], "");
    EXPECT_EQ(cells[4], "0,00");
    EXPECT_EQ(cells[5], "");
    EXPECT_EQ(cells[23], "");
    const TTextTable table = RatingsTable({test::RatingRow("a", 3, 4, 0)}, TEffMode::Relative);
    EXPECT_EQ(table.headers.size(), 24u);
    EXPECT_EQ(table.headers[5], "Ср. профит");
    EXPECT_EQ(table.headers[23], "E8");
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0][3], "1,333");
}

TEST(RatingsView, CsvHas24CaptionsAnd15FieldsARow) {
    test::TFormatGuard format(',');
    test::TTempDir dir;
    const std::string path = dir.File("r.csv");
    TRatingRec row = test::RatingRow("Он сказал \"да\"", 3, 4, 25000);
    row.Histogram[1] = 2;
    ExportRatingsCsv(path, {row});
    const std::string bytes = ReadFileBytes(path);
    const std::vector<std::string> lines = SplitLines(Cp1251ToUtf8(bytes));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);
    EXPECT_EQ(SplitAny(lines[0], ";").size(), 24u);
    EXPECT_EQ(lines[0].rfind("\"Комментарий\";\"Ставок\";", 0), 0u);
    EXPECT_EQ(SplitAny(lines[1], ";").size(), 15u);
    EXPECT_EQ(lines[1], "\"Он сказал \"\"да\"\"\";3;4;1,333;2,50;0,83;0;2;0;0;0;0;0;0;0");
}

}  // namespace
}  // namespace zentrix
