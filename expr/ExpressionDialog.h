#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "engine/CalculatorModel.h"
#include "expr/ExpressionSession.h"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zorv::expr {

class FormulaPicker;
class MyFormulasWindow;

// frmBrackets, "Expression Builder": the user types an expression, gives
// X, Y and Z their values, picks stored formulas, and OK sends the value to
// the calculator's readout and a line to the tape. Closing only hides it.
class ExpressionDialog : public QDialog {
    Q_OBJECT

public:
    struct Options {
        std::string dataDir;  // the formula file is <dataDir>/evalform.frm
        // The stored "Confirm Expression" setting ("0" / "1").
        std::function<std::string()> readConfirm;
        std::function<void(std::string)> writeConfirm;
        // State of the main window's mnuDontHideEval: keep the window open
        // after a result.
        std::function<bool()> dontHideEval;
        // Whose stay-on-top state the window takes over when it activates.
        QWidget* mainWindow = nullptr;
    };

    // `feedback` shows this window's messages; `session` (shared with the
    // batch commands, so {Var X=4} fills the X box) is made when not given.
    ExpressionDialog(engine::CalculatorModel& model, engine::UserFeedback& feedback, Options options,
                   std::shared_ptr<ExpressionSession> session = {}, QWidget* parent = nullptr);
    ~ExpressionDialog() override;

    // Handlers by their documented names.
    void acceptResult();
    void cancelEvaluation();
    void clearVariables();
    void toggleConfirm();
    void insertFormula();
    void openMyFormulas();
    void toggleStayOnTop();
    // What every activation does: focus and select the expression, reload
    // the formula names, select the first.
    void Form_Activate();
    // LoadFormulaNames for this window's list.
    void LoadFormulaNames();

    // Controls by their documented names, for tests and wiring.
    QLineEdit* Readout() const { return readout_; }
    QLineEdit* txtVar(int index) const { return vars_.at(static_cast<std::size_t>(index)); }
    QCheckBox* chkVerify() const { return verify_; }
    QComboBox* cmbFormula() const;
    QPushButton* cmdOK() const { return ok_; }
    QPushButton* cmdCancel() const { return cancel_; }
    QPushButton* cmdClearVar() const { return clearVars_; }
    QPushButton* comInsert() const;
    QPushButton* comFormulas() const;
    QPushButton* cmdStayTop() const { return stayTop_; }
    MyFormulasWindow* formulasWindow() const;
    const std::string& FormulaFile() const;
    ExpressionSession& session() { return *session_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool expressionKeyPress(QKeyEvent* key);
    bool variableKeyPress(int index, QKeyEvent* key);
    void purgeVariable(int index);
    void setStayOnTop(bool on);

    engine::CalculatorModel& model_;
    engine::UserFeedback& feedback_;
    Options options_;
    std::shared_ptr<ExpressionSession> session_;
    std::unique_ptr<FormulaPicker> picker_;

    QLineEdit* readout_ = nullptr;
    std::array<QLineEdit*, 3> vars_{};
    QCheckBox* verify_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* clearVars_ = nullptr;
    QPushButton* stayTop_ = nullptr;
};

}  // namespace zorv::expr
