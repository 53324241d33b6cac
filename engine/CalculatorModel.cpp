#include "CalculatorModel.h"

#include <array>

#include "TextUtil.h"

namespace zorv::engine {

namespace {

constexpr std::array<std::string_view, 5> kOperatorCaptions = {"+", "-", "X", "/", "="};
constexpr std::string_view kHyphens = "------------------";
constexpr std::string_view kAsterisks = "******************";
constexpr std::string_view kInvalidValue = "Invalid value!";

// Repaints the views once a handler is done, however it leaves.
class NotifyOnExit {
public:
    explicit NotifyOnExit(CalculatorModel& m) : m_(m) {}
    ~NotifyOnExit() { m_.notify(); }
    NotifyOnExit(const NotifyOnExit&) = delete;
    NotifyOnExit& operator=(const NotifyOnExit&) = delete;

private:
    CalculatorModel& m_;
};

}  // namespace

Decimal roundResult(const Decimal& value, int places, Modes::ResultRounding mode) {
    using R = Modes::ResultRounding;
    if (mode == R::HalfUp) return value.round(places, Rounding::HalfAwayFromZero);
    const Decimal nearest = value.round(places, Rounding::HalfEven);
    if (mode == R::HalfEven || nearest == value) return nearest;
    // Up moves away from zero, down toward it, by one unit of the last place
    // when the nearest went the other way.
    const Decimal unit = Decimal::parse("1e-" + std::to_string(places));
    const bool negative = value.isNegative();
    const bool nearestLarger = negative ? nearest < value : nearest > value;  // further from zero
    if (mode == R::Up && !nearestLarger) return negative ? nearest - unit : nearest + unit;
    if (mode == R::Down && nearestLarger) return negative ? nearest + unit : nearest - unit;
    return nearest;
}

CalculatorModel::CalculatorModel(UserFeedback& feedback, NumberSymbols symbols)
    : feedback_(feedback), symbols_(std::move(symbols)) {
    if (symbols_.decimal.empty()) symbols_.decimal = ".";
    readout_ = "0" + symbols_.decimal;
    registerKeypadCommands();
}

void CalculatorModel::registerKeypadCommands() {
    using C = CommandId;
    constexpr C digits[] = {C::Digit0, C::Digit1, C::Digit2, C::Digit3, C::Digit4,
                            C::Digit5, C::Digit6, C::Digit7, C::Digit8, C::Digit9};
    for (int d = 0; d <= 9; ++d) commands_.add(digits[d], [this, d] { Number_Click(d); });
    commands_.add(C::DecimalPoint, [this] { Decimal_Click(); });
    constexpr C operators[] = {C::Add, C::Subtract, C::Multiply, C::Divide, C::Total};
    for (int i = 0; i < 5; ++i) commands_.add(operators[i], [this, i] { Operator_Click(i); });
    commands_.add(C::ClearEntry, [this] { CancelEntry_Click(); });
    commands_.add(C::Clear, [this] { Cancel_Click(); });
    commands_.add(C::ChangeSign, [this] { mnuChangeSign_Click(); });
    commands_.add(C::Backspace, [this] { Backspace(); });
    commands_.add(C::DeleteKey, [this] { Form_KeyDown(46, 0); });
    commands_.add(C::MemoryStore, [this] { cmdMS_Click(); });
    commands_.add(C::MemoryRecall, [this] { cmdMR_Click(); });
    commands_.add(C::MemoryAdd, [this] { cmdMplus_Click(); });
    commands_.add(C::MemorySubtract, [this] { cmdMminus_Click(); });
    commands_.add(C::MemoryClear, [this] { cmdMC_Click(); });
    commands_.add(C::Percent, [this] { Percent_Click(); });
}

void CalculatorModel::notify() {
    if (onChange) onChange();
}

void CalculatorModel::setReadout(std::string text) {
    readout_ = std::move(text);
    notify();
}

void CalculatorModel::setHint(std::string text) {
    hint_ = std::move(text);
    notify();
}

void CalculatorModel::setLblRPN(std::string text) {
    lblRPN_ = std::move(text);
    notify();
}

void CalculatorModel::focusEquals() {
    if (feedback_.mainWindowVisible()) feedback_.focusEqualsKey();
}

void CalculatorModel::runCommand(CommandId id) {
    if (!commands_.invoke(id)) feedback_.beep();
}

void CalculatorModel::runCommand(std::string_view name) {
    if (!commands_.run(name)) feedback_.beep();
}

void CalculatorModel::ReportError(const std::string& label, int number,
                                  const std::string& description, const std::string& source) {
    if (reportErrorHook) {
        reportErrorHook(label, number, description, source);
        return;
    }
    feedback_.showMessage("Error # " + std::to_string(number) + "\n" + description + "\n" + label,
                          std::string(kProductName), MessageIcon::Critical);
}

Decimal CalculatorModel::toDecimal(std::string_view text) const {
    return Decimal::parse(text, symbols_);
}

// ---------------------------------------------------------------------------
// Number entry

void CalculatorModel::Number_Click(int index) {
    NotifyOnExit n(*this);
    if (index < 0 || index > 9) return;
    const std::string digit(1, static_cast<char>('0' + index));
    const std::string& ds = symbols_.decimal;

    if (entryState_ != entry::Nums || freshResult_) {
        readout_ = ds;
        decimalFlag_ = false;
        freshResult_ = false;
    }
    if (static_cast<int>(text::length(readout_)) >= maxDigits_) {
        feedback_.beep();
        focusEquals();
        return;
    }
    if (modes_.mnuAutoDecimal) {
        AutoDecFormat(digit);
    } else {
        if (readout_ == ds) decimalFlag_ = false;
        if (decimalFlag_) {
            readout_ += digit;
        } else {
            if (readout_.starts_with(" 0")) readout_.erase(0, 2);
            if (readout_.starts_with("0")) readout_.erase(0, 1);
            const auto pos = readout_.find(ds);
            readout_ = readout_.substr(0, pos) + digit + ds;
        }
    }
    if (entryState_ == entry::Neg) readout_ = "-" + readout_;
    entryState_ = entry::Nums;
    focusEquals();
}

// Auto-Decimal entry keeps the last DecimalPlaces digits keyed behind the
// decimal symbol, so the readout always shows that many decimals and each
// digit enters at the right: 1, 2, 3 with two places gives 0.01, 0.12, 1.23.
std::string CalculatorModel::autoDecimalText(std::string digits, bool negative) const {
    const int places = modes_.DecimalPlaces;
    while (digits.size() > 1 && digits.front() == '0') digits.erase(0, 1);
    if (static_cast<int>(digits.size()) < places + 1)
        digits.insert(0, static_cast<std::size_t>(places + 1) - digits.size(), '0');
    const std::size_t split = digits.size() - static_cast<std::size_t>(places);
    std::string out = digits.substr(0, split);
    if (places > 0) out += symbols_.decimal + digits.substr(split);
    else out += symbols_.decimal;
    return negative ? "-" + out : out;
}

void CalculatorModel::AutoDecFormat(std::string_view digit) {
    std::string digits;
    for (char c : readout_)
        if (c >= '0' && c <= '9') digits += c;
    digits += digit;
    // A fresh negative entry gets its sign from the caller; one that is
    // already negative keeps it.
    readout_ = autoDecimalText(digits, readout_.starts_with("-"));
}

void CalculatorModel::Decimal_Click() {
    NotifyOnExit n(*this);
    if (modes_.mnuAutoDecimal) return;
    if (entryState_ == entry::Neg) readout_ = "-0" + symbols_.decimal;
    else if (entryState_ != entry::Nums || freshResult_) readout_ = "0" + symbols_.decimal;
    freshResult_ = false;
    decimalFlag_ = true;
    entryState_ = entry::Nums;
}

void CalculatorModel::mnuChangeSign_Click() {
    NotifyOnExit n(*this);
    try {
        readout_ = toText(-toDecimal(readout_));
    } catch (const DecimalError&) {
        feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName),
                              MessageIcon::Information);
        return;
    }
    entryState_ = entry::Nums;
    NormalizeReadout();
}

