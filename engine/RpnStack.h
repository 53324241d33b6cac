#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "CalculatorModel.h"
#include "Decimal.h"

namespace zorv::engine {

// The number stack of RPN mode. The readout is the entry; "=" pushes it
// onto the stack. An operator combines the top of the stack with the entry
// when a number was keyed (2 = 3 + gives 5), or the top two numbers when
// none was (2 = 3 = + gives 5); the result replaces them on the stack and
// shows in the readout. A function applied to a shown result (sqrt after +)
// replaces that result. "%" gives x percent of the number below it and
// keeps that number (200 = 15 % + gives 230). Every step is written on the
// tape, the model's RPN depth label shows the depth, and C empties the stack.
class RpnStack {
public:
    // Installs itself as the model's rpnOperation and rpnClear.
    explicit RpnStack(CalculatorModel& model);
    ~RpnStack();
    RpnStack(const RpnStack&) = delete;
    RpnStack& operator=(const RpnStack&) = delete;

    // Bottom first.
    const std::vector<Decimal>& values() const { return stack_; }
    // The stack as text lines, top first: "1: 5", "2: 2".
    std::vector<std::string> lines() const;
    void clear();

    // One key: op is "+", "-", "X", "/", "=" or "%"; text is the readout.
    void rpnOperation(std::string_view op, std::string_view text);

    // Called after every change of the stack (the stack window repaints).
    std::function<void()> onChange;

private:
    void changed();
    bool combine(const std::string& op, const Decimal& y, const Decimal& x, Decimal& result);
    std::string number(const Decimal& d) const;

    CalculatorModel& model_;
    std::vector<Decimal> stack_;
    bool resultOnTop_ = false;  // the readout shows the top, which an operator made
};

// Registers "View RPN Stack" for batch mode: the stack is shown in a
// message. The window replaces it with the stack window. Outside RPN mode
// the command only beeps.
void registerRpnCommands(CalculatorModel& model, RpnStack& stack);

}  // namespace zorv::engine
