#include "stats/families/matrix.h"

#include <gtest/gtest.h>

#include "core/enumerate.h"
#include "stats/filter.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::DrawValues;
using test::ExpectDescriptor;
using test::KeyRecord;
using test::LabelCounts;
using test::Labels;
using test::Layout;
using test::MakeDraw;
using test::TDescriptor;
using test::TStatsEnv;
using test::W1Record;

using TStrings = std::vector<std::string>;

TEST(MatrixStats, DrawValuesByColumns) {
    struct TCase {
        int cols;
        const char* code;
        std::array<int, 8> numbers;
        TStrings values;  // label x count in the order added
    };
    const std::array<int, 8> corner = {1, 2, 3, 4, 5, 9, 13, 17};
    const std::array<int, 8> low = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::array<int, 8> ends = {19, 20, 1, 2, 3, 4, 5, 6};
    const std::array<int, 8> tail = {15, 16, 17, 18, 19, 20, 1, 8};
    const TCase cases[] = {
        {4, "COLS", corner, {"1x5", "2x1", "3x1", "4x1"}},
        {4, "ROWS", corner, {"1x4", "2x1", "3x1", "4x1", "5x1"}},
        {4, "COLV", corner, {"1 x 5x1", "2 x 1x1", "3 x 1x1", "4 x 1x1"}},
        {4, "ROWV", corner, {"1 x 4x1", "2 x 1x1", "3 x 1x1", "4 x 1x1", "5 x 1x1"}},
        {4, "COLN", corner, {"4x1"}},
        {4, "ROWN", corner, {"5x1"}},
        {4, "COLM", corner, {"1111 (015)x1"}},
        {4, "ROWM", corner, {"11111 (031)x1"}},
        {4, "COLA", corner, {"1 x 5x1"}},
        {4, "ROWA", corner, {"1 x 4x1"}},
        {4, "COLC", corner, {"1x1"}},
        {4, "ROWC", corner, {"1x1"}},
        {4, "COL1", corner, {"5x1"}},
        {4, "ROW1", corner, {"4x1"}},
        {4, "ROW2", corner, {"1x1"}},
        {4, "KFS2", corner, {"1:2x1", "2:3x1", "3:4x1", "4:1x1", "1:1x3"}},
        {4, "KRS2", corner, {"1:1x3", "1:2x1", "2:3x1", "3:4x1", "4:5x1"}},
        {20, "ROWS", low, {"1x8"}},
        {20, "ROWV", low, {"1 x 8x1"}},
        {20, "COLA", low, {}},
        {20, "ROWA", low, {"1 x 8x1"}},
        {20, "ROW1", low, {"8x1"}},
        {20, "COL20", low, {"0x1"}},
        {20, "COLM", low, {"11111111000000000000 (1044480)x1"}},
        {3, "ROWS", ends, {"7x2", "1x3", "2x3"}},
        {3, "ROWM", ends, {"1100001 (097)x1"}},
        {3, "COLA", ends, {"1 x 2x1", "2 x 2x1", "3 x 2x1"}},
        {3, "ROWA", ends, {"1 x 3x1", "2 x 3x1", "7 x 2x1"}},
        {3, "ROWC", ends, {"3x1"}},
        {3, "ROW7", ends, {"2x1"}},
        {7,
         "COLV",
         tail,
         {"1 x 3x1", "2 x 1x1", "3 x 1x1", "4 x 1x1", "5 x 1x1", "6 x 1x1", "7 x 0x1"}},
        {7, "ROWV", tail, {"1 x 1x1", "2 x 1x1", "3 x 6x1"}},
        {7, "COLA", tail, {"1 x 3x1"}},
        {7, "ROWA", tail, {"3 x 6x1"}},
        {7, "COLM", tail, {"1111110 (126)x1"}},
        {7, "ROW3", tail, {"6x1"}},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({MakeDraw(7, c.numbers)}, Layout(4, c.cols));
        auto stat = env.Create(c.code);
        ASSERT_TRUE(stat) << c.cols << " " << c.code;
        EXPECT_EQ(LabelCounts(*stat, DrawValues(*stat, 0)), c.values) << c.cols << " " << c.code;
    }
}

TEST(MatrixStats, EntriesFollowTheColumns) {
    struct TCase {
        int cols;
        int columnEntries, rowEntries;
    };
    for (const TCase& c : {TCase{4, 4, 5}, TCase{3, 3, 7}, TCase{7, 7, 3}, TCase{20, 20, 1},
                           TCase{1, 1, 20}, TCase{0, 0, 0}}) {
        TStatsEnv env({}, Layout(4, c.cols));
        int columns = 0, rows = 0;
        for (int i = 0; i < env.list.MethodCount(); ++i) {
            columns += env.list.MethodAt(i).Class->className == "TstColValCnt";
            rows += env.list.MethodAt(i).Class->className == "TstRowValCnt";
        }
        EXPECT_EQ(columns, c.columnEntries) << c.cols;
        EXPECT_EQ(rows, c.rowEntries) << c.cols;
        if (c.columnEntries > 0) {
            EXPECT_GE(env.Entry("COL" + std::to_string(c.columnEntries)), 0) << c.cols;
        }
    }
}

