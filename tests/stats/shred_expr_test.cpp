#include "stats/shred_expr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>

namespace zentrix {
namespace {

using E = TExprError;

struct TValueCase {
    const char* text;
    long double value;
};

TEST(ShredExpr, ValuesAndPrecedence) {
    const long double pi = std::numbers::pi_v<long double>;
    const long double e = std::numbers::e_v<long double>;
    const TValueCase cases[] = {
        // *, / and ^ share one level, left to right
        {"2*3^2", 36},
        {"2^3^2", 64},
        {"2^3*2", 16},
        {"1+2*3", 7},
        {"(1+2)*3", 9},
        {"10-2-3", 5},
        {"8/4/2", 1},
        {"2/4*2", 1},
        // signs: a leading one gets a 0, one after an operator belongs to the number
        {"-3+5", 2},
        {"+3", 3},
        {"-(1)", -1},
        {"2*-3", -6},
        {"5--3", 8},
        {"5-+3", 2},
        {"2^-1", 0.5L},
        // numbers
        {".5+5.", 5.5L},
        {"1E3", 1000},
        {"1e-2", 0.01L},
        {"2.5E+1", 25},
        {"1E-5000", 0},
        {"$FF", 255},
        {"$ff+1", 256},
        {"-$10", -16},
        {"$FFFFFFFF", 4294967295.0L},
        {"1 2", 12},  // blanks are dropped first
        {" ( 1 +\t2 )\r\n* 2", 6},
        // constants
        {"E", e},
        {"PI", pi},
        {"pi*2", 2 * pi},
        {"E+1", e + 1},
        // functions
        {"SQR(3)", 9},
        {"SQRT(16)", 4},
        {"ABS(-2)", 2},
        {"INT(2.5)", 2},
        {"INT(3.5)", 4},
        {"ROUND(-2.5)", -2},
        {"ROUND(2.6)", 3},
        {"TRUNC(-2.7)", -2},
        {"FRAC(-2.75)", -0.75L},
        {"SIGN(-5)", -1},
        {"SIGN(0)", 0},
        {"SIGN(0.1)", 1},
        {"NOT(5)", -6},
        {"NOT(-1)", 0},
        {"NOT(2.9)", -3},
        {"EXP(0)", 1},
        {"LN(E)", 1},
        {"LN(1)", 0},
        {"ARCSIN(1)", pi / 2},
        {"ARCCOS(1)", 0},
        {"ARCCOS(0)", pi / 2},
        {"ARCTAN(1)", pi / 4},
        {"SIN(0)+COS(0)+TAN(0)", 1},
        {"sqrt(sqr(3)+sqr(4))", 5},
        // powers
        {"0^0", 1},
        {"0^2", 0},
        {"(-2)^3", -8},
        {"2^(-2)", 0.25L},
        {"4^0.5", 2},
        {"1^1E10", 1},
        {"(-1)^2147483647", -1},
        // what follows , < = > after the whole expression is not read
        {"(1)<2", 1},
        {"(7)=x", 7},
    };
    for (const TValueCase& c : cases) {
        const TExprResult r = EvaluateExpression(c.text);
        ASSERT_TRUE(r.Ok()) << c.text << ": " << ExprErrorText(r.error);
        EXPECT_NEAR(static_cast<double>(r.value), static_cast<double>(c.value), 1e-15) << c.text;
    }
    EXPECT_EQ(EvaluateExpression("LOG(1000)").value, std::log(1000.0L) / std::log(10.0L));
}

struct TErrorCase {
    const char* text;
    TExprError error;
};

TEST(ShredExpr, Failures) {
    const TErrorCase cases[] = {
        {"", E::Syntax},
        {"1+", E::Syntax},
        {"*2", E::Syntax},
        {"X", E::Syntax},
        {"SIN 1", E::Syntax},  // SIN1 after the blank is dropped
        {"2(3)", E::Syntax},
        {"(1)(2)", E::Syntax},
        {"SQRT(4)SQRT(4)", E::Syntax},
        {"1,5", E::Syntax},  // a number is followed only by an operator or ")"
        {"2E", E::Syntax},
        {"E2", E::Syntax},
        {"PIE", E::Syntax},
        {"$", E::Syntax},
        {"$123456789", E::Syntax},
        {"2*-(3)", E::Syntax},
        {"2*-PI", E::Syntax},
        {")(", E::Syntax},
        {"Ж", E::Syntax},
        {"(1+2", E::Bracket},
        {"1+2)", E::Bracket},
        {"(1,2)", E::Syntax},  // "," may follow an expression, but not a number
        {"((1),2)", E::Bracket},
        {"SIN((1),2)", E::Bracket},
        {"1/0", E::ZeroDivide},
        {"1/(2-2)", E::ZeroDivide},
        {"0^(-1)", E::ZeroDivide},
        {"LN(0)", E::LnDomain},
        {"LOG(-1)", E::LnDomain},
        {"(-8)^(1/3)", E::LnDomain},
        {"SQRT(-1)", E::SqrtDomain},
        {"ARCSIN(2)", E::Float},
        {"ARCSIN(-1)", E::Float},
        {"ARCCOS(-2)", E::Float},
        {"EXP(100000)", E::Float},
        {"1E5000", E::Float},
        {"2^2147483647", E::Float},
        {"2^1E10", E::Float},
        {"1E4000*1E4000", E::Float},
        {"1E4000/1E-4000", E::Float},
        {"TRUNC(1E30)", E::Float},
        {"ROUND(-1E19)", E::Float},
        {"NOT(1E19)", E::Float},
        {"SQR(1E3000)", E::Float},
    };
    for (const TErrorCase& c : cases) {
        const TExprResult r = EvaluateExpression(c.text);
        EXPECT_EQ(r.error, c.error) << c.text << " gave " << static_cast<double>(r.value);
        EXPECT_EQ(r.value, 0) << c.text;
    }
    EXPECT_STREQ(ExprErrorText(E::Syntax), "Синтаксическая ошибка");
    EXPECT_STREQ(ExprErrorText(E::Bracket), "Не хватает скобочки");
    EXPECT_STREQ(ExprErrorText(E::ZeroDivide), "Деление на нуль");
    EXPECT_STREQ(ExprErrorText(E::LnDomain), "Выражение под логарифмом меньне нуля");
    EXPECT_STREQ(ExprErrorText(E::SqrtDomain), "Выражение под корнем меньне нуля");
    EXPECT_STREQ(ExprErrorText(E::Float), "Ошибка в операции с плавающей точкой");
}

TEST(ShredExpr, NestingIsBoundedAndLongTextsAreLinear) {
    auto nested = [](int depth, const std::string& open, const std::string& close) {
        std::string s;
        for (int i = 0; i < depth; ++i) s += open;
        s += "1";
        for (int i = 0; i < depth; ++i) s += close;
        return s;
    };
    EXPECT_EQ(EvaluateExpression(nested(kExprMaxDepth, "(", ")")).value, 1);
    EXPECT_EQ(EvaluateExpression(nested(kExprMaxDepth + 1, "(", ")")).error, E::TooDeep);
    EXPECT_EQ(EvaluateExpression(nested(100000, "(", ")")).error, E::TooDeep);
    EXPECT_EQ(EvaluateExpression(nested(100000, "ABS(", ")")).error, E::TooDeep);
    EXPECT_EQ(EvaluateExpression(nested(100, "2+(", ")")).value, 201);
    std::string sum = "1";
    for (int i = 0; i < 200000; ++i) sum += "+1";
    EXPECT_EQ(EvaluateExpression(sum).value, 200001);
    EXPECT_EQ(EvaluateExpression(std::string(6000, '9')).error, E::Float);
    EXPECT_EQ(EvaluateExpression("0." + std::string(6000, '0') + "1").value, 0);
    EXPECT_EQ(EvaluateExpression("1E" + std::string(100, '9')).error, E::Float);
}

// Random texts over the language's characters and some garbage: never a crash, and every result
// is a failure or a finite value.
TEST(ShredExpr, RandomTextsNeverBreakTheEvaluator) {
    const std::string alphabet = "0123456789+-*/^().,<=>$EePpIiSsNnCcOoTtAaRrQqLlGgXxFfBbUuM \t";
    std::mt19937 rng(2024);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int len = static_cast<int>(rng() % 40);
        for (int j = 0; j < len; ++j) {
            if (rng() % 50 == 0)
                text += static_cast<char>(rng() % 256);
            else
                text += alphabet[rng() % alphabet.size()];
        }
        const TExprResult r = EvaluateExpression(text);
        if (r.Ok())
            EXPECT_TRUE(std::isfinite(r.value)) << text;
        else
            EXPECT_EQ(r.value, 0) << text;
    }
}

}  // namespace
}  // namespace zentrix
