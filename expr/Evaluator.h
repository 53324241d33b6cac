#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/NumberSymbols.h"
#include "engine/UserFeedback.h"

namespace zorv::expr {

// A failure of a value arithmetic other than the decimal type's own
// (operands of kinds that cannot be combined); its text is the message.
class ArithmeticError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arithmetic step of the evaluator over values that are not plain
// decimal numbers. The rewriting and reduction steps stay the evaluator's
// own; only the value of each `left op right` (operands written as the
// evaluator reads them: digits and decimal symbols, a leading "-" as the
// sign) comes from here. A value written back must read as one operand the
// same way and must not begin with a sign.
class ValueArithmetic {
public:
    virtual ~ValueArithmetic() = default;
    // Throws engine::DecimalError kinds or ArithmeticError.
    virtual std::string compute(char op, std::string_view left, std::string_view right) = 0;
    // The value of a whole reduced expression, as GetBrackets returns it.
    virtual std::string finish(std::string_view text) = 0;
    // The rewritten text as the user should read it.
    virtual std::string shown(std::string_view text) const = 0;
};

// One record of the group table: a parenthesised group of the rewritten
// expression, innermost groups coming after the groups that enclose them.
struct Group {
    int StartPos = 0;       // 1-based position of its "(" when it was found
    int EndPos = 0;         // position of the matching ")"
    std::string_view Text;  // content without the outer parentheses
    std::string Result;     // the group's value, filled during evaluation
};

// The expression evaluator (module mdlEvaluators). It rewrites one line of
// arithmetic into an explicit form (implicit products, Pi, percentages and
// the variables X, Y, Z replaced), lets the user confirm that form, then
// reduces the parenthesised groups innermost first by splicing each
// operation's result back into the text. It never builds a tree: results,
// including the odd ones (2Pi is 23.14159265359), follow from the rewriting.
//
// All positions in the helper routines are 1-based, as the text routines
// that operate on them count characters from 1.
class Evaluator {
public:
    // Positions are 16-bit in the stored formula texts and group table, so a
    // longer text cannot be evaluated.
    static constexpr std::size_t kMaxLength = 32767;

    Evaluator(engine::UserFeedback& feedback, engine::NumberSymbols symbols = {});
    // The group table points into the evaluator's own copy of the text.
    Evaluator(const Evaluator&) = delete;
    Evaluator& operator=(const Evaluator&) = delete;

    // The variable boxes txtVar(0..2) for X, Y and Z, as typed.
    void setVariable(int index, std::string text);
    const std::string& variable(int index) const;
    // The "Confirm Expression" check box (chkVerify).
    void setConfirm(bool on) { confirm_ = on; }
    bool confirm() const { return confirm_; }
    // Computes with `arithmetic` instead of the decimal type (null: the
    // decimal type). It must outlive the evaluations.
    void setArithmetic(ValueArithmetic* arithmetic) { arithmetic_ = arithmetic; }
    // The longest text the rewriting may produce (kMaxLength unless set).
    // A caller that checked the typed text itself and writes its values in
    // a longer form raises it.
    void setLengthLimit(std::size_t limit) { lengthLimit_ = limit; }

    const engine::NumberSymbols& symbols() const { return symbols_; }
    // "3.14159265359" written with the locale decimal symbol.
    const std::string& piText() const { return piText_; }

    // Evaluates `text` (normally EvalText itself). Returns the value as plain
    // decimal text, or an empty text after an error, a refusal in the
    // confirmation box or an empty expression; EvalAborted tells which.
    std::string GetBrackets(std::string& text);
    // Convenience: EvalText = text, then GetBrackets(EvalText).
    std::string evaluate(std::string_view text);

    std::string EvalText;
    std::string InterpretedText;
    bool EvalAborted = false;

    // What the confirmation box asked the caller to do with the expression
    // box: after "No" it shows the interpreted text for editing, after
    // "Cancel" it keeps what the user typed.
    enum class EditRequest { None, EditInterpreted, EditOriginal };
    EditRequest editRequest() const { return editRequest_; }