TEST(MatrixStats, PossibleValues) {
    struct TCase {
        int cols;
        const char* code;
        size_t count;
        const char* first;
        const char* last;
    };
    const TCase cases[] = {
        {4, "COLS", 4, "1", "4"},
        {4, "ROWS", 5, "1", "5"},
        {4, "COLV", 24, "1 x 0", "4 x 5"},
        {4, "ROWV", 25, "1 x 0", "5 x 4"},
        {7, "COLV", 28, "1 x 0", "7 x 3"},
        {7, "ROWV", 24, "1 x 0", "3 x 7"},
        {4, "COLN", 4, "1", "4"},
        {7, "ROWN", 3, "1", "3"},
        {1, "ROWN", 8, "1", "8"},
        {4, "COL2", 5, "1", "5"},
        {7, "ROW1", 7, "1", "7"},
        {4, "COLM", 0, "", ""},
        {4, "COLA", 0, "", ""},
        {4, "ROWC", 0, "", ""},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({}, Layout(4, c.cols));
        auto stat = env.Create(c.code);
        TStatDrawArray values;
        stat->ListPossibleValues(0, values);
        const TStrings labels = Labels(*stat, values);
        ASSERT_EQ(labels.size(), c.count) << c.cols << " " << c.code;
        if (c.count == 0) continue;
        EXPECT_EQ(labels.front(), c.first) << c.code;
        EXPECT_EQ(labels.back(), c.last) << c.code;
    }
}

TEST(MatrixStats, DescriptorsAndParsing) {
    TStatsEnv env({}, Layout(4, 3));
    const TDescriptor cases[] = {
        {"COLS", "TstColumns", "Столбцы матрицы (не пустые)", "N"},
        {"ROWV", "TstRowValues", "Количество чисел в строке матрицы", "N"},
        {"COLN", "TstColCount", "Количество не пустых столбцов в матрице", "NG"},
        {"ROWM", "TstRowMask", "Сочетания строк матрицы", "N"},
        {"COLA", "TstColAjacent", "Столбцы матрицы со смежными числами", "N"},
        {"ROWC", "TstRowAjacentCnt", "Количество строк матрицы со смежными числами", "NG"},
        {"KFM3", "TstCombColMix3", "Сочетания из 3 столбцов по всем числам тиража", "S"},
        {"KFS2", "TstCombColSeq2", "Сочетания из 2 столбцов по соседним числам", "S"},
        {"KRM4", "TstCombRowMix4", "Сочетания из 4 строк по всем числам тиража", "S"},
        {"KRS3", "TstCombRowSeq3", "Сочетания из 3 строк по соседним числам", "S"},
        {"COL3", "TstColValCnt", "Количество чисел в 3 столбце матрицы", "NG"},
        {"ROW7", "TstRowValCnt", "Количество чисел в 7 строке матрицы", "NG"},
    };
    for (const TDescriptor& d : cases) ExpectDescriptor(env, d, TStatGroup::Matrix);
    EXPECT_EQ(env.list.MethodAt(env.Entry("COL2")).Class->HelpCode(), "COLx");
    EXPECT_EQ(env.list.MethodAt(env.Entry("ROW2")).Class->HelpCode(), "ROWx");
    // A ROWM label typed back reads the same mask.
    auto rowm = env.Create("ROWM");
    EXPECT_EQ(rowm->ParseValue(rowm->ValueLabel(W1Record(97))), 97);
    EXPECT_EQ(rowm->ParseValue("11"), 96);  // missing characters are 0
    EXPECT_EQ(env.Create("COLM")->ParseValue("101"), 5);
    EXPECT_EQ(env.Create("COLN")->ParseValue("3"), 3);
    EXPECT_EQ(env.Create("COLV")->ParseValue("3"), 0);  // not typed
    EXPECT_EQ(env.Create("COLA")->ParseValue("3"), 3);
    EXPECT_EQ(env.Create("KRS2")->ParseValue("3"), 0);
}

// How many of the 125970 combinations each selection keeps, counted by hand (4 columns).
TEST(MatrixStats, KeptCombinations) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})}, Layout(4, 4));
    struct TCase {
        const char* code;
        std::vector<TStatDraw> selected;
        size_t kept;
    };
    const TCase cases[] = {
        {"COLS", {KeyRecord(1)}, 125970 - 6435},  // all but C(15, 8)
        {"COLV", {KeyRecord(1, 5)}, 455},         // 1, 5, 9, 13, 17 and C(15, 3)
        {"COLN", {KeyRecord(1)}, 0},
        // every column: C(20,8) - 4 C(15,8) + 6 C(10,8)
        {"COLM", {W1Record(15)}, 100500},
        // every row, as every channel of size 4
        {"ROWM", {W1Record(31)}, 66560},
        {"COLA", {KeyRecord(1, 5)}, 455},
        {"ROWA", {KeyRecord(1, 4)}, 1820},  // 1, 2, 3, 4 and C(16, 4)
        {"KRM2", {KeyRecord(1, 5)}, 125970 - 2 * 12870 + 495},
        {"KRS2", {KeyRecord(1, 5)}, 1},
        {"COL1", {KeyRecord(5)}, 455},
        {"ROW5", {KeyRecord(4)}, 1820},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        TCombsArray kept;
        FilterCombList(*stat, c.selected, 0, false, false, AllCombs(), kept);
        EXPECT_EQ(kept.size(), c.kept) << c.code;
    }
}

}  // namespace
}  // namespace zentrix
