#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "journal/TapeHistory.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace zorv::engine {
class CalculatorModel;
}

namespace zorv::journal {

// Past tapes: a list (date, first and last line, lines), a search across
// all of them, and the selected tape shown read-only, to copy from, restore
// as the current tape, export or delete.
class TapeHistoryWindow : public QDialog {
    Q_OBJECT

public:
    TapeHistoryWindow(engine::CalculatorModel& model, std::string historyFolder, QWidget* parent = nullptr);

    void reload();
    QTreeWidget* list() const { return list_; }
    QPlainTextEdit* viewer() const { return viewer_; }
    QLineEdit* search() const { return search_; }

    void copySelection();
    void restoreSelected();
    void exportSelected();
    void deleteSelected();

private:
    std::string selectedPath() const;
    void showSelected();

    engine::CalculatorModel& model_;
    std::string folder_;
    QLineEdit* search_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPlainTextEdit* viewer_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* restore_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* delete_ = nullptr;
};

}  // namespace zorv::journal
