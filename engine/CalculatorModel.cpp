#include "CalculatorModel.h"

#include <array>
#include <optional>
#include <utility>

#include "TextUtil.h"

namespace zorv::engine {

namespace {

// The operator keys in OperatorIndex order: what each leaves pending, and
// its caption on the tape.
struct OperatorKey {
    PendingOperator pending;
    std::string_view caption;
};
constexpr std::array<OperatorKey, 5> kOperatorKeys = {{{PendingOperator::Add, "+"},
                                                       {PendingOperator::Subtract, "-"},
                                                       {PendingOperator::Multiply, "X"},
                                                       {PendingOperator::Divide, "/"},
                                                       {PendingOperator::Total, "="}}};
// The hint line while an operation is pending.
std::string operatorHint(PendingOperator op) {
    switch (op) {
    case PendingOperator::Add: return "Press F1 for Help [Adding]";
    case PendingOperator::Subtract: return "Press F1 for Help [Subtracting]";
    case PendingOperator::Multiply: return "Press F1 for Help [Multiplying]";
    case PendingOperator::Divide: return "Press F1 for Help [Dividing]";
    default: return "Press F1 for Help";
    }
}
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

CalculatorModel::CalculatorModel(UserFeedback& feedback, NumberSymbols symbols)
    : feedback_(feedback), format_(std::move(symbols), modes_) {
    readout_ = "0" + format_.decimalSymbol();
    registerKeypadCommands();
}

void CalculatorModel::registerKeypadCommands() {
    using C = CommandId;
    constexpr C digits[] = {C::Digit0, C::Digit1, C::Digit2, C::Digit3, C::Digit4,
                            C::Digit5, C::Digit6, C::Digit7, C::Digit8, C::Digit9};
    for (int d = 0; d <= 9; ++d) commands_.add(digits[d], [this, d] { pressDigit(d); });
    commands_.add(C::DecimalPoint, [this] { pressDecimalPoint(); });
    constexpr C operators[] = {C::Add, C::Subtract, C::Multiply, C::Divide, C::Total};
    for (int i = 0; i < 5; ++i) commands_.add(operators[i], [this, i] { pressOperator(i); });
    commands_.add(C::ClearEntry, [this] { clearEntry(); });
    commands_.add(C::Clear, [this] { clearAll(); });
    commands_.add(C::ChangeSign, [this] { changeSign(); });
    commands_.add(C::Backspace, [this] { backspace(); });
    commands_.add(C::DeleteKey, [this] { pressKey(NamedKey::Delete); });
    commands_.add(C::MemoryStore, [this] { memoryStore(); });
    commands_.add(C::MemoryRecall, [this] { memoryRecall(); });
    commands_.add(C::MemoryAdd, [this] { memoryAdd(); });
    commands_.add(C::MemorySubtract, [this] { memorySubtract(); });
    commands_.add(C::MemoryClear, [this] { memoryClear(); });
    commands_.add(C::Percent, [this] { pressPercent(); });
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

void CalculatorModel::setRpnDepthLabel(std::string text) {
    rpnDepthLabel_ = std::move(text);
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

void CalculatorModel::reportError(const std::string& label, int number,
                                  const std::string& description, const std::string& source) {
    if (reportErrorHook) {
        reportErrorHook(label, number, description, source);
        return;
    }
    feedback_.showMessage("Error # " + std::to_string(number) + "\n" + description + "\n" + label,
                          std::string(kProductName), MessageIcon::Critical);
}

// ---------------------------------------------------------------------------
// Number entry

void CalculatorModel::pressDigit(int index) {
    NotifyOnExit n(*this);
    if (index < 0 || index > 9) return;
    const std::string digit(1, static_cast<char>('0' + index));
    const std::string& ds = format_.decimalSymbol();

    if (entryState_ != EntryState::Number || freshResult_) {
        readout_ = ds;
        decimalFlag_ = false;
        freshResult_ = false;
    }
    if (static_cast<int>(text::length(readout_)) >= maxDigits_) {
        feedback_.beep();
        focusEquals();
        return;
    }
    if (modes_.autoDecimal) {
        autoDecimalDigit(digit);
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
    if (entryState_ == EntryState::Negative) readout_ = "-" + readout_;
    entryState_ = EntryState::Number;
    focusEquals();
}

// Auto-Decimal entry keeps the last decimalPlaces digits keyed behind the
// decimal symbol, so the readout always shows that many decimals and each
// digit enters at the right: 1, 2, 3 with two places gives 0.01, 0.12, 1.23.
std::string CalculatorModel::autoDecimalText(std::string digits, bool negative) const {
    const int places = modes_.decimalPlaces;
    while (digits.size() > 1 && digits.front() == '0') digits.erase(0, 1);
    if (static_cast<int>(digits.size()) < places + 1)
        digits.insert(0, static_cast<std::size_t>(places + 1) - digits.size(), '0');
    const std::size_t split = digits.size() - static_cast<std::size_t>(places);
    std::string out = digits.substr(0, split);
    if (places > 0) out += format_.decimalSymbol() + digits.substr(split);
    else out += format_.decimalSymbol();
    return negative ? "-" + out : out;
}

void CalculatorModel::autoDecimalDigit(std::string_view digit) {
    std::string digits;
    for (char c : readout_)
        if (c >= '0' && c <= '9') digits += c;
    digits += digit;
    // A fresh negative entry gets its sign from the caller; one that is
    // already negative keeps it.
    readout_ = autoDecimalText(digits, readout_.starts_with("-"));
}

void CalculatorModel::pressDecimalPoint() {
    NotifyOnExit n(*this);
    if (modes_.autoDecimal) return;
    if (entryState_ == EntryState::Negative) readout_ = "-0" + format_.decimalSymbol();
    else if (entryState_ != EntryState::Number || freshResult_) readout_ = "0" + format_.decimalSymbol();
    freshResult_ = false;
    decimalFlag_ = true;
    entryState_ = EntryState::Number;
}

void CalculatorModel::changeSign() {
    NotifyOnExit n(*this);
    try {
        readout_ = toText(-toDecimal(readout_));
    } catch (const DecimalError&) {
        feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName),
                              MessageIcon::Information);
        return;
    }
    entryState_ = EntryState::Number;
    normalizeReadout();
}

void CalculatorModel::clearEntry() {
    NotifyOnExit n(*this);
    freshResult_ = false;
    readout_ = "0" + format_.decimalSymbol();
    decimalFlag_ = false;
    entryState_ = EntryState::Cleared;
}

void CalculatorModel::clearAll() {
    NotifyOnExit n(*this);
    readout_ = "0" + format_.decimalSymbol();
    if (modes_.hideClearBanner)
        postToTape("");
    else
        postToTape(std::string(kAsterisks) + "\r\n Clear\r\n" + std::string(kAsterisks) + "\r\n");
    runningTotal_ = Decimal();
    focusEquals();
    decimalFlag_ = false;
    numOps_ = 0;
    entryState_ = EntryState::None;
    opFlag_ = PendingOperator::None;
    rpnDepthLabel_ = "0";
    if (rpnClear) rpnClear();
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
void CalculatorModel::backspace() {
    NotifyOnExit n(*this);
    const std::string& ds = format_.decimalSymbol();
    if (entryState_ == EntryState::Negative) {
        clearEntry();
        return;
    }
    if (entryState_ != EntryState::Number || freshResult_) {
        feedback_.beep();
        return;
    }
    const bool negative = readout_.starts_with("-");
    if (modes_.autoDecimal) {
        std::string digits;
        for (char c : readout_)
            if (c >= '0' && c <= '9') digits += c;
        while (!digits.empty() && digits.front() == '0') digits.erase(0, 1);
        if (digits.size() <= 1) {
            clearEntry();
            return;
        }
        digits.pop_back();
        readout_ = autoDecimalText(digits, negative);
        return;
    }
    const auto pos = readout_.find(ds);
    if (pos == std::string::npos) {
        clearEntry();
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
        clearEntry();
        return;
    }
    readout_ = whole + ds;
}

void CalculatorModel::showResult(const Decimal& value, bool ofReadout) {
    NotifyOnExit n(*this);
    ofShownValue_ = ofReadout && (entryState_ == EntryState::AfterOperator ||
                                  (entryState_ == EntryState::Number && freshResult_ && ofShownValue_));
    readout_ = toText(value);
    entryState_ = EntryState::Number;
    decimalFlag_ = false;
    normalizeReadout();
    freshResult_ = true;
}

void CalculatorModel::pasteReadout(std::string_view text) {
    NotifyOnExit n(*this);
    const std::string purged = purgeNumericInput(text);
    if (purged.empty() || inputCancelled) return;
    if (builderVisible) {
        // The cleaner then keeps the marks of a length (5'3") and does not
        // check the text; the readout takes only a number.
        try {
            (void)toDecimal(purged);
        } catch (const DecimalError&) {
            feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName), MessageIcon::Information);
            return;
        }
    }
    entryState_ = EntryState::Number;
    decimalFlag_ = false;
    readout_ = purged;
    normalizeReadout();
    markFreshResult();
    focusEquals();
}

std::string CalculatorModel::readoutForCopy() const {
    std::string out = readout_;
    const std::string& ds = format_.decimalSymbol();
    if (out.size() > ds.size() && out.ends_with(ds)) out.erase(out.size() - ds.size());
    return out;
}

// ---------------------------------------------------------------------------
// Readout routines

std::string CalculatorModel::validValue(std::string_view value) {
    if (auto text = format_.canonical(value)) return *std::move(text);
    feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName), MessageIcon::Information);
    return "0" + format_.decimalSymbol();
}

