#include "TimeDateWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "timedate/Billing.h"
#include "timedate/DateField.h"
#include "timedate/InputError.h"

namespace zorv::timedate {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
std::string ss(const QString& s) { return s.toStdString(); }

QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

QLineEdit* makeEdit(const QString& accessibleName, const QString& placeholder, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setAccessibleName(accessibleName);
    e->setPlaceholderText(placeholder);
    return e;
}

}  // namespace

TimeDateWindow::TimeDateWindow(TimeDateService& service, QWidget* parent) : QDialog(parent), service_(service) {
    setWindowTitle(tr("Time/Date Calculations"));
    setAccessibleName(windowTitle());
    results_.resize(5, nullptr);

    tabs_ = new QTabWidget(this);
    tabs_->setAccessibleName(tr("Calculations"));
    tabs_->addTab(buildDates(), tr("&Dates"));
    tabs_->addTab(buildAdd(), tr("&Add/Subtract"));
    tabs_->addTab(buildInfo(), tr("Date I&nfo"));
    tabs_->addTab(buildTimes(), tr("&Times"));
    tabs_->addTab(buildBilling(), tr("&Billing"));

    auto* buttons = new QDialogButtonBox(this);
    send_ = buttons->addButton(tr("To &Readout and Tape"), QDialogButtonBox::AcceptRole);
    send_->setAccessibleName(tr("Send the result to the readout and the tape"));
    send_->setDefault(true);
    send_->setAutoDefault(true);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setAccessibleName(tr("Close"));
    close->setAutoDefault(false);
    connect(send_, &QPushButton::clicked, this, [this] { send(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('m')) * 48);

    // A tab chosen by its Alt+letter puts the cursor in its first field.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        recompute();
        QWidget* const first[] = {from_->edit(), start_->edit(), infoDate_->edit(), timesOp_, billTime_};
        if (tab >= 0 && tab < 5) first[tab]->setFocus();
    });

    // Today's date, on the program's clock (fixed by --now for screenshots).
    const Date today = todayOn(service_.clock());
    const QString t = qs(today.isoText());
    from_->setText(t);
    to_->setText(qs(Date::fromCivil(today.year(), 12, 31).isoText()));
    start_->setText(t);
    infoDate_->setText(t);
    refreshTimer();
    recompute();
    from_->setFocus();
}

DateField* TimeDateWindow::makeDateField(const QString& name) {
    auto* field = new DateField(name, this);
    const TimeDateSettings s = service_.settings();
    field->setYearRange(s.years.first, s.years.last);
    field->read = [this](const QString& text) -> std::optional<QDate> {
        const TimeDateSettings s = service_.settings();
        try {
            const Date d = s.dateFormat.parse(ss(text), s.years);
            return QDate(d.year(), d.month(), d.day());
        } catch (const InputError&) {
            return std::nullopt;
        }
    };
    field->write = [this](const QDate& d) {
        const TimeDateSettings s = service_.settings();
        return qs(s.dateFormat.hasLocaleForm() ? s.dateFormat.format(Date::fromCivil(d.year(), d.month(), d.day()))
                                               : Date::fromCivil(d.year(), d.month(), d.day()).isoText());
    };
    connect(field, &DateField::changed, this, [this] { recompute(); });
    return field;
}

QLabel* TimeDateWindow::makeResult(Tab tab, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setAccessibleName(tr("Result"));
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setTextFormat(Qt::PlainText);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumHeight(l->fontMetrics().lineSpacing() * 3 + 8);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setMargin(4);
    results_[static_cast<std::size_t>(tab)] = l;
    return l;
}

QWidget* TimeDateWindow::buildDates() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    from_ = makeDateField(tr("From date"));
    to_ = makeDateField(tr("To date"));
    form->addRow(buddyLabel(tr("&From:"), from_->edit(), page), from_);
    form->addRow(buddyLabel(tr("T&o:"), to_->edit(), page), to_);
    includeEnd_ = new QCheckBox(tr("Include the &end date in the count"), page);
    includeEnd_->setAccessibleName(tr("Include the end date"));
    form->addRow(includeEnd_);
    endWording_ = new QLabel(page);
    endWording_->setAccessibleName(tr("End date rule"));
    endWording_->setWordWrap(true);
    form->addRow(endWording_);
    auto* which = new QHBoxLayout;
    sendDays_ = new QRadioButton(tr("Send da&ys"), page);
    sendDays_->setAccessibleName(tr("Send the days between"));
    sendWorkdays_ = new QRadioButton(tr("Send &working days"), page);
    sendWorkdays_->setAccessibleName(tr("Send the working days"));
    sendDays_->setChecked(true);
    which->addWidget(sendDays_);
    which->addWidget(sendWorkdays_);
    which->addStretch(1);
    form->addRow(which);
    form->addRow(makeResult(DatesTab, page));
    connect(includeEnd_, &QCheckBox::toggled, this, [this] { recompute(); });
    connect(sendWorkdays_, &QRadioButton::toggled, this, [this] { recompute(); });
    return page;
}

