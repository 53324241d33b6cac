#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "shell/PropertiesForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QPushButton;
class QSpinBox;

namespace zorv::shell {

// The Properties window `frmTapeSet` ("Set Properties"): tape font, colour
// and size, decimal places, calendar years, start-up options and default
// modes. It shows the pending values of its PropertiesForm and forwards
// every control to it; OK, Save and Cancel close it.
class PropertiesWindow : public QDialog {
    Q_OBJECT

public:
    PropertiesWindow(PropertiesForm& form, std::string programFolder, QWidget* parent = nullptr);

    // Fills the font list and the controls (the form's open()).
    void load();

    PropertiesForm& form() { return form_; }
    // Asks for the program to publish to; the platform's file dialog unless
    // replaced (tests).
    FileChooser chooseFile;

    // Controls by their documented names, for tests.
    QComboBox* cmbFonts() const { return fonts_; }
    QComboBox* cmbSize() const { return size_; }
    QComboBox* cmbColor() const { return colour_; }
    QSpinBox* vsTapeSize() const { return tapeSize_; }
    QSpinBox* vsDecPlaces() const { return decPlaces_; }
    QLabel* lblSize() const { return sizeLabel_; }
    QLabel* lblDecPlace() const { return decLabel_; }
    QLineEdit* txtYear(int i) const { return years_[static_cast<std::size_t>(i)]; }
    QCheckBox* check(const char* name) const;
    QPushButton* button(const char* name) const;

    // Escape and the close box cancel like the Cancel button.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCheckBox* addCheck(const char* name, const QString& caption);
    void showPending();
    void afterAction();
    bool leaveYear(int index);
    bool yearsSettled();

    PropertiesForm& form_;
    std::string programFolder_;
    QComboBox* fonts_ = nullptr;
    QComboBox* size_ = nullptr;
    QComboBox* colour_ = nullptr;
    QSpinBox* tapeSize_ = nullptr;
    QSpinBox* decPlaces_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QLabel* decLabel_ = nullptr;
    std::array<QLineEdit*, 2> years_{};
    QSpinBox* historySize_ = nullptr;
    QLineEdit* taxRate_ = nullptr;
    bool filling_ = false;
    bool checkingYear_ = false;
};

}  // namespace zorv::shell
