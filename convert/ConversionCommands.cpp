#include "convert/ConversionCommands.h"

#include <array>
#include <string_view>

#include "convert/QuickConversions.h"

namespace zorv::convert {

namespace {

using engine::CommandId;

// The commands choosing sets 0..9.
constexpr std::array<CommandId, QuickConversions::kSetCount> kSetCommands{
    CommandId::StandardCalculator, CommandId::MetricToEnglish,
    CommandId::EnglishToMetric,    CommandId::AreaVolumeMetricToEnglish,
    CommandId::AreaVolumeEnglishToMetric, CommandId::TemperatureConversions,
    CommandId::TimeWeek,           CommandId::TimeDay,
    CommandId::TimeHour,           CommandId::TimeMinutes,
};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

const std::vector<ConversionMenuItem>& conversionsMenu() {
    static const std::vector<ConversionMenuItem> menu{
        {"&Calculator (No Conversions)", kSetCommands[0]},
        {},
        {"&Metric to English Conversions", kSetCommands[1]},
        {"&English to Metric Conversions", kSetCommands[2]},
        {"&Area/Volume Metric to English Conversions", kSetCommands[3]},
        {"Area/&Volume English to Metric Conversions", kSetCommands[4]},
        {"Tem&perature Conversions", kSetCommands[5]},
        {},
        {"Time Conversions - &Week", kSetCommands[6]},
        {"Time Conversions - &Day", kSetCommands[7]},
        {"Time Conversions - &Hour", kSetCommands[8]},
        {"Time Conversions - Mi&nutes", kSetCommands[9]},
        {},
        {"&Imperial English Measures", CommandId::ImperialMeasures},
        {"&Troy English Measures", CommandId::TroyMeasures},
    };
    return menu;
}

void registerConversionCommands(
    engine::CalculatorModel& model, QuickConversions& conversions,
    std::function<void(const std::string& key, const std::string& value)> writeSetting) {
    auto& catalogue = model.commands();
    auto keep = [writeSetting](CommandId id, bool on) {
        if (writeSetting) writeSetting(std::string(engine::commandText(id)), on ? "True" : "False");
    };
    for (int set = 0; set < QuickConversions::kSetCount; ++set)
        catalogue.add(kSetCommands[set], [&conversions, set] { conversions.setMode(set); });

    catalogue.add(
        CommandId::ImperialMeasures,
        [&model, &conversions, keep] {
            conversions.toggleImperialMeasures();
            keep(CommandId::ImperialMeasures, model.modes().imperialMeasures);
        },
        [&model] { return model.modes().imperialMeasures; });
    catalogue.add(
        CommandId::TroyMeasures,
        [&model, &conversions, keep] {
            conversions.toggleTroyMeasures();
            keep(CommandId::TroyMeasures, model.modes().troyMeasures);
        },
        [&model] { return model.modes().troyMeasures; });

    catalogue.addWithArgument(CommandId::ConvertKey, [&model, &conversions](std::string_view argument) {
        const std::string_view digit = trimmed(argument);
        if (digit.size() != 1 || digit[0] < '0' || digit[0] >= '0' + QuickConversions::kKeyCount) {
            model.feedback().beep();
            return;
        }
        // An unavailable key beeps inside the click, as it would for a user.
        conversions.pressKey(digit[0] - '0');
    });
}

}  // namespace zorv::convert
