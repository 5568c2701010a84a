#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zentrix {

// The expression language of the shredding formulas, evaluated in 80-bit extended reals. A text
// is compiled once into a program of stack operations and then run for any values of its
// variables. User text never crashes, hangs or exhausts the stack: every failure is a result.

enum class TExprError : uint8_t {
    None,
    Syntax,      // "Синтаксическая ошибка"
    Bracket,     // "Не хватает скобочки"
    ZeroDivide,  // "Деление на нуль"
    LnDomain,    // "Выражение под логарифмом меньне нуля"
    SqrtDomain,  // "Выражение под корнем меньне нуля"
    Float,  // "Ошибка в операции с плавающей точкой": overflow, other function failures
    TooDeep,  // brackets and functions nested deeper than kExprMaxDepth
    TooLong,  // a formula longer than kFormulaMaxLength
};

// The evaluator's message for a failure; empty for None.
const char* ExprErrorText(TExprError error);

// Deeper nesting fails rather than risking the stack.
inline constexpr int kExprMaxDepth = 256;

struct TExprResult {
    TExprError error = TExprError::None;
    long double value = 0;
    bool Ok() const { return error == TExprError::None; }
};

// A cell of a prepared text: a character (0..255), or a variable kVarCell + slot whose value is
// a non-negative integer written in decimal.
using TExprCell = int16_t;
inline constexpr TExprCell kVarCell = 256;
inline constexpr int kExprSlots = 24;

// A compiled expression. Variables read the values passed to Run by slot.
class TExprProgram {
  public:
    // Compiles prepared cells (blanks dropped, letters upper-cased). A variable that would run
    // into the characters beside it (a digit, a point, an exponent, a hexadecimal prefix), so
    // that its value's digits change how the text reads, makes NeedsText() true: such a formula
    // must be evaluated on its substituted text.
    static TExprProgram Compile(std::vector<TExprCell> cells);

    TExprError CompileError() const { return compileError_; }
    bool NeedsText() const { return needsText_; }
    TExprResult Run(const long double* slots) const;

    enum class TOp : uint8_t { Const, Var, NegVar, Add, Sub, Mul, Div, Pow, Func };
    struct TInstr {
        TOp op;
        uint8_t arg;  // slot or function
        long double value;
    };

  private:
    friend class TExprCompiler;
    std::vector<TInstr> code_;
    int maxStack_ = 0;
    TExprError compileError_ = TExprError::None;
    bool needsText_ = false;
};

// Cells of a text with no variables: characters below '!' dropped, ASCII letters upper-cased.
std::vector<TExprCell> PrepareExpression(std::string_view text);

// Evaluates an expression text (no variables left).
TExprResult EvaluateExpression(std::string_view text);

}  // namespace zentrix
