#include "RpnStack.h"

#include "TapeNumber.h"

namespace zorv::engine {

RpnStack::RpnStack(CalculatorModel& model) : model_(model) {
    model_.rpnOperation = [this](std::string_view op, std::string_view text) { rpnOperation(op, text); };
    model_.rpnClear = [this] { clear(); };
}

RpnStack::~RpnStack() {
    model_.rpnOperation = nullptr;
    model_.rpnClear = nullptr;
}

std::vector<std::string> RpnStack::lines() const {
    std::vector<std::string> out;
    int level = 1;
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it, ++level)
        out.push_back(std::to_string(level) + ": " + tapeNumber(model_, *it));
    return out;
}

void RpnStack::clear() {
    stack_.clear();
    resultOnTop_ = false;
    changed();
}

void RpnStack::changed() {
    model_.setRpnDepthLabel(std::to_string(stack_.size()));
    if (onChange) onChange();
}

std::string RpnStack::number(const Decimal& d) const { return tapeNumber(model_, d); }

bool RpnStack::combine(const std::string& op, const Decimal& y, const Decimal& x, Decimal& result) {
    const std::string product(kProductName);
    try {
        if (op == "+") result = y + x;
        else if (op == "-") result = y - x;
        else if (op == "X") result = y * x;
        else if (op == "%") result = y * x / Decimal(100);
        else {
            if (x.isZero()) {
                model_.feedback().showMessage("Can't divide by 0.", product, MessageIcon::Exclamation);
                return false;
            }
            result = y / x;
        }
    } catch (const DecimalError&) {
        model_.feedback().showMessage("Invalid value!", product, MessageIcon::Information);
        return false;
    }
    return true;
}

void RpnStack::rpnOperation(std::string_view opView, std::string_view text) {
    const std::string op(opView);
    const std::string product(kProductName);
    model_.setHint("Press F1 for Help [RPN]");

    const bool haveEntry = model_.entryState() == EntryState::Number;
    Decimal x;
    try {
        x = model_.toDecimal(text);
    } catch (const DecimalError&) {
        model_.feedback().showMessage("Invalid value!", product, MessageIcon::Information);
        return;
    }

    // A function of a result an operator left on the stack gives its new
    // value: it takes the result's place rather than being a second number.
    std::vector<Decimal> work = stack_;
    if (haveEntry && model_.resultOfShownValue() && resultOnTop_ && !work.empty()) work.pop_back();

    if (op == "=") {
        work.push_back(x);
        stack_ = std::move(work);
        resultOnTop_ = false;
        model_.postToTape(number(x) + " ENTER");
        model_.setEntryState(EntryState::AfterOperator);
        changed();
        return;
    }
    if (op != "+" && op != "-" && op != "X" && op != "/" && op != "%") {
        model_.feedback().showMessage("RPN Error", product, MessageIcon::Exclamation);
        return;
    }

    Decimal y;
    if (haveEntry) {
        if (work.empty()) {
            model_.feedback().showMessage("There are no numbers in the stack.", product,
                                          MessageIcon::Exclamation);
            return;
        }
        y = work.back();
        if (op != "%") work.pop_back();
    } else {
        if (work.empty()) {
            model_.feedback().showMessage("There are no numbers in the stack.", product,
                                          MessageIcon::Exclamation);
            return;
        }
        if (work.size() < 2) {
            model_.feedback().showMessage("RPN Error", product, MessageIcon::Exclamation);
            return;
        }
        x = work.back();
        work.pop_back();
        y = work.back();
        if (op != "%") work.pop_back();
    }

    Decimal result;
    if (!combine(op, y, x, result)) return;
    work.push_back(result);
    stack_ = std::move(work);
    resultOnTop_ = true;

    if (op == "%")
        model_.postToTape(number(x) + "% of " + number(y) + " = " + number(result));
    else
        model_.postToTape(number(y) + " " + op + " " + number(x) + " = " + number(result));
    model_.showResult(result);
    model_.setEntryState(EntryState::AfterOperator);
    changed();
}

void registerRpnCommands(CalculatorModel& model, RpnStack& stack) {
    model.commands().add(CommandId::ViewRpnStack, [&model, &stack] {
        if (!model.modes().rpn) {
            model.feedback().beep();
            return;
        }
        std::string text = "The RPN stack is empty.";
        const auto lines = stack.lines();
        if (!lines.empty()) {
            text = "RPN stack (top first):";
            for (const auto& l : lines) text += "\r\n" + l;
        }
        model.feedback().showMessage(text, std::string(kProductName), MessageIcon::Information);
    });
}

}  // namespace zorv::engine
