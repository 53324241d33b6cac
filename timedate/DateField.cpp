#include "DateField.h"

#include <QCalendarWidget>
#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

namespace zorv::timedate {

DateField::DateField(const QString& accessibleName, QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    edit_ = new QLineEdit(this);
    edit_->setAccessibleName(accessibleName);
    edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + 24);
    edit_->setToolTip(tr("Type the date as YYYY-MM-DD or in your usual short form; Alt+Down opens the calendar"));
    button_ = new QToolButton(this);
    button_->setArrowType(Qt::DownArrow);
    button_->setAccessibleName(accessibleName + tr(": calendar"));
    button_->setToolTip(tr("Pick from a calendar (Alt+Down)"));
    button_->setFocusPolicy(Qt::NoFocus);  // the text field is the stop; Alt+Down opens the calendar
    row->addWidget(edit_, 1);
    row->addWidget(button_);
    setFocusProxy(edit_);
    connect(button_, &QToolButton::clicked, this, [this] { openCalendar(); });
    connect(edit_, &QLineEdit::textChanged, this, &DateField::changed);
    // Alt+Down or F4 in the text opens the calendar, as in a drop-down list.
    struct Keys : QObject {
        DateField* field;
        explicit Keys(DateField* f) : QObject(f), field(f) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() != QEvent::KeyPress) return false;
            auto* k = static_cast<QKeyEvent*>(e);
            if ((k->key() == Qt::Key_Down && (k->modifiers() & Qt::AltModifier)) || k->key() == Qt::Key_F4) {
                field->openCalendar();
                return true;
            }
            return false;
        }
    };
    edit_->installEventFilter(new Keys(this));
}

QString DateField::text() const { return edit_->text(); }
void DateField::setText(const QString& text) { edit_->setText(text); }

void DateField::openCalendar() {
    auto* popup = new QFrame(this, Qt::Popup);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(popup);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* calendar = new QCalendarWidget(popup);
    calendar->setAccessibleName(edit_->accessibleName() + tr(": calendar"));
    calendar->setGridVisible(true);
    calendar->setDateRange(QDate(firstYear_, 1, 1), QDate(lastYear_, 12, 31));
    std::optional<QDate> current = read ? read(edit_->text()) : std::nullopt;
    if (current && current->isValid()) calendar->setSelectedDate(*current);
    layout->addWidget(calendar);
    auto pick = [this, popup](const QDate& d) {
        edit_->setText(write ? write(d) : d.toString(Qt::ISODate));
        popup->close();
        edit_->setFocus();
    };
    connect(calendar, &QCalendarWidget::activated, popup, pick);
    connect(calendar, &QCalendarWidget::clicked, popup, pick);
    popup->adjustSize();
    popup->move(mapToGlobal(QPoint(0, height())));
    popup->show();
    calendar->setFocus();
}

}  // namespace zorv::timedate