std::string CalculatorModel::purgeNumericInput(std::string_view value) {
    inputCancelled = false;
    if (auto text = format_.purge(value, builderVisible)) return *std::move(text);
    feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName), MessageIcon::Information);
    inputCancelled = true;
    return "0";
}

void CalculatorModel::normalizeReadout() {
    NotifyOnExit n(*this);
    const std::string purged = purgeNumericInput(readout_);
    if (purged.find(format_.decimalSymbol()) == std::string::npos) {
        if (inputCancelled) return;
        readout_ = purged + format_.decimalSymbol();
        if (entryState_ == EntryState::Negative) entryState_ = EntryState::Number;
    }
    if (modes_.financial) readout_ = format_.financial(readout_);
}

// ---------------------------------------------------------------------------
// Operators and the tape

void CalculatorModel::refootRunningTotal(const Decimal& total) {
    NotifyOnExit n(*this);
    runningTotal_ = total;
    if (entryState_ == EntryState::AfterOperator) {
        readout_ = toText(total);
        normalizeReadout();
    }
}

void CalculatorModel::postToTape(std::string_view value) {
    tape_.post(value);
}

// ---------------------------------------------------------------------------
// The operator state machine
//
// numOps_ counts the operands of the open calculation: 0 none yet, 1 the
// running total holds the first one (or the last result); 2 lasts only while
// an operator key combines a second operand with the running total under
// opFlag_, the operator still pending, after which it is 1 again.
//
// State          digit / decimal        + X /                    -                        =
// -------------  ---------------------  -----------------------  -----------------------  ----------------------
// None (after C) starts a number        numOps 0: writes "0 op"  numOps 0: the readout    as + X / with pending
//                -> Number              -> AfterOperator         gets a "-" -> Negative   Total, plus the total
// Number         extends it; a shown    numOps+1: 1 takes it as  as + X /                 block; the readout is
//                result starts anew     the total, 2 combines                             cleared unless Carry
//                                       it; "n op" -> AfterOp.                            Result; total -> 0
// AfterOperator  starts a number        the shown total is the   numOps 1: readout "-"    the total is taken
// (shows total)  -> Number              operand again (repeat)   -> Negative; Repeat      again, except in
//                                       -> as Number             Subtraction: as + X /    Adding Machine mode
// Negative       "-" and the digit      writes the readout on    writes the readout on    as + X /
//                -> Number              the tape, stays          the tape, stays
// Cleared (CE)   starts a number        as None, with numOps, total and pending operator as CE left them
//
// C returns every state to None (total 0, numOps 0, nothing pending) and
// writes the clear banner; CE only zeroes the readout -> Cleared. In Adding
// Machine mode each operator key is itself the operation applied to the
// number keyed before it (5 + 3 - subtracts 3), rather than the one keyed
// before it.
// Percent (PercentKey.cpp) completes a pending + - X / itself and leaves
// opFlag_ Percent with numOps 0; in RPN mode the operator keys go to the
// RPN stack instead.

