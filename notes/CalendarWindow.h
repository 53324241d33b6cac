#pragma once

#include <QDialog>
#include <QTimer>

#include "notes/CalendarCommands.h"

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zorv::notes {

// The calendar: a month view limited to "Start Year".."End Year" with the
// days that have a note in bold, and the selected day's note beside it.
// What is typed is saved half a second after the last key, when another day
// is chosen and when the window closes, always with the atomic writer, so a
// note survives the program being killed a moment after it was typed.
class CalendarWindow : public QDialog {
    Q_OBJECT

public:
    CalendarWindow(CalendarService& service, QWidget* parent = nullptr);
    ~CalendarWindow() override;

    // Shows the window on today (the program's clock), within the years.
    void showToday();
    void selectDate(Date date);
    Date selectedDate() const;
    // Saves a pending edit now. Empty when saved (or nothing pending).
    std::string flush();

    // Delay between the last change and the save.
    static constexpr int kSaveDelayMs = 500;

    QCalendarWidget* calendar() const { return calendar_; }
    QPlainTextEdit* editor() const { return editor_; }
    QLineEdit* searchBox() const { return search_; }
    QListWidget* results() const { return results_; }
    QLineEdit* dateBox() const { return dateBox_; }

    void goToTypedDate();
    void runSearch();
    void nextNote();
    void previousNote();

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void applyYears();
    void loadNote();
    void boldMonth(int year, int month);
    void noteEdited();
    void showStatus(const QString& text);

    CalendarService& service_;
    timedate::YearRange years_{1500, 2400};
    QCalendarWidget* calendar_ = nullptr;
    QPlainTextEdit* editor_ = nullptr;
    QLabel* noteLabel_ = nullptr;
    QLineEdit* dateBox_ = nullptr;
    QLineEdit* search_ = nullptr;
    QListWidget* results_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer saveTimer_;
    Date editing_;          // the day the editor shows
    bool loading_ = false;  // the editor is being filled, not typed in
    bool pending_ = false;  // typed but not yet in the book
    bool unsaved_ = false;  // the book differs from the file
};

}  // namespace zorv::notes
