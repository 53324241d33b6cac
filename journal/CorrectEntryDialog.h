#pragma once

#include <QDialog>
#include <optional>

#include "journal/CorrectEntry.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zorv::engine {
class CalculatorModel;
}

namespace zorv::journal {

// Shows one entry of the last calculation and lets the user give it a new
// amount, a new operator (+ - X /; the entry with the total keeps its =)
// or void it. Enter applies, Escape cancels; an amount that is not a
// number keeps the dialog open and says so.
class CorrectEntryDialog : public QDialog {
    Q_OBJECT

public:
    CorrectEntryDialog(const engine::CalculatorModel& model, const LastCalculation& chain, int entry,
                       QWidget* parent = nullptr);

    // What to do once accepted; nullopt when nothing was changed.
    std::optional<Correction> correction() const { return correction_; }

    QLineEdit* amountEdit() const { return amount_; }
    QComboBox* operatorBox() const { return operator_; }
    QCheckBox* voidBox() const { return void_; }
    QLabel* problemLabel() const { return problem_; }

    void accept() override;

private:
    const engine::CalculatorModel& model_;
    ChainEntry original_;
    int entry_ = 0;
    QLineEdit* amount_ = nullptr;
    QComboBox* operator_ = nullptr;
    QCheckBox* void_ = nullptr;
    QLabel* problem_ = nullptr;
    std::optional<Correction> correction_;
};

}  // namespace zorv::journal