void CalculatorModel::pressOperator(int index) {
    NotifyOnExit n(*this);
    if (index < 0 || index > 4) return;
    using P = PendingOperator;
    const OperatorKey& key = kOperatorKeys[static_cast<std::size_t>(index)];
    const P op = key.pending;
    const std::string caption(key.caption);
    const std::string& ds = format_.decimalSymbol();

    readout_ = validValue(readout_);
    normalizeReadout();

    // The number the key completes, as the readout showed it.
    const std::string keyed = readout_;
    ++tapeItem_;

    if (modes_.rpn) {
        if (rpnOperation) {
            rpnOperation(caption, keyed);
        } else {
            feedback_.showMessage("RPN Error", std::string(kProductName), MessageIcon::Exclamation);
        }
        return;
    }
    freshResult_ = false;

    if (entryState_ == EntryState::AfterOperator &&
        (op == P::Add || op == P::Multiply || op == P::Divide ||
         (op == P::Total && !modes_.addingMachine) || (op == P::Subtract && modes_.repeatSubtraction))) {
        entryState_ = EntryState::Number;
    }
    if (entryState_ == EntryState::Number) ++numOps_;
    if (modes_.addingMachine) opFlag_ = op;

    try {
        if (numOps_ == 0) {
            if (op == P::Subtract && entryState_ != EntryState::Negative && !modes_.repeatSubtraction) {
                readout_ = "-" + readout_;
                entryState_ = EntryState::Negative;
                return;
            }
        } else if (numOps_ == 1) {
            magicNumber_ = keyed;
            runningTotal_ = toDecimal(keyed);
            if (opFlag_ != P::Total && op == P::Subtract && entryState_ != EntryState::Number &&
                !modes_.repeatSubtraction) {
                readout_ = "-";
                entryState_ = EntryState::Negative;
                return;
            }
        } else if (numOps_ == 2) {
            if (modes_.magicNumber) runningTotal_ = toDecimal(magicNumber_);
            const Decimal operand = toDecimal(keyed);
            if (opFlag_ == P::Add) {
                runningTotal_ = runningTotal_ + operand;
            } else if (opFlag_ == P::Subtract) {
                runningTotal_ = runningTotal_ - operand;
            } else if (opFlag_ == P::Multiply) {
                runningTotal_ = runningTotal_ * operand;
            } else if (opFlag_ == P::Divide) {
                if (operand.isZero()) {
                    feedback_.showMessage("Can't divide by zero", std::string(kProductName),
                                          MessageIcon::Exclamation);
                    clearAll();
                    return;
                }
                runningTotal_ = runningTotal_ / operand;
            } else if (opFlag_ == P::Total) {
                if (modes_.addingMachine && entryState_ == EntryState::Number)
                    runningTotal_ = runningTotal_ + operand;
                else
                    runningTotal_ = operand;
            }
            readout_ = toText(runningTotal_);
            normalizeReadout();
            numOps_ = 1;
        }
    } catch (const DecimalError&) {
        feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName),
                              MessageIcon::Information);
        clearAll();
        return;
    }

    if (entryState_ == EntryState::Negative) {
        postToTape(keyed);
        normalizeReadout();
        return;
    }

    entryState_ = EntryState::AfterOperator;
    opFlag_ = op;

    std::string entryText = keyed;
    if (modes_.financial || modes_.autoDecimal) entryText = format_.financial(entryText);
    entryText = format_.grouped(text::trim(entryText));
    if (entryText.ends_with(ds)) entryText.erase(entryText.size() - ds.size());
    entryText += caption;
    if (modes_.numberTapeItems) entryText += " >" + std::to_string(tapeItem_) + "<";

    hint_ = operatorHint(op);

    // What the entry stands for, kept beside its line: the operand as used
    // and the running total after it (which "=" resets below).
    TapeEntry posted;
    posted.op = caption[0];
    posted.item = tapeItem_;
    posted.itemShown = modes_.numberTapeItems;
    posted.total = runningTotal_;
    bool postedKnown = true;
    try {
        posted.amount = toDecimal(keyed);
    } catch (const DecimalError&) {
        postedKnown = false;
    }

    if (op == P::Total) {
        std::string result = text::trim(readout_);
        if (modes_.financial) result = format_.financial(result);
        result = format_.grouped(result);
        entryText += "\r\n" + std::string(kHyphens) + "\r\n" + result + "\r\n" +
                     std::string(kAsterisks);
        if (onTotal) {
            try {
                onTotal(toDecimal(result));
            } catch (const DecimalError&) {
            }
        }
        if (!modes_.carryResult) readout_ = "0" + ds;
        runningTotal_ = Decimal();
        tapeItem_ = 0;
    }

    if (postedKnown) tape_.postEntry(entryText, std::move(posted));
    else postToTape(entryText);
    normalizeReadout();
}

