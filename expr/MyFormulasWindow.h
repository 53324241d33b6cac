#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "engine/UserFeedback.h"
#include "expr/FormulaFile.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zorv::expr {

// frmMyFormulas: keeps the stored formulas of one formula file. Add and
// Edit open the name and formula boxes; Save writes the entry (refusing a
// name another line already uses, in any letter case); Delete removes the
// selected line.
class MyFormulasWindow : public QDialog {
    Q_OBJECT

public:
    MyFormulasWindow(engine::UserFeedback& feedback, std::string dataDir, std::string decimalSymbol,
                     QWidget* parent = nullptr);

    // Opens the file <dataDir>/<fileName>, creating it empty when missing.
    void Init(const std::string& fileName);

    void addFormula();
    void editFormula();
    void saveFormula();
    void deleteFormula();
    void closeFormulas();
    void lstFormulas_DblClick();

    QListWidget* lstFormulas() const { return list_; }
    QLineEdit* txtName() const { return name_; }
    QLineEdit* txtFormula() const { return formula_; }
    QPushButton* comAdd() const { return add_; }
    QPushButton* comEdit() const { return edit_; }
    QPushButton* comSave() const { return save_; }
    QPushButton* comDelete() const { return delete_; }
    QPushButton* comExit() const { return exit_; }
    const FormulaFile& file() const { return file_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reload();
    void showBoxes(bool shown);
    void updateButtons();

    engine::UserFeedback& feedback_;
    std::string dataDir_;
    std::string decimalSymbol_;
    FormulaFile file_{std::filesystem::path()};
    bool footMark_ = false;
    enum class Mode { None, Adding, Editing } mode_ = Mode::None;
    std::size_t editedLine_ = 0;

    QListWidget* list_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* formulaLabel_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* formula_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* exit_ = nullptr;
};

}  // namespace zorv::expr
