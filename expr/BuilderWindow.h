#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "engine/CalculatorModel.h"
#include "expr/BuilderSession.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zorv::expr {

class FormulaPicker;
class MyFormulasWindow;

// frmBuilder, the construction calculator: a feet-inch expression with a
// keypad for the marks and common fractions, X, Y and Z lengths, the stored
// construction formulas, and the options that choose which result lines
// are shown. "=" shows the result in every form, writes the tape line and
// (when chosen) sends the value to the readout; the window stays open.
// Closing only hides it.
class BuilderWindow : public QDialog {
    Q_OBJECT

public:
    struct Options {
        std::string dataDir;  // the formula file is <dataDir>/consform.frm
        // Whose stay-on-top state the window takes over when it activates.
        QWidget* mainWindow = nullptr;
    };

    BuilderWindow(engine::CalculatorModel& model, engine::UserFeedback& feedback, Options options,
                  std::shared_ptr<BuilderSession> session, QWidget* parent = nullptr);
    ~BuilderWindow() override;

    void evaluate();
    void closeWindow() { hide(); }
    void clearVariables();
    void insertFormula();
    void openMyFormulas();
    void LoadFormulaNames();
    // Inserts a keypad key's text at the caret of the expression box; a
    // fraction right after digits is joined with "-" (6 then 3/8 is 6-3/8").
    void keypad(const QString& text);
    void fraction(const QString& fraction);

    QLineEdit* expression() const { return expression_; }
    QLineEdit* txtVar(int index) const { return vars_.at(static_cast<std::size_t>(index)); }
    QLabel* resultLine() const { return result_; }
    QLabel* otherLines() const { return others_; }
    QComboBox* cmbFormula() const;
    QComboBox* cmbDenominator() const { return denominator_; }
    QRadioButton* optInches() const { return inches_; }
    QRadioButton* optFeet() const { return feet_; }
    QCheckBox* chkFtIn() const { return ftIn_; }
    QCheckBox* chkConvert() const { return convert_; }
    QCheckBox* chkArea() const { return area_; }
    QCheckBox* chkVolume() const { return volume_; }
    QCheckBox* chkToReadout() const { return toReadout_; }
    QCheckBox* chkConfirm() const { return confirm_; }
    QPushButton* cmdEquals() const { return equals_; }
    QPushButton* cmdClose() const { return close_; }
    MyFormulasWindow* formulasWindow() const;
    const std::string& FormulaFile() const;
    BuilderSession& session() { return *session_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void loadOptions();
    void optionChanged();
    void showValue();
    void storeVariables();
    bool boxKeyPress(QLineEdit* box, QKeyEvent* key);
    void setStayOnTop(bool on);

    engine::CalculatorModel& model_;
    engine::UserFeedback& feedback_;
    Options options_;
    std::shared_ptr<BuilderSession> session_;
    std::unique_ptr<FormulaPicker> picker_;
    std::optional<Dimensioned> last_;  // the last result, redrawn when an option changes
    bool loading_ = false;

    QLineEdit* expression_ = nullptr;
    std::array<QLineEdit*, 3> vars_{};
    QLabel* result_ = nullptr;
    QLabel* others_ = nullptr;
    QComboBox* denominator_ = nullptr;
    QRadioButton* inches_ = nullptr;
    QRadioButton* feet_ = nullptr;
    QCheckBox* ftIn_ = nullptr;
    QCheckBox* convert_ = nullptr;
    QCheckBox* area_ = nullptr;
    QCheckBox* volume_ = nullptr;
    QCheckBox* toReadout_ = nullptr;
    QCheckBox* confirm_ = nullptr;
    QPushButton* equals_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* stayTop_ = nullptr;
};

// Opens the construction calculator for the main window. The window is
// built on first use and then only hidden.
class BuilderWindowHost : public QObject {
public:
    BuilderWindowHost(engine::CalculatorModel& model, engine::UserFeedback& feedback,
                      BuilderWindow::Options options, std::shared_ptr<BuilderSession> session,
                      QObject* parent = nullptr);
    void open();
    BuilderWindow& window();

private:
    engine::CalculatorModel& model_;
    engine::UserFeedback& feedback_;
    BuilderWindow::Options options_;
    std::shared_ptr<BuilderSession> session_;
    QPointer<BuilderWindow> window_;
};

// Replaces {Construction Calculator (ft/in)} with the command that opens
// the window. The returned object is a child of `mainWindow`.
BuilderWindowHost* installBuilderWindow(engine::CalculatorModel& model, QWidget* mainWindow,
                                        engine::UserFeedback& feedback, BuilderWindow::Options options,
                                        std::shared_ptr<BuilderSession> session);

}  // namespace zorv::expr
