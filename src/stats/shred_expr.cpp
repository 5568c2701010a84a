#include "stats/shred_expr.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace zentrix {

namespace {

constexpr TExprCell kEnd = -1;

enum class TFunc : uint8_t {
    ArcTan,
    Cos,
    Sin,
    Tan,
    Abs,
    Exp,
    Ln,
    Log,
    Sqrt,
    Sqr,
    Int,
    Frac,
    Trunc,
    Round,
    ArcSin,
    ArcCos,
    Sign,
    Not,
};

struct TFuncName {
    const char* name;
    TFunc func;
};

constexpr TFuncName kFunctions[] = {
    {"ARCTAN", TFunc::ArcTan}, {"COS", TFunc::Cos},     {"SIN", TFunc::Sin},
    {"TAN", TFunc::Tan},       {"ABS", TFunc::Abs},     {"EXP", TFunc::Exp},
    {"LN", TFunc::Ln},         {"LOG", TFunc::Log},     {"SQRT", TFunc::Sqrt},
    {"SQR", TFunc::Sqr},       {"INT", TFunc::Int},     {"FRAC", TFunc::Frac},
    {"TRUNC", TFunc::Trunc},   {"ROUND", TFunc::Round}, {"ARCSIN", TFunc::ArcSin},
    {"ARCCOS", TFunc::ArcCos}, {"SIGN", TFunc::Sign},   {"NOT", TFunc::Not},
};

constexpr long double kPi = std::numbers::pi_v<long double>;
// Integer conversions hold 64 bits, as the whole-number functions of the original do.
constexpr long double kInt64Limit = 9223372036854775808.0L;

bool IsDigit(TExprCell c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(TExprCell c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F');
}
bool IsVar(TExprCell c) {
    return c >= kVarCell;
}
bool IsSign(TExprCell c) {
    return c == '+' || c == '-';
}
bool AllowedAfterNumber(TExprCell c) {
    return c == kEnd || c == ')' || c == '*' || c == '+' || c == '-' || c == '/' || c == '^';
}
bool AllowedAfterExpression(TExprCell c) {
    return c == kEnd || c == ')' || c == ',' || c == '<' || c == '=' || c == '>';
}

// A whole number within the 64-bit integers, or Float.
bool ToInt64(long double x, int64_t& out) {
    if (!(x >= -kInt64Limit && x < kInt64Limit)) return false;
    out = static_cast<int64_t>(x);
    return true;
}

TExprError ArcSin(long double x, long double& out) {
    if (x == 1) {
        out = kPi / 2;
        return TExprError::None;
    }
    const long double q = 1 - x * x;
    if (q < 0) return TExprError::Float;
    const long double root = std::sqrt(q);
    if (root == 0) return TExprError::Float;
    out = std::atan(x / root);
    return TExprError::None;
}

TExprError ApplyFunc(TFunc f, long double x, long double& out) {
    int64_t i = 0;
    switch (f) {
        case TFunc::ArcTan:
            out = std::atan(x);
            break;
        case TFunc::Cos:
            out = std::cos(x);
            break;
        case TFunc::Sin:
            out = std::sin(x);
            break;
        case TFunc::Tan: {
            const long double c = std::cos(x);
            if (c == 0) return TExprError::ZeroDivide;
            out = std::sin(x) / c;
            break;
        }
        case TFunc::Abs:
            out = std::fabs(x);
            break;
        case TFunc::Exp:
            out = std::exp(x);
            break;
        case TFunc::Ln:
            if (x <= 0) return TExprError::LnDomain;
            out = std::log(x);
            break;
        case TFunc::Log:
            if (x <= 0) return TExprError::LnDomain;
            out = std::log(x) / std::log(10.0L);
            break;
        case TFunc::Sqrt:
            if (x < 0) return TExprError::SqrtDomain;
            out = std::sqrt(x);
            break;
        case TFunc::Sqr:
            out = x * x;
            break;
        case TFunc::Int:
        case TFunc::Round:
            // The default rounding mode takes a tie to the even neighbour.
            if (!ToInt64(std::nearbyint(x), i)) return TExprError::Float;
            out = static_cast<long double>(i);
            break;
        case TFunc::Frac:
            out = x - std::trunc(x);
            break;
        case TFunc::Trunc:
            if (!ToInt64(std::trunc(x), i)) return TExprError::Float;
            out = static_cast<long double>(i);
            break;
        case TFunc::ArcSin:
            return ArcSin(x, out);
        case TFunc::ArcCos: {
            if (x == 1) {
                out = 0;
                break;
            }
            long double s = 0;
            if (TExprError e = ArcSin(x, s); e != TExprError::None) return e;
            out = kPi / 2 - s;
            break;
        }
        case TFunc::Sign:
            out = x > 0 ? 1 : x < 0 ? -1 : 0;
            break;
        case TFunc::Not:
            if (!ToInt64(std::trunc(x), i)) return TExprError::Float;
            out = static_cast<long double>(~i);
            break;
    }
    return std::isfinite(out) ? TExprError::None : TExprError::Float;
}

TExprError Power(long double a, long double b, long double& out) {
    if (b == 0) {
        out = 1;
        return TExprError::None;
    }
    if (a == 0 && b > 0) {
        out = 0;
        return TExprError::None;
    }
    if (b == std::trunc(b) && std::fabs(b) <= 2147483647.0L) {
        // Squaring and multiplying, as an integer power is computed; the reciprocal last.
        auto e = static_cast<uint32_t>(std::fabs(b));
        long double result = 1, x = a;
        for (;;) {
            if (e & 1) result *= x;
            e >>= 1;
            if (e == 0) break;
            x *= x;
        }
        if (!std::isfinite(result)) return TExprError::Float;
        if (b < 0) {
            if (result == 0) return TExprError::ZeroDivide;
            result = 1 / result;
        }
        out = result;
        return std::isfinite(out) ? TExprError::None : TExprError::Float;
    }
    if (a <= 0) return TExprError::LnDomain;
    out = std::exp(b * std::log(a));
    return std::isfinite(out) ? TExprError::None : TExprError::Float;
}

// The value of a decimal number's text; Float when it does not fit an extended real.
TExprError DecimalValue(const std::string& mantissa, long long exponent, int intDigits,
                        long double& out) {
    std::string text = mantissa;
    if (exponent != 0) text += "e" + std::to_string(exponent);
    const auto res = std::from_chars(text.data(), text.data() + text.size(), out);
    if (res.ec == std::errc()) return TExprError::None;
    if (res.ec != std::errc::result_out_of_range) return TExprError::Syntax;
    // Out of range: too large fails, too small is zero.
    size_t first = mantissa.find_first_not_of("0.");
    long long magnitude = exponent;
    if (first == std::string::npos) {
        out = 0;
        return TExprError::None;
    }
    if (static_cast<int>(first) < intDigits)
        magnitude += intDigits - static_cast<long long>(first);
    else
        magnitude -= static_cast<long long>(first) - intDigits;
    if (magnitude > 0) return TExprError::Float;
    out = 0;
    return TExprError::None;
}

}  // namespace

// Recursive descent over the cells; the recursion is bounded by kExprMaxDepth.
class TExprCompiler {
  public:
    TExprCompiler(const std::vector<TExprCell>& cells, TExprProgram& program)
        : cells_(cells), program_(program) {}

