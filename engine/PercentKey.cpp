// The percent key, as on a printing desk calculator: it completes the
// pending operation with the keyed number taken as a percentage.
//
//   a X b %   b percent of a             200 X 15 %  ->  30
//   a + b %   a plus b percent of a       200 + 15 %  ->  230 (add-on)
//   a - b %   a less b percent of a       200 - 15 %  ->  170 (discount)
//   a / b %   what percent a is of b      30 / 200 %  ->  15
//
// With no operation pending, or with "% for Number" off, the key only turns
// the keyed number into its fraction of a hundred (15 % -> 0.15).
#include <string>

#include "CalculatorModel.h"
#include "TapeNumber.h"

namespace zorv::engine {

namespace {

bool hasDigit(const std::string& s) {
    for (char c : s)
        if (c >= '0' && c <= '9') return true;
    return false;
}

}  // namespace

void CalculatorModel::pressPercent() {
    struct Repaint {
        CalculatorModel& m;
        ~Repaint() { m.notify(); }
    } repaint{*this};
    const std::string product(kProductName);

    hint_ = "Press F1 for Help [Percent]";
    // A lone "-" keyed as the sign of a coming number is not a number yet.
    if (!hasDigit(readout_)) {
        feedback_.beep();
        return;
    }
    readout_ = validValue(readout_);
    normalizeReadout();

    Decimal b;
    try {
        b = toDecimal(readout_);
    } catch (const DecimalError&) {
        feedback_.showMessage("Invalid value!", product, MessageIcon::Information);
        clearAll();
        return;
    }

    using P = PendingOperator;
    const bool pending = numOps_ == 1 && (opFlag_ == P::Add || opFlag_ == P::Subtract ||
                                          opFlag_ == P::Multiply || opFlag_ == P::Divide);
    const bool rpn = modes_.rpn && modes_.percentForNumber;
    if (!modes_.percentForNumber || (!pending && !rpn)) {
        showResult(b / Decimal(100));
        return;
    }

    const std::string keyed = readout_;
    ++tapeItem_;
    if (rpn) {
        if (rpnOperation)
            rpnOperation("%", keyed);
        else
            feedback_.showMessage("RPN Error", product, MessageIcon::Exclamation);
        return;
    }

    const PendingOperator op = opFlag_;
    Decimal result;
    Decimal amount;
    try {
        // Magic Number keeps the chain's first number as the base of every
        // percentage, so a list of rates can be run against one amount.
        const Decimal a = modes_.magicNumber ? toDecimal(magicNumber_) : runningTotal_;
        if (op == P::Divide) {
            if (b.isZero()) {
                feedback_.showMessage("Can't divide by zero", product, MessageIcon::Exclamation);
                clearAll();
                return;
            }
            result = a / b * Decimal(100);
        } else {
            amount = a * b / Decimal(100);
            if (op == P::Multiply) result = amount;
            else if (op == P::Add) result = a + amount;
            else {
                amount = -amount;
                result = a + amount;
            }
        }
    } catch (const DecimalError&) {
        feedback_.showMessage("Invalid value!", product, MessageIcon::Information);
        clearAll();
        return;
    }

    std::string entryText = format_.entryNumber(keyed) + "%";
    if (modes_.numberTapeItems) entryText += " >" + std::to_string(tapeItem_) + "<";
    if (modes_.showPercentages && (op == P::Add || op == P::Subtract))
        entryText += "\r\n" + format_.entryNumber(amount);

    showResult(result);
    std::string total = format_.totalLine(readout_);
    if (op == P::Divide) {
        if (total.ends_with(format_.decimalSymbol())) total.erase(total.size() - format_.decimalSymbol().size());
        total += "%";
    }
    entryText += "\r\n" + std::string(kTotalRule) + "\r\n" + total + "\r\n" + std::string(kTotalEnd);
    postToTape(entryText);

    if (modes_.magicNumber) {
        // The chain stays open on its first number: the next "b %" applies
        // the same operation to it again.
        entryState_ = EntryState::AfterOperator;
        return;
    }
    opFlag_ = P::Percent;
    numOps_ = 0;
    runningTotal_ = Decimal();
    tapeItem_ = 0;
}

}  // namespace zorv::engine
