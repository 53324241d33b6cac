#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "CommandCatalogue.h"
#include "Decimal.h"
#include "KeyMap.h"
#include "MemoryRegister.h"
#include "Modes.h"
#include "NumberFormat.h"
#include "NumberSymbols.h"
#include "Tape.h"
#include "UserFeedback.h"

namespace zorv::engine {

// What the readout holds as far as the operator keys are concerned; see the
// table above CalculatorModel::pressOperator.
enum class EntryState {
    None,           // nothing keyed since C
    Number,         // a number being keyed, or a value shown as a whole entry
    AfterOperator,  // an operator was applied; the readout shows its total
    Negative,       // "-" was keyed as the sign of the coming number
    Cleared,        // CE cleared the entry
};

// The operation the next operator key completes.
enum class PendingOperator { None, Add, Subtract, Multiply, Divide, Total, Percent };

// The operator keys, in the order of the window's operator buttons.
enum OperatorIndex : int { OpAdd = 0, OpSubtract = 1, OpMultiply = 2, OpDivide = 3, OpEquals = 4 };

// The calculator: readout, entry, operators, totals, memory and the tape.
// The main window is a view of this object; batch mode and the tests drive
// it directly. Its entry points are named for the key or action they carry
// out; number formatting, the memory register and the key map are parts of
// their own (NumberFormat, MemoryRegister, KeyMap).
class CalculatorModel {
public:
    CalculatorModel(UserFeedback& feedback, NumberSymbols symbols = {});
    // Parts of the model refer to each other; a copy would refer to the
    // original's.
    CalculatorModel(const CalculatorModel&) = delete;
    CalculatorModel& operator=(const CalculatorModel&) = delete;

    // ---- wiring ------------------------------------------------------------
    UserFeedback& feedback() { return feedback_; }
    CommandCatalogue& commands() { return commands_; }
    const NumberFormat& format() const { return format_; }
    const NumberSymbols& symbols() const { return format_.symbols(); }
    const std::string& decimalSymbol() const { return format_.decimalSymbol(); }
    Modes& modes() { return modes_; }
    const Modes& modes() const { return modes_; }
    Tape& tape() { return tape_; }
    const Tape& tape() const { return tape_; }

    // Called whenever anything a view shows (readout, labels, memory) may
    // have changed. The tape reports its own changes through Tape::onChange.
    std::function<void()> onChange;

    // ---- state the other windows read and write ---------------------------
    const std::string& readout() const { return readout_; }
    void setReadout(std::string text);
    EntryState entryState() const { return entryState_; }
    void setEntryState(EntryState state) {
        entryState_ = state;
        freshResult_ = false;
    }
    const std::string& hint() const { return hint_; }
    void setHint(std::string text);
    int numOps() const { return numOps_; }
    const Decimal& runningTotal() const { return runningTotal_; }
    // Sets the total of the open calculation after its entries were
    // corrected, and shows it when the readout shows the total.
    void refootRunningTotal(const Decimal& total);
    int tapeItem() const { return tapeItem_; }
    // Puts back the item numbering of a kept tape (start-up restore).
    void restoreTapeItem(int n) { tapeItem_ = n < 0 ? 0 : n; }
    // The calculation under way (readout, pending operator, running total),
    // kept with the tape between runs so that an open chain goes on.
    struct ChainState {
        std::string readout;
        std::string entryState;
        std::string opFlag;
        int numOps = 0;
        Decimal runningTotal;
        std::string magicNumber;
        bool operator==(const ChainState&) const = default;
    };
    // The state in the codes a kept tape stores ("NUMS", "+"...); a state
    // with codes it does not know is refused (false) and nothing changes.
    ChainState chainState() const;
    bool restoreChainState(const ChainState& state);
    int maxDigits() const { return maxDigits_; }
    void setMaxDigits(int n) { maxDigits_ = n == 0 ? 35 : n; }
    // Set by purgeNumericInput when it failed, and by cancelled questions.
    bool inputCancelled = false;
    // True while the construction calculator window is visible: the purge
    // then keeps foot and inch marks.
    bool builderVisible = false;
    // True while the tape is unlocked for editing: typed keys go to the tape.
    bool tapeUnlocked = false;

    // ---- entry keys --------------------------------------------------------
    void pressDigit(int index);
    void pressDecimalPoint();
    void changeSign();
    void clearEntry();
    void clearAll();
    void backspace();
    // Puts a computed value in the readout as a fresh entry: the next
    // operator takes it as its operand, while the next digit or decimal key
    // starts a new number instead of extending it.
    // `ofReadout` tells a function of the readout (a square root) from a
    // new value (a constant).
    void showResult(const Decimal& value, bool ofReadout = true);
    // True while it shows a function of a value the user did not key (what
    // an operator left in the readout), directly or through more functions.
    bool resultOfShownValue() const { return freshResult_ && ofShownValue_; }
    // Marks what the readout shows now (a recalled memory, a conversion, a
    // guided calculation's result) as such a fresh entry, so a digit keyed
    // next starts a new number rather than being spliced into it.
    void markFreshResult() {
        freshResult_ = true;
        ofShownValue_ = false;
    }