void CalculatorModel::CancelEntry_Click() {
    NotifyOnExit n(*this);
    freshResult_ = false;
    readout_ = "0" + symbols_.decimal;
    decimalFlag_ = false;
    entryState_ = entry::CE;
}

void CalculatorModel::Cancel_Click() {
    NotifyOnExit n(*this);
    readout_ = "0" + symbols_.decimal;
    if (modes_.HideClearBanner)
        PostToTape("");
    else
        PostToTape(std::string(kAsterisks) + "\r\n Clear\r\n" + std::string(kAsterisks) + "\r\n");
    runningTotal_ = Decimal();
    currentOperand_ = Decimal();
    focusEquals();
    decimalFlag_ = false;
    numOps_ = 0;
    entryState_ = entry::None;
    opFlag_ = " ";
    lblRPN_ = "0";
    if (RPNclear) RPNclear();
    if (onClear) onClear();
    freshResult_ = false;
    tapeItem_ = 0;
    // Nothing is pending any more, so the hint no longer names an operation.
    hint_ = "Press F1 for Help";
}

// Backspace edits the number being keyed. A whole number carries its decimal
// symbol at the end, so the digit before it goes; once the decimal symbol
// was keyed, the last fraction digit goes, and then the symbol itself (which
// stays on screen, as every whole number shows it). When no digit is left,
// it acts as CE. On a result or after an operator there is nothing keyed to
// edit, so it only beeps.
void CalculatorModel::Backspace() {
    NotifyOnExit n(*this);
    const std::string& ds = symbols_.decimal;
    if (entryState_ == entry::Neg) {
        CancelEntry_Click();
        return;
    }
    if (entryState_ != entry::Nums || freshResult_) {
        feedback_.beep();
        return;
    }
    const bool negative = readout_.starts_with("-");
    if (modes_.mnuAutoDecimal) {
        std::string digits;
        for (char c : readout_)
            if (c >= '0' && c <= '9') digits += c;
        while (!digits.empty() && digits.front() == '0') digits.erase(0, 1);
        if (digits.size() <= 1) {
            CancelEntry_Click();
            return;
        }
        digits.pop_back();
        readout_ = autoDecimalText(digits, negative);
        return;
    }
    const auto pos = readout_.find(ds);
    if (pos == std::string::npos) {
        CancelEntry_Click();
        return;
    }
    if (pos + ds.size() < readout_.size()) {
        // Fraction digits: drop the last one, stay behind the decimal symbol.
        text::popLastCharacter(readout_);
        decimalFlag_ = true;
        return;
    }
    if (decimalFlag_) {
        decimalFlag_ = false;
        return;
    }
    std::string whole = readout_.substr(0, pos);
    text::popLastCharacter(whole);
    if (whole.empty() || whole == "-") {
        CancelEntry_Click();
        return;
    }
    readout_ = whole + ds;
}

