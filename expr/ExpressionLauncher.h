#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "expr/ExpressionDialog.h"
#include "expr/ExpressionSession.h"

namespace zorv::expr {

// Opens the evaluator window on demand for the main window: the catalogue
// command "Expression Evaluator" (menu mnuExprEval, the tray menu, the
// toolbar and the "(" key) shows it. The window is built the first time it
// is needed and then only hidden, so what it holds stays for the next use.
class ExpressionLauncher : public QObject {
public:
    ExpressionLauncher(engine::CalculatorModel& model, engine::UserFeedback& feedback,
                       ExpressionDialog::Options options, std::shared_ptr<ExpressionSession> session,
                       QObject* parent = nullptr);

    // open: shows and activates the window.
    void open();
    // The window, built on first use.
    ExpressionDialog& window();
    std::shared_ptr<ExpressionSession> session() const { return session_; }

private:
    engine::CalculatorModel& model_;
    engine::UserFeedback& feedback_;
    ExpressionDialog::Options options_;
    std::shared_ptr<ExpressionSession> session_;
    QPointer<ExpressionDialog> window_;
};

// Registers "Expression Evaluator" in the model's catalogue. The window
// works on `session`, the one "Eval TEXT" / "Var X=VALUE" already use
// (registerExpressionCommands), so its variable boxes show what {Var} sets.
// The returned object is a child of `mainWindow`.
ExpressionLauncher* installExpressionEvaluator(engine::CalculatorModel& model, QWidget* mainWindow,
                                               engine::UserFeedback& feedback, ExpressionDialog::Options options,
                                               std::shared_ptr<ExpressionSession> session);

}  // namespace zorv::expr
