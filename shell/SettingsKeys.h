#pragma once

#include <span>
#include <string>
#include <string_view>

#include "shell/SettingsStore.h"

namespace zorv::shell {

inline constexpr const char* kStartupSection = "Startup";
inline constexpr const char* kButtonsSection = "Buttons";

// How a key's value is written, and so how it is read back.
enum class StoredForm {
    Text,         // free text: names, paths, captions
    Number,       // number text in the C form
    Flag,         // "True"/"False"; any number text reads too (non-zero is true)
    FlagMinusOne, // "-1"/"0", read as a flag
    FlagOneZero,  // "1"/"0", read as a flag
    NumberFlag,   // "1"/"0", read as a number: on when not 0, so "True" is off
};

// One stored key. `defaultText` is what a read of an absent (or unreadable)
// value gives, in the key's stored form; `minimum`/`maximum` bound numbers,
// and a number outside them reads as the default too. Keys that are only
// written, never read, have an empty default.
struct SettingKey {
    std::string_view section;
    std::string_view key;
    StoredForm form;
    std::string_view defaultText;
    double minimum = -1e300;
    double maximum = 1e300;
};

// Every key of section "Startup" the program keeps, in one table.
namespace key {
using F = StoredForm;
inline constexpr SettingKey Font{"Startup", "Font", F::Text, "Courier New"};
inline constexpr SettingKey FontSize{"Startup", "Font Size", F::Number, "8", 1, 400};
inline constexpr SettingKey FontColor{"Startup", "Font Color", F::Number, "0", 0, 16777215};
inline constexpr SettingKey FontBold{"Startup", "Font Bold", F::Flag, "False"};
inline constexpr SettingKey FontItalic{"Startup", "Font Italic", F::Flag, "False"};
inline constexpr SettingKey TapeSize{"Startup", "Tape Size", F::Number, "1", 0.4, 3.5};
inline constexpr SettingKey TapeHide{"Startup", "Tape Hide", F::FlagMinusOne, "0"};
inline constexpr SettingKey CarryResult{"Startup", "Carry Result", F::FlagMinusOne, "-1"};
inline constexpr SettingKey FinancialMode{"Startup", "Financial Mode", F::Flag, "True"};
inline constexpr SettingKey ShowPercentage{"Startup", "Show Percentage", F::Flag, "True"};
inline constexpr SettingKey AddingMachineMode{"Startup", "Adding Machine Mode", F::FlagOneZero, "0"};
inline constexpr SettingKey FormatNumbers{"Startup", "Format Numbers", F::FlagOneZero, "1"};
inline constexpr SettingKey PercentCalculation{"Startup", "Percent Calculation", F::FlagOneZero, "1"};
inline constexpr SettingKey AutoDecimal{"Startup", "AutoDecimal", F::Flag, "False"};
inline constexpr SettingKey RpnMode{"Startup", "RPN Mode", F::NumberFlag, "0"};
inline constexpr SettingKey SaveMemory{"Startup", "Save Memory", F::Flag, "False"};
inline constexpr SettingKey Memory{"Startup", "Memory", F::Number, "0"};
inline constexpr SettingKey HideC{"Startup", "Hide C", F::Flag, "False"};
inline constexpr SettingKey DecimalPlaces{"Startup", "Decimal Places", F::Number, "2", 2, 15};
inline constexpr SettingKey HideToolbar{"Startup", "Hide Toolbar", F::Flag, "False"};
inline constexpr SettingKey StartYear{"Startup", "Start Year", F::Number, "1500", 100, 9999};
inline constexpr SettingKey EndYear{"Startup", "End Year", F::Number, "2400", 100, 9999};
inline constexpr SettingKey ExitButtonMinimize{"Startup", "Exit Button Minimize", F::Flag, "False"};
inline constexpr SettingKey StartOnTop{"Startup", "Start On Top", F::Flag, "False"};
inline constexpr SettingKey CalcOnTop{"Startup", "Calc On Top", F::Flag, "False"};
inline constexpr SettingKey StartMinimized{"Startup", "Start Minimized", F::Flag, "False"};
// No default: an absent position means "centre the window".
inline constexpr SettingKey CalcTop{"Startup", "Calc Top", F::Number, "", -1e6, 1e6};
inline constexpr SettingKey CalcLeft{"Startup", "Calc Left", F::Number, "", -1e6, 1e6};
inline constexpr SettingKey CalcShowTop{"Startup", "CalcShow Top", F::Number, ""};
inline constexpr SettingKey CalcShowLeft{"Startup", "CalcShow Left", F::Number, ""};
inline constexpr SettingKey SavedSettings{"Startup", "Saved Settings", F::Flag, ""};
inline constexpr SettingKey Path{"Startup", "Path", F::Text, ""};
inline constexpr SettingKey TapeItemCount{"Startup", "Tape Item Count", F::Flag, "False"};
inline constexpr SettingKey DontHideEval{"Startup", "Dont hide Eval", F::Flag, "False"};
inline constexpr SettingKey AlarmsOn{"Startup", "Alarms On", F::Flag, "True"};
inline constexpr SettingKey RepeatSubtraction{"Startup", "Repeat Subtraction", F::Flag, "False"};
inline constexpr SettingKey ImperialMeasures{"Startup", "Imperial Measures", F::Flag, "False"};
inline constexpr SettingKey TroyMeasures{"Startup", "Troy Measures", F::Flag, "False"};
inline constexpr SettingKey PublishTo{"Startup", "Publish To", F::Text, ""};
inline constexpr SettingKey PublishType{"Startup", "Publish Type", F::Text, "TXT"};
// "100" + decimal symbol + "00": see billingRateDefault().
inline constexpr SettingKey BillingRate{"Startup", "Billing Rate", F::Text, "100.00"};
inline constexpr SettingKey ConfirmExpression{"Startup", "Confirm Expression", F::Number, "0"};
inline constexpr SettingKey ConfirmBuilder{"Startup", "Confirm Builder", F::Number, "0"};
inline constexpr SettingKey BuilderResultFtIn{"Startup", "Builder Result FtIn", F::Number, "1"};
inline constexpr SettingKey BuilderResultToReadout{"Startup", "Builder Result to Readout", F::Number, "1"};
inline constexpr SettingKey BuilderConvert{"Startup", "Builder Convert", F::Number, "1"};
inline constexpr SettingKey BuilderArea{"Startup", "Builder Area", F::Number, "0"};
inline constexpr SettingKey BuilderVolume{"Startup", "Builder Volume", F::Number, "0"};
inline constexpr SettingKey ShowDLHelp{"Startup", "Show DL Help", F::Number, "1"};
inline constexpr SettingKey CurrencyDec{"Startup", "Currency Dec", F::Number, "-1"};
inline constexpr SettingKey FromCurrency{"Startup", "From Currency", F::Number, "0"};
inline constexpr SettingKey ToCurrency{"Startup", "To Currency", F::Number, "0"};
// The data folder's "currency.rt": see exchangeRatesFileDefault().
inline constexpr SettingKey ExchangeRatesFile{"Startup", "Exchange Rates File", F::Text, "currency.rt"};
// Where Update Rates fetches the central bank's daily rates.
inline constexpr SettingKey ExchangeRatesUrl{"Startup", "Exchange Rates URL", F::Text,
                                             "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml"};
inline constexpr SettingKey FromUnit{"Startup", "From Unit", F::Number, "0"};
inline constexpr SettingKey ToUnit{"Startup", "To Unit", F::Number, "0"};
inline constexpr SettingKey EditorFontName{"Startup", "Editor Font Name", F::Text, "Courier New"};
inline constexpr SettingKey EditorFontSize{"Startup", "Editor Font Size", F::Number, "10", 1, 400};
inline constexpr SettingKey EditorFontBold{"Startup", "Editor Font Bold", F::Flag, "False"};
inline constexpr SettingKey EditorFontItalic{"Startup", "Editor Font Italic", F::Flag, "False"};
inline constexpr SettingKey ScratchWidth{"Startup", "Scratch Width", F::Number, "480", 50, 1e5};
inline constexpr SettingKey ScratchHeight{"Startup", "Scratch Height", F::Number, "360", 50, 1e5};
inline constexpr SettingKey LastFile{"Startup", "Last File", F::Text, "*.txt"};
}  // namespace key

// The whole table, in the order above (tests walk it).
std::span<const SettingKey> settingKeys();
// The key of the table with this section and name; nullptr when the table
// has none.
const SettingKey* findSettingKey(std::string_view section, std::string_view name);

// Section "Buttons", button n = 1..9: "nCaption" (default "nR.Clk") and
// "nToolTip" (default "Right Click to Set Button").
std::string toolbarCaptionKey(int button);
std::string toolbarToolTipKey(int button);
std::string toolbarCaptionDefault(int button);
inline constexpr const char* kToolbarToolTipDefault = "Right Click to Set Button";

std::string billingRateDefault(const std::string& decimalSymbol);
std::string exchangeRatesFileDefault(const std::string& dataFolder);

// Reads a key by its stored form. A value that is absent or does not convert
// (or a number outside the key's bounds) gives the key's default.
bool readFlag(const SettingsStore& store, const SettingKey& k);
double readNumber(const SettingsStore& store, const SettingKey& k);
int readInt(const SettingsStore& store, const SettingKey& k);
std::string readText(const SettingsStore& store, const SettingKey& k);
// A number key that has no default: nullopt when absent or unreadable.
std::optional<double> readOptionalNumber(const SettingsStore& store, const SettingKey& k);

// Writes a key in its stored form.
void writeFlag(SettingsStore& store, const SettingKey& k, bool on);
void writeNumber(SettingsStore& store, const SettingKey& k, double value);
void writeText(SettingsStore& store, const SettingKey& k, const std::string& text);
// The text a flag is stored as under a given form.
std::string flagText(StoredForm form, bool on);

}  // namespace zorv::shell