void CalculatorModel::showResult(const Decimal& value, bool ofReadout) {
    NotifyOnExit n(*this);
    ofShownValue_ = ofReadout && (entryState_ == entry::Ops ||
                                  (entryState_ == entry::Nums && freshResult_ && ofShownValue_));
    readout_ = toText(value);
    entryState_ = entry::Nums;
    decimalFlag_ = false;
    NormalizeReadout();
    freshResult_ = true;
}

void CalculatorModel::pasteReadout(std::string_view text) {
    NotifyOnExit n(*this);
    const std::string purged = PurgeNumericInput(text);
    if (purged.empty() || InputCancelled) return;
    if (BuilderVisible) {
        // The cleaner then keeps the marks of a length (5'3") and does not
        // check the text; the readout takes only a number.
        try {
            (void)toDecimal(purged);
        } catch (const DecimalError&) {
            feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName), MessageIcon::Information);
            return;
        }
    }
    entryState_ = entry::Nums;
    decimalFlag_ = false;
    readout_ = purged;
    NormalizeReadout();
    markFreshResult();
    focusEquals();
}

std::string CalculatorModel::readoutForCopy() const {
    std::string out = readout_;
    const std::string& ds = symbols_.decimal;
    if (out.size() > ds.size() && out.ends_with(ds)) out.erase(out.size() - ds.size());
    return out;
}

// ---------------------------------------------------------------------------
// Readout routines

std::string CalculatorModel::ValidValue(std::string_view value) {
    try {
        return toText(toDecimal(value));
    } catch (const DecimalError&) {
        feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName),
                              MessageIcon::Information);
        return "0" + symbols_.decimal;
    }
}

