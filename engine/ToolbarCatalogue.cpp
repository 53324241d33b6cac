#include "ToolbarCatalogue.h"

#include "CalculatorModel.h"

namespace zorv::engine {

const std::vector<ToolbarGroup>& toolbarGroups() {
    static const std::vector<ToolbarGroup> groups{
        {"Financial",
         {"Interest Calculator", "Interest Rate per Period", "Interest for X days",
          "Internal Rate of Return", "Modified Internal Rate of Return",
          "Number of Payments to Pay Off Loan", "Net Present Value of Investment",
          "Annuity Payments", "Annuity Principle Payment", "Present Value of Annuity",
          "Future Value of Annuity", "Straight Line Depreciation",
          "Sum-of-Years' Digits Depreciation", "Double-Declining Balance Depreciation"}},
        {"Mode",
         {"Calculator (No Conversions)", "Financial Calculator", "Auto-Decimal Mode",
          "Adding Machine Mode", "RPN Mode", "Show Percentages", "% for Number", "Magic Number",
          "Repeat Subtraction", "Metric to English Conversions", "English to Metric Conversions",
          "Area/Volume Metric to English Conversions",
          // The "&" is part of the stored name, kept for bindings saved with it.
          "Area/&Volume English to Metric Conversions", "Temperature Conversions",
          "Time Conversions - Week", "Time Conversions - Day", "Time Conversions - Hour",
          "Time Conversions - Minutes", "Intra-System Metric", "Intra-System English Weight",
          "Intra-System English Square", "Intra-System English Cubic",
          "Intra-System English Length", "Intra-System English Capacity",
          "Intra-System Computer", "Imperial Measures", "Troy Measures"}},
        {"Other",
         {"Expression Evaluator", "Time/Date Calculations", "Currency Conversions",
          "Base Conversions", "Insert into Previous Program", "Program Properties",
          "Show Calendar", "Hide/Show Number Keys", "Hide/Show Tape", "Hide/Show Toolbar",
          "View RPN Stack", "Construction Calculator (ft/in)", "Set Alarms",
          "Alarms Enabled/Disabled", "Exit Button Minimizes", "Scratch Pad", "Change Sign",
          "Billing Rate", "Start/Stop Project Timer"}},
        {"Scientific",
         {"Sine", "Cosine", "Tangent", "Arctangent", "Natural Logarithm",
          "Exp (Base of Natural Log)", "Secant", "Cosecant", "Cotangent", "Logarithm to Base N",
          "Inverse Sine", "Inverse Cosine", "Inverse Secant", "Inverse Cosecant",
          "Inverse Cotangent", "Hyperbolic Sine", "Hyperbolic Cosine", "Hyperbolic Tangent",
          "Hyperbolic Secant", "Hyperbolic Cosecant", "Hyperbolic Cotangent",
          "Inverse Hyperbolic Sine", "Inverse Hyperbolic Cosine", "Inverse Hyperbolic Tangent",
          "Inverse Hyperbolic Secant", "Inverse Hyperbolic Cosecant",
          "Inverse Hyperbolic Cotangent", "Reciprocal", "Degrees", "Radiants", "Pi",
          "e constant", "Golden Cut", "Convert to Fractions"}},
        {"Tape",
         {"Annotate Tape", "Print Tape", "Find On Tape", "Clear Tape", "Publish Tape",
          "Save Tape to File", "Load Saved Tape", "Tape to Scratch Pad"}},
    };
    return groups;
}

std::optional<ToolbarItem> findToolbarItem(std::string_view text) {
    const auto& groups = toolbarGroups();
    for (std::size_t g = 0; g < groups.size(); ++g)
        for (std::size_t i = 0; i < groups[g].items.size(); ++i)
            if (groups[g].items[i] == text) return ToolbarItem{g, i + 1, groups[g].items[i]};
    return std::nullopt;
}

std::string toolbarCode(std::size_t group, std::size_t position) {
    return std::string(toolbarGroups().at(group).name.substr(0, 3)) + std::to_string(position);
}

std::string unboundCaption(int buttonNumber) { return std::to_string(buttonNumber) + "R.Clk"; }

std::string notAvailableText(std::string_view itemText) {
    return "\"" + std::string(itemText) + "\" is not available in this version of " +
           std::string(kProductName) + ".";
}

void offerToolbarCatalogue(CalculatorModel& model) {
    UserFeedback& feedback = model.feedback();
    model.commands().setFallback([&feedback](std::string_view text) {
        if (!findToolbarItem(text)) return false;
        feedback.showMessage(notAvailableText(text), std::string(kProductName),
                             MessageIcon::Information);
        return true;
    });
}

}  // namespace zorv::engine
