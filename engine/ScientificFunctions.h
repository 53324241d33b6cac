#pragma once

#include <string>

#include "CalculatorModel.h"
#include "CommandTable.h"
#include "Decimal.h"

namespace zorv::engine {

// The square and square-root keys and the Sci menu. Each function takes the
// readout value, writes one tape line naming the function, its argument and
// its result ("sqrt(2) = 1.41"), and leaves the result in the readout as a
// fresh entry. A value outside a function's domain, or a result too large
// for the readout, is reported and leaves the readout as it was: no "nan"
// or "inf" ever reaches the readout or the tape.
//
// Trigonometric functions read, and inverse ones give, angles in degrees or
// radians (Modes::radians). In degrees, whole multiples of 90 are exact,
// so sin 180 is 0 and tan 90 is undefined rather than a huge number.
class ScientificFunctions {
public:
    explicit ScientificFunctions(CalculatorModel& model) : model_(model) {}

    void square();
    void squareRoot();
    // The function of the Sci menu command `id` (sine ... inverse hyperbolic
    // cotangent, natural logarithm, exp); other ids do nothing.
    void apply(CommandId id);
    // Asks the base, then writes log_base(x).
    void logarithmToBase();
    void reciprocal();
    // Angles in radians (true) or degrees (false).
    void setRadians(bool radians);
    // 0 pi, 1 e, 2 the golden ratio.
    void enterConstant(int index);
    // Writes the readout as a fraction on the tape; the readout stays.
    void convertToFractions();

    // A function computed in binary floating point (defined with its table
    // in the .cpp): its command (whose text names it in messages), short
    // name for the tape, whether its argument or its result is an angle, and
    // the function, NaN outside its domain.
    struct Function {
        CommandId id;
        const char* shortName;
        enum Angle { None, In, Out } angle;
        double (*eval)(double x, bool radians);
    };

private:
    bool takeReadout(Decimal& value);
    void applyDouble(const Function& f);
    void finish(const std::string& call, const Decimal& result, const char* unit = "");
    void notDefined(const std::string& name, const Decimal& arg, const char* unit = "");
    void tooLarge(const std::string& name, const Decimal& arg, const char* unit = "");
    const char* angleUnit() const;

    CalculatorModel& model_;
};

// The value as a fraction: "3/4", "-1 1/2" (a mixed number from 1 up), "5"
// for whole numbers. Up to 11 decimals the fraction is exact (0.12345 is
// 2469/20000). A longer decimal that is a simple fraction to all its digits
// gives that fraction (0.333...3 to 28 places gives "1/3"); failing that,
// `approximate` is set and the closest fraction with a denominator up to
// 10000 is given (pi gives 355/113).
std::string fractionText(const Decimal& value, bool& approximate);

// Registers "Square", "Square Root" and every Sci menu item by its catalogue
// text ("Sine", ..., "Degrees", "Radiants", "Pi", "Convert to Fractions").
void registerScientificCommands(CalculatorModel& model, ScientificFunctions& functions);

}  // namespace zorv::engine