std::string CalculatorModel::PurgeNumericInput(std::string_view value) {
    InputCancelled = false;
    if (text::trim(value).empty()) return {};
    const std::string& ds = symbols_.decimal;
    std::string kept;
    for (std::size_t i = 0; i < value.size();) {
        if (value.substr(i).starts_with(ds)) {
            kept += ds;
            i += ds.size();
            continue;
        }
        const char c = value[i];
        if ((c >= '0' && c <= '9') || c == '-' || (BuilderVisible && (c == '\'' || c == '"')))
            kept += c;
        ++i;
    }
    if (BuilderVisible) return kept;
    try {
        return toText(toDecimal(kept));
    } catch (const DecimalError&) {
        feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName),
                              MessageIcon::Information);
        InputCancelled = true;
        return "0";
    }
}

void CalculatorModel::NormalizeReadout() {
    NotifyOnExit n(*this);
    const std::string purged = PurgeNumericInput(readout_);
    if (purged.find(symbols_.decimal) == std::string::npos) {
        if (InputCancelled) return;
        readout_ = purged + symbols_.decimal;
        if (entryState_ == entry::Neg) entryState_ = entry::Nums;
    }
    if (modes_.mnuFinCalcMode) readout_ = FormatFinancial(readout_);
}

std::string CalculatorModel::GroupThousands(std::string_view digits) const {
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += symbols_.thousand;
        out += digits[i];
    }
    return out;
}

std::string CalculatorModel::FormatTapeNumber(std::string_view value) const {
    if (!modes_.mnuFormatNumbers) return std::string(value);
    const std::string& ds = symbols_.decimal;
    const auto pos = value.find(ds);
    if (pos == std::string_view::npos) return std::string(value);
    if (!value.starts_with("-")) {
        if (pos > 3) return GroupThousands(value.substr(0, pos)) + std::string(value.substr(pos));
        return std::string(value);
    }
    const std::string_view rest = value.substr(1);
    const auto restPos = pos - 1;
    if (restPos > 3)
        return "-" + GroupThousands(rest.substr(0, restPos)) + std::string(rest.substr(restPos));
    return std::string(value);
}

// Rounds half away from zero to the decimal-places setting and always shows
// that many decimals (8 with two places shows 8.00). A text that is not a
// number is returned as it came; the caller reports it where it matters.
std::string CalculatorModel::FormatFinancial(std::string_view value) const {
    const int places = modes_.DecimalPlaces;
    Decimal d;
    try {
        d = roundResult(toDecimal(value), places, modes_.Rounding);
    } catch (const DecimalError&) {
        return std::string(value);
    }
    std::string digits = d.toString(".");
    bool negative = false;
    if (digits.starts_with("-")) {
        negative = true;
        digits.erase(0, 1);
    }
    std::string whole = digits;
    std::string fraction;
    if (const auto dot = digits.find('.'); dot != std::string::npos) {
        whole = digits.substr(0, dot);
        fraction = digits.substr(dot + 1);
    }
    fraction.resize(static_cast<std::size_t>(places), '0');
    std::string out = whole + symbols_.decimal + fraction;
    return negative ? "-" + out : out;
}

// ---------------------------------------------------------------------------
// Operators and the tape

void CalculatorModel::refootRunningTotal(const Decimal& total) {
    NotifyOnExit n(*this);
    runningTotal_ = total;
    if (entryState_ == entry::Ops) {
        readout_ = toText(total);
        NormalizeReadout();
    }
}

void CalculatorModel::PostToTape(std::string_view value) {
    tape_.post(value);
}

