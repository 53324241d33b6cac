#include "expr/ExpressionWindow.h"

#include <QWidget>

namespace zorv::expr {

using engine::CommandId;

ExpressionWindow::ExpressionWindow(engine::CalculatorModel& model, engine::UserFeedback& feedback,
                                   BracketsWindow::Options options, QObject* parent)
    : QObject(parent),
      model_(model),
      feedback_(feedback),
      options_(std::move(options)),
      session_(std::make_shared<ExpressionSession>(model, feedback)) {
    // Before the window exists the stored choice still applies to {Eval}.
    if (options_.readConfirm) session_->evaluator().setConfirm(confirmSettingValue(options_.readConfirm()));
}

BracketsWindow& ExpressionWindow::window() {
    if (!window_) window_ = new BracketsWindow(model_, feedback_, options_, session_, options_.mainWindow);
    return *window_;
}

void ExpressionWindow::open() {
    BracketsWindow& w = window();
    w.show();
    w.raise();
    w.activateWindow();
}

ExpressionWindow* installExpressionWindow(engine::CalculatorModel& model, QWidget* mainWindow,
                                          engine::UserFeedback& feedback, BracketsWindow::Options options) {
    if (!options.mainWindow) options.mainWindow = mainWindow;
    auto* host = new ExpressionWindow(model, feedback, std::move(options), mainWindow);
    QPointer<ExpressionWindow> guard(host);
    model.commands().add(CommandId::ExpressionEvaluator, [guard] {
        if (guard) guard->open();
    });
    registerExpressionCommands(model, host->session());
    return host;
}

}  // namespace zorv::expr
