#pragma once

#include <string>

#include "engine/CalculatorModel.h"
#include "finance/NumericInput.h"

namespace zorv::finance {

// The numeric question asked through the model's UserFeedback input box
// (batch mode answers it from its script, tests from a ScriptedFeedback).
// The answer is treated as if typed into the window: the same key filter
// and length limit, and the same OK rule, so "Invalid value!" is shown and
// the question asked again when the text is not a number.
class FeedbackNumericInput : public NumericInput {
public:
    explicit FeedbackNumericInput(engine::CalculatorModel& model) : model_(model) {}

    void Init(const std::string& prompt, const std::string& title,
              const std::string& defaultText) override;
    std::optional<std::string> run() override;

private:
    engine::CalculatorModel& model_;
    std::string prompt_;
    std::string title_;
    std::string default_;
};

}  // namespace zorv::finance
