#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "engine/CalculatorModel.h"

class QMenu;
class QAction;

namespace zorv::ui {

// One entry of a menu: its caption (with "&" accelerator) and the catalogue
// command it runs. An empty command makes a separator.
struct MenuEntry {
    QString caption;
    std::string command;
    QKeySequence shortcut = {};
};

// The main window `Calculator`: a view of the calculator model. Keys and menu
// items forward to the model's handlers through the command catalogue; the
// readout, labels and tape are repainted from the model.
class CalculatorWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit CalculatorWindow(engine::CalculatorModel& model, QWidget* parent = nullptr);

    engine::CalculatorModel& model() { return model_; }

    // Adds a menu to the menu bar from catalogue entries. Entries whose
    // command is not registered are shown disabled.
    QMenu* addCommandMenu(const QString& title, const std::vector<MenuEntry>& entries);
    // Re-reads enabled and checked states of every menu action.
    void refreshActions();

    // Controls, by their documented names, for tests and wiring.
    QLabel* Readout() const { return readout_; }
    QLabel* lblHint() const { return hint_; }
    QPlainTextEdit* txtTape() const { return tape_; }
    QPushButton* Number(int i) const { return numbers_[static_cast<std::size_t>(i)]; }
    QPushButton* Operator(int i) const { return operators_[static_cast<std::size_t>(i)]; }
    QPushButton* DecimalKey() const { return decimal_; }
    QPushButton* key(const std::string& command) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildKeypad();
    QPushButton* makeKey(const QString& caption, const std::string& command, const QString& toolTip,
                         const QString& objectName);
    void buildMenus();
    void repaint();
    void appendToTape(std::string_view text, bool replaced);
    bool handleKeyPress(QKeyEvent* event);

    engine::CalculatorModel& model_;
    QLabel* readout_ = nullptr;
    QLabel* hint_ = nullptr;
    QLabel* modes_ = nullptr;
    QLabel* memoryCaption_ = nullptr;
    QLabel* memoryValue_ = nullptr;
    QLabel* memoryIndicator_ = nullptr;
    QLabel* rpnDepth_ = nullptr;
    QPlainTextEdit* tape_ = nullptr;
    std::array<QPushButton*, 10> numbers_{};
    std::array<QPushButton*, 5> operators_{};
    QPushButton* decimal_ = nullptr;
    std::map<std::string, QPushButton*> keys_;
    std::vector<std::pair<QAction*, std::string>> actions_;
};

}  // namespace zorv::ui