QWidget* TimeDateWindow::buildAdd() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    start_ = makeDateField(tr("Start date"));
    form->addRow(buddyLabel(tr("&Start date:"), start_->edit(), page), start_);
    amount_ = new QSpinBox(page);
    amount_->setRange(-999'999, 999'999);
    amount_->setValue(1);
    amount_->setAccessibleName(tr("Amount, negative to go back"));
    form->addRow(buddyLabel(tr("A&mount (negative goes back):"), amount_, page), amount_);
    unit_ = new QComboBox(page);
    unit_->addItems({tr("days"), tr("weeks"), tr("months"), tr("years"), tr("working days")});
    unit_->setAccessibleName(tr("Unit"));
    form->addRow(buddyLabel(tr("&Unit:"), unit_, page), unit_);
    auto* note = new QLabel(tr("Months and years stop at the month's last day: 31 January + 1 month is the "
                               "last day of February."),
                            page);
    note->setWordWrap(true);
    form->addRow(note);
    form->addRow(makeResult(AddTab, page));
    connect(amount_, &QSpinBox::valueChanged, this, [this] { recompute(); });
    connect(unit_, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
    return page;
}

QWidget* TimeDateWindow::buildInfo() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    infoDate_ = makeDateField(tr("Calendar date"));
    form->addRow(buddyLabel(tr("&Calendar date:"), infoDate_->edit(), page), infoDate_);
    form->addRow(makeResult(InfoTab, page));
    return page;
}

QWidget* TimeDateWindow::buildTimes() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    auto* top = new QFormLayout;
    timesOp_ = new QComboBox(page);
    timesOp_->addItems({tr("Add two times"), tr("Subtract a time"), tr("Timesheet: sum a column"),
                        tr("h:mm:ss to decimal hours"), tr("Decimal hours to h:mm:ss"),
                        tr("Time between two clock times")});
    timesOp_->setAccessibleName(tr("Time calculation"));
    top->addRow(buddyLabel(tr("Calcu&lation:"), timesOp_, page), timesOp_);
    v->addLayout(top);

    timesPages_ = new QStackedWidget(page);
    const QString durationHint = tr("h:mm, h:mm:ss or decimal hours");
    {
        auto* p = new QWidget(timesPages_);
        auto* f = new QFormLayout(p);
        f->setContentsMargins(0, 0, 0, 0);
        time1_ = makeEdit(tr("First time"), durationHint, p);
        time2_ = makeEdit(tr("Second time"), durationHint, p);
        f->addRow(buddyLabel(tr("Time &1:"), time1_, p), time1_);
        f->addRow(buddyLabel(tr("Time &2:"), time2_, p), time2_);
        timesPages_->addWidget(p);
    }
    {
        auto* p = new QWidget(timesPages_);
        auto* f = new QVBoxLayout(p);
        f->setContentsMargins(0, 0, 0, 0);
        sheet_ = new QPlainTextEdit(p);
        sheet_->setAccessibleName(tr("Timesheet entries, one per line"));
        sheet_->setTabChangesFocus(true);
        sheet_->setPlaceholderText(tr("1:30\n0:45\n2.25"));
        sheet_->setMaximumHeight(sheet_->fontMetrics().lineSpacing() * 5 + 12);
        f->addWidget(buddyLabel(tr("Entries, one &per line (a minus sign subtracts):"), sheet_, p));
        f->addWidget(sheet_);
        timesPages_->addWidget(p);
    }
    {
        auto* p = new QWidget(timesPages_);
        auto* f = new QFormLayout(p);
        f->setContentsMargins(0, 0, 0, 0);
        value_ = makeEdit(tr("Time to convert"), durationHint + tr("; empty: the readout"), p);
        f->addRow(buddyLabel(tr("&Value:"), value_, p), value_);
        timesPages_->addWidget(p);
    }
    {
        auto* p = new QWidget(timesPages_);
        auto* f = new QFormLayout(p);
        f->setContentsMargins(0, 0, 0, 0);
        clockFrom_ = makeEdit(tr("From clock time"), tr("hh:mm, 0:00 to 23:59"), p);
        clockTo_ = makeEdit(tr("To clock time"), tr("hh:mm; earlier means the next day"), p);
        f->addRow(buddyLabel(tr("From clock time (&hh:mm):"), clockFrom_, p), clockFrom_);
        f->addRow(buddyLabel(tr("To cloc&k time:"), clockTo_, p), clockTo_);
        timesPages_->addWidget(p);
    }
    v->addWidget(timesPages_);
    v->addWidget(makeResult(TimesTab, page));
    v->addStretch(1);

    auto pageOf = [](int op) {
        switch (op) {
        case AddTimes:
        case SubtractTimes: return 0;
        case SumTimes: return 1;
        case ToDecimalHours:
        case ToHms: return 2;
        default: return 3;
        }
    };
    connect(timesOp_, &QComboBox::currentIndexChanged, this, [this, pageOf](int op) {
        timesPages_->setCurrentIndex(pageOf(op));
        recompute();
    });
    for (QLineEdit* e : {time1_, time2_, value_, clockFrom_, clockTo_})
        connect(e, &QLineEdit::textChanged, this, [this] { recompute(); });
    connect(sheet_, &QPlainTextEdit::textChanged, this, [this] { recompute(); });
    return page;
}

