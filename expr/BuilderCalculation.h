#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/UserFeedback.h"
#include "expr/Dimension.h"
#include "expr/Evaluator.h"

namespace zorv::expr {

// The evaluator's arithmetic over dimensioned values. Every dimension typed
// in an expression (12'6-3/8", 30cm) and every computed value is held in a
// table and written into the evaluator's text as a placeholder operand:
// the decimal symbol, the table index and the decimal symbol again (".3.").
// Such a text is one operand to every scan of the evaluator, so precedence,
// brackets, implicit products, percent and X, Y, Z work as they do for
// plain numbers, and cannot be mistaken for a typed number, which never
// holds two decimal symbols. Bare numbers stay in the text as typed.
class DimensionedArithmetic : public ValueArithmetic {
public:
    explicit DimensionedArithmetic(PlainUnit plain = PlainUnit::Inches) : plain_(plain) {}

    // The evaluator's form of a typed expression (or variable text): blanks
    // removed, "×" and "÷" as "*" and "/", each dimension a placeholder.
    // `tape` receives the expression as written on the tape (12'6-3/8" +
    // 3'0-1/4"). Throws DimensionError for a malformed dimension.
    std::string tokenise(std::string_view text, std::string* tape = nullptr);

    std::string compute(char op, std::string_view left, std::string_view right) override;
    std::string finish(std::string_view text) override;
    std::string shown(std::string_view text) const override;

    // The value of an operand text (a sign, then a placeholder or a bare
    // number); throws engine::DecimalTypeMismatch for anything else.
    Dimensioned operand(std::string_view text) const;

private:
    std::string store(const Dimensioned& value, std::string shown);

    PlainUnit plain_;
    std::vector<Dimensioned> values_;
    std::vector<std::string> shown_;
};

// Stored settings keys of the construction calculator, with their defaults.
inline constexpr std::string_view kConfirmBuilderKey = "Confirm Builder";             // 0
inline constexpr std::string_view kBuilderResultFtInKey = "Builder Result FtIn";      // 1
inline constexpr std::string_view kBuilderResultToReadoutKey = "Builder Result to Readout";  // 1
inline constexpr std::string_view kBuilderConvertKey = "Builder Convert";             // 1
inline constexpr std::string_view kBuilderAreaKey = "Builder Area";                   // 0
inline constexpr std::string_view kBuilderVolumeKey = "Builder Volume";               // 0
// Keys this calculator adds for the two choices it needs beyond those.
inline constexpr std::string_view kBuilderDenominatorKey = "Builder Denominator";     // 16
inline constexpr std::string_view kBuilderPlainFeetKey = "Builder Plain Feet";        // 0

struct BuilderOptions {
    bool confirm = false;           // ask to confirm the interpreted text
    bool resultFeetInches = true;   // result line in feet-inch-fraction, else decimal
    bool resultToReadout = true;    // the value goes to the main readout
    bool convert = true;            // show the metric line
    bool area = false;              // an area also in square yards
    bool volume = false;            // a volume also in cubic yards
    int denominator = 16;           // rounding of inches: 2, 4, ... 64
    PlainUnit plain = PlainUnit::Inches;
    std::array<std::string, 3> variables{"0", "0", "0"};  // X, Y, Z as typed
};

// Options from the settings store: `read(key, default)` returns the stored
// text. A denominator that is not 2..64 and a power of two reads as 16.
BuilderOptions readBuilderOptions(
    const std::function<std::string(std::string_view key, std::string_view fallback)>& read);

struct BuilderResult {
    bool ok = false;
    Dimensioned value;
    std::string expression;         // as written on the tape: 12'6-3/8" × 10'
    std::string resultText;         // 15'6-5/8", 125.3125 sq ft, 5/16"↓
    std::vector<std::string> lines; // the result line, then the other forms
    std::string tapeLine;           // expression = result
    std::string readout;            // plain decimal in the chosen unit; empty if not sent
    std::string message;            // the message shown after a failure
    Evaluator::EditRequest editRequest = Evaluator::EditRequest::None;
    std::string editText;           // what the expression box should hold after a refusal
};

// Evaluates one construction-calculator expression. Messages (malformed
// dimensions, mismatched kinds, the evaluator's own) go to `feedback` and
// are also returned in `message`.
BuilderResult evaluateDimensions(std::string_view expression, const BuilderOptions& options,
                                 engine::UserFeedback& feedback);

// The lines shown for a value: the result line first.
std::vector<std::string> describeValue(const Dimensioned& value, const BuilderOptions& options);

}  // namespace zorv::expr
