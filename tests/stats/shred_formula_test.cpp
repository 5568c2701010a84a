#include "stats/shred_formula.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace zentrix {
namespace {

constexpr TComb kOneToEight = {1, 2, 3, 4, 5, 6, 7, 8};
constexpr TComb kNone = {};

int32_t Shred(const char* formula, int digits, const TComb& n, const TComb& p = kNone,
              const TComb& t = kNone) {
    return ShredValue(TShredFormula(formula).Evaluate(n, p, t), digits);
}

TEST(ShredFormula, TheExamplesOfTheMethods) {
    const TComb prev = {11, 12, 13, 14, 15, 16, 17, 18};
    const TComb before = {2, 4, 6, 8, 10, 12, 14, 20};
    struct TCase {
        const char* formula;
        int digits;
        const TComb& p;
        int32_t value;
    };
    const TCase cases[] = {
        {"(n1+n2+n3+n4)/(n5+n6+n7+n8)", 2, kNone, 38},  // 10/26 = 0.3846…
        {"(n5+n6+n7+n8)/(n1+n2+n3+n4)", 2, kNone, 60},  // 2.6: the integer part is dropped
        {"(n1+n3+n5+n7)/(n2+n4+n6+n8)", 2, kNone, 80},  // 16/20
        {"(n1+n2+n3+n4)/(n5+n6+n7+n8)", 5, kNone, 38461},
        {"(n1+n2)/(p1+p2)", 2, kNone, 0},   // no previous draw: division by zero
        {"(n1+n2)/(p1+p2)", 3, prev, 130},  // 3/23 = 0.1304…
        {"N1/P1+T8", 2, prev, 9},           // any letter case; 1/11 = 0.0909…
        {"n1/-n2", 2, kNone, 50},           // the sign belongs to the number after "/"
        {"n1/-(n2)", 2, kNone, 0},          // a sign before a bracket is no number
        {"-n1/n2", 2, kNone, 50},           // a leading sign gets a 0 before it
        {"0.4599999", 2, kNone, 45},        // truncated, never rounded
        {"0.45", 2, kNone, 45},
        {"0.99999", 5, kNone, 99999},
        {"1/3", 5, kNone, 33333},
        {"n8", 2, kNone, 0},
        {"n1n2/100", 2, kNone, 12},  // the digits of 1 and 2 make 12
        {"2n1+0.5", 1, kNone, 5},    // 21.5
        {"n1.5", 1, kNone, 5},       // 1.5
        {"n1E-1", 1, kNone, 1},      // 1E-1
        {"$n8/100", 2, kNone, 8},    // $8
        {"nn1", 2, kNone, 0},        // n1's turn leaves "n1": no number
        {"tn2+0.25", 2, kNone, 25},  // n2's turn leaves t2, read next: 4.25
        {"", 2, kNone, 0},
        {"garbage", 2, kNone, 0},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Shred(c.formula, c.digits, kOneToEight, c.p, before), c.value) << c.formula;
}

TEST(ShredFormula, SubstitutionFollowsTheOrderOfTheVariables) {
    const TComb n = {3, 9, 2, 20, 5, 6, 7, 8};
    EXPECT_EQ(SubstituteVariables("n1+N2*p3-t8", n, kOneToEight, kOneToEight), "3+9*3-8");
    // n1 is 3; the n before it then reads n3, which is 2.
    EXPECT_EQ(SubstituteVariables("nn1", n, kNone, kNone), "2");
    // n9 and n0 are no variables.
    EXPECT_EQ(SubstituteVariables("n9+n0+n", n, kNone, kNone), "n9+n0+n");
    EXPECT_TRUE(TShredFormula("n1n2").ByText());
    EXPECT_TRUE(TShredFormula("nn1").ByText());
    EXPECT_FALSE(TShredFormula("(n1+n2)/(p1+t2)").ByText());
    EXPECT_TRUE(TShredFormula("(n1+n2)/(p1+t2)").ReadsPrevious());
    EXPECT_FALSE(TShredFormula("n1/n2").ReadsPrevious());
    EXPECT_FALSE(TShredFormula("n1/p2").ReadsBeforePrevious());
}

TEST(ShredFormula, TooLongFails) {
    std::string sum = "n1";
    while (sum.size() <= kFormulaMaxLength) sum += "+n1";
    EXPECT_EQ(TShredFormula(sum).Evaluate(kOneToEight, kNone, kNone).error, TExprError::TooLong);
    EXPECT_EQ(Shred(sum.c_str(), 2, kOneToEight), 0);
}

// A prepared formula gives exactly what its substituted text gives, whatever it is made of.
TEST(ShredFormula, PreparedEqualsSubstitutedText) {
    const char* pieces[] = {"n1", "N2", "p3",   "t4",   "p8", "t1", "n", "p", "t", "1",      "0",
                            ".",  "5",  "E",    "e",    "$",  "+",  "-", "*", "/", "^",      "(",
                            ")",  " ",  "SIN(", "SQR(", "PI", ",",  "<", "x", "A", "ROUND(", "9"};
    std::mt19937 rng(7);
    int agreed = 0, ok = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string formula;
        const int len = 1 + static_cast<int>(rng() % 12);
        for (int j = 0; j < len; ++j) formula += pieces[rng() % std::size(pieces)];
        TComb n, p, t;
        for (int k = 0; k < kCombSize; ++k) {
            n[k] = static_cast<uint8_t>(rng() % 21);
            p[k] = static_cast<uint8_t>(rng() % 21);
            t[k] = static_cast<uint8_t>(rng() % 21);
        }
        const TExprResult prepared = TShredFormula(formula).Evaluate(n, p, t);
        const TExprResult text = EvaluateExpression(SubstituteVariables(formula, n, p, t));
        ASSERT_EQ(prepared.error, text.error) << formula;
        ASSERT_EQ(std::memcmp(&prepared.value, &text.value, 10), 0) << formula;
        ++agreed;
        ok += prepared.Ok();
    }
    EXPECT_EQ(agreed, 20000);
    EXPECT_GT(ok, 1000);  // the texts are not all failures
}

