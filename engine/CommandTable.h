#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zorv::engine {

// Every command of the program. Menus, keypad, keyboard, toolbar buttons,
// the tray menu, the conversion keys and batch mode's {NAME} refer to these
// ids; only the table in CommandTable.cpp spells a command's text.
enum class CommandId : std::uint16_t {
    // keypad
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    DecimalPoint, Add, Subtract, Multiply, Divide, Total, ClearEntry, Clear, ChangeSign,
    Backspace, DeleteKey, MemoryStore, MemoryRecall, MemoryAdd, MemorySubtract, MemoryClear,
    Percent, Square, SquareRoot,
    // file and edit
    LoadTape, SaveTape, PrintTape, PublishTape, BackupData, RestoreData, ProgramProperties,
    Minimize, Exit, ExitButton, CopyReadout, PasteReadout, InsertIntoPrevious,
    // modes
    StandardCalculator, FinancialMode, AutoDecimalMode, AddingMachineMode, RpnMode,
    ShowPercentages, PercentForNumber, MagicNumber, RepeatSubtraction, CarryResult,
    FormatNumbers, NumberTapeItems, ViewRpnStack,
    // guided financial calculators
    InterestCalculator, InterestRatePerPeriod, InterestForDays, InternalRateOfReturn,
    ModifiedInternalRateOfReturn, PaymentsToPayOffLoan, NetPresentValue, AnnuityPayments,
    AnnuityPrinciplePayment, PresentValueOfAnnuity, FutureValueOfAnnuity,
    StraightLineDepreciation, SumOfYearsDigitsDepreciation, DoubleDecliningDepreciation,
    // scientific functions
    Sine, Cosine, Tangent, Arctangent, Secant, Cosecant, Cotangent, InverseSine, InverseCosine,
    InverseSecant, InverseCosecant, InverseCotangent, HyperbolicSine, HyperbolicCosine,
    HyperbolicTangent, HyperbolicSecant, HyperbolicCosecant, HyperbolicCotangent,
    InverseHyperbolicSine, InverseHyperbolicCosine, InverseHyperbolicTangent,
    InverseHyperbolicSecant, InverseHyperbolicCosecant, InverseHyperbolicCotangent,
    NaturalLogarithm, Exponential, LogarithmToBase, Reciprocal, Degrees, Radians, Pi,
    EConstant, GoldenCut, ConvertToFractions,
    // conversions
    MetricToEnglish, EnglishToMetric, AreaVolumeMetricToEnglish, AreaVolumeEnglishToMetric,
    TemperatureConversions, TimeWeek, TimeDay, TimeHour, TimeMinutes, IntraSystemMetric,
    IntraSystemEnglishWeight, IntraSystemEnglishSquare, IntraSystemEnglishCubic,
    IntraSystemEnglishLength, IntraSystemEnglishCapacity, IntraSystemComputer,
    ImperialMeasures, TroyMeasures, CurrencyConversions, BaseConversions,
    // tape
    AnnotateTape, FindOnTape, FindNext, ClearTape, EditTape, TapeToScratchPad, HideShowTape,
    HideShowNumberKeys, ExportTapeCsv, ExportTapeTsv, ExportTapeText, PasteColumn, TapeHistory,
    TaxPlus, TaxMinus, CostKey, SellKey, MarginKey, GrandTotal, RoundUp, RoundDown, RoundHalfUp,
    RoundHalfEven, CorrectEntry,
    // tools
    ExpressionEvaluator, DontHideEvaluator, ConstructionCalculator, TimeDateCalculations,
    ShowCalendar, SetAlarms, AlarmsEnabled, ScratchPad, BillingRate, ProjectTimer,
    HideShowToolbar, ShowInTray, StayOnTop, HideMainWindow, CalcOnTop, ExitButtonMinimizes,
    // help
    HelpContents, About,
    // commands that take the rest of their {NAME} text as an argument
    ConvertKey,      // {Convert N}: conversion key N of the current set
    ToolbarButton,   // {Toolbar N}: toolbar button N
    Evaluate,        // {Eval TEXT}
    SetVariable,     // {Var X=4}
    CorrectEntryN,   // {Correct Entry N}: entry N of the last calculation
};

// The groups of the toolbar catalogue, in the order the set-up window lists
// them and dispatch searches them.
enum class ToolbarGroupId : std::uint8_t { Financial, Mode, Other, Scientific, Tape, None };

// Where a command can run: everywhere, or only where there is a window. A
// planned command is catalogued (a toolbar button may be bound to it) but
// not built in this version: running it says so.
enum class CommandScope : std::uint8_t { Everywhere, WindowOnly, Planned };

// Keyboard shortcuts a menu item shows and answers to; the window maps them
// to the desktop's standard keys.
// The keys a command answers to besides its menu letter: the desktop's
// standard keys, and the common calculator keys (Escape clears the entry,
// F9 changes the sign, Ctrl+M/R/L store, recall and clear the memory).
enum class Shortcut : std::uint8_t {
    None, Open, Save, Print, Quit, Copy, Paste, Find, FindNext,
    Escape, F9, CtrlM, CtrlR, CtrlL
};

struct CommandSpec {
    CommandId id;
    // The catalogue text: the name batch mode's {NAME} and a toolbar
    // button's stored tool tip use. Empty for the argument commands, whose
    // word is `argumentWord`.
    std::string_view text;
    ToolbarGroupId group = ToolbarGroupId::None;
    int position = 0;  // 1-based position in its toolbar group
    bool checkable = false;
    Shortcut shortcut = Shortcut::None;
    CommandScope scope = CommandScope::Everywhere;
    std::string_view argumentWord = {};
};

// The whole table, in id order.
std::span<const CommandSpec> commandTable();
const CommandSpec& commandSpec(CommandId id);
inline std::string_view commandText(CommandId id) { return commandSpec(id).text; }

// The command whose catalogue text or key name ("ENTER", "+/-", "BS",
// "DEL", "MS", ...) is exactly `text`; nullopt for any other text.
std::optional<CommandId> commandByText(std::string_view text);
// The argument command whose word is `word` ("Convert", "Toolbar", ...).
std::optional<CommandId> argumentCommandByWord(std::string_view word);

// The members of one toolbar group, in position order.
std::span<const CommandId> toolbarGroupMembers(ToolbarGroupId group);
std::string_view toolbarGroupName(ToolbarGroupId group);
// The short code a bound button shows: the first three letters of the
// group name and the item's position, e.g. "Tap8".
std::string_view toolbarGroupPrefix(ToolbarGroupId group);

}  // namespace zorv::engine