    const std::vector<Group>& groups() const { return groups_; }

    // ---- the text routines, public so that they can be checked one by one -
    static bool HasParens(std::string_view s);
    // Position of the ")" closing a group already opened before `start`; -1
    // when the text ends first.
    static int FindClosingParen(std::string_view s, int start);
    // Where the last operand of `s` begins; 0 for an empty text.
    int FindOperandStart(std::string_view s) const;
    // Position of the operator that ends the first operand of `s`; 0 if none.
    int FindOperandEnd(std::string_view s) const;
    static bool IsOperatorChar(char c);
    // The implicit-multiplication pass over EvalText.
    void InsertImplicitProducts();
    // Replaces the first occurrence of `letter` (any case) at or after the
    // 0-based offset `from` in EvalText by the text of variable `index`,
    // wrapped in parentheses; returns the offset just after the value.
    std::size_t SubstituteVariable(char letter, int index, std::size_t from = 0);
    // One reduction each; true when an operation was performed. After an
    // error the text is emptied, EvalAborted set and false returned.
    bool DoPowers(std::string& t);
    bool DoProducts(std::string& t);
    bool DoSums(std::string& t);

private:
    enum class Step { Powers, Products, Sums };

    bool isDigit(char c) const { return c >= '0' && c <= '9'; }
    bool isNumeric(char c) const { return isDigit(c) || c == sep_; }
    bool isExponentSign(std::string_view s, std::size_t i) const;
    bool isExponentLetter(std::string_view s, std::size_t i) const;

    // Where the exponent that starts at 0-based `i` of the rewritten text
    // ends: at an operator (a sign right after "^" belongs to it), or at the
    // ")" of the bracket the power stands in; a bracketed exponent is whole.
    std::size_t exponentEnd(std::string_view s, std::size_t i) const;
    // Turns every run of signs standing where a sign may stand into one sign
    // or none; while powers are left, keeps a value's own sign in front of a
    // base apart from the typed signs before it.
    void collapseSigns(std::string& t, bool powersLeft) const;

    bool rewrite(bool& interpreted);
    bool tooLong(const std::string& text);
    bool buildGroups(std::string& text);
    bool reduceGroup(std::size_t index);
    bool finish(std::string& result);

    // The value of `left op right` as plain decimal text; throws the decimal
    // type's errors.
    std::string compute(char op, std::string_view left, std::string_view right) const;
    // Computes and splices the value over t[start, end); reports a failure.
    bool operate(Step step, char op, std::string_view left, std::string_view right, std::string& t,
                 std::size_t start, std::size_t end);
    double operand(std::string_view text) const;
    void fail(std::string& t, const std::string& message, const std::string& title,
              engine::MessageIcon icon);
    void reportError(Step step, int number, const std::string& description);

    std::string toInternal(std::string_view text) const;
    std::string toExternal(std::string_view text) const;
    std::string shown(std::string_view text) const;

    engine::UserFeedback& feedback_;
    engine::NumberSymbols symbols_;
    // The decimal symbol as one character. A locale symbol of several bytes
    // is mapped to a private byte on the way in and back on the way out.
    char sep_ = '.';
    engine::NumberSymbols parseSymbols_;
    std::string piText_;
    std::array<std::string, 3> variables_{"0", "0", "0"};
    bool confirm_ = false;
    ValueArithmetic* arithmetic_ = nullptr;
    std::size_t lengthLimit_ = kMaxLength;
    EditRequest editRequest_ = EditRequest::None;

    std::string rewritten_;  // the text the group table points into
    std::vector<Group> groups_;
    // Per record: offsets of its "(" and ")" in rewritten_ and its directly
    // nested groups in order.
    struct Span {
        std::size_t open = 0;
        std::size_t close = 0;
        std::vector<std::size_t> children;
        std::size_t removed = 0;  // characters removed before it while pairing
    };
    std::vector<Span> spans_;
};

}  // namespace zorv::expr