TEST(ShredDigits, KeptDigitsAreTheDecimalOnes) {
    struct TCase {
        long double r;
        int digits;
        int32_t value;
    };
    const TCase cases[] = {
        {26.0L / 10, 2, 60},
        {-26.0L / 10, 2, 60},
        {10.0L / 26, 2, 38},
        {0.45L, 2, 45},
        {0.4599999L, 2, 45},
        {0.5L, 1, 5},
        {0, 3, 0},
        {123.456L, 3, 456},
        {123.456L, 5, 45600},
        {1e20L, 3, 0},
        {0.0384L, 2, 3},
        {1.0L / 3, 5, 33333},
        {2.0L / 3, 5, 66666},
        {0.99999999L, 5, 99999},
        {7, 9, 0},  // digits clamp to 5
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ShredDigits(c.r, c.digits), c.value)
            << static_cast<double>(c.r) << " " << c.digits;
    EXPECT_EQ(ShredDigits(std::nextafter(3.0L, 0), 2), 99);
}

TEST(ShredDigits, FastPathAgreesWithTheText) {
    std::mt19937_64 rng(11);
    for (int i = 0; i < 20000; ++i) {
        const int a = static_cast<int>(rng() % 200) + 1, b = static_cast<int>(rng() % 200) + 1;
        long double r = static_cast<long double>(a) / b;
        if (i % 3 == 0) r *= static_cast<long double>(rng() % 100000);
        if (i % 5 == 0) r = std::nextafter(r, i % 2 ? 0.0L : 1e30L);
        for (int d = 1; d <= 5; ++d)
            ASSERT_EQ(ShredDigits(r, d), ShredDigitsByText(r, d))
                << a << "/" << b << " " << static_cast<double>(r) << " " << d;
    }
}

}  // namespace
}  // namespace zentrix