void CalculatorModel::Operator_Click(int index) {
    NotifyOnExit n(*this);
    if (index < 0 || index > 4) return;
    const std::string op(kOperatorCaptions[static_cast<std::size_t>(index)]);
    const std::string& ds = symbols_.decimal;

    readout_ = ValidValue(readout_);
    NormalizeReadout();

    tempReadout_ = readout_;
    ++tapeItem_;

    if (modes_.mnuRpnMode) {
        if (RPNops) {
            RPNops(op, tempReadout_);
        } else {
            feedback_.showMessage("RPN Error", std::string(kProductName), MessageIcon::Exclamation);
        }
        return;
    }
    freshResult_ = false;

    if (entryState_ == entry::Ops &&
        (op == "+" || op == "X" || op == "/" || (op == "=" && !modes_.mnuAddMachMode) ||
         (op == "-" && modes_.mnuRepeatSubtract))) {
        entryState_ = entry::Nums;
    }
    if (entryState_ == entry::Nums) ++numOps_;
    if (modes_.mnuAddMachMode) opFlag_ = op;

    try {
        if (numOps_ == 0) {
            if (op == "-" && entryState_ != entry::Neg && !modes_.mnuRepeatSubtract) {
                readout_ = "-" + readout_;
                entryState_ = entry::Neg;
                return;
            }
        } else if (numOps_ == 1) {
            magicNumber_ = tempReadout_;
            runningTotal_ = toDecimal(tempReadout_);
            if (opFlag_ != "=" && op == "-" && entryState_ != entry::Nums &&
                !modes_.mnuRepeatSubtract) {
                readout_ = "-";
                entryState_ = entry::Neg;
                return;
            }
        } else if (numOps_ == 2) {
            if (modes_.mnuMagicNumber) runningTotal_ = toDecimal(magicNumber_);
            currentOperand_ = toDecimal(tempReadout_);
            if (opFlag_ == "+") {
                runningTotal_ = runningTotal_ + currentOperand_;
            } else if (opFlag_ == "-") {
                runningTotal_ = runningTotal_ - currentOperand_;
            } else if (opFlag_ == "X") {
                runningTotal_ = runningTotal_ * currentOperand_;
            } else if (opFlag_ == "/") {
                if (currentOperand_.isZero()) {
                    feedback_.showMessage("Can't divide by zero", std::string(kProductName),
                                          MessageIcon::Exclamation);
                    Cancel_Click();
                    return;
                }
                runningTotal_ = runningTotal_ / currentOperand_;
            } else if (opFlag_ == "=") {
                if (modes_.mnuAddMachMode && entryState_ == entry::Nums)
                    runningTotal_ = runningTotal_ + currentOperand_;
                else
                    runningTotal_ = currentOperand_;
            }
            readout_ = toText(runningTotal_);
            NormalizeReadout();
            numOps_ = 1;
        }
    } catch (const DecimalError&) {
        feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName),
                              MessageIcon::Information);
        Cancel_Click();
        return;
    }

    if (entryState_ == entry::Neg) {
        PostToTape(tempReadout_);
        NormalizeReadout();
        return;
    }

    entryState_ = entry::Ops;
    opFlag_ = op;

    std::string entryText = tempReadout_;
    if (modes_.mnuFinCalcMode || modes_.mnuAutoDecimal) entryText = FormatFinancial(entryText);
    entryText = FormatTapeNumber(text::trim(entryText));
    if (entryText.ends_with(ds)) entryText.erase(entryText.size() - ds.size());
    entryText += op;
    if (modes_.mnuTapeItems) entryText += " >" + std::to_string(tapeItem_) + "<";

    if (op == "+") hint_ = "Press F1 for Help [Adding]";
    else if (op == "-") hint_ = "Press F1 for Help [Subtracting]";
    else if (op == "X") hint_ = "Press F1 for Help [Multiplying]";
    else if (op == "/") hint_ = "Press F1 for Help [Dividing]";
    else hint_ = "Press F1 for Help";

    // What the entry stands for, kept beside its line: the operand as used
    // and the running total after it (which "=" resets below).
    TapeEntry posted;
    posted.op = op[0];
    posted.item = tapeItem_;
    posted.itemShown = modes_.mnuTapeItems;
    posted.total = runningTotal_;
    bool postedKnown = true;
    try {
        posted.amount = toDecimal(tempReadout_);
    } catch (const DecimalError&) {
        postedKnown = false;
    }

    if (op == "=") {
        std::string result = text::trim(readout_);
        if (modes_.mnuFinCalcMode) result = FormatFinancial(result);
        result = FormatTapeNumber(result);
        entryText += "\r\n" + std::string(kHyphens) + "\r\n" + result + "\r\n" +
                     std::string(kAsterisks);
        if (onTotal) {
            try {
                onTotal(toDecimal(result));
            } catch (const DecimalError&) {
            }
        }
        if (!modes_.CarryResult) readout_ = "0" + ds;
        runningTotal_ = Decimal();
        tapeItem_ = 0;
    }

    if (postedKnown) tape_.postEntry(entryText, std::move(posted));
    else PostToTape(entryText);
    NormalizeReadout();
}

CalculatorModel::ChainState CalculatorModel::chainState() const {
    return {readout_, entryState_, opFlag_, numOps_, runningTotal_, magicNumber_};
}

