#include "util/strings.h"

#include <gtest/gtest.h>

#include "util/cp1251.h"
#include "util/rounding.h"

namespace zentrix {
namespace {

TEST(Strings, TrimAndSplit) {
    EXPECT_EQ(Trim("  \t a b \r\n"), "a b");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(SplitAny("1, 2;;3", ",; "), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(SplitAny("1;;3", ";", true), (std::vector<std::string>{"1", "", "3"}));
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd\r\n"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(Strings, StrictIntegers) {
    EXPECT_EQ(TryStrToInt("42"), 42);
    EXPECT_EQ(TryStrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(TryStrToInt("+7"), 7);
    for (const char* bad : {"", " 1", "1 ", "2147483648", "1e3", "0x10", "-", "12a"})
        EXPECT_FALSE(TryStrToInt(bad)) << bad;
    EXPECT_EQ(StrToIntDef("x", -1), -1);
}

TEST(Strings, RussianPluralAgreesWithTheCount) {
    const struct {
        int64_t n;
        const char* form;
    } cases[] = {{1, "метод"},    {21, "метод"},   {101, "метод"},  {2, "метода"},
                 {4, "метода"},   {23, "метода"},  {0, "методов"},  {5, "методов"},
                 {11, "методов"}, {12, "методов"}, {14, "методов"}, {111, "методов"},
                 {112, "методов"}, {41, "метод"},  {25, "методов"}};
    for (const auto& c : cases)
        EXPECT_STREQ(RussianPlural(c.n, "метод", "метода", "методов"), c.form) << c.n;
}

TEST(Strings, CaseFoldingCoversCyrillic) {
    EXPECT_TRUE(SameText("NUMS", "nums"));
    EXPECT_TRUE(SameText("Числа ТИРАЖА Ёж", "числа тиража ёж"));
    EXPECT_FALSE(SameText("Числа", "Число"));
    EXPECT_LT(CompareText("абв", "АБГ"), 0);
    EXPECT_GT(CompareText("abc", "AB"), 0);
    EXPECT_EQ(UpperCase("привет, world"), "ПРИВЕТ, WORLD");
}

TEST(Strings, Utf8Characters) {
    EXPECT_EQ(Utf8Length("Тираж"), 5u);
    EXPECT_EQ(Utf8Left("Тираж", 3), "Тир");
    EXPECT_TRUE(IsValidUtf8("Тираж"));
    EXPECT_FALSE(IsValidUtf8("\xD2"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));
}

TEST(Cp1251, RoundTripsEveryMappedByte) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
    EXPECT_EQ(Cp1251ToUtf8("\xD2\xE8\xF0\xE0\xE6 \xA8\xB8 \xB9"), "Тираж Ёё №");
    EXPECT_EQ(Utf8ToCp1251("日本"), "??");
}

TEST(Rounding, TiesGoToEven) {
    const std::pair<long double, int64_t> cases[] = {
        {0.5L, 0},    {1.5L, 2},   {2.5L, 2},
        {-0.5L, 0},   {-1.5L, -2}, {2.4999L, 2},
        {2.5001L, 3}, {-2.6L, -3}, {1e12L + 0.5L, 1000000000000}};
    for (auto [x, r] : cases) EXPECT_EQ(RoundHalfEven(x), r) << static_cast<double>(x);
}

}  // namespace
}  // namespace zentrix
