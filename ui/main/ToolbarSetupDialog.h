#pragma once

#include <QDialog>
#include <array>
#include <cstddef>
#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zorv::engine {
class CalculatorModel;
}
namespace zorv::shell {
class ToolbarButtons;
}

namespace zorv::ui {

// The set-up window `frmToolBarSet` for one toolbar button: pick a group in
// `cmbMenu`, an item in `lstItems` (shown with its code in lblSelected(1)),
// then OK binds the button and stores the binding; Cancel changes nothing.
class ToolbarSetupDialog : public QDialog {
    Q_OBJECT

public:
    ToolbarSetupDialog(int index, shell::ToolbarButtons& buttons, engine::CalculatorModel& model,
                       QWidget* parent = nullptr);

    QComboBox* cmbMenu() const { return groups_; }
    QListWidget* lstItems() const { return items_; }
    QLabel* lblSelected(int i) const { return selected_[static_cast<std::size_t>(i)]; }
    QPushButton* comExit(int i) const { return exit_[static_cast<std::size_t>(i)]; }

    void showGroup();
    void showChosenItem();
    void finish(int index);

private:
    std::optional<std::size_t> chosenPosition() const;

    int index_;
    shell::ToolbarButtons& buttons_;
    engine::CalculatorModel& model_;
    QComboBox* groups_ = nullptr;
    QListWidget* items_ = nullptr;
    std::array<QLabel*, 2> selected_{};
    std::array<QPushButton*, 2> exit_{};
};

}  // namespace zorv::ui
