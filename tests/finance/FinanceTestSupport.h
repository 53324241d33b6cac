#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "finance/FeedbackNumericInput.h"
#include "finance/FinanceCommands.h"

namespace zorv::finance::test {

// A calculator with the financial commands, answering from a script the
// way batch mode does.
struct Calculator {
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model;
    FeedbackNumericInput input{model};

    explicit Calculator(engine::NumberSymbols symbols = {}) : model(feedback, std::move(symbols)) {
        registerFinanceCommands(model, input);
    }

    void run(const std::string& command, std::initializer_list<std::string> answers) {
        run(command, std::vector<std::string>(answers));
    }
    void run(const std::string& command, const std::vector<std::string>& answers) {
        for (const auto& a : answers) feedback.answer(a);
        model.runCommand(command);
    }
    const std::string& tape() const { return model.tape().text(); }
};

// Lines joined as the tape holds them, each ending CR LF.
inline std::string lines(std::initializer_list<std::string> parts) {
    std::string out;
    for (const auto& p : parts) out += p + "\r\n";
    return out;
}

// What follows a completed report when no operation was pending: the
// result taken as a total, then the closing line of 40 asterisks and an
// empty line.
inline std::string closing(const std::string& total) {
    return lines({total + "=", std::string(18, '-'), total, std::string(18, '*'), std::string(40, '*'), ""});
}

}  // namespace zorv::finance::test
