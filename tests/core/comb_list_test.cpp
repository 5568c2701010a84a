#include "core/comb_list.h"

#include <gtest/gtest.h>

#include <random>

#include "core/comb_file.h"
#include "core/comb_text.h"
#include "core/enumerate.h"
#include "core/info_dialog.h"
#include "core/list_rows.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {
namespace {

TEST(CombList, GenerationModes) {
    struct TCase {
        int mode;
        const char* parameter;
        size_t count;
    };
    const TCase cases[] = {
        {0, "", 125970},
        {1, "1", 50388},  // 125970 - C(19, 8)
        {3, "1", 75582},  // C(19, 8)
        {2, "1;2;3;4;5;6;7;8;9", 9},
        {2, "1,2 ,3;4;5;6;7", 0},  // fewer than 8 numbers
        {1, "300;abc;-5", 0},      // nothing usable: no combination holds one
        {3, "", 125970},
        {7, "1", 125970},  // a mode above 4 gives the full list
    };
    TCombsArray out;
    for (const TCase& c : cases) {
        GenerateFromNumbers(c.mode, c.parameter, out);
        EXPECT_EQ(out.size(), c.count) << c.mode << " " << c.parameter;
    }
    GenerateFromNumbers(0, "", out);
    EXPECT_EQ(out.front(), (TComb{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(out.back(), (TComb{13, 14, 15, 16, 17, 18, 19, 20}));
    GenerateFromNumbers(2, "9;8;7;6;5;4;3;2;1", out);
    EXPECT_EQ(out.front(), (TComb{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(GenerateNumberSet(" 5 ;x;256;0").count(), 2u);  // 5 and 0 (x reads as 0)
}

TEST(CombFile, ReadsUsableLinesAndWritesTheSameForm) {
    TCombsArray combs;
    ReadCombFile(std::string(ZENTRIX_TEST_DATA) + "/combs_mixed.lcv", combs);
    ASSERT_EQ(combs.size(), 2u);
    EXPECT_EQ(combs[0], (TComb{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(combs[1], (TComb{8, 7, 6, 5, 4, 3, 2, 1}));  // kept as written

    EXPECT_EQ(ParseCombFileLine(" 1 ; 2;3;4;5;6;7;x"), (TComb{1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_EQ(ParseCombFileLine("1;2;3;4;5;6;7;300"), (TComb{1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_FALSE(ParseCombFileLine("1 2 3 4 5 6 7 8"));

    test::TTempDir dir;
    WriteCombFile(dir.File("a.lcv"), combs);
    EXPECT_EQ(ReadFileBytes(dir.File("a.lcv")), "1;2;3;4;5;6;7;8\r\n8;7;6;5;4;3;2;1\r\n");
    EXPECT_THROW(ReadCombFile(dir.File("missing.lcv"), combs), EFileError);
}

TEST(CombFile, ClipboardFormAndPasteParsing) {
    const TCombsArray combs = {{1, 2, 3, 4, 5, 6, 7, 8}, {3, 5, 7, 9, 11, 13, 15, 20}, {}};
    EXPECT_EQ(CombsClipboardText(combs, {1, 0, 7, 1}),
              "01 02 03 04 05 06 07 08\r\n03 05 07 09 11 13 15 20");
    EXPECT_EQ(CombsClipboardText(combs, {}), "");
    EXPECT_EQ(ParseCombLines({"01 02 03 04 05 06 07 08", "3\t5|7:9-11.13,15;20"}),
              (TCombsArray{combs[0], combs[1]}));
    try {
        ParseCombLines({"1 2 3 4 5 6 7 8", "1 2 3", "1 2 3 4 5 6 7 8"});
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Некорректная комбинация: \"1 2 3\"!");
    }
}

TEST(CombList, DrawnSetEqualsThePairCountRule) {
    std::mt19937 rng(7);
    auto randomByte = [&](int lo, int hi) {
        return static_cast<uint8_t>(std::uniform_int_distribution<int>(lo, hi)(rng));
    };
    // Regular draws, draws with a repeated number and a zeroed record.
    TDrawsArray draws;
    for (int i = 0; i < 300; ++i) {
        TDraw d;
        d.Number = i + 1;
        const TComb& c = AllCombs()[std::uniform_int_distribution<size_t>(0, kCombCount - 1)(rng)];
        d.Numbers = c;
        std::shuffle(d.Numbers.begin(), d.Numbers.end(), rng);
        if (i % 50 == 7) d.Numbers[3] = d.Numbers[4];
        if (i == 100) d.Numbers = {};
        draws.push_back(d);
    }
    draws[120].Numbers = {1, 1, 1, 1, 1, 1, 1, 1};
    // Candidates: every draw's own numbers, reordered copies, odd combinations and random ones.
    TCombsArray combs;
    for (const TDraw& d : draws) {
        combs.push_back(d.Numbers);
        TComb rev = d.Numbers;
        std::reverse(rev.begin(), rev.end());
        combs.push_back(rev);
    }
    combs.push_back({1, 1, 2, 3, 4, 5, 6, 7});
    combs.push_back({1, 1, 1, 1, 1, 1, 1, 1});
    combs.push_back({0, 0, 0, 0, 0, 0, 0, 0});
    combs.push_back({1, 2, 3, 4, 5, 6, 7, 21});
    for (int i = 0; i < 2000; ++i) {
        TComb c;
        for (uint8_t& b : c) b = randomByte(0, 21);
        combs.push_back(c);
    }
    for (auto [first, last] : {std::pair{0, 299}, {90, 130}, {200, 199}, {-5, 400}}) {
        const TDrawnSet set(draws, first, last);
        for (const TComb& c : combs) {
            bool expected = false;
            for (int i = std::max(first, 0); i <= std::min(last, 299); ++i)
                expected = expected || CommonCount(draws[i], c) == 8;
            ASSERT_EQ(set.Contains(c), expected) << NumbersText(c) << " " << first << ".." << last;
        }
    }
    // A combination with a repeated number counts 8 pairs against a draw that holds it.
    TDraw d;
    d.Numbers = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_TRUE(TDrawnSet({d}, 0, 0).Contains({1, 1, 2, 3, 4, 5, 6, 7}));
}

// A canonical list is searched instead of tested combination by combination: the positions
// found are exactly those that Contains accepts; any other list or odd draws are refused.
TEST(CombList, DrawnPositionsInACanonicalList) {
    std::mt19937 rng(11);
    TDrawsArray draws;
    for (int i = 0; i < 40; ++i) {
        TDraw d;
        d.Numbers = AllCombs()[std::uniform_int_distribution<size_t>(0, kCombCount - 1)(rng)];
        std::shuffle(d.Numbers.begin(), d.Numbers.end(), rng);
        draws.push_back(d);
    }
    draws[5].Numbers = AllCombs()[0];  // the first and last combinations are drawn too
    draws[6].Numbers = AllCombs().back();
    draws[7] = draws[8];  // a combination drawn twice
    TCombsArray thinned;
    for (size_t i = 0; i < AllCombs().size(); ++i)
        if (i % 3 != 1 || i == 0) thinned.push_back(AllCombs()[i]);
    for (const TCombsArray* list : {&AllCombs(), static_cast<const TCombsArray*>(&thinned)}) {
        for (auto [first, last] : {std::pair{0, 39}, {3, 9}, {20, 19}}) {
            const TDrawnSet set(draws, first, last);
            std::vector<size_t> positions;
            ASSERT_TRUE(set.PositionsIn(*list, positions));
            std::vector<size_t> expected;
            for (size_t i = 0; i < list->size(); ++i)
                if (set.Contains((*list)[i])) expected.push_back(i);
            EXPECT_EQ(positions, expected) << first << ".." << last;
        }
    }
    const TDrawnSet set(draws, 0, 39);
    std::vector<size_t> positions;
    TCombsArray swapped = thinned;
    std::swap(swapped[10], swapped[11]);
    EXPECT_FALSE(set.PositionsIn(swapped, positions));
    TCombsArray unsorted = thinned;
    std::swap(unsorted[10][0], unsorted[10][1]);
    EXPECT_FALSE(set.PositionsIn(unsorted, positions));
    TCombsArray repeated = thinned;
    repeated[11] = repeated[10];
    EXPECT_FALSE(set.PositionsIn(repeated, positions));
    TDrawsArray odd = draws;
    odd[3].Numbers[1] = odd[3].Numbers[2];
    EXPECT_FALSE(TDrawnSet(odd, 0, 39).PositionsIn(thinned, positions));
    EXPECT_TRUE(positions.empty());
}

TEST(CombList, ArchiveSearchStopsAfterTwentySixLines) {
    TDrawsArray draws;
    for (int i = 1; i <= 40; ++i) {
        TDraw d;
        d.Number = i;
        d.Numbers = i % 2 ? TComb{8, 7, 6, 5, 4, 3, 2, 1} : TComb{1, 2, 3, 4, 5, 6, 7, 9};
        d.Extra = 2;
        draws.push_back(d);
    }
    const std::vector<std::string> lines = FindCombInDraws(draws, {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "Тираж № 39 от , значения: 8;7;6;5;4;3;2;1 e:2");
    for (TDraw& d : draws) d.Numbers = {8, 7, 6, 5, 4, 3, 2, 1};
    EXPECT_EQ(FindCombInDraws(draws, {1, 2, 3, 4, 5, 6, 7, 8}).size(), 26u);
    EXPECT_TRUE(FindCombInDraws(draws, {1, 2, 3, 4, 5, 6, 7, 20}).empty());
}

TEST(CombList, RowsAndInformationCard) {
    const TCombsArray combs = {{1, 5, 7, 11, 12, 15, 18, 20}};
    EXPECT_EQ(CombListHeader(),
              (std::vector<std::string>{"№ п.п.", "1", "2", "3", "4", "5", "6", "7", "8", "S"}));
    EXPECT_EQ(CombListRow(combs, 0),
              (std::vector<std::string>{"1", "1", "5", "7", "11", "12", "15", "18", "20", "89"}));
    EXPECT_EQ(CombListCellColor(combs, 0, 2, true, 4), ChannelColor(5, 4));
    EXPECT_EQ(CombListCellColor(combs, 0, 9, true, 4), kWhite);
    EXPECT_EQ(CombListCellColor(combs, 0, 2, false, 4), std::nullopt);

    const TInfoCard card = MakeInfoCard({1, 5, 7, 11, 12, 15, 18, 0}, 6, 4);
    EXPECT_EQ(card.rows, 4);
    EXPECT_EQ(card.At(0, 0).text, "1");
    EXPECT_EQ(card.At(1, 0).text, "7");
    EXPECT_EQ(card.At(0, 1).text, "");
    EXPECT_EQ(card.At(0, 1).color, ChannelColor(2, 4));
    EXPECT_EQ(card.At(3, 1).number, 20);
    EXPECT_EQ(card.At(3, 2).number, 0);
    EXPECT_FALSE(card.At(3, 2).color);

    TDraw d;
    d.Number = 12;
    EXPECT_EQ(DrawInfoProperties(d), (std::vector<TInfoProperty>{{"Номер тиража:", "12"}}));
    d.SetDateText("07.03.2024 19:30");
    EXPECT_EQ(DrawInfoProperties(d).back(), (TInfoProperty{"Дата тиража:", "07.03.2024 19:30"}));
}

}  // namespace
}  // namespace zentrix
