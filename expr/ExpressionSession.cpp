#include "expr/ExpressionSession.h"

#include "engine/CalculatorModel.h"
#include "engine/TextUtil.h"

#include <stdexcept>

namespace zorv::expr {

ExpressionSession::ExpressionSession(engine::CalculatorModel& model)
    : ExpressionSession(model, model.feedback()) {}

ExpressionSession::ExpressionSession(engine::CalculatorModel& model, engine::UserFeedback& feedback)
    : model_(model), evaluator_(feedback, model.symbols()) {}

bool ExpressionSession::evaluateToCalculator(std::string_view text) {
    const std::string result = evaluator_.evaluate(text);
    if (result.empty()) return false;
    model_.setEntryState(engine::EntryState::Number);
    model_.setReadout(result);
    model_.normalizeReadout();
    model_.markFreshResult();
    model_.postToTape(evaluator_.InterpretedText + " = " + model_.readout());
    return true;
}

void ExpressionSession::setVariable(int index, std::string_view text) {
    if (index < 0 || index > 2) return;
    evaluator_.setVariable(index, model_.purgeNumericInput(text));
    if (onVariableChanged) onVariableChanged(index);
}

bool ExpressionSession::setVariableCommand(std::string_view argument) {
    const std::string arg = engine::text::trim(argument);
    const auto eq = arg.find('=');
    if (eq == std::string::npos) return false;
    const std::string letter = engine::text::trim(std::string_view(arg).substr(0, eq));
    if (letter.size() != 1) return false;
    int index = -1;
    switch (letter[0]) {
    case 'X': case 'x': index = 0; break;
    case 'Y': case 'y': index = 1; break;
    case 'Z': case 'z': index = 2; break;
    default: return false;
    }
    setVariable(index, engine::text::trim(std::string_view(arg).substr(eq + 1)));
    return true;
}

bool confirmSettingValue(std::string_view stored) {
    const std::string text = engine::text::trim(stored);
    std::string lower;
    for (char c : text) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower == "true") return true;
    if (lower == "false" || text.empty()) return false;
    try {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        return used == text.size() && value != 0;
    } catch (const std::exception&) {
        return false;
    }
}

void registerExpressionCommands(engine::CalculatorModel& model,
                                std::shared_ptr<ExpressionSession> session) {
    model.commands().addWithArgument(engine::CommandId::Evaluate, [session](std::string_view text) {
        session->evaluateToCalculator(text);
    });
    model.commands().addWithArgument(engine::CommandId::SetVariable, [session](std::string_view argument) {
        if (!session->setVariableCommand(argument)) session->model().feedback().beep();
    });
}

std::shared_ptr<ExpressionSession> registerExpressionCommands(engine::CalculatorModel& model,
                                                              bool confirm) {
    auto session = std::make_shared<ExpressionSession>(model);
    session->evaluator().setConfirm(confirm);
    registerExpressionCommands(model, session);
    return session;
}

}  // namespace zorv::expr