QWidget* TimeDateWindow::buildBilling() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    billTime_ = makeEdit(tr("Time to bill"), tr("h:mm or decimal hours; empty bills the readout"), page);
    form->addRow(buddyLabel(tr("Time to b&ill:"), billTime_, page), billTime_);
    auto* rateRow = new QHBoxLayout;
    rate_ = new QLabel(page);
    rate_->setAccessibleName(tr("Billing rate"));
    auto* change = new QPushButton(tr("Chan&ge Rate..."), page);
    change->setAccessibleName(tr("Change the billing rate"));
    change->setAutoDefault(false);
    rateRow->addWidget(rate_, 1);
    rateRow->addWidget(change);
    form->addRow(tr("Rate:"), rateRow);
    v->addLayout(form);
    v->addWidget(makeResult(BillingTab, page));

    auto* timerBox = new QGroupBox(tr("Project timer"), page);
    auto* t = new QHBoxLayout(timerBox);
    timerLine_ = new QLabel(timerBox);
    timerLine_->setAccessibleName(tr("Project timer state"));
    timerLine_->setWordWrap(true);
    timerButton_ = new QPushButton(timerBox);
    timerButton_->setAutoDefault(false);
    t->addWidget(timerLine_, 1);
    t->addWidget(timerButton_);
    v->addWidget(timerBox);
    v->addStretch(1);

    connect(billTime_, &QLineEdit::textChanged, this, [this] { recompute(); });
    connect(change, &QPushButton::clicked, this, [this] {
        service_.askBillingRate();
        recompute();
    });
    connect(timerButton_, &QPushButton::clicked, this, [this] {
        service_.toggleTimer();
        refreshTimer();
    });
    return page;
}

TimeDateOutcome TimeDateWindow::run(std::string_view operation, const std::vector<std::string>& answers,
                                    bool includeEnd, std::string* holidayNote) const {
    return runTimeDateOperation(service_.settings(includeEnd, holidayNote), operation, answers);
}

void TimeDateWindow::display(Tab tab, const TimeDateOutcome& outcome) {
    QString text;
    if (outcome.ok) {
        for (const auto& line : outcome.tapeLines) text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + qs(line);
    } else {
        text = qs(outcome.message);
    }
    result(tab)->setText(text);
}

