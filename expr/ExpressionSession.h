#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "expr/Evaluator.h"

namespace zorv::engine {
class CalculatorModel;
}

namespace zorv::expr {

// The evaluator as the calculator uses it: one evaluator with its variables
// and confirm flag, and the step that sends a result to the readout and the
// tape. The evaluator window and batch mode's {Eval ...} share it, so both
// leave the calculator in the same state.
class ExpressionSession {
public:
    explicit ExpressionSession(engine::CalculatorModel& model);
    // `feedback` shows the evaluator's messages (the window's own dialogs).
    ExpressionSession(engine::CalculatorModel& model, engine::UserFeedback& feedback);

    engine::CalculatorModel& model() { return model_; }
    Evaluator& evaluator() { return evaluator_; }

    // cmdOK: evaluates `text`; on a result the readout shows it, formatted
    // as after any computed value, and the tape gets the line
    // InterpretedText " = " readout. True when a result was sent.
    bool evaluateToCalculator(std::string_view text);

    // Sets variable 0..2 (X, Y, Z) as a variable box does once it loses the
    // focus: the text is cleaned to a plain number first.
    void setVariable(int index, std::string_view text);
    // {Var X=4}: false when the argument is not LETTER=VALUE with X, Y or Z.
    bool setVariableCommand(std::string_view argument);
    // Told when setVariable changed a variable (the window mirrors it).
    std::function<void(int index)> onVariableChanged;

private:
    engine::CalculatorModel& model_;
    Evaluator evaluator_;
};

// The stored "Confirm Expression" value: a number text, non-zero meaning
// checked, or "True"/"False" in any letter case; anything else unchecked.
bool confirmSettingValue(std::string_view stored);

// Registers the batch commands "Eval TEXT" (evaluates TEXT as the window's
// OK does) and "Var X=VALUE" (also Y, Z) on `session`.
void registerExpressionCommands(engine::CalculatorModel& model,
                                std::shared_ptr<ExpressionSession> session);
// The same with a session of its own: variables "0", confirmation as given.
std::shared_ptr<ExpressionSession> registerExpressionCommands(engine::CalculatorModel& model,
                                                              bool confirm = false);

}  // namespace zorv::expr
