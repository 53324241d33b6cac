#include "CalendarWindow.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include "timedate/DateFormat.h"
#include "timedate/InputError.h"

namespace zorv::notes {

namespace {

QDate toQDate(Date d) { return QDate(d.year(), d.month(), d.day()); }
Date fromQDate(const QDate& d) { return Date::fromCivil(d.year(), d.month(), d.day()); }

Date todayOf(const timedate::Clock& clock) {
    const LocalSeconds t = localSeconds(clock());
    return Date::fromDayNumber(t >= 0 ? t / 86400 : -((-t + 86399) / 86400));
}

timedate::DateFormat localeDateFormat() {
    try {
        return timedate::DateFormat(QLocale::system().dateFormat(QLocale::ShortFormat).toStdString());
    } catch (const std::exception&) {
        return timedate::DateFormat();
    }
}

QPushButton* button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setAccessibleName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

CalendarWindow::CalendarWindow(CalendarService& service, QWidget* parent)
    : QDialog(parent, Qt::Window), service_(service) {
    setWindowTitle(tr("Calendar"));
    setObjectName(QStringLiteral("frmCalendar"));

    calendar_ = new QCalendarWidget(this);
    calendar_->setAccessibleName(tr("Month"));
    calendar_->setGridVisible(true);
    // Weekends in the palette's text colour like the other days (the widget
    // would paint them in a fixed red that dark palettes make hard to read).
    calendar_->setWeekdayTextFormat(Qt::Saturday, QTextCharFormat());
    calendar_->setWeekdayTextFormat(Qt::Sunday, QTextCharFormat());
    auto* today = button(tr("&Today"), tr("Today"), this);
    auto* previous = button(tr("&Previous Note"), tr("Previous day with a note"), this);
    auto* next = button(tr("&Next Note"), tr("Next day with a note"), this);
    auto* dateLabel = new QLabel(tr("Go to &date:"), this);
    dateBox_ = new QLineEdit(this);
    dateBox_->setAccessibleName(tr("Date to go to"));
    dateBox_->setPlaceholderText(QString::fromStdString(localeDateFormat().hint()));
    dateLabel->setBuddy(dateBox_);
    auto* go = button(tr("&Go"), tr("Go to the date"), this);

    noteLabel_ = new QLabel(this);
    editor_ = new QPlainTextEdit(this);
    editor_->setAccessibleName(tr("Note for the selected day"));
    editor_->setTabChangesFocus(true);
    noteLabel_->setBuddy(editor_);
    auto* searchLabel = new QLabel(tr("&Search notes:"), this);
    search_ = new QLineEdit(this);
    search_->setAccessibleName(tr("Text to search for in the notes"));
    search_->setClearButtonEnabled(true);
    searchLabel->setBuddy(search_);
    auto* find = button(tr("&Find"), tr("Find in the notes"), this);
    results_ = new QListWidget(this);
    results_->setAccessibleName(tr("Days whose note has the text"));
    status_ = new QLabel(this);
    status_->setAccessibleName(tr("Status"));
    status_->setWordWrap(true);
    auto* close = button(tr("&Close"), tr("Close the calendar"), this);

    auto* left = new QVBoxLayout;
    left->addWidget(calendar_);
    auto* moves = new QHBoxLayout;
    moves->addWidget(today);
    moves->addWidget(previous);
    moves->addWidget(next);
    left->addLayout(moves);
    auto* goRow = new QHBoxLayout;
    goRow->addWidget(dateLabel);
    goRow->addWidget(dateBox_, 1);
    goRow->addWidget(go);
    left->addLayout(goRow);
    left->addWidget(status_);
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(noteLabel_);
    right->addWidget(editor_, 3);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(search_, 1);
    searchRow->addWidget(find);
    right->addLayout(searchRow);
    right->addWidget(results_, 1);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(close);
    right->addLayout(closeRow);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(right, 1);

    setTabOrder(calendar_, today);
    setTabOrder(today, previous);
    setTabOrder(previous, next);
    setTabOrder(next, dateBox_);
    setTabOrder(dateBox_, go);
    setTabOrder(go, editor_);
    setTabOrder(editor_, search_);
    setTabOrder(search_, find);
    setTabOrder(find, results_);
    setTabOrder(results_, close);

    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(kSaveDelayMs);
    connect(&saveTimer_, &QTimer::timeout, this, [this] {
        if (const std::string error = flush(); !error.empty())
            showStatus(tr("The note was not saved: %1").arg(QString::fromStdString(error)));
    });
    connect(editor_, &QPlainTextEdit::textChanged, this, &CalendarWindow::noteEdited);
    connect(calendar_, &QCalendarWidget::selectionChanged, this, [this] {
        flush();
        loadNote();
    });
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, &CalendarWindow::boldMonth);
    connect(today, &QPushButton::clicked, this, &CalendarWindow::showToday);
    connect(previous, &QPushButton::clicked, this, &CalendarWindow::previousNote);
    connect(next, &QPushButton::clicked, this, &CalendarWindow::nextNote);
    connect(go, &QPushButton::clicked, this, &CalendarWindow::goToTypedDate);
    connect(dateBox_, &QLineEdit::returnPressed, this, &CalendarWindow::goToTypedDate);
    connect(find, &QPushButton::clicked, this, &CalendarWindow::runSearch);
    connect(search_, &QLineEdit::returnPressed, this, &CalendarWindow::runSearch);
    connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QDate d = item->data(Qt::UserRole).toDate();
        if (d.isValid()) selectDate(fromQDate(d));
    });
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    // The file is read when the window is first made; what it could not
    // read is said once.
    service_.files.notes();
    if (const std::string report = service_.files.takeNotesReport(); !report.empty())
        showStatus(QString::fromStdString(report));
    applyYears();
    calendar_->setFocus();
    resize(sizeHint().expandedTo(QSize(760, 420)));
}