    void Compile() {
        Expression(0);
        if (failed_) program_.code_.clear();
    }

  private:
    enum class TNumber { Read, NotNumber, Failed };

    TExprCell At(size_t i) const { return i < cells_.size() ? cells_[i] : kEnd; }

    bool Fail(TExprError e) {
        if (!failed_) {
            failed_ = true;
            program_.compileError_ = e;
        }
        return false;
    }
    // The value's digits would change how the text reads: only the text can tell.
    bool NeedText() {
        program_.needsText_ = true;
        return Fail(TExprError::Syntax);
    }

    void Emit(TExprProgram::TOp op, uint8_t arg = 0, long double value = 0) {
        using TOp = TExprProgram::TOp;
        program_.code_.push_back({op, arg, value});
        if (op == TOp::Const || op == TOp::Var || op == TOp::NegVar)
            program_.maxStack_ = std::max(program_.maxStack_, ++stack_);
        else if (op != TOp::Func)
            --stack_;
    }

    bool Expression(int depth) {
        if (depth > kExprMaxDepth) return Fail(TExprError::TooDeep);
        if (!Term(depth)) return false;
        while (IsSign(At(pos_))) {
            const bool plus = At(pos_++) == '+';
            if (!Term(depth)) return false;
            Emit(plus ? TExprProgram::TOp::Add : TExprProgram::TOp::Sub);
        }
        if (!AllowedAfterExpression(At(pos_))) return Fail(TExprError::Syntax);
        return true;
    }