namespace {
// The calculation under way as text, in the codes a kept tape stores.
constexpr std::array<std::pair<EntryState, std::string_view>, 5> kEntryStateCodes = {{
    {EntryState::None, "NONE"},
    {EntryState::Number, "NUMS"},
    {EntryState::AfterOperator, "OPS"},
    {EntryState::Negative, "NEG"},
    {EntryState::Cleared, "CE"},
}};
constexpr std::array<std::pair<PendingOperator, std::string_view>, 7> kPendingOperatorCodes = {{
    {PendingOperator::None, " "},
    {PendingOperator::Add, "+"},
    {PendingOperator::Subtract, "-"},
    {PendingOperator::Multiply, "X"},
    {PendingOperator::Divide, "/"},
    {PendingOperator::Total, "="},
    {PendingOperator::Percent, "%"},
}};

template <typename E, std::size_t N>
std::string_view codeOf(const std::array<std::pair<E, std::string_view>, N>& table, E value) {
    for (const auto& [v, code] : table)
        if (v == value) return code;
    return table.front().second;
}

template <typename E, std::size_t N>
std::optional<E> valueOf(const std::array<std::pair<E, std::string_view>, N>& table, std::string_view code) {
    for (const auto& [v, c] : table)
        if (c == code) return v;
    return std::nullopt;
}
}  // namespace

