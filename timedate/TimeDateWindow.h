#pragma once

#include <QDialog>
#include <vector>

#include "timedate/TimeDateCommands.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;

namespace zorv::timedate {

class DateField;

// The time and date calculator: tabs for the difference between dates and
// working days, a date plus or minus an amount, what a date is (weekday,
// day of the year, ISO week), time arithmetic and conversions, and billing
// with the project timer. Every result is computed as the fields are typed;
// "To Readout and Tape" puts the current tab's result on the tape and its
// value on the readout.
class TimeDateWindow : public QDialog {
    Q_OBJECT

public:
    TimeDateWindow(TimeDateService& service, QWidget* parent = nullptr);

    enum Tab { DatesTab, AddTab, InfoTab, TimesTab, BillingTab };
    enum TimesCalculation { AddTimes, SubtractTimes, SumTimes, ToDecimalHours, ToHms, ClockDifference };

    // Recomputes the current tab's result from the fields.
    void recompute();
    // The result the current tab would send, as last computed.
    const TimeDateOutcome& current() const { return current_; }
    void send();
    // The timer's line and button, refreshed each second while it runs.
    void refreshTimer();

    // For tests and the screenshots.
    QTabWidget* tabs() const { return tabs_; }
    DateField* fromDate() const { return from_; }
    DateField* toDate() const { return to_; }
    QCheckBox* includeEnd() const { return includeEnd_; }
    QRadioButton* sendWorkdays() const { return sendWorkdays_; }
    DateField* startDate() const { return start_; }
    QSpinBox* amount() const { return amount_; }
    QComboBox* unit() const { return unit_; }
    DateField* infoDate() const { return infoDate_; }
    QComboBox* timesCalculation() const { return timesOp_; }
    QLineEdit* time1() const { return time1_; }
    QLineEdit* time2() const { return time2_; }
    QPlainTextEdit* timesheet() const { return sheet_; }
    QLineEdit* value() const { return value_; }
    QLineEdit* clockFrom() const { return clockFrom_; }
    QLineEdit* clockTo() const { return clockTo_; }
    QLineEdit* billTime() const { return billTime_; }
    QPushButton* timerButton() const { return timerButton_; }
    QPushButton* sendButton() const { return send_; }
    QLabel* result(Tab tab) const { return results_[static_cast<std::size_t>(tab)]; }

private:
    QWidget* buildDates();
    QWidget* buildAdd();
    QWidget* buildInfo();
    QWidget* buildTimes();
    QWidget* buildBilling();
    DateField* makeDateField(const QString& name);
    QLabel* makeResult(Tab tab, QWidget* parent);
    TimeDateOutcome run(std::string_view operation, const std::vector<std::string>& answers,
                        bool includeEnd = false, std::string* holidayNote = nullptr) const;
    void display(Tab tab, const TimeDateOutcome& outcome);

    TimeDateService& service_;
    TimeDateOutcome current_;
    QTabWidget* tabs_ = nullptr;
    DateField* from_ = nullptr;
    DateField* to_ = nullptr;
    QCheckBox* includeEnd_ = nullptr;
    QLabel* endWording_ = nullptr;
    QRadioButton* sendDays_ = nullptr;
    QRadioButton* sendWorkdays_ = nullptr;
    DateField* start_ = nullptr;
    QSpinBox* amount_ = nullptr;
    QComboBox* unit_ = nullptr;
    DateField* infoDate_ = nullptr;
    QComboBox* timesOp_ = nullptr;
    QStackedWidget* timesPages_ = nullptr;
    QLineEdit* time1_ = nullptr;
    QLineEdit* time2_ = nullptr;
    QPlainTextEdit* sheet_ = nullptr;
    QLineEdit* value_ = nullptr;
    QLineEdit* clockFrom_ = nullptr;
    QLineEdit* clockTo_ = nullptr;
    QLineEdit* billTime_ = nullptr;
    QLabel* rate_ = nullptr;
    QLabel* timerLine_ = nullptr;
    QPushButton* timerButton_ = nullptr;
    QPushButton* send_ = nullptr;
    std::vector<QLabel*> results_;
};

}  // namespace zorv::timedate
