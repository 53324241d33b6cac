#include "convert/ConverterCommands.h"

#include <array>
#include <charconv>

#include "convert/NumberBase.h"
#include "engine/TextUtil.h"

namespace zorv::convert {

namespace {

using engine::CommandId;
using engine::Decimal;

constexpr std::array<CommandId, kUnitSystemCount> kUnitCommands{
    CommandId::IntraSystemMetric,        CommandId::IntraSystemEnglishWeight,
    CommandId::IntraSystemEnglishSquare, CommandId::IntraSystemEnglishCubic,
    CommandId::IntraSystemEnglishLength, CommandId::IntraSystemEnglishCapacity,
    CommandId::IntraSystemComputer,
};

// The index of a unit in its system's list, for "From Unit" / "To Unit".
int unitIndex(UnitSystem system, const Measures& measures, const Unit& unit) {
    const auto units = unitsOf(system, measures);
    for (std::size_t i = 0; i < units.size(); ++i)
        if (&units[i] == &unit) return static_cast<int>(i);
    return 0;
}

int currencyIndex(const ExchangeRates& rates, std::string_view code) {
    const auto all = rates.currencies();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].code == code) return static_cast<int>(i);
    return 0;
}

void runUnitConversion(engine::CalculatorModel& model, const ConverterSettings& settings,
                       UnitSystem system) {
    auto& feedback = model.feedback();
    const std::string title = "Intra-System " + std::string(systemName(system));
    const auto value = readoutValue(model);
    if (!value) return;
    const auto fromText = feedback.askText("Convert from which unit?", title, "");
    if (!fromText) return;
    const auto toText = feedback.askText("Convert to which unit?", title, "");
    if (!toText) return;
    const Measures measures{model.modes().troyMeasures, model.modes().imperialMeasures};
    try {
        const Unit& from = findUnit(system, measures, *fromText);
        const Unit& to = findUnit(system, measures, *toText);
        const Decimal result = convertUnits(*value, from, to);
        enterConversion(model, result,
                        unitTapeLine(*value, from, result, to, model.decimalSymbol()));
        writeIntSetting(settings, kFromUnitKey, unitIndex(system, measures, from));
        writeIntSetting(settings, kToUnitKey, unitIndex(system, measures, to));
    } catch (const ConversionError& e) {
        conversionMessage(model, e.what());
    } catch (const engine::DecimalError&) {
        conversionMessage(model, "The result is too large to show.");
    }
}

void runCurrencyConversion(engine::CalculatorModel& model, const ConverterSettings& settings) {
    auto& feedback = model.feedback();
    const std::string title = "Currency Conversions";
    const auto amount = readoutValue(model);
    if (!amount) return;
    const auto fromText = feedback.askText("Convert from which currency (ISO code)?", title, "");
    if (!fromText) return;
    const auto toText = feedback.askText("Convert to which currency (ISO code)?", title, "");
    if (!toText) return;

    const std::string path = ratesFilePath(settings);
    const LoadedRates loaded = loadRatesFile(path);
    const std::string skipped = skippedSummary(loaded.skipped, path.substr(path.find_last_of('/') + 1));
    if (!skipped.empty()) conversionMessage(model, skipped);
    // A file that could not be read at all has said why already.
    if (loaded.rates.base().empty() && !loaded.skipped.empty() && loaded.skipped.front().line == 0) return;
    try {
        const CurrencyConversion c = convertCurrency(
            loaded.rates, *amount, engine::text::trim(*fromText), engine::text::trim(*toText),
            currencyDecSetting(settings));
        enterConversion(model, c.result, currencyTapeLine(c, model.decimalSymbol()));
        writeIntSetting(settings, kFromCurrencyKey, currencyIndex(loaded.rates, c.from));
        writeIntSetting(settings, kToCurrencyKey, currencyIndex(loaded.rates, c.to));
    } catch (const RatesError& e) {
        conversionMessage(model, e.what());
    } catch (const engine::DecimalError&) {
        conversionMessage(model, "The result is too large to show.");
    }
}

