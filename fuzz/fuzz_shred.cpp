// The shredding formula language.
#include "fuzz_support.h"
#include "stats/shred_expr.h"
#include "stats/shred_formula.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    fuzz::TPicker pick(fuzz::Bytes(data, size));
    TComb n{}, p{}, t{};
    for (size_t i = 0; i < n.size(); ++i) {
        n[i] = static_cast<uint8_t>(1 + i * 2);
        p[i] = static_cast<uint8_t>(20 - i);
        t[i] = static_cast<uint8_t>(3 + i);
    }
    n[0] = static_cast<uint8_t>(pick.Byte() % 21);
    const int digits = 1 + pick.Byte() % 5;
    const std::string_view text = pick.Rest();
    const TShredFormula formula(text);
    const TExprResult fast = formula.Evaluate(n, p, t);
    // The prepared formula gives what its substituted text gives.
    if (text.size() <= kFormulaMaxLength) {
        const TExprResult slow = EvaluateExpression(SubstituteVariables(text, n, p, t));
        if (ShredValue(fast, digits) != ShredValue(slow, digits)) std::abort();
    }
    (void)ExprErrorText(fast.error);
    return 0;
}
