#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "expr/BracketsWindow.h"
#include "expr/ExpressionSession.h"

namespace zorv::expr {

// Opens the evaluator window on demand for the main window: the catalogue
// command "Expression Evaluator" (menu mnuExprEval, the tray menu, the
// toolbar and the "(" key) shows it. The window is built the first time it
// is needed and then only hidden, so what it holds stays for the next use.
class ExpressionWindow : public QObject {
    Q_OBJECT

public:
    ExpressionWindow(engine::CalculatorModel& model, engine::UserFeedback& feedback,
                     BracketsWindow::Options options, QObject* parent = nullptr);

    // open: shows and activates the window.
    void open();
    // The window, built on first use.
    BracketsWindow& window();
    std::shared_ptr<ExpressionSession> session() const { return session_; }

private:
    engine::CalculatorModel& model_;
    engine::UserFeedback& feedback_;
    BracketsWindow::Options options_;
    std::shared_ptr<ExpressionSession> session_;
    QPointer<BracketsWindow> window_;
};

// Registers "Expression Evaluator", and "Eval TEXT" / "Var X=VALUE" working
// on the window's own variables, in the model's catalogue. The returned
// object is a child of `mainWindow`.
ExpressionWindow* installExpressionWindow(engine::CalculatorModel& model, QWidget* mainWindow,
                                          engine::UserFeedback& feedback, BracketsWindow::Options options);

}  // namespace zorv::expr
