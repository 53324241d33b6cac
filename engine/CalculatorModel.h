#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "CommandCatalogue.h"
#include "Decimal.h"
#include "NumberSymbols.h"
#include "Tape.h"
#include "UserFeedback.h"

namespace zorv::engine {

// The check marks of the mode menu items, as plain flags. Defaults are those
// of an empty settings store.
struct Modes {
    bool mnuRpnMode = false;
    bool mnuAddMachMode = false;
    bool mnuRepeatSubtract = false;
    bool mnuMagicNumber = false;
    bool mnuFinCalcMode = true;
    bool mnuAutoDecimal = false;
    bool mnuTapeItems = false;
    bool mnuFormatNumbers = true;
    bool mnuShowPercentMode = true;
    bool mnuPercentForNum = true;
    bool mnuImperialMeasures = false;
    bool mnuTroyMeassures = false;
    bool CarryResult = true;
    bool HideClearBanner = false;
    // Angles of the scientific functions in radians (menu "Radiants")
    // rather than degrees.
    bool SciRadians = false;
    int DecimalPlaces = 2;  // 2..15
    // How results are rounded to the decimal places in Financial mode.
    enum class ResultRounding { HalfUp, HalfEven, Up, Down };
    ResultRounding Rounding = ResultRounding::HalfUp;
};

// `value` rounded to `places` decimals: half-up and half-even on the
// nearest, up away from zero, down toward zero.
Decimal roundResult(const Decimal& value, int places, Modes::ResultRounding mode);

// Values of EntryState.
namespace entry {
inline constexpr std::string_view None = "NONE";
inline constexpr std::string_view Nums = "NUMS";
inline constexpr std::string_view Ops = "OPS";
inline constexpr std::string_view Neg = "NEG";
inline constexpr std::string_view CE = "CE";
}  // namespace entry

// Operator key indices of the Operator(0..4) array.
enum OperatorIndex : int { OpAdd = 0, OpSubtract = 1, OpMultiply = 2, OpDivide = 3, OpEquals = 4 };

// The calculator: readout, entry, operators, totals, memory and the tape.
// The main window is a view of this object; batch mode and the tests drive
// it directly. Handler names follow the keys and menu items they serve.
class CalculatorModel {
public:
    CalculatorModel(UserFeedback& feedback, NumberSymbols symbols = {});

    // ---- wiring ------------------------------------------------------------
    UserFeedback& feedback() { return feedback_; }
    CommandCatalogue& commands() { return commands_; }
    const NumberSymbols& symbols() const { return symbols_; }
    const std::string& DecimalSymbol() const { return symbols_.decimal; }
    const std::string& ThousandSymbol() const { return symbols_.thousand; }
    std::string CurrencySymbol() const { return symbols_.currency + " "; }
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
    const std::string& EntryState() const { return entryState_; }
    void setEntryState(std::string_view state) {
        entryState_ = state;
        freshResult_ = false;
    }
    const std::string& hint() const { return hint_; }
    void setHint(std::string text);
    int NumOps() const { return numOps_; }
    const Decimal& RunningTotal() const { return runningTotal_; }
    // Sets the total of the open calculation after its entries were
    // corrected, and shows it when the readout shows the total.
    void refootRunningTotal(const Decimal& total);
    int TapeItem() const { return tapeItem_; }
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
    ChainState chainState() const;
    void restoreChainState(const ChainState& state);
    int MaxDigits() const { return maxDigits_; }
    void setMaxDigits(int n) { maxDigits_ = n == 0 ? 35 : n; }
    // Set by PurgeNumericInput when it failed, and by cancelled questions.
    bool InputCancelled = false;
    // True while the construction calculator window is visible: the purge
    // then keeps foot and inch marks.
    bool BuilderVisible = false;
    // True while the tape is unlocked for editing: typed keys go to the tape.
    bool TapeUnlocked = false;

