#include "core/comb_text.h"

#include <gtest/gtest.h>

#include "core/archive_file.h"
#include "core/demo_archive.h"
#include "util/errors.h"

namespace zentrix {
namespace {

TEST(CombText, FormsAndParsing) {
    TComb c{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(CombText(c), "01 02 03 04 05 06 07 08");
    EXPECT_EQ(NumbersText(TComb{1, 5, 7, 11, 12, 15, 18, 20}), "1;5;7;11;12;15;18;20");
    EXPECT_EQ(ParseComb(CombText(c)), c);
    EXPECT_EQ(ParseComb("8,7,6,5,4,3,2,1"), (TComb{8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(ParseComb("1\t2|3:4.5-6;7 x"), (TComb{1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_EQ(ParseComb("1, 2, 3, 4, 5, 6, 7, 300"), (TComb{1, 2, 3, 4, 5, 6, 7, 0}));
    try {
        ParseComb("1 2 3");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Некорректная комбинация: \"1 2 3\"!");
    }
    EXPECT_THROW(ParseComb("1 2 3 4 5 6 7 8 9"), EConvertError);
    TCountedNumbers s{3, {4, 9, 12}};
    EXPECT_EQ(CountedNumbersText(s, ", "), "4, 9, 12");
}

TEST(CombText, DrawText) {
    TDraw d;
    d.Number = 105;
    d.Numbers = {3, 8, 1, 20, 14, 6, 11, 17};
    d.Extra = 2;
    d.SetDateText("07.03.2024 19:30");
    EXPECT_EQ(DrawText(d), "Тираж № 105 от 07.03.2024 19:30, значения: 3;8;1;20;14;6;11;17 e:2");
}

TEST(CombText, IntLists) {
    struct TCase {
        const char* text;
        TIntArray expected;
    };
    const TCase cases[] = {
        {"3;5;9", {3, 5, 9}},
        {" 3 , 5 ;9 ", {3, 5, 9}},
        {"5", {5}},
        {"-5", {-5}},
        {"2-10;4", {2, 6, 10}},
        {"1-10;2", {1, 3, 5, 7, 9}},
        {"1-10,3", {1, 4, 7, 10}},
        {"-5--1;2", {-5, -3, -1}},
        {"-3-3;3", {-3, 0, 3}},
        {"10-1;-3", {10, 7, 4, 1}},
        {"a;b", {}},
        {"1-10", {}},    // no step
        {"1-10;0", {}},  // zero step
        {"10-1;2", {}},  // descending with a positive step
        {"5-4;3", {}},
        {"", {}},
        {"1;;2", {}},
        {"1-2000000000;1", {}},  // would not fit in memory
    };
    for (const TCase& c : cases) EXPECT_EQ(ParseIntList(c.text), c.expected) << c.text;
    EXPECT_EQ(IntListText({3, -5, 9}, ","), "3,-5,9");
    EXPECT_EQ(IntListText({}, ","), "");
}

TEST(CombText, SignedDifferenceAndKinds) {
    EXPECT_EQ(SignedDifference("24", 21), "+3");
    EXPECT_EQ(SignedDifference("21", 21), "0");
    EXPECT_EQ(SignedDifference("18", 21), "-3");
    EXPECT_EQ(SignedDifference("-", 21), "-");
    EXPECT_EQ(SignedDifference("-4", 1), "-");
    EXPECT_EQ(SignedDifference("2,5", 1), "-");
    EXPECT_EQ(StakeKindName(1), "Вручную");
    EXPECT_EQ(StakeKindName(4), "Система");
    EXPECT_EQ(StakeKindName(0), "");
}

TEST(DrawRecord, ThirtyTwoBytesFieldByField) {
    TDraw d;
    d.Number = 0x01020304;
    d.Numbers = {1, 2, 3, 4, 5, 6, 7, 8};
    d.Extra = 3;
    d.SetDateText("07.03.2024 19:30");
    std::string bytes;
    WriteDrawRecord(bytes, d);
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(bytes.substr(0, 4), "\x04\x03\x02\x01");
    EXPECT_EQ(bytes[12], 3);
    EXPECT_EQ(bytes[13], 16);
    EXPECT_EQ(bytes.substr(14, 16), "07.03.2024 19:30");
    EXPECT_EQ(ReadDrawRecord(bytes), d);
    d.SetDateText("01234567890123456789");  // at most 18 characters are kept
    EXPECT_EQ(d.DateText(), "012345678901234567");
    bytes[13] = static_cast<char>(200);  // a damaged length byte
    EXPECT_EQ(ReadDrawRecord(bytes).DateText().size(), 16u + 2u);
}

TEST(DemoArchive, ReproducibleAndValid) {
    TDrawsArray a = MakeDemoDraws(500, 7, 45292);
    EXPECT_EQ(SerializeDraws(a), SerializeDraws(MakeDemoDraws(500, 7, 45292)));
    EXPECT_NE(SerializeDraws(a), SerializeDraws(MakeDemoDraws(500, 8, 45292)));
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].Number, static_cast<int>(i) + 1);
        uint32_t seen = 0;
        for (uint8_t n : a[i].Numbers) {
            ASSERT_TRUE(n >= 1 && n <= 20);
            ASSERT_FALSE(seen & (1u << n));
            seen |= 1u << n;
        }
        ASSERT_TRUE(a[i].Extra >= 1 && a[i].Extra <= 4);
    }
    EXPECT_EQ(a[0].DateText(), "01.01.2024 00:00");
    EXPECT_EQ(a[5].DateText(), "01.01.2024 01:15");
    EXPECT_EQ(a[96].DateText(), "02.01.2024 00:00");
}

}  // namespace
}  // namespace zentrix