    // Puts a number pasted from the clipboard in the readout. It is cleaned
    // like any typed input (text that is not a number gives the usual
    // message and leaves the readout) and becomes a whole entry, like a
    // recalled value: an operator takes it as it stands, a digit starts a
    // new number.
    void pasteReadout(std::string_view text);
    // The readout as copied to the clipboard: the number in the locale's
    // form, without the decimal symbol a whole number shows at its end
    // ("7", not "7.").
    std::string readoutForCopy() const;

    // ---- readout routines --------------------------------------------------
    // The shortest text of the number `text` holds; text that is not a
    // number gives "Invalid value!" and a zero.
    std::string validValue(std::string_view text);
    // Typed or pasted text reduced to a number (NumberFormat::purge, keeping
    // length marks while the construction calculator is visible). Text that
    // is not a number gives "Invalid value!", sets inputCancelled and "0".
    std::string purgeNumericInput(std::string_view text);
    void normalizeReadout();
    // The readout (or any text) converted to the decimal type with the
    // locale symbols; throws DecimalOverflow / DecimalTypeMismatch.
    Decimal toDecimal(std::string_view text) const { return format_.toDecimal(text); }
    std::string toText(const Decimal& value) const { return format_.toText(value); }

    // ---- operators and the tape -------------------------------------------
    void pressOperator(int index);
    void postToTape(std::string_view text);
    // The RPN stack operation; hooked in by the RPN feature. Without a hook
    // the key reports "RPN Error".
    std::function<void(std::string_view op, std::string_view text)> rpnOperation;
    // Called by C, which also empties the RPN stack.
    std::function<void()> rpnClear;
    // Called with the result of every "=" total, and by C (the grand total
    // of the business keys keeps the totals since the last C).
    std::function<void(const Decimal& total)> onTotal;
    // Called when a correction changed the printed total of the last
    // calculation, with the total as it was and as it is now (both as
    // onTotal would have had them).
    std::function<void(const Decimal& was, const Decimal& now)> onTotalCorrected;
    std::function<void()> onClear;
    // The percent key (engine/PercentKey.cpp).
    void pressPercent();

    // ---- memory register ---------------------------------------------------
    const MemoryRegister& memory() const { return memory_; }
    void memoryStore();
    void memoryRecall();
    void memoryAdd();
    void memorySubtract();
    void memoryClear();
    // Puts a stored value in the register and shows it (start-up restore).
    void restoreMemory(const Decimal& value);

    // ---- keyboard ----------------------------------------------------------
    // One typed character (UTF-8 text of one character, "\r" for Enter,
    // "\b" for backspace). Returns false when the character was swallowed.
    bool typeKey(std::string_view ch);
    // A character the keypad has no use for (":" typing a time) goes here.
    std::function<bool(std::string_view ch)> otherKey;
    // A named key; true when it was handled here. Num Lock is left to the
    // window (it only shows the lock's state).
    bool pressKey(NamedKey key);
    // Label of the rpn stack depth; "0" after C.
    const std::string& rpnDepthLabel() const { return rpnDepthLabel_; }
    void setRpnDepthLabel(std::string text);

    // Toolbar button press for Alt+1..9 (index 0..8); set by the window
    // that owns the toolbar.
    std::function<void(int index)> pressToolbarButton;

    // Runs a command; a missing one beeps. By text for names that come
    // from outside the program (batch mode, stored toolbar bindings).
    void runCommand(CommandId id);
    void runCommand(std::string_view name);

    // Reports an unexpected failure of a handler. The shell installs the
    // full routine (debug log and the ignore question); without it the
    // failure is shown in a message box.
    std::function<void(const std::string& label, int number, const std::string& description,
                       const std::string& source)>
        reportErrorHook;
    void reportError(const std::string& label, int number, const std::string& description,
                     const std::string& source = "Zorv Advanced Calculator");

    void notify();

private:
    // MS, M+ and M- with the readout's value.
    void memoryStep(void (MemoryRegister::*step)(const Decimal&));
    void registerKeypadCommands();
    void focusEquals();
    std::string autoDecimalText(std::string digits, bool negative) const;
    void autoDecimalDigit(std::string_view digit);

    UserFeedback& feedback_;
    Modes modes_;
    NumberFormat format_;
    Tape tape_;
    CommandCatalogue commands_;
    KeyMap keyMap_{format_.decimalSymbol()};

    std::string readout_;
    EntryState entryState_ = EntryState::None;
    std::string hint_ = "Press F1 for Help";
    PendingOperator opFlag_ = PendingOperator::None;
    std::string magicNumber_;
    Decimal runningTotal_;
    int numOps_ = 0;
    int tapeItem_ = 0;
    int maxDigits_ = 35;
    bool decimalFlag_ = false;
    bool freshResult_ = false;  // see showResult
    bool ofShownValue_ = false;  // see resultOfShownValue
    std::string rpnDepthLabel_ = "0";
    MemoryRegister memory_{format_};
};

}  // namespace zorv::engine