CalendarWindow::~CalendarWindow() { flush(); }

void CalendarWindow::applyYears() {
    years_ = service_.settings.years().sanitized();
    calendar_->setDateRange(QDate(years_.first, 1, 1), QDate(years_.last, 12, 31));
    boldMonth(calendar_->yearShown(), calendar_->monthShown());
}

void CalendarWindow::showStatus(const QString& text) { status_->setText(text); }

void CalendarWindow::showToday() {
    applyYears();
    selectDate(todayOf(service_.clock));
}

void CalendarWindow::selectDate(Date date) {
    if (!years_.contains(date.year())) {
        showStatus(tr("%1 is outside the calendar's years %2 to %3.")
                       .arg(QString::fromStdString(date.isoText()))
                       .arg(years_.first)
                       .arg(years_.last));
        return;
    }
    const QDate d = toQDate(date);
    if (calendar_->selectedDate() == d) {
        loadNote();
    } else {
        calendar_->setSelectedDate(d);
    }
    calendar_->setCurrentPage(d.year(), d.month());
}

Date CalendarWindow::selectedDate() const { return fromQDate(calendar_->selectedDate()); }

void CalendarWindow::loadNote() {
    editing_ = selectedDate();
    const QString day = QLocale::system().toString(calendar_->selectedDate(), QLocale::LongFormat);
    noteLabel_->setText(tr("N&ote for %1:").arg(day));
    loading_ = true;
    editor_->setPlainText(QString::fromStdString(service_.files.notes().note(editing_)));
    loading_ = false;
    pending_ = false;
}

void CalendarWindow::noteEdited() {
    if (loading_) return;
    pending_ = true;
    saveTimer_.start();
}

std::string CalendarWindow::flush() {
    saveTimer_.stop();
    NotesBook& book = service_.files.notes();
    bool marksChanged = false;
    if (pending_) {
        pending_ = false;
        const bool hadNote = book.hasNote(editing_);
        if (book.setNote(editing_, editor_->toPlainText().toStdString())) unsaved_ = true;
        marksChanged = hadNote != book.hasNote(editing_);
    }
    std::string error;
    // A write that failed is tried again at the next save.
    if (unsaved_) {
        error = service_.files.saveNotes();
        unsaved_ = !error.empty();
        if (error.empty()) showStatus(QString());
    }
    if (marksChanged) boldMonth(calendar_->yearShown(), calendar_->monthShown());
    return error;
}

void CalendarWindow::boldMonth(int year, int month) {
    // One month's days are marked; the marks of other months go.
    calendar_->setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int day : service_.files.notes().daysWithNotes(year, month))
        calendar_->setDateTextFormat(QDate(year, month, day), bold);
}

void CalendarWindow::nextNote() {
    flush();
    if (auto d = service_.files.notes().nextNote(selectedDate()); d && years_.contains(d->year()))
        selectDate(*d);
    else
        showStatus(tr("No later day has a note."));
}

void CalendarWindow::previousNote() {
    flush();
    if (auto d = service_.files.notes().previousNote(selectedDate()); d && years_.contains(d->year()))
        selectDate(*d);
    else
        showStatus(tr("No earlier day has a note."));
}

void CalendarWindow::goToTypedDate() {
    try {
        selectDate(localeDateFormat().parse(dateBox_->text().trimmed().toStdString(), years_));
        editor_->setFocus();
    } catch (const timedate::InputError& e) {
        showStatus(QString::fromStdString(e.what()));
    }
}

void CalendarWindow::runSearch() {
    flush();
    results_->clear();
    const auto hits = service_.files.notes().search(search_->text().toStdString(), 500);
    for (const NoteHit& hit : hits) {
        auto* item = new QListWidgetItem(
            QString::fromStdString(hit.date.isoText() + "  " + hit.snippet), results_);
        item->setData(Qt::UserRole, toQDate(hit.date));
    }
    showStatus(hits.empty() ? tr("No note has that text.") : tr("%n day(s) found.", nullptr, int(hits.size())));
    if (!hits.empty()) {
        results_->setCurrentRow(0);
        results_->setFocus();
    }
}

void CalendarWindow::closeEvent(QCloseEvent* event) {
    if (const std::string error = flush(); !error.empty())
        showStatus(tr("The note was not saved: %1").arg(QString::fromStdString(error)));
    QDialog::closeEvent(event);
}

void CalendarWindow::hideEvent(QHideEvent* event) {
    flush();
    QDialog::hideEvent(event);
}

}  // namespace zorv::notes
