#pragma once

#include <QDialog>

#include "notes/CalendarCommands.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace zorv::notes {

// One alarm's date and time, repeat, message and action.
class AlarmEditDialog : public QDialog {
    Q_OBJECT

public:
    AlarmEditDialog(const Alarm& alarm, const timedate::YearRange& years, QWidget* parent = nullptr);
    // The alarm as filled in; checked on OK.
    Alarm alarm() const;
    // Why the alarm cannot be kept as filled in, empty when it can.
    QString problem() const;

    QDateTimeEdit* whenBox() const { return when_; }
    QComboBox* repeatBox() const { return repeat_; }
    QPlainTextEdit* messageBox() const { return message_; }
    QComboBox* actionBox() const { return action_; }
    QLineEdit* targetBox() const { return target_; }
    QPlainTextEdit* argumentsBox() const { return arguments_; }

    void accept() override;

private:
    void actionChanged();
    void browse();

    QDateTimeEdit* when_ = nullptr;
    QComboBox* repeat_ = nullptr;
    QPlainTextEdit* message_ = nullptr;
    QComboBox* action_ = nullptr;
    QLabel* targetLabel_ = nullptr;
    QLineEdit* target_ = nullptr;
    QPushButton* browse_ = nullptr;
    QLabel* argumentsLabel_ = nullptr;
    QPlainTextEdit* arguments_ = nullptr;
    QCheckBox* enabled_ = nullptr;
};

// The list of alarms: add, edit, delete, and "Alarms On". Every change is
// written to the alarm file at once and the alarm timer told.
class AlarmsWindow : public QDialog {
    Q_OBJECT

public:
    AlarmsWindow(CalendarService& service, QWidget* parent = nullptr);

    void refresh();
    QTreeWidget* list() const { return list_; }

    // For tests: the edit dialog is made by this, so a test can fill it in.
    std::function<bool(AlarmEditDialog&)> runEditor = [](AlarmEditDialog& d) { return d.exec() == QDialog::Accepted; };

    void addAlarm();
    void editAlarm();
    void deleteAlarm();

private:
    void save();
    int currentIndex() const;

    CalendarService& service_;
    QTreeWidget* list_ = nullptr;
    QCheckBox* on_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* delete_ = nullptr;
};

}  // namespace zorv::notes
