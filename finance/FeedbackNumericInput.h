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

// The numeric question the financial calculators ask through: the feedback's
// input box until the window routes it to its own question window. The
// calculators are registered once, with this, in batch mode and the window.
class NumericInputRoute : public NumericInput {
public:
    explicit NumericInputRoute(engine::CalculatorModel& model) : fallback_(model) {}

    // Questions go to `input` (nullptr: back to the feedback's input box).
    void routeTo(NumericInput* input) { target_ = input; }

    void Init(const std::string& prompt, const std::string& title, const std::string& defaultText) override {
        current().Init(prompt, title, defaultText);
    }
    std::optional<std::string> run() override { return current().run(); }
    void processPendingEvents() override { current().processPendingEvents(); }

private:
    NumericInput& current() { return target_ ? *target_ : fallback_; }
    FeedbackNumericInput fallback_;
    NumericInput* target_ = nullptr;
};

}  // namespace zorv::finance