    bool Term(int depth) {
        if (!Factor(depth)) return false;
        for (;;) {
            const TExprCell c = At(pos_);
            TExprProgram::TOp op;
            if (c == '*')
                op = TExprProgram::TOp::Mul;
            else if (c == '/')
                op = TExprProgram::TOp::Div;
            else if (c == '^')
                op = TExprProgram::TOp::Pow;
            else
                return true;
            ++pos_;
            if (!Factor(depth)) return false;
            Emit(op);
        }
    }

    bool Factor(int depth) {
        if (At(pos_) == '(') {
            ++pos_;
            return Bracketed(depth);
        }
        switch (Number()) {
            case TNumber::Read:
                return true;
            case TNumber::Failed:
                return false;
            case TNumber::NotNumber:
                break;
        }
        if (At(pos_) == 'E' && AllowedAfterNumber(At(pos_ + 1))) {
            ++pos_;
            Emit(TExprProgram::TOp::Const, 0, std::numbers::e_v<long double>);
            return true;
        }
        if (At(pos_) == 'P' && At(pos_ + 1) == 'I' && AllowedAfterNumber(At(pos_ + 2))) {
            pos_ += 2;
            Emit(TExprProgram::TOp::Const, 0, kPi);
            return true;
        }
        for (const TFuncName& f : kFunctions) {
            size_t len = 0;
            while (f.name[len] && At(pos_ + len) == f.name[len]) ++len;
            if (f.name[len] || At(pos_ + len) != '(') continue;
            pos_ += len + 1;
            if (!Bracketed(depth)) return false;
            Emit(TExprProgram::TOp::Func, static_cast<uint8_t>(f.func));
            return true;
        }
        return Fail(TExprError::Syntax);
    }

    // An expression and its closing bracket, the opening one read.
    bool Bracketed(int depth) {
        if (!Expression(depth + 1)) return false;
        if (At(pos_) != ')') return Fail(TExprError::Bracket);
        ++pos_;
        return true;
    }

