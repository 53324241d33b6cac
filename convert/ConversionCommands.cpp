#include "convert/ConversionCommands.h"

#include <array>
#include <string_view>

#include "convert/QuickConversions.h"

namespace zorv::convert {

namespace {

// The catalogue names of sets 0..9. The "&" in set 4's name is part of the
// name: stored toolbar bindings carry it.
constexpr std::array<std::string_view, QuickConversions::kSetCount> kSetCommands{
    "Calculator (No Conversions)",
    "Metric to English Conversions",
    "English to Metric Conversions",
    "Area/Volume Metric to English Conversions",
    "Area/&Volume English to Metric Conversions",
    "Temperature Conversions",
    "Time Conversions - Week",
    "Time Conversions - Day",
    "Time Conversions - Hour",
    "Time Conversions - Minutes",
};

constexpr std::string_view kImperial = "Imperial Measures";
constexpr std::string_view kTroy = "Troy Measures";

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

const std::vector<ConversionMenuItem>& conversionsMenu() {
    static const std::vector<ConversionMenuItem> menu{
        {"&Calculator (No Conversions)", std::string(kSetCommands[0])},
        {"", ""},
        {"&Metric to English Conversions", std::string(kSetCommands[1])},
        {"&English to Metric Conversions", std::string(kSetCommands[2])},
        {"&Area/Volume Metric to English Conversions", std::string(kSetCommands[3])},
        {"Area/&Volume English to Metric Conversions", std::string(kSetCommands[4])},
        {"Tem&perature Conversions", std::string(kSetCommands[5])},
        {"", ""},
        {"Time Conversions - &Week", std::string(kSetCommands[6])},
        {"Time Conversions - &Day", std::string(kSetCommands[7])},
        {"Time Conversions - &Hour", std::string(kSetCommands[8])},
        {"Time Conversions - Mi&nutes", std::string(kSetCommands[9])},
        {"", ""},
        {"&Imperial English Measures", std::string(kImperial)},
        {"&Troy English Measures", std::string(kTroy)},
    };
    return menu;
}

void registerConversionCommands(
    engine::CalculatorModel& model, QuickConversions& conversions,
    std::function<void(const std::string& key, const std::string& value)> writeSetting) {
    auto& catalogue = model.commands();
    auto keep = [writeSetting](std::string_view key, bool on) {
        if (writeSetting) writeSetting(std::string(key), on ? "True" : "False");
    };
    for (int set = 0; set < QuickConversions::kSetCount; ++set)
        catalogue.add(std::string(kSetCommands[set]), [&conversions, set] { conversions.setMode(set); });

    catalogue.add(
        std::string(kImperial),
        [&model, &conversions, keep] {
            conversions.mnuImperialMeasures_Click();
            keep(kImperial, model.modes().mnuImperialMeasures);
        },
        [&model] { return model.modes().mnuImperialMeasures; });
    catalogue.add(
        std::string(kTroy),
        [&model, &conversions, keep] {
            conversions.mnuTroyMeassures_Click();
            keep(kTroy, model.modes().mnuTroyMeassures);
        },
        [&model] { return model.modes().mnuTroyMeassures; });

    catalogue.addWithArgument("Convert", [&model, &conversions](std::string_view argument) {
        const std::string_view digit = trimmed(argument);
        if (digit.size() != 1 || digit[0] < '0' || digit[0] >= '0' + QuickConversions::kKeyCount) {
            model.feedback().beep();
            return;
        }
        // An unavailable key beeps inside the click, as it would for a user.
        conversions.comConvert_Click(digit[0] - '0');
    });
}

}  // namespace zorv::convert
