#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QPrinter;

namespace zorv::engine {
class CalculatorModel;
class RpnStack;
class TapeCommands;
}  // namespace zorv::engine

namespace zorv::ui {

class CalculatorWindow;
class HelpWindow;
class RpnStackWindow;

// The main window's share of the tape commands and the windows that go with
// the calculator functions: file dialogs for saving and loading the tape,
// printing, opening a published tape, editing the tape in place, hiding the
// tape and the number keys, showing search matches, the RPN stack window,
// the help window (F1) and the About box.
class MainWindowCommands : public QObject {
    Q_OBJECT

public:
    // `tape` and `rpn` may be null; their commands are then not offered.
    MainWindowCommands(CalculatorWindow& window, engine::CalculatorModel& model,
                       engine::TapeCommands* tape, engine::RpnStack* rpn,
                       QObject* parent = nullptr);
    ~MainWindowCommands() override;

    void copyReadout();
    void printTape();
    void toggleTapeEditing();
    void hideOrShowTape();
    void hideOrShowNumberKeys();
    void viewRpnStack();
    void showHelp(const QString& anchor = {});
    void showAbout();

    // Puts edits made while the tape is unlocked back into the tape.
    void commitTapeEdits();
    // Opens a published tape: with the program when one is given, else with
    // the desktop's choice for its type. The reason when that failed.
    static std::optional<std::string> openWith(const std::string& file, const std::string& program);

    HelpWindow* helpWindow() const;
    RpnStackWindow* rpnStackWindow() const;

    // Replaceable for tests: the printer dialog (false when cancelled).
    std::function<bool(QPrinter&)> choosePrinter;

private:
    void showMatch(std::size_t offset, std::size_t length);

    CalculatorWindow& window_;
    engine::CalculatorModel& model_;
    engine::TapeCommands* tape_;
    engine::RpnStack* rpn_;
    QPointer<HelpWindow> help_;
    QPointer<RpnStackWindow> stackWindow_;
    QString lastFolder_;
};

}  // namespace zorv::ui