void TimeDateWindow::recompute() {
    const Tab tab = static_cast<Tab>(tabs_->currentIndex());
    switch (tab) {
    case DatesTab: {
        const std::vector<std::string> answers{ss(from_->text()), ss(to_->text())};
        const bool include = includeEnd_->isChecked();
        std::string note;
        TimeDateOutcome days = run("difference", answers, include);
        TimeDateOutcome work = run("workdays", answers, include, &note);
        endWording_->setText(qs(std::string(endDateWording(include))));
        QString text;
        if (!days.ok) {
            text = qs(days.message);
        } else {
            text = qs(days.tapeLines.front()) + QStringLiteral("\n") + qs(work.tapeLines.front());
        }
        if (!note.empty()) text += QStringLiteral("\n") + qs(note);
        result(tab)->setText(text);
        current_ = sendWorkdays_->isChecked() ? work : days;
        break;
    }
    case AddTab: {
        const int n = amount_->value();
        const int u = unit_->currentIndex();
        if (u == 4) {
            current_ = run("addworkdays", {ss(start_->text()), std::to_string(n)});
        } else {
            static const char* const units[] = {"days", "weeks", "months", "years"};
            current_ = run("add", {ss(start_->text()), std::to_string(n) + " " + units[u]});
            // A date that is read as a time ("1:30") is not what this tab is for.
            if (current_.ok && current_.tapeLines.size() == 1 && current_.readout) {
                current_ = {};
                current_.message = "Type a date as YYYY-MM-DD or in your usual short form.";
            }
        }
        display(tab, current_);
        break;
    }
    case InfoTab:
        current_ = run("info", {ss(infoDate_->text())});
        display(tab, current_);
        break;
    case TimesTab: {
        const std::string a = ss(time1_->text()), b = ss(time2_->text());
        switch (timesOp_->currentIndex()) {
        case AddTimes:
        case SubtractTimes:
            current_ = run(timesOp_->currentIndex() == AddTimes ? "add" : "subtract", {a.empty() ? "0:00" : a, b.empty() ? "0:00" : b});
            // Both fields must be times: a date in the first would add days.
            if (current_.ok && !current_.readout) {
                current_ = {};
                current_.message = "Type both times as h:mm, h:mm:ss or decimal hours.";
            }
            break;
        case SumTimes: {
            std::vector<std::string> lines;
            for (const QString& line : sheet_->toPlainText().split(QLatin1Char('\n'))) {
                if (!line.trimmed().isEmpty()) lines.push_back(ss(line));
            }
            lines.emplace_back();  // ends the column
            current_ = run("sum", lines);
            if (!current_.ok && current_.message.empty())
                current_.message = "Type one time per line; the total shows here.";
            if (current_.ok) {
                // The tape gets the whole column; the window shows the total.
                const std::size_t entries = lines.size() - 1;
                const QString count = entries == 1 ? tr("1 entry") : tr("%1 entries").arg(entries);
                result(tab)->setText(tr("Total %1 = %2 h, from %3")
                                         .arg(qs(current_.resultText),
                                              qs(current_.readout->toString(service_.settings().symbols.decimal)),
                                              count));
                send_->setEnabled(true);
                return;
            }
            break;
        }
        case ToDecimalHours:
            current_ = run("hours", {ss(value_->text())});
            break;
        case ToHms:
            current_ = run("hms", {ss(value_->text())});
            break;
        default:
            current_ = run("clockdiff", {ss(clockFrom_->text()), ss(clockTo_->text())});
            break;
        }
        if (!current_.ok && current_.message.empty()) current_.message = "Type the times above.";
        display(tab, current_);
        break;
    }
    case BillingTab: {
        const std::string r = rateText(service_.rate(), service_.settings().symbols.decimal);
        rate_->setText(qs(r) + tr(" per hour"));
        const std::string typed = ss(billTime_->text());
        current_ = run("bill", typed.empty() ? std::vector<std::string>{} : std::vector<std::string>{typed});
        display(tab, current_);
        break;
    }
    }
    send_->setEnabled(current_.ok);
}

void TimeDateWindow::send() {
    recompute();
    if (!current_.ok) return;
    service_.sendToCalculator(current_);
}

void TimeDateWindow::refreshTimer() {
    const std::string ds = service_.settings().symbols.decimal;
    if (service_.timerRunning()) {
        timerLine_->setText(tr("Running since %1: %2")
                                .arg(qs(localText(*service_.timerStart())),
                                     qs(service_.timerElapsed().textWithSeconds(ds))));
        timerButton_->setText(tr("Stop Pro&ject Timer"));
        timerButton_->setAccessibleName(tr("Stop the project timer and bill its time"));
    } else {
        timerLine_->setText(tr("Stopped. Starting it keeps the start in the settings, so it runs on while the "
                               "calculator is closed."));
        timerButton_->setText(tr("Start Pro&ject Timer"));
        timerButton_->setAccessibleName(tr("Start the project timer"));
    }
}

}  // namespace zorv::timedate
