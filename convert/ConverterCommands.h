#pragma once

// The unit, currency and number-base conversion commands without a window:
// batch mode runs them on the readout and takes its answers as text. The
// windows (convert/ConverterWindows.h) replace these handlers and share the
// helpers below.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "convert/ExchangeRates.h"
#include "convert/UnitCatalogue.h"
#include "engine/CalculatorModel.h"

namespace zorv::convert {

// Where the conversions keep their choices ("From Unit", "Currency Dec",
// ...; all in section "Startup") and find the rates file.
struct ConverterSettings {
    std::function<std::string(const std::string& key, const std::string& fallback)> read;
    std::function<void(const std::string& key, const std::string& value)> write;
    // The data folder, where the rates file lives unless "Exchange Rates
    // File" names another.
    std::string dataFolder;
    // Today's date, for the age of the rates.
    std::function<Date()> today;
};

// Keys of section "Startup".
inline constexpr std::string_view kFromUnitKey = "From Unit";
inline constexpr std::string_view kToUnitKey = "To Unit";
inline constexpr std::string_view kShowDownloadHelpKey = "Show DL Help";
inline constexpr std::string_view kCurrencyDecKey = "Currency Dec";
inline constexpr std::string_view kFromCurrencyKey = "From Currency";
inline constexpr std::string_view kToCurrencyKey = "To Currency";
inline constexpr std::string_view kRatesFileKey = "Exchange Rates File";
// Where "Update rates" downloads the central bank's daily file from.
inline constexpr std::string_view kRatesUrlKey = "Exchange Rates URL";

// Reads a whole-number setting; the fallback for an absent or unreadable one.
int readIntSetting(const ConverterSettings& settings, std::string_view key, int fallback);
void writeIntSetting(const ConverterSettings& settings, std::string_view key, int value);
// The rates file: "Exchange Rates File" when set, else currency.rt; a
// relative path is taken in the data folder.
std::string ratesFilePath(const ConverterSettings& settings);
// "Currency Dec", -1 (the currency's own minor units) when outside -1..6.
int currencyDecSetting(const ConverterSettings& settings);

// The unit system a command opens on, and back.
std::optional<UnitSystem> unitSystemOf(engine::CommandId id);
engine::CommandId commandOf(UnitSystem system);

// The readout as a number, or nothing (with a message shown) when it is not
// one.
std::optional<engine::Decimal> readoutValue(engine::CalculatorModel& model);

// Puts a converted value on the readout as a whole entry and writes its tape
// line; with no operation pending "=" completes it, as the quick
// conversions do.
void enterConversion(engine::CalculatorModel& model, const engine::Decimal& value,
                     const std::string& tapeLine);

// Shows a message about a conversion that could not be made.
void conversionMessage(engine::CalculatorModel& model, const std::string& text);

// Registers the nine commands: the seven "Intra-System ..." unit systems,
// "Currency Conversions" and "Base Conversions". Each works on the readout:
//   unit systems   [from unit][to unit]   by name or abbreviation
//   currency       [from code][to code]   with the rates file
//   base           [word size]            8, 16, 32 or 64
void registerConverterCommands(engine::CalculatorModel& model, ConverterSettings settings);

}  // namespace zorv::convert