    TNumber Number() {
        size_t p = pos_;
        bool negative = false;
        if (IsSign(At(p))) negative = At(p++) == '-';
        if (At(p) == '$') return HexNumber(p + 1, negative);
        if (IsVar(At(p))) {
            const int slot = At(p++) - kVarCell;
            const TExprCell next = At(p);
            const TExprCell after = IsSign(At(p + 1)) ? At(p + 2) : At(p + 1);
            if (IsDigit(next) || next == '.' || IsVar(next) ||
                (next == 'E' && (IsDigit(after) || IsVar(after)))) {
                NeedText();
                return TNumber::Failed;
            }
            if (!AllowedAfterNumber(next)) return TNumber::NotNumber;
            Emit(negative ? TExprProgram::TOp::NegVar : TExprProgram::TOp::Var,
                 static_cast<uint8_t>(slot));
            pos_ = p;
            return TNumber::Read;
        }
        std::string mantissa;
        int digits = 0, intDigits = 0;
        auto readDigits = [&] {
            while (IsDigit(At(p))) {
                mantissa += static_cast<char>(At(p++));
                ++digits;
            }
            return !IsVar(At(p));
        };
        if (!readDigits()) return NeedText(), TNumber::Failed;
        intDigits = digits;
        if (At(p) == '.') {
            mantissa += '.';
            ++p;
            if (!readDigits()) return NeedText(), TNumber::Failed;
        }
        if (digits == 0) return TNumber::NotNumber;
        long long exponent = 0;
        if (At(p) == 'E') {
            size_t q = p + 1;
            bool negExp = false;
            if (IsSign(At(q))) negExp = At(q++) == '-';
            if (IsVar(At(q))) return NeedText(), TNumber::Failed;
            if (IsDigit(At(q))) {
                while (IsDigit(At(q))) {
                    // Beyond any extended real's range, more digits change nothing.
                    if (exponent < 1'000'000'000) exponent = exponent * 10 + (At(q) - '0');
                    ++q;
                }
                if (IsVar(At(q))) return NeedText(), TNumber::Failed;
                if (negExp) exponent = -exponent;
                p = q;
            }
        }
        if (!AllowedAfterNumber(At(p))) return TNumber::NotNumber;
        long double value = 0;
        if (TExprError e = DecimalValue(mantissa, exponent, intDigits, value);
            e != TExprError::None) {
            Fail(e);
            return TNumber::Failed;
        }
        Emit(TExprProgram::TOp::Const, 0, negative ? -value : value);
        pos_ = p;
        return TNumber::Read;
    }

    TNumber HexNumber(size_t p, bool negative) {
        uint64_t value = 0;
        int count = 0;
        while (IsHexDigit(At(p))) {
            const TExprCell c = At(p++);
            if (count < 9)
                value = value * 16 + static_cast<uint64_t>(IsDigit(c) ? c - '0' : c - 'A' + 10);
            ++count;
        }
        if (IsVar(At(p))) return NeedText(), TNumber::Failed;
        if (count < 1 || count > 8 || !AllowedAfterNumber(At(p))) return TNumber::NotNumber;
        const auto v = static_cast<long double>(value);
        Emit(TExprProgram::TOp::Const, 0, negative ? -v : v);
        pos_ = p;
        return TNumber::Read;
    }

    const std::vector<TExprCell>& cells_;
    TExprProgram& program_;
    size_t pos_ = 0;
    int stack_ = 0;
    bool failed_ = false;
};

const char* ExprErrorText(TExprError error) {
    switch (error) {
        case TExprError::None:
            return "";
        case TExprError::Syntax:
            return "Синтаксическая ошибка";
        case TExprError::Bracket:
            return "Не хватает скобочки";
        case TExprError::ZeroDivide:
            return "Деление на нуль";
        case TExprError::LnDomain:
            return "Выражение под логарифмом меньне нуля";
        case TExprError::SqrtDomain:
            return "Выражение под корнем меньне нуля";
        case TExprError::Float:
            return "Ошибка в операции с плавающей точкой";
        case TExprError::TooDeep:
            return "Слишком глубокая вложенность скобок";
        case TExprError::TooLong:
            return "Слишком длинная формула";
    }
    return "";
}

std::vector<TExprCell> PrepareExpression(std::string_view text) {
    std::vector<TExprCell> cells;
    cells.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < '!') continue;
        cells.push_back(static_cast<TExprCell>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
    }
    return cells;
}

TExprProgram TExprProgram::Compile(std::vector<TExprCell> cells) {
    TExprProgram program;
    if (std::count(cells.begin(), cells.end(), '(') !=
        std::count(cells.begin(), cells.end(), ')')) {
        program.compileError_ = TExprError::Bracket;
        return program;
    }
    if (!cells.empty() && IsSign(cells.front())) cells.insert(cells.begin(), '0');
    TExprCompiler(cells, program).Compile();
    return program;
}

TExprResult TExprProgram::Run(const long double* slots) const {
    if (compileError_ != TExprError::None) return {compileError_, 0};
    constexpr int kLocal = 64;
    long double local[kLocal];
    std::vector<long double> heap;
    long double* stack = local;
    if (maxStack_ > kLocal) {
        heap.resize(static_cast<size_t>(maxStack_));
        stack = heap.data();
    }
    int top = -1;
    for (const TInstr& in : code_) {
        TExprError e = TExprError::None;
        switch (in.op) {
            case TOp::Const:
                stack[++top] = in.value;
                continue;
            case TOp::Var:
                stack[++top] = slots[in.arg];
                continue;
            case TOp::NegVar:
                stack[++top] = -slots[in.arg];
                continue;
            case TOp::Func:
                e = ApplyFunc(static_cast<TFunc>(in.arg), stack[top], stack[top]);
                break;
            default: {
                const long double b = stack[top--];
                long double& a = stack[top];
                switch (in.op) {
                    case TOp::Add:
                        a += b;
                        break;
                    case TOp::Sub:
                        a -= b;
                        break;
                    case TOp::Mul:
                        a *= b;
                        break;
                    case TOp::Div:
                        if (b == 0) {
                            e = TExprError::ZeroDivide;
                            break;
                        }
                        a /= b;
                        break;
                    default:
                        e = Power(a, b, a);
                        break;
                }
                if (e == TExprError::None && !std::isfinite(a)) e = TExprError::Float;
                break;
            }
        }
        if (e != TExprError::None) return {e, 0};
    }
    return {TExprError::None, top >= 0 ? stack[top] : 0};
}

TExprResult EvaluateExpression(std::string_view text) {
    return TExprProgram::Compile(PrepareExpression(text)).Run(nullptr);
}

}  // namespace zentrix
