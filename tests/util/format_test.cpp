#include "util/format.h"

#include <gtest/gtest.h>

#include <latch>
#include <stdexcept>
#include <thread>

#include "support/temp_dir.h"
#include "util/errors.h"

namespace zentrix {
namespace {

struct TFormatCase {
    const char* format;
    std::initializer_list<TFormatArg> args;
    const char* expected;
};

TEST(Format, DelphiSpecifiersWithCommaSeparator) {
    test::TFormatGuard guard(',', " ");
    const TFormatCase cases[] = {
        {"Тираж № %d", {105}, "Тираж № 105"},
        {"%.2d.%.2d.%.4d", {7, 3, 2024}, "07.03.2024"},
        {"%.3d", {-5}, "-005"},
        {"%5d|%-5d|", {42, 42}, "   42|42   |"},
        {"%s (%.3d)", {"ЧнЧнЧнЧн", 85}, "ЧнЧнЧнЧн (085)"},
        {"{ %1:s } %0:s", {"Числа тиража", "num"}, "{ num } Числа тиража"},
        {"%0:s [ %1:s ]", {"a", "N"}, "a [ N ]"},
        {"%1:d %d", {1, 2, 3}, "2 3"},  // after an index the next argument follows it
        {"%.5f", {12.5L}, "12,50000"},
        {"%.2f", {-999.99L}, "-999,99"},
        {"%.0f", {2.5L}, "3"},  // halves away from zero, as Delphi
        {"%.0f", {-0.4L}, "0"},
        {"%.4f", {10}, "10,0000"},
        {"%f", {1.0L / 3}, "0,33"},
        {"%n", {1234567.891L}, "1 234 567,89"},
        {"%.0n", {999.5L}, "1 000"},
        {"%x", {255}, "FF"},
        {"%.4x", {255}, "00FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%e", {1234.5L}, "1,23450000000000E+003"},
        {"%g", {1234.5L}, "1234,5"},
        {"%g", {0.0001L}, "0,0001"},
        {"%.3s|", {"абвгд"}, "абв|"},
        {"%*d", {4, 7}, "   7"},
        {"100%%", {}, "100%"},
        {"%d%%", {50}, "50%"},
    };
    for (const TFormatCase& c : cases) EXPECT_EQ(Format(c.format, c.args), c.expected) << c.format;
}

TEST(Format, FullStopSeparator) {
    test::TFormatGuard guard('.', ",");
    EXPECT_EQ(Format("%.3f %n", {1.5L, 1234.0L}), "1.500 1,234.00");
}

TEST(Format, BadSpecifierOrArgumentRaises) {
    EXPECT_THROW(Format("%d", {"text"}), EConvertError);
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);
    EXPECT_THROW(Format("%q", {1}), EConvertError);
    EXPECT_THROW(Format("%", {}), EConvertError);
    EXPECT_THROW(Format("%d", {1.5L}), EConvertError);
}

TEST(Format, ShortestRealsReadBack) {
    test::TFormatGuard guard(',');
    for (long double v : {0.0L, 1.0L, -1.0L, 0.1L, 2.5L, 123456.789L, 1e-7L, 1e20L}) {
        std::string text = FloatToStrShortest(v);
        ASSERT_TRUE(TryStrToFloat(text)) << text;
        EXPECT_EQ(*TryStrToFloat(text), v) << text;
    }
    EXPECT_EQ(FloatToStrShortest(-1), "-1");
    EXPECT_EQ(FloatToStrShortest(0.25L), "0,25");
}

TEST(Format, ReadingRealsAcceptsBothSeparators) {
    test::TFormatGuard guard(',');
    EXPECT_EQ(TryStrToFloat(" 1,5 "), 1.5L);
    EXPECT_EQ(TryStrToFloat("1.5"), 1.5L);
    EXPECT_EQ(TryStrToFloat("-2E3"), -2000.0L);
    EXPECT_FALSE(TryStrToFloat(""));
    EXPECT_FALSE(TryStrToFloat("1,5x"));
    EXPECT_FALSE(TryStrToFloat("abc"));
}

TEST(FormatScope, OverridesTheCurrentThreadOnlyAndRestoresOnExit) {
    test::TFormatGuard guard(',');
    std::latch overridden(1), checked(1);
    std::string otherText;
    std::thread other([&] {
        TFormatScope scope({'.', ",", '.'});
        overridden.count_down();
        checked.wait();
        otherText = Format("%.1f", {2.5L});
    });
    overridden.wait();
    EXPECT_EQ(Format("%.1f", {2.5L}), "2,5");
    checked.count_down();
    other.join();
    EXPECT_EQ(otherText, "2.5");

    try {
        TFormatScope scope;
        scope.SetDecimalSeparator('.');
        EXPECT_EQ(FloatToStrShortest(0.5L), "0.5");
        EXPECT_EQ(FormatSettings().fileDecimalSeparator, ',');
        throw std::runtime_error("leave");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(FloatToStrShortest(0.5L), "0,5");
}

}  // namespace
}  // namespace zentrix