    // ---- Part of the readout: entry keys ----------------------------------
    void Number_Click(int index);
    void Decimal_Click();
    void mnuChangeSign_Click();
    void CancelEntry_Click();
    void Cancel_Click();
    void AutoDecFormat(std::string_view digit);
    void Backspace();
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
    std::string ValidValue(std::string_view text);
    std::string PurgeNumericInput(std::string_view text);
    void NormalizeReadout();
    std::string FormatTapeNumber(std::string_view text) const;
    std::string GroupThousands(std::string_view digits) const;
    std::string FormatFinancial(std::string_view text) const;
    // The readout (or any text) converted to the decimal type with the
    // locale symbols; throws DecimalOverflow / DecimalTypeMismatch.
    Decimal toDecimal(std::string_view text) const;
    std::string toText(const Decimal& value) const { return value.toString(symbols_.decimal); }

    // ---- operators and the tape -------------------------------------------
    void Operator_Click(int index);
    void PostToTape(std::string_view text);
    // The RPN stack operation; hooked in by the RPN feature. Without a hook
    // the key reports "RPN Error".
    std::function<void(std::string_view op, std::string_view text)> RPNops;
    // Called by C, which also empties the RPN stack.
    std::function<void()> RPNclear;
    // Called with the result of every "=" total, and by C (the grand total
    // of the business keys keeps the totals since the last C).
    std::function<void(const Decimal& total)> onTotal;
    std::function<void()> onClear;
    // The percent key (engine/PercentKey.cpp).
    void Percent_Click();

    // ---- memory register ---------------------------------------------------
    const Decimal& MemoryValue() const { return memoryValue_; }
    bool memoryShown() const { return memoryShown_; }
    const std::string& lblMemValue() const { return lblMemValue_; }
    const std::string& memoryToolTip() const { return memoryToolTip_; }
    void cmdMS_Click();
    void cmdMR_Click();
    void cmdMplus_Click();
    void cmdMminus_Click();
    void cmdMC_Click();
    std::string WithDecimalSymbol(std::string_view text) const;
    // Puts a stored value in the register and shows it (start-up restore).
    void restoreMemory(const Decimal& value);

    // ---- keyboard ----------------------------------------------------------
    // One typed character (UTF-8 text of one character, "\r" for Enter,
    // "\b" for backspace). Returns false when the character was swallowed.
    bool Form_KeyPress(std::string_view ch);
    // A character the keypad has no use for (":" typing a time) goes here.
    std::function<bool(std::string_view ch)> otherKey;
    // Key-down codes: 46 Delete, 144 Num Lock, Alt (shift 4) + 49..57.
    // Returns true when the key was handled here.
    bool Form_KeyDown(int keyCode, int shift);
    // Label of the rpn stack depth; "0" after C.
    const std::string& lblRPN() const { return lblRPN_; }
    void setLblRPN(std::string text);

    // Toolbar button press for Alt+1..9 (index 0..8); set by the window
    // that owns the toolbar.
    std::function<void(int index)> comToolbar_Click;

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
    void ReportError(const std::string& label, int number, const std::string& description,
                     const std::string& source = "Zorv Advanced Calculator");

    void notify();

private:
    void memoryStoreStep(int which);  // 0 MS, 1 M+, 2 M-
    void showMemoryValue();
    void registerKeypadCommands();
    void focusEquals();
    std::string autoDecimalText(std::string digits, bool negative) const;

    UserFeedback& feedback_;
    NumberSymbols symbols_;
    Modes modes_;
    Tape tape_;
    CommandCatalogue commands_;

    std::string readout_;
    std::string entryState_ = std::string(entry::None);
    std::string hint_ = "Press F1 for Help";
    std::string opFlag_ = " ";
    std::string tempReadout_;
    std::string magicNumber_;
    Decimal runningTotal_;
    Decimal currentOperand_;
    int numOps_ = 0;
    int tapeItem_ = 0;
    int maxDigits_ = 35;
    bool decimalFlag_ = false;
    bool freshResult_ = false;  // see showResult
    bool ofShownValue_ = false;  // see resultOfShownValue
    std::string lblRPN_ = "0";

    Decimal memoryValue_;
    bool memoryShown_ = false;
    std::string lblMemValue_;
    std::string memoryToolTip_;
};

}  // namespace zorv::engine
