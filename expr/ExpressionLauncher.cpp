#include "expr/ExpressionLauncher.h"

#include <QWidget>

namespace zorv::expr {

using engine::CommandId;

ExpressionLauncher::ExpressionLauncher(engine::CalculatorModel& model, engine::UserFeedback& feedback,
                                       ExpressionDialog::Options options,
                                       std::shared_ptr<ExpressionSession> session, QObject* parent)
    : QObject(parent),
      model_(model),
      feedback_(feedback),
      options_(std::move(options)),
      session_(std::move(session)) {
    // Before the window exists the stored choice still applies to {Eval}.
    if (options_.readConfirm) session_->evaluator().setConfirm(confirmSettingValue(options_.readConfirm()));
}

ExpressionDialog& ExpressionLauncher::window() {
    if (!window_) window_ = new ExpressionDialog(model_, feedback_, options_, session_, options_.mainWindow);
    return *window_;
}

void ExpressionLauncher::open() {
    ExpressionDialog& w = window();
    w.show();
    w.raise();
    w.activateWindow();
}

ExpressionLauncher* installExpressionEvaluator(engine::CalculatorModel& model, QWidget* mainWindow,
                                               engine::UserFeedback& feedback, ExpressionDialog::Options options,
                                               std::shared_ptr<ExpressionSession> session) {
    if (!options.mainWindow) options.mainWindow = mainWindow;
    auto* host = new ExpressionLauncher(model, feedback, std::move(options), std::move(session), mainWindow);
    QPointer<ExpressionLauncher> guard(host);
    model.commands().add(CommandId::ExpressionEvaluator, [guard] {
        if (guard) guard->open();
    });
    return host;
}

}  // namespace zorv::expr
