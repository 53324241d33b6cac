#pragma once

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <optional>

class QPlainTextEdit;
class QLabel;

namespace zorv::engine {
class CalculatorModel;
}
namespace zorv::shell {
class SettingsStore;
}

namespace zorv::notes {

// A plain-text pad beside the calculator: new, open, save and save as (the
// atomic writer), find, the editor font and window size kept in the
// settings, the last file reopened, and the number at the cursor (or the
// selected one) to the readout. Unsaved changes are never dropped without
// asking.
class ScratchPadWindow : public QMainWindow {
    Q_OBJECT

public:
    ScratchPadWindow(engine::CalculatorModel& model, shell::SettingsStore& store, QWidget* parent = nullptr);

    QPlainTextEdit* editor() const { return editor_; }
    const std::optional<std::filesystem::path>& file() const { return file_; }

    // Opens "Last File" when it names a readable file.
    void openLastFile();
    bool openFile(const QString& path);
    bool save();
    bool saveAs();
    void newPad();
    void open();
    // Adds text at the end on lines of its own (Tape to Scratch Pad).
    void appendText(const QString& text);
    // Finds `text` after the cursor, wrapping round once; false when absent.
    bool findText(const QString& text);
    void find();
    void findNext();
    // Puts the number at the cursor or in the selection on the readout.
    bool numberToReadout();
    void chooseFont();

    // Asked before unsaved changes would go: QMessageBox::Save, Discard or
    // Cancel. Replaceable in tests, as is the file chooser (empty: cancelled).
    std::function<int()> askDiscard;
    std::function<QString(bool saving)> askPath;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool maybeDiscard();
    bool writeTo(const std::filesystem::path& path);
    void applyFont(const QFont& font);
    void updateTitle();

    engine::CalculatorModel& model_;
    shell::SettingsStore& store_;
    QPlainTextEdit* editor_ = nullptr;
    QLabel* status_ = nullptr;
    std::optional<std::filesystem::path> file_;
    QString lastFind_;
};

}  // namespace zorv::notes
