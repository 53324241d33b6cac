#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "convert/ConverterCommands.h"
#include "convert/NumberBase.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zorv::convert {

// The number-base window: the readout's whole number in decimal,
// hexadecimal, octal and binary at once, in a word of 8 to 64 bits. Any
// field can be edited and the others follow; a fraction or a value outside
// the word is refused with a message and never truncated. OK returns the
// decimal value to the readout and writes one tape line.
class BaseConversionWindow : public QDialog {
    Q_OBJECT

public:
    explicit BaseConversionWindow(engine::CalculatorModel& model, QWidget* parent = nullptr);

    // Fills the fields from the readout; the caller shows the window.
    void open();
    // The value the fields hold, or nothing while one is refused.
    const std::optional<WordValue>& value() const { return value_; }
    QLineEdit* field(Radix radix) const;
    void setWordSize(int bits);

    void accept() override;

private:
    void edited(int index);
    void reread();
    void showValue(const WordValue& value, int except);

    engine::CalculatorModel& model_;
    QComboBox* wordSize_;
    std::array<QLineEdit*, 4> fields_{};
    QLabel* message_;
    QPushButton* ok_;
    std::optional<WordValue> value_;
    int lastEdited_ = 0;
};

}  // namespace zorv::convert