void CalculatorModel::restoreChainState(const ChainState& s) {
    NotifyOnExit n(*this);
    readout_ = s.readout;
    entryState_ = s.entryState;
    opFlag_ = s.opFlag;
    numOps_ = s.numOps;
    runningTotal_ = s.runningTotal;
    magicNumber_ = s.magicNumber;
    decimalFlag_ = readout_.find(symbols_.decimal) != std::string::npos && entryState_ == entry::Nums &&
                   !readout_.ends_with(symbols_.decimal);
    freshResult_ = false;
}

// ---------------------------------------------------------------------------
// Memory register

std::string CalculatorModel::WithDecimalSymbol(std::string_view value) const {
    if (value.find(symbols_.decimal) == std::string_view::npos)
        return std::string(value) + symbols_.decimal;
    return std::string(value);
}

void CalculatorModel::showMemoryValue() {
    memoryShown_ = true;
    lblMemValue_ = toText(memoryValue_);
    focusEquals();
    lblMemValue_ = WithDecimalSymbol(lblMemValue_);
    memoryToolTip_ = FormatTapeNumber(text::trim(lblMemValue_));
}

void CalculatorModel::memoryStoreStep(int which) {
    NotifyOnExit n(*this);
    try {
        const Decimal value = toDecimal(readout_);
        if (which == 0) memoryValue_ = value;
        else if (which == 1) memoryValue_ = memoryValue_ + value;
        else memoryValue_ = memoryValue_ - value;
    } catch (const DecimalError&) {
        feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName),
                              MessageIcon::Information);
        return;
    }
    showMemoryValue();
}

void CalculatorModel::cmdMS_Click() { memoryStoreStep(0); }
void CalculatorModel::cmdMplus_Click() { memoryStoreStep(1); }
void CalculatorModel::cmdMminus_Click() { memoryStoreStep(2); }

void CalculatorModel::cmdMR_Click() {
    NotifyOnExit n(*this);
    entryState_ = entry::Nums;
    readout_ = toText(memoryValue_);
    NormalizeReadout();
    markFreshResult();
    focusEquals();
}

void CalculatorModel::cmdMC_Click() {
    NotifyOnExit n(*this);
    memoryShown_ = false;
    lblMemValue_.clear();
    memoryToolTip_.clear();
    memoryValue_ = Decimal();
    focusEquals();
}

void CalculatorModel::restoreMemory(const Decimal& value) {
    NotifyOnExit n(*this);
    memoryValue_ = value;
    showMemoryValue();
}

// ---------------------------------------------------------------------------
// Keyboard

bool CalculatorModel::Form_KeyPress(std::string_view ch) {
    if (TapeUnlocked) return false;
    if (ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9') {
        Number_Click(ch[0] - '0');
        return true;
    }
    if (ch == "(") runCommand(CommandId::ExpressionEvaluator);
    else if (ch == "R" || ch == "r") runCommand(CommandId::SquareRoot);
    else if (ch == "^" || ch == "S" || ch == "s") runCommand(CommandId::Square);
    else if (ch == "M") cmdMplus_Click();
    else if (ch == "m") cmdMminus_Click();
    else if (ch == "/") Operator_Click(OpDivide);
    else if (ch == "+") Operator_Click(OpAdd);
    else if (ch == "*" || ch == "X" || ch == "x") Operator_Click(OpMultiply);
    else if (ch == "-") Operator_Click(OpSubtract);
    else if (ch == "\r" || ch == "=") Operator_Click(OpEquals);
    else if (ch == symbols_.decimal || ch == ".") Decimal_Click();
    else if (ch == "%") runCommand(CommandId::Percent);
    else if (ch == "\b") Backspace();
    else if (ch == "C" || ch == "c") Cancel_Click();
    else if (ch == "N" || ch == "n") runCommand(CommandId::AnnotateTape);
    else return otherKey && otherKey(ch);
    return true;
}

bool CalculatorModel::Form_KeyDown(int keyCode, int shift) {
    if (shift == 4 && keyCode >= 49 && keyCode <= 57) {
        if (comToolbar_Click) comToolbar_Click(keyCode - 49);
        return true;
    }
    if (keyCode == 46 && !TapeUnlocked) {
        CancelEntry_Click();
        return true;
    }
    return false;
}

}  // namespace zorv::engine
