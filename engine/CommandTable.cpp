#include "CommandTable.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zorv::engine {

namespace {

using C = CommandId;
using G = ToolbarGroupId;
using K = Shortcut;
constexpr CommandScope E = CommandScope::Everywhere;
constexpr CommandScope W = CommandScope::WindowOnly;
constexpr CommandScope P = CommandScope::Planned;

// One row per command, in id order. The "&" in "Area/&Volume English to
// Metric Conversions" is part of the stored name, kept for toolbar bindings
// saved with it.
constexpr CommandSpec kTable[] = {
    {C::Digit0, "0", G::None, 0, false, K::None, E},
    {C::Digit1, "1", G::None, 0, false, K::None, E},
    {C::Digit2, "2", G::None, 0, false, K::None, E},
    {C::Digit3, "3", G::None, 0, false, K::None, E},
    {C::Digit4, "4", G::None, 0, false, K::None, E},
    {C::Digit5, "5", G::None, 0, false, K::None, E},
    {C::Digit6, "6", G::None, 0, false, K::None, E},
    {C::Digit7, "7", G::None, 0, false, K::None, E},
    {C::Digit8, "8", G::None, 0, false, K::None, E},
    {C::Digit9, "9", G::None, 0, false, K::None, E},
    {C::DecimalPoint, ".", G::None, 0, false, K::None, E},
    {C::Add, "+", G::None, 0, false, K::None, E},
    {C::Subtract, "-", G::None, 0, false, K::None, E},
    {C::Multiply, "X", G::None, 0, false, K::None, E},
    {C::Divide, "/", G::None, 0, false, K::None, E},
    {C::Total, "=", G::None, 0, false, K::None, E},
    {C::ClearEntry, "CE", G::None, 0, false, K::Escape, E},
    {C::Clear, "C", G::None, 0, false, K::None, E},
    {C::ChangeSign, "Change Sign", G::Other, 17, false, K::F9, E},
    {C::Backspace, "BS", G::None, 0, false, K::None, E},
    {C::DeleteKey, "DEL", G::None, 0, false, K::None, E},
    {C::MemoryStore, "MS", G::None, 0, false, K::CtrlM, E},
    {C::MemoryRecall, "MR", G::None, 0, false, K::CtrlR, E},
    {C::MemoryAdd, "M+", G::None, 0, false, K::None, E},
    {C::MemorySubtract, "M-", G::None, 0, false, K::None, E},
    {C::MemoryClear, "MC", G::None, 0, false, K::CtrlL, E},
    {C::Percent, "Percent", G::None, 0, false, K::None, E},
    {C::Square, "Square", G::None, 0, false, K::None, E},
    {C::SquareRoot, "Square Root", G::None, 0, false, K::None, E},
    {C::LoadTape, "Load Saved Tape", G::Tape, 7, false, K::Open, E},
    {C::SaveTape, "Save Tape to File", G::Tape, 6, false, K::Save, E},
    {C::PrintTape, "Print Tape", G::Tape, 2, false, K::Print, W},
    {C::PublishTape, "Publish Tape", G::Tape, 5, false, K::None, E},
    {C::BackupData, "Backup Data", G::None, 0, false, K::None, E},
    {C::RestoreData, "Restore Data", G::None, 0, false, K::None, E},
    {C::ProgramProperties, "Program Properties", G::Other, 6, false, K::None, W},
    {C::Minimize, "Minimize", G::None, 0, false, K::None, W},
    {C::Exit, "Exit", G::None, 0, false, K::Quit, W},
    {C::ExitButton, "Exit Button", G::None, 0, false, K::None, W},
    {C::CopyReadout, "Copy Readout", G::None, 0, false, K::Copy, W},
    {C::PasteReadout, "Paste Readout", G::None, 0, false, K::Paste, W},
    {C::InsertIntoPrevious, "Insert into Previous Program", G::Other, 5, false, K::None, W},
    {C::StandardCalculator, "Calculator (No Conversions)", G::Mode, 1, false, K::None, E},
    {C::FinancialMode, "Financial Calculator", G::Mode, 2, true, K::None, E},
    {C::AutoDecimalMode, "Auto-Decimal Mode", G::Mode, 3, true, K::None, E},
    {C::AddingMachineMode, "Adding Machine Mode", G::Mode, 4, true, K::None, E},
    {C::RpnMode, "RPN Mode", G::Mode, 5, true, K::None, E},
    {C::ShowPercentages, "Show Percentages", G::Mode, 6, true, K::None, E},
    {C::PercentForNumber, "% for Number", G::Mode, 7, true, K::None, E},
    {C::MagicNumber, "Magic Number", G::Mode, 8, true, K::None, E},
    {C::RepeatSubtraction, "Repeat Subtraction", G::Mode, 9, true, K::None, E},
    {C::CarryResult, "Carry Result", G::None, 0, true, K::None, E},
    {C::FormatNumbers, "Format Numbers", G::None, 0, true, K::None, E},
    {C::NumberTapeItems, "Number Tape Items", G::None, 0, true, K::None, E},
    {C::ViewRpnStack, "View RPN Stack", G::Other, 11, false, K::None, E},
    {C::InterestCalculator, "Interest Calculator", G::Financial, 1, false, K::None, E},
    {C::InterestRatePerPeriod, "Interest Rate per Period", G::Financial, 2, false, K::None, E},
    {C::InterestForDays, "Interest for X days", G::Financial, 3, false, K::None, E},
    {C::InternalRateOfReturn, "Internal Rate of Return", G::Financial, 4, false, K::None, E},
    {C::ModifiedInternalRateOfReturn, "Modified Internal Rate of Return", G::Financial, 5, false, K::None, E},
    {C::PaymentsToPayOffLoan, "Number of Payments to Pay Off Loan", G::Financial, 6, false, K::None, E},
    {C::NetPresentValue, "Net Present Value of Investment", G::Financial, 7, false, K::None, E},
    {C::AnnuityPayments, "Annuity Payments", G::Financial, 8, false, K::None, E},
    {C::AnnuityPrinciplePayment, "Annuity Principle Payment", G::Financial, 9, false, K::None, E},
    {C::PresentValueOfAnnuity, "Present Value of Annuity", G::Financial, 10, false, K::None, E},
    {C::FutureValueOfAnnuity, "Future Value of Annuity", G::Financial, 11, false, K::None, E},
    {C::StraightLineDepreciation, "Straight Line Depreciation", G::Financial, 12, false, K::None, E},
    {C::SumOfYearsDigitsDepreciation, "Sum-of-Years' Digits Depreciation", G::Financial, 13, false, K::None, E},
    {C::DoubleDecliningDepreciation, "Double-Declining Balance Depreciation", G::Financial, 14, false, K::None, E},
    {C::Sine, "Sine", G::Scientific, 1, false, K::None, E},
    {C::Cosine, "Cosine", G::Scientific, 2, false, K::None, E},
    {C::Tangent, "Tangent", G::Scientific, 3, false, K::None, E},
    {C::Arctangent, "Arctangent", G::Scientific, 4, false, K::None, E},
    {C::Secant, "Secant", G::Scientific, 7, false, K::None, E},
    {C::Cosecant, "Cosecant", G::Scientific, 8, false, K::None, E},
    {C::Cotangent, "Cotangent", G::Scientific, 9, false, K::None, E},
    {C::InverseSine, "Inverse Sine", G::Scientific, 11, false, K::None, E},
    {C::InverseCosine, "Inverse Cosine", G::Scientific, 12, false, K::None, E},
    {C::InverseSecant, "Inverse Secant", G::Scientific, 13, false, K::None, E},
    {C::InverseCosecant, "Inverse Cosecant", G::Scientific, 14, false, K::None, E},
    {C::InverseCotangent, "Inverse Cotangent", G::Scientific, 15, false, K::None, E},
    {C::HyperbolicSine, "Hyperbolic Sine", G::Scientific, 16, false, K::None, E},
    {C::HyperbolicCosine, "Hyperbolic Cosine", G::Scientific, 17, false, K::None, E},
    {C::HyperbolicTangent, "Hyperbolic Tangent", G::Scientific, 18, false, K::None, E},
    {C::HyperbolicSecant, "Hyperbolic Secant", G::Scientific, 19, false, K::None, E},
    {C::HyperbolicCosecant, "Hyperbolic Cosecant", G::Scientific, 20, false, K::None, E},
    {C::HyperbolicCotangent, "Hyperbolic Cotangent", G::Scientific, 21, false, K::None, E},
    {C::InverseHyperbolicSine, "Inverse Hyperbolic Sine", G::Scientific, 22, false, K::None, E},
    {C::InverseHyperbolicCosine, "Inverse Hyperbolic Cosine", G::Scientific, 23, false, K::None, E},
    {C::InverseHyperbolicTangent, "Inverse Hyperbolic Tangent", G::Scientific, 24, false, K::None, E},
    {C::InverseHyperbolicSecant, "Inverse Hyperbolic Secant", G::Scientific, 25, false, K::None, E},
    {C::InverseHyperbolicCosecant, "Inverse Hyperbolic Cosecant", G::Scientific, 26, false, K::None, E},
    {C::InverseHyperbolicCotangent, "Inverse Hyperbolic Cotangent", G::Scientific, 27, false, K::None, E},
    {C::NaturalLogarithm, "Natural Logarithm", G::Scientific, 5, false, K::None, E},
    {C::Exponential, "Exp (Base of Natural Log)", G::Scientific, 6, false, K::None, E},
    {C::LogarithmToBase, "Logarithm to Base N", G::Scientific, 10, false, K::None, E},
    {C::Reciprocal, "Reciprocal", G::Scientific, 28, false, K::None, E},
    {C::Degrees, "Degrees", G::Scientific, 29, true, K::None, E},
    {C::Radians, "Radiants", G::Scientific, 30, true, K::None, E},
    {C::Pi, "Pi", G::Scientific, 31, false, K::None, E},
    {C::EConstant, "e constant", G::Scientific, 32, false, K::None, E},
    {C::GoldenCut, "Golden Cut", G::Scientific, 33, false, K::None, E},
    {C::ConvertToFractions, "Convert to Fractions", G::Scientific, 34, false, K::None, E},
    {C::MetricToEnglish, "Metric to English Conversions", G::Mode, 10, false, K::None, E},
    {C::EnglishToMetric, "English to Metric Conversions", G::Mode, 11, false, K::None, E},
    {C::AreaVolumeMetricToEnglish, "Area/Volume Metric to English Conversions", G::Mode, 12, false, K::None, E},
    {C::AreaVolumeEnglishToMetric, "Area/&Volume English to Metric Conversions", G::Mode, 13, false, K::None, E},
    {C::TemperatureConversions, "Temperature Conversions", G::Mode, 14, false, K::None, E},
    {C::TimeWeek, "Time Conversions - Week", G::Mode, 15, false, K::None, E},
    {C::TimeDay, "Time Conversions - Day", G::Mode, 16, false, K::None, E},
    {C::TimeHour, "Time Conversions - Hour", G::Mode, 17, false, K::None, E},
    {C::TimeMinutes, "Time Conversions - Minutes", G::Mode, 18, false, K::None, E},
    {C::IntraSystemMetric, "Intra-System Metric", G::Mode, 19, false, K::None, E},
    {C::IntraSystemEnglishWeight, "Intra-System English Weight", G::Mode, 20, false, K::None, E},
    {C::IntraSystemEnglishSquare, "Intra-System English Square", G::Mode, 21, false, K::None, E},
    {C::IntraSystemEnglishCubic, "Intra-System English Cubic", G::Mode, 22, false, K::None, E},
    {C::IntraSystemEnglishLength, "Intra-System English Length", G::Mode, 23, false, K::None, E},
    {C::IntraSystemEnglishCapacity, "Intra-System English Capacity", G::Mode, 24, false, K::None, E},
    {C::IntraSystemComputer, "Intra-System Computer", G::Mode, 25, false, K::None, E},
    {C::ImperialMeasures, "Imperial Measures", G::Mode, 26, true, K::None, E},
    {C::TroyMeasures, "Troy Measures", G::Mode, 27, true, K::None, E},
    {C::CurrencyConversions, "Currency Conversions", G::Other, 3, false, K::None, E},
    {C::BaseConversions, "Base Conversions", G::Other, 4, false, K::None, E},
    {C::AnnotateTape, "Annotate Tape", G::Tape, 1, false, K::None, E},
    {C::FindOnTape, "Find On Tape", G::Tape, 3, false, K::Find, E},
    {C::FindNext, "Find Next", G::None, 0, false, K::FindNext, E},
    {C::ClearTape, "Clear Tape", G::Tape, 4, false, K::None, E},
    {C::EditTape, "Edit Tape", G::None, 0, true, K::None, W},
    {C::TapeToScratchPad, "Tape to Scratch Pad", G::Tape, 8, false, K::None, E},
    {C::HideShowTape, "Hide/Show Tape", G::Other, 9, false, K::None, W},
    {C::HideShowNumberKeys, "Hide/Show Number Keys", G::Other, 8, false, K::None, W},
    {C::ExportTapeCsv, "Export Tape CSV", G::None, 0, false, K::None, E},
    {C::ExportTapeTsv, "Export Tape TSV", G::None, 0, false, K::None, E},
    {C::ExportTapeText, "Export Tape Text", G::None, 0, false, K::None, E},
    {C::PasteColumn, "Paste Column", G::None, 0, false, K::None, E},
    {C::TapeHistory, "Tape History", G::None, 0, false, K::None, W},
    {C::TaxPlus, "TAX+", G::None, 0, false, K::None, E},
    {C::TaxMinus, "TAX-", G::None, 0, false, K::None, E},
    {C::CostKey, "COST", G::None, 0, false, K::None, E},
    {C::SellKey, "SELL", G::None, 0, false, K::None, E},
    {C::MarginKey, "MARGIN", G::None, 0, false, K::None, E},
    {C::GrandTotal, "GT", G::None, 0, false, K::None, E},
    {C::RoundUp, "Round Up", G::None, 0, true, K::None, E},
    {C::RoundDown, "Round Down", G::None, 0, true, K::None, E},
    {C::RoundHalfUp, "Round Half-Up", G::None, 0, true, K::None, E},
    {C::RoundHalfEven, "Round Half-Even", G::None, 0, true, K::None, E},
    {C::CorrectEntry, "Correct Entry", G::None, 0, false, K::None, E},
    {C::ExpressionEvaluator, "Expression Evaluator", G::Other, 1, false, K::None, W},
    {C::DontHideEvaluator, "Don't Hide Evaluator", G::None, 0, true, K::None, W},
    {C::ConstructionCalculator, "Construction Calculator (ft/in)", G::Other, 12, false, K::None, E},
    {C::TimeDateCalculations, "Time/Date Calculations", G::Other, 2, false, K::None, E},
    {C::ShowCalendar, "Show Calendar", G::Other, 7, false, K::None, E},
    {C::SetAlarms, "Set Alarms", G::Other, 13, false, K::None, E},
    {C::AlarmsEnabled, "Alarms Enabled/Disabled", G::Other, 14, true, K::None, E},
    {C::ScratchPad, "Scratch Pad", G::Other, 16, false, K::None, E},
    {C::BillingRate, "Billing Rate", G::Other, 18, false, K::None, E},
    {C::ProjectTimer, "Start/Stop Project Timer", G::Other, 19, true, K::None, E},
    {C::HideShowToolbar, "Hide/Show Toolbar", G::Other, 10, false, K::None, W},
    {C::ShowInTray, "Show in Tray", G::None, 0, true, K::None, W},
    {C::StayOnTop, "Stay On Top", G::None, 0, true, K::None, W},
    {C::HideMainWindow, "Hide Main Window", G::None, 0, false, K::None, W},
    {C::CalcOnTop, "Calc On Top", G::None, 0, true, K::None, W},
    {C::ExitButtonMinimizes, "Exit Button Minimizes", G::Other, 15, true, K::None, E},
    {C::HelpContents, "Help Contents", G::None, 0, false, K::None, W},
    {C::About, "About", G::None, 0, false, K::None, W},
    {C::ConvertKey, "", G::None, 0, false, K::None, E, "Convert"},
    {C::ToolbarButton, "", G::None, 0, false, K::None, E, "Toolbar"},
    {C::Evaluate, "", G::None, 0, false, K::None, E, "Eval"},
    {C::SetVariable, "", G::None, 0, false, K::None, E, "Var"},
    {C::CorrectEntryN, "", G::None, 0, false, K::None, E, "Correct"},
};

constexpr bool inIdOrder() {
    for (std::size_t i = 0; i < std::size(kTable); ++i)
        if (static_cast<std::size_t>(kTable[i].id) != i) return false;
    return true;
}
static_assert(inIdOrder(), "the command table must list every command once, in id order");

// Names batch mode and the keypad know a key by besides its catalogue text.
struct KeyName {
    std::string_view name;
    CommandId id;
};
constexpr KeyName kKeyNames[] = {
    {"ENTER", C::Total}, {"+/-", C::ChangeSign},
};

constexpr std::string_view kGroupNames[] = {"Financial", "Mode", "Other", "Scientific", "Tape"};

std::vector<CommandId> membersOf(ToolbarGroupId group) {
    std::vector<const CommandSpec*> rows;
    for (const auto& row : kTable)
        if (row.group == group) rows.push_back(&row);
    std::sort(rows.begin(), rows.end(),
              [](const CommandSpec* a, const CommandSpec* b) { return a->position < b->position; });
    std::vector<CommandId> ids;
    for (const auto* row : rows) ids.push_back(row->id);
    return ids;
}

}  // namespace

