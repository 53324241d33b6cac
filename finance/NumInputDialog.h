#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "engine/CalculatorModel.h"
#include "finance/NumericInput.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorv::finance {

// frmNumInput: the small modal window that asks a guided calculation for
// one number. Only digits, "-" and the decimal symbol can be typed; OK
// takes the text only when it is a number (normalising it), Cancel ends the
// question.
class NumInputDialog : public QDialog, public NumericInput {
    Q_OBJECT

public:
    explicit NumInputDialog(engine::CalculatorModel& model, QWidget* parent = nullptr);

    void Init(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    std::optional<std::string> run() override;
    void processPendingEvents() override;

    QLineEdit* txtInput() const { return txtInput_; }
    QPushButton* okButton() const { return cmdExit_[0]; }
    QPushButton* cancelButton() const { return cmdExit_[1]; }
    QLabel* promptLabel() const { return lblPrompt_; }

    void exitButtonClicked(int index);
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    engine::CalculatorModel& model_;
    QLabel* lblPrompt_;
    QLineEdit* txtInput_;
    QPushButton* cmdExit_[2];
    std::string input_;  // the answer of the last question
};

}  // namespace zorv::finance
