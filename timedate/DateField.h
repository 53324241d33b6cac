#pragma once

#include <QWidget>
#include <QDate>
#include <functional>
#include <optional>

class QLineEdit;
class QToolButton;
class QCalendarWidget;

namespace zorv::timedate {

// A date typed as text (ISO or the locale's short form, read by the caller's
// DateFormat) with a button that opens a calendar pop-up; picking a day
// writes it into the text. The calendar offers only the allowed years.
class DateField : public QWidget {
    Q_OBJECT

public:
    DateField(const QString& accessibleName, QWidget* parent = nullptr);

    QLineEdit* edit() const { return edit_; }
    QToolButton* button() const { return button_; }
    QString text() const;
    void setText(const QString& text);
    void setYearRange(int first, int last) { firstYear_ = first; lastYear_ = last; }

    // Turns typed text into a date for the calendar to start at (nullopt:
    // not a date, the calendar starts today), and a picked date into text.
    std::function<std::optional<QDate>(const QString&)> read;
    std::function<QString(const QDate&)> write;
    void openCalendar();

signals:
    // Whenever the text changes, typed or picked.
    void changed();

private:
    QLineEdit* edit_;
    QToolButton* button_;
    int firstYear_ = 1500;
    int lastYear_ = 2400;
};

}  // namespace zorv::timedate