std::span<const CommandSpec> commandTable() { return kTable; }

const CommandSpec& commandSpec(CommandId id) { return kTable[static_cast<std::size_t>(id)]; }

std::optional<CommandId> commandByText(std::string_view text) {
    if (text.empty()) return std::nullopt;
    for (const auto& row : kTable)
        if (row.text == text) return row.id;
    for (const auto& key : kKeyNames)
        if (key.name == text) return key.id;
    return std::nullopt;
}

std::optional<CommandId> argumentCommandByWord(std::string_view word) {
    if (word.empty()) return std::nullopt;
    for (const auto& row : kTable)
        if (row.argumentWord == word) return row.id;
    return std::nullopt;
}

std::span<const CommandId> toolbarGroupMembers(ToolbarGroupId group) {
    static const std::array<std::vector<CommandId>, 5> members{
        membersOf(G::Financial), membersOf(G::Mode), membersOf(G::Other), membersOf(G::Scientific),
        membersOf(G::Tape)};
    if (group == G::None) return {};
    return members[static_cast<std::size_t>(group)];
}

std::string_view toolbarGroupName(ToolbarGroupId group) {
    if (group == G::None) return {};
    return kGroupNames[static_cast<std::size_t>(group)];
}

std::string_view toolbarGroupPrefix(ToolbarGroupId group) { return toolbarGroupName(group).substr(0, 3); }

}  // namespace zorv::engine