void runBaseConversion(engine::CalculatorModel& model) {
    const auto value = readoutValue(model);
    if (!value) return;
    const auto sizeText =
        model.feedback().askText("Word size in bits (8, 16, 32 or 64)?", "Base Conversions", "");
    if (!sizeText) return;
    const std::string size = engine::text::trim(*sizeText);
    int bits = 0;
    const auto [end, ec] = std::from_chars(size.data(), size.data() + size.size(), bits);
    if (size.empty() || ec != std::errc() || end != size.data() + size.size() || !isWordSize(bits)) {
        conversionMessage(model, "The word size must be 8, 16, 32 or 64 bits.");
        return;
    }
    try {
        const WordValue word = WordValue::fromDecimal(*value, bits, model.decimalSymbol());
        enterConversion(model, word.toDecimal(), word.tapeLine());
    } catch (const BaseError& e) {
        conversionMessage(model, e.what());
    }
}

}  // namespace

int readIntSetting(const ConverterSettings& settings, std::string_view key, int fallback) {
    if (!settings.read) return fallback;
    const std::string text = engine::text::trim(settings.read(std::string(key), std::to_string(fallback)));
    int value = 0;
    const char* first = text.data();
    if (!text.empty() && text[0] == '+') ++first;
    const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return fallback;
    return value;
}

void writeIntSetting(const ConverterSettings& settings, std::string_view key, int value) {
    if (settings.write) settings.write(std::string(key), std::to_string(value));
}

std::string ratesFilePath(const ConverterSettings& settings) {
    std::string path = settings.read ? engine::text::trim(settings.read(std::string(kRatesFileKey), ""))
                                     : std::string();
    if (path.empty()) path = std::string(kRatesFileName);
    // A name without a folder ("currency.rt") is in the data folder.
    const std::string& folder = settings.dataFolder;
    if (path.front() == '/' || folder.empty()) return path;
    return folder + (folder.back() == '/' ? "" : "/") + path;
}

int currencyDecSetting(const ConverterSettings& settings) {
    const int dec = readIntSetting(settings, kCurrencyDecKey, -1);
    return dec < -1 || dec > 6 ? -1 : dec;
}

std::optional<UnitSystem> unitSystemOf(CommandId id) {
    for (int i = 0; i < kUnitSystemCount; ++i)
        if (kUnitCommands[i] == id) return static_cast<UnitSystem>(i);
    return std::nullopt;
}

CommandId commandOf(UnitSystem system) { return kUnitCommands[static_cast<int>(system)]; }

std::optional<Decimal> readoutValue(engine::CalculatorModel& model) {
    try {
        return model.toDecimal(model.readout());
    } catch (const engine::DecimalError&) {
        conversionMessage(model, "The readout does not hold a number to convert.");
        return std::nullopt;
    }
}

void enterConversion(engine::CalculatorModel& model, const Decimal& value, const std::string& tapeLine) {
    model.setReadout(model.toText(value));
    model.normalizeReadout();
    model.postToTape(tapeLine);
    model.setEntryState(engine::EntryState::Number);
    model.markFreshResult();
    // The hint the model shows while no operation is pending.
    if (model.hint() == "Press F1 for Help") model.pressOperator(engine::OpEquals);
    model.notify();
}

void conversionMessage(engine::CalculatorModel& model, const std::string& text) {
    model.feedback().showMessage(text, std::string(engine::kProductName), engine::MessageIcon::Information);
}

void registerConverterCommands(engine::CalculatorModel& model, ConverterSettings settings) {
    auto& catalogue = model.commands();
    for (int i = 0; i < kUnitSystemCount; ++i) {
        const auto system = static_cast<UnitSystem>(i);
        catalogue.add(kUnitCommands[i], [&model, settings, system] {
            runUnitConversion(model, settings, system);
        });
    }
    catalogue.add(CommandId::CurrencyConversions,
                  [&model, settings] { runCurrencyConversion(model, settings); });
    catalogue.add(CommandId::BaseConversions, [&model] { runBaseConversion(model); });
}

}  // namespace zorv::convert
