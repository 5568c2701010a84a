#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/game.h"
#include "stats/shred_expr.h"

namespace zentrix {

// A shredding formula over the numbers of the current draw (n1..n8), of the previous one
// (p1..p8) and of the one before it (t1..t8). It is prepared once and evaluated for many sets of
// numbers, with the result the formula's text would give after each variable is replaced by its
// number's decimal text.
inline constexpr size_t kFormulaMaxLength = 2048;

class TShredFormula {
  public:
    explicit TShredFormula(std::string_view formula);

    TExprResult Evaluate(const TComb& n, const TComb& p, const TComb& t) const;
    // Whether the formula reads the previous draw (p) and the one before it (t).
    bool ReadsPrevious() const { return readsP_; }
    bool ReadsBeforePrevious() const { return readsT_; }
    // True when the variables touch the characters beside them, so that every evaluation goes
    // through the substituted text.
    bool ByText() const { return byText_; }

  private:
    std::string text_;
    TExprProgram program_;
    bool byText_ = false;
    bool tooLong_ = false;
    bool readsP_ = false;
    bool readsT_ = false;
};

// The formula with every n<i>, p<i>, t<i> (any letter case) replaced by the number's decimal
// text, for i = 1..8 in turn and n, p, t in that order within each i.
std::string SubstituteVariables(std::string_view formula, const TComb& n, const TComb& p,
                                const TComb& t);

// The first `digits` (1..5) decimal digits after the point of |r|, truncated: the digits of
// |r|'s shortest decimal text that reads back as r, so 26/10 gives 60 with 2 digits although
// binary arithmetic holds it as 2.5999….
int32_t ShredDigits(long double r, int digits);
// The same, always through that text (the reference the fast path is checked against).
int32_t ShredDigitsByText(long double r, int digits);
// The shredding value: ShredDigits of a result, 0 for any failure.
int32_t ShredValue(const TExprResult& result, int digits);

}  // namespace zentrix