CalculatorModel::ChainState CalculatorModel::chainState() const {
    return {readout_,
            std::string(codeOf(kEntryStateCodes, entryState_)),
            std::string(codeOf(kPendingOperatorCodes, opFlag_)),
            numOps_,
            runningTotal_,
            magicNumber_};
}

bool CalculatorModel::restoreChainState(const ChainState& s) {
    const auto state = valueOf(kEntryStateCodes, s.entryState);
    const auto pending = valueOf(kPendingOperatorCodes, s.opFlag);
    if (!state || !pending) return false;
    NotifyOnExit n(*this);
    readout_ = s.readout;
    entryState_ = *state;
    opFlag_ = *pending;
    numOps_ = s.numOps;
    runningTotal_ = s.runningTotal;
    magicNumber_ = s.magicNumber;
    hint_ = operatorHint(opFlag_);
    decimalFlag_ = readout_.find(format_.decimalSymbol()) != std::string::npos && entryState_ == EntryState::Number &&
                   !readout_.ends_with(format_.decimalSymbol());
    freshResult_ = false;
    return true;
}

// ---------------------------------------------------------------------------
// Memory register

void CalculatorModel::memoryStep(void (MemoryRegister::*step)(const Decimal&)) {
    NotifyOnExit n(*this);
    try {
        (memory_.*step)(toDecimal(readout_));
    } catch (const DecimalError&) {
        feedback_.showMessage(std::string(kInvalidValue), std::string(kProductName),
                              MessageIcon::Information);
        return;
    }
    focusEquals();
}

void CalculatorModel::memoryStore() { memoryStep(&MemoryRegister::store); }
void CalculatorModel::memoryAdd() { memoryStep(&MemoryRegister::add); }
void CalculatorModel::memorySubtract() { memoryStep(&MemoryRegister::subtract); }

void CalculatorModel::memoryRecall() {
    NotifyOnExit n(*this);
    entryState_ = EntryState::Number;
    readout_ = toText(memory_.value());
    normalizeReadout();
    markFreshResult();
    focusEquals();
}

void CalculatorModel::memoryClear() {
    NotifyOnExit n(*this);
    memory_.clear();
    focusEquals();
}

void CalculatorModel::restoreMemory(const Decimal& value) {
    NotifyOnExit n(*this);
    memory_.store(value);
    focusEquals();
}

// ---------------------------------------------------------------------------
// Keyboard

bool CalculatorModel::typeKey(std::string_view ch) {
    if (tapeUnlocked) return false;
    if (const auto id = keyMap_.command(ch)) {
        runCommand(*id);
        return true;
    }
    return otherKey && otherKey(ch);
}

bool CalculatorModel::pressKey(NamedKey key) {
    if (const auto button = KeyMap::toolbarButton(key)) {
        if (pressToolbarButton) pressToolbarButton(*button);
        return true;
    }
    if (tapeUnlocked) return false;
    if (const auto id = KeyMap::command(key)) {
        runCommand(*id);
        return true;
    }
    return false;
}

}  // namespace zorv::engine
