#pragma once

#include <QDialog>
#include <optional>

#include "convert/ConverterCommands.h"
#include "convert/UnitCatalogue.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zorv::convert {

// The intra-system unit conversion window: a value (the readout when the
// window opens), a from unit and a to unit of one system, the result live.
// Only units measuring the same quantity can be chosen together. OK puts
// the result on the readout as a whole entry and writes one tape line.
class UnitConversionWindow : public QDialog {
    Q_OBJECT

public:
    UnitConversionWindow(engine::CalculatorModel& model, ConverterSettings settings,
                         QWidget* parent = nullptr);

    // Fills the window for a system with the readout and the remembered
    // units; the caller shows it.
    void open(UnitSystem system);
    UnitSystem system() const { return system_; }

    // The conversion as the fields stand, or the reason there is none.
    struct Outcome {
        std::optional<engine::Decimal> value;
        std::optional<engine::Decimal> result;
        std::string message;
    };
    Outcome current() const;

    void accept() override;

private:
    Measures measures() const;
    const Unit* unitAt(int row) const;
    void fillLists(int fromRow, int toRow);
    void fromChanged();
    void refresh();
    void measuresToggled(engine::CommandId id);

    engine::CalculatorModel& model_;
    ConverterSettings settings_;
    UnitSystem system_ = UnitSystem::Metric;
    QLineEdit* value_;
    QListWidget* from_;
    QListWidget* to_;
    QCheckBox* troy_;
    QCheckBox* imperial_;
    QLineEdit* result_;
    QLabel* message_;
    QPushButton* ok_;
};

}  // namespace zorv::convert
