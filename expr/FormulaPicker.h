#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

class QComboBox;
class QDialog;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QWidget;

namespace zorv::engine {
class UserFeedback;
}

namespace zorv::expr {

class MyFormulasWindow;

// The texts of a formula row, translated by the window that shows it (each
// window keeps its own translation context).
struct FormulaRowTexts {
    QString label;       // "&Formula:"
    QString listName;    // accessible name of the list
    QString insert;      // "&Insert"
    QString insertName;  // accessible name of Insert
    QString insertTip;
    QString manage;      // "My Formulas..."
    QString manageName;  // accessible name of My Formulas
    QString manageTip;
    int minimumLength = 16;  // characters the list is wide enough for
    // On reloading, keep the formula chosen before when it is still there
    // (else the first is chosen).
    bool keepSelection = false;
};

// The formula row the expression builder and the construction calculator
// share: the label, the list of the formula file's names, Insert and My
// Formulas..., with the file it lists and the My Formulas window (made on
// first use; closing it reloads the list). The controls are children of
// `window`, made where the constructor runs so that they take their place in
// the window's keyboard order.
class FormulaPicker {
public:
    FormulaPicker(QDialog& window, engine::UserFeedback& feedback, const FormulaRowTexts& texts);

    QHBoxLayout* row() const { return row_; }
    QComboBox* list() const { return list_; }
    QPushButton* insertButton() const { return insert_; }
    QPushButton* manageButton() const { return manage_; }
    MyFormulasWindow* formulasWindow() const { return formulasWindow_; }

    const std::string& file() const { return file_; }
    void setFile(std::string path) { file_ = std::move(path); }

    // Fills the list from the file. A file that cannot be read is said once
    // for each reason, not at every activation: closing the message
    // activates the window again.
    void load();
    // The text of the chosen formula; nullopt when none is chosen or found.
    std::optional<QString> chosenText() const;
    // Opens the My Formulas window on `fileName` in `dataDir`.
    void openMyFormulas(const std::string& dataDir, const std::string& decimalSymbol, std::string_view fileName);

private:
    QDialog& window_;
    engine::UserFeedback& feedback_;
    bool keepSelection_;
    std::string file_;
    std::string readError_;  // the last reason the file could not be read
    QComboBox* list_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* manage_ = nullptr;
    QHBoxLayout* row_ = nullptr;
    MyFormulasWindow* formulasWindow_ = nullptr;
};

// An X, Y or Z box (index 0..2) named "txtVar<index>", with its "&X ="
// label as its buddy; key presses go through `keyFilter`.
struct VariableBox {
    QLabel* label;
    QLineEdit* box;
};
VariableBox makeVariableBox(QWidget& parent, int index, const QString& accessibleName, const std::string& value,
                            int maxLength, QObject* keyFilter);

// Keeps `window` above other windows while `on`, with its toggle button
// showing it; the window stays shown.
void setStaysOnTop(QDialog& window, QPushButton& toggle, bool on);

}  // namespace zorv::expr
