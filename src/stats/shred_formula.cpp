#include "stats/shred_formula.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace zentrix {

namespace {

constexpr long double kPow10[] = {1, 10, 100, 1000, 10000, 100000};

// n, p, t: the slot of the letter's first variable.
int LetterSlot(char c) {
    switch (c) {
        case 'n':
        case 'N':
            return 0;
        case 'p':
        case 'P':
            return 8;
        case 't':
        case 'T':
            return 16;
        default:
            return -1;
    }
}

bool IsVarDigit(char c) {
    return c >= '1' && c <= '8';
}

int ClampDigits(int digits) {
    return std::clamp(digits, 1, 5);
}

}  // namespace

TShredFormula::TShredFormula(std::string_view formula) : text_(formula) {
    if (formula.size() > kFormulaMaxLength) {
        tooLong_ = true;
        return;
    }
    std::vector<TExprCell> cells;
    cells.reserve(formula.size());
    for (size_t i = 0; i < formula.size(); ++i) {
        const char c = formula[i];
        const int letter = LetterSlot(c);
        if (letter >= 0 && i + 1 < formula.size() && IsVarDigit(formula[i + 1])) {
            // A letter before a variable could take the first digit of its value and become a
            // variable itself.
            if (i > 0 && LetterSlot(formula[i - 1]) >= 0) byText_ = true;
            readsP_ = readsP_ || letter == 8;
            readsT_ = readsT_ || letter == 16;
            cells.push_back(static_cast<TExprCell>(kVarCell + letter + (formula[i + 1] - '1')));
            ++i;
            continue;
        }
        const auto u = static_cast<unsigned char>(c);
        if (u < '!') continue;
        cells.push_back(static_cast<TExprCell>(u >= 'a' && u <= 'z' ? u - 'a' + 'A' : u));
    }
    if (byText_) return;
    program_ = TExprProgram::Compile(std::move(cells));
    byText_ = program_.NeedsText();
}

TExprResult TShredFormula::Evaluate(const TComb& n, const TComb& p, const TComb& t) const {
    if (tooLong_) return {TExprError::TooLong, 0};
    if (byText_) return EvaluateExpression(SubstituteVariables(text_, n, p, t));
    long double slots[kExprSlots];
    for (int i = 0; i < kCombSize; ++i) {
        slots[i] = n[i];
        slots[8 + i] = p[i];
        slots[16 + i] = t[i];
    }
    return program_.Run(slots);
}

std::string SubstituteVariables(std::string_view formula, const TComb& n, const TComb& p,
                                const TComb& t) {
    std::string text(formula);
    const TComb* sets[] = {&n, &p, &t};
    const char letters[] = {'n', 'p', 't'};
    for (int i = 0; i < kCombSize; ++i)
        for (int s = 0; s < 3; ++s) {
            const char digit = static_cast<char>('1' + i);
            if (text.size() < 2) return text;
            std::string out;
            bool found = false;
            for (size_t j = 0; j < text.size(); ++j) {
                const char c = text[j];
                if ((c == letters[s] || c == letters[s] - 'a' + 'A') && j + 1 < text.size() &&
                    text[j + 1] == digit) {
                    out += std::to_string((*sets[s])[i]);
                    ++j;
                    found = true;
                } else {
                    out += c;
                }
            }
            if (found) text = std::move(out);
        }
    return text;
}

int32_t ShredDigitsByText(long double r, int digits) {
    digits = ClampDigits(digits);
    if (!std::isfinite(r)) return 0;
    // "d.ddde±x": the digit at index k stands for 10^(exponent - k).
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(r), std::chars_format::scientific);
    const std::string_view text(buf, static_cast<size_t>(res.ptr - buf));
    const size_t e = text.find('e');
    std::string mantissa;
    for (char c : text.substr(0, e))
        if (c != '.') mantissa += c;
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    int32_t value = 0;
    for (int j = 1; j <= digits; ++j) {
        const long long k = static_cast<long long>(exponent) + j;
        const int d = k >= 0 && k < static_cast<long long>(mantissa.size()) ? mantissa[k] - '0' : 0;
        value = value * 10 + d;
    }
    return value;
}

int32_t ShredDigits(long double r, int digits) {
    digits = ClampDigits(digits);
    if (!std::isfinite(r)) return 0;
    const long double scale = kPow10[digits];
    const long double a = std::fabs(r);
    const long double whole = std::trunc(a);
    const long double x = (a - whole) * scale;
    const long double k = std::trunc(x);
    // Away from a digit boundary by more than the value's own precision, the binary digits are
    // the decimal ones.
    const long double slack = 4 * (std::nextafter(a, INFINITY) - a) * scale;
    if (x - k > slack && k + 1 - x > slack) return static_cast<int32_t>(k);
    if (!(whole < 1e13L)) return ShredDigitsByText(r, digits);
    // Near the boundary B: the decimal number whole + B / scale is exact as n / scale; the
    // shortest text of a lies on the same side of it as a does, or is it when it reads back as a.
    const long double boundary = x - k <= slack ? k : k + 1;
    const long double decimal = (whole * scale + boundary) / scale;
    const long double kept = a >= decimal ? boundary : boundary - 1;
    return static_cast<int32_t>(std::clamp<long double>(kept, 0, scale - 1));
}

int32_t ShredValue(const TExprResult& result, int digits) {
    return result.Ok() ? ShredDigits(result.value, digits) : 0;
}

}  // namespace zentrix
