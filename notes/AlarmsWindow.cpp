#include "AlarmsWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdlib>

namespace zorv::notes {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

const Repeat kRepeats[] = {Repeat::Once, Repeat::Daily, Repeat::Weekdays, Repeat::Weekly, Repeat::Monthly, Repeat::Yearly};
const AlarmAction kActions[] = {AlarmAction::Reminder, AlarmAction::PlaySound, AlarmAction::Open, AlarmAction::Run};

QString actionText(AlarmAction a) {
    switch (a) {
    case AlarmAction::Reminder: return QObject::tr("Reminder only");
    case AlarmAction::PlaySound: return QObject::tr("Play a sound");
    case AlarmAction::Open: return QObject::tr("Open a file or address");
    case AlarmAction::Run: return QObject::tr("Run a program");
    }
    return {};
}

QString repeatText(Repeat r) {
    switch (r) {
    case Repeat::Once: return QObject::tr("Once");
    case Repeat::Daily: return QObject::tr("Daily");
    case Repeat::Weekdays: return QObject::tr("Weekdays");
    case Repeat::Weekly: return QObject::tr("Weekly");
    case Repeat::Monthly: return QObject::tr("Monthly");
    case Repeat::Yearly: return QObject::tr("Yearly");
    }
    return {};
}

}  // namespace

AlarmEditDialog::AlarmEditDialog(const Alarm& alarm, const timedate::YearRange& years, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Alarm"));
    when_ = new QDateTimeEdit(this);
    when_->setAccessibleName(tr("Date and time"));
    when_->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    when_->setCalendarPopup(true);
    when_->setDateTimeRange(QDateTime(QDate(years.first, 1, 1), QTime(0, 0)),
                            QDateTime(QDate(years.last, 12, 31), QTime(23, 59)));
    when_->setDateTime(QDateTime(QDate(alarm.date.year(), alarm.date.month(), alarm.date.day()),
                                 QTime(alarm.minuteOfDay / 60, alarm.minuteOfDay % 60)));
    repeat_ = new QComboBox(this);
    repeat_->setAccessibleName(tr("Repeat"));
    for (Repeat r : kRepeats) repeat_->addItem(repeatText(r), static_cast<int>(r));
    repeat_->setCurrentIndex(static_cast<int>(alarm.repeat));
    message_ = new QPlainTextEdit(qs(alarm.message), this);
    message_->setAccessibleName(tr("Message"));
    message_->setTabChangesFocus(true);
    message_->setFixedHeight(message_->fontMetrics().lineSpacing() * 4 + 12);
    action_ = new QComboBox(this);
    action_->setAccessibleName(tr("Action"));
    for (AlarmAction a : kActions) action_->addItem(actionText(a), static_cast<int>(a));
    action_->setCurrentIndex(static_cast<int>(alarm.action));
    target_ = new QLineEdit(qs(alarm.target), this);
    target_->setAccessibleName(tr("Sound file, file, address or program"));
    browse_ = new QPushButton(tr("&Browse..."), this);
    browse_->setAccessibleName(tr("Choose the file"));
    browse_->setAutoDefault(false);
    QString args;
    for (const std::string& a : alarm.arguments) args += qs(a) + QLatin1Char('\n');
    arguments_ = new QPlainTextEdit(args, this);
    arguments_->setAccessibleName(tr("Program arguments, one a line"));
    arguments_->setTabChangesFocus(true);
    arguments_->setFixedHeight(arguments_->fontMetrics().lineSpacing() * 3 + 12);
    enabled_ = new QCheckBox(tr("&Enabled"), this);
    enabled_->setAccessibleName(tr("Enabled"));
    enabled_->setChecked(alarm.enabled);

    auto* form = new QFormLayout;
    form->addRow(tr("&Date and time:"), when_);
    form->addRow(tr("&Repeat:"), repeat_);
    form->addRow(tr("&Message:"), message_);
    form->addRow(tr("Ac&tion:"), action_);
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(target_, 1);
    targetRow->addWidget(browse_);
    targetLabel_ = new QLabel(tr("&File:"), this);
    targetLabel_->setBuddy(target_);
    form->addRow(targetLabel_, targetRow);
    argumentsLabel_ = new QLabel(tr("Ar&guments:"), this);
    argumentsLabel_->setBuddy(arguments_);
    form->addRow(argumentsLabel_, arguments_);
    form->addRow(QString(), enabled_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(action_, &QComboBox::currentIndexChanged, this, &AlarmEditDialog::actionChanged);
    connect(browse_, &QPushButton::clicked, this, &AlarmEditDialog::browse);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    actionChanged();
    when_->setFocus();
    resize(sizeHint().expandedTo(QSize(460, 0)));
}

void AlarmEditDialog::actionChanged() {
    const auto action = static_cast<AlarmAction>(action_->currentData().toInt());
    const bool needsTarget = action != AlarmAction::Reminder;
    target_->setEnabled(needsTarget);
    browse_->setEnabled(needsTarget);
    targetLabel_->setText(action == AlarmAction::Run         ? tr("&Program:")
                          : action == AlarmAction::Open      ? tr("&File or address:")
                          : action == AlarmAction::PlaySound ? tr("&File (WAV, OGG):")
                                                             : tr("&File:"));
    const bool run = action == AlarmAction::Run;
    arguments_->setEnabled(run);
    argumentsLabel_->setEnabled(run);
}

void AlarmEditDialog::browse() {
    const auto action = static_cast<AlarmAction>(action_->currentData().toInt());
    const QString filter = action == AlarmAction::PlaySound ? tr("Sounds (*.wav *.ogg);;All files (*)") : tr("All files (*)");
    const QString file = QFileDialog::getOpenFileName(this, tr("Choose a File"), target_->text(), filter);
    if (!file.isEmpty()) target_->setText(file);
}

Alarm AlarmEditDialog::alarm() const {
    Alarm a;
    const QDateTime dt = when_->dateTime();
    a.date = Date::fromCivil(dt.date().year(), dt.date().month(), dt.date().day());
    a.minuteOfDay = dt.time().hour() * 60 + dt.time().minute();
    a.repeat = static_cast<Repeat>(repeat_->currentData().toInt());
    a.message = message_->toPlainText().toStdString();
    a.action = static_cast<AlarmAction>(action_->currentData().toInt());
    if (a.action != AlarmAction::Reminder) a.target = target_->text().trimmed().toStdString();
    if (a.action == AlarmAction::Run) {
        for (const QString& line : arguments_->toPlainText().split(QLatin1Char('\n'))) a.arguments.push_back(line.toStdString());
        // The box's last line break makes no empty argument.
        while (!a.arguments.empty() && a.arguments.back().empty()) a.arguments.pop_back();
    }
    a.enabled = enabled_->isChecked();
    return a;
}

QString AlarmEditDialog::problem() const {
    const Alarm a = alarm();
    if (a.action != AlarmAction::Reminder && a.target.empty())
        return tr("Name the file, address or program for the alarm's action.");
    if (a.action == AlarmAction::Run) {
        const char* path = std::getenv("PATH");
        const ProgramCheck check = checkProgram(a.target, path ? path : "");
        if (!check.problem.empty()) return QString::fromStdString(check.problem);
    }
    return {};
}

void AlarmEditDialog::accept() {
    const Alarm a = alarm();
    const QString why = problem();
    if (!why.isEmpty()) {
        // A missing program may be installed later: the user decides.
        if (a.action == AlarmAction::Run && !a.target.empty()) {
            if (QMessageBox::question(this, windowTitle(), why + QStringLiteral("\n\n") + tr("Keep the alarm anyway?"),
                                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
                return;
        } else {
            QMessageBox::information(this, windowTitle(), why);
            target_->setFocus();
            return;
        }
    }
    QDialog::accept();
}

AlarmsWindow::AlarmsWindow(CalendarService& service, QWidget* parent)
    : QDialog(parent, Qt::Window), service_(service) {
    setWindowTitle(tr("Set Alarms"));
    list_ = new QTreeWidget(this);
    list_->setAccessibleName(tr("Alarms"));
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({tr("Date and time"), tr("Repeat"), tr("Next due"), tr("Action"), tr("Message")});
    list_->header()->setStretchLastSection(true);
    auto* add = new QPushButton(tr("&Add..."), this);
    add->setAccessibleName(tr("Add an alarm"));
    edit_ = new QPushButton(tr("&Edit..."), this);
    edit_->setAccessibleName(tr("Edit the alarm"));
    delete_ = new QPushButton(tr("&Delete"), this);
    delete_->setAccessibleName(tr("Delete the alarm"));
    on_ = new QCheckBox(tr("Alarms &on"), this);
    on_->setAccessibleName(tr("Alarms on"));
    auto* close = new QPushButton(tr("&Close"), this);
    close->setAccessibleName(tr("Close"));
    for (QPushButton* b : {add, edit_, delete_, close}) b->setAutoDefault(false);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    status_->setAccessibleName(tr("Status"));

    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(edit_);
    side->addWidget(delete_);
    side->addSpacing(12);
    side->addWidget(on_);
    side->addStretch(1);
    side->addWidget(close);
    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(status_);

    connect(add, &QPushButton::clicked, this, &AlarmsWindow::addAlarm);
    connect(edit_, &QPushButton::clicked, this, &AlarmsWindow::editAlarm);
    connect(delete_, &QPushButton::clicked, this, &AlarmsWindow::deleteAlarm);
    connect(list_, &QTreeWidget::itemActivated, this, [this] { editAlarm(); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
        edit_->setEnabled(currentIndex() >= 0);
        delete_->setEnabled(currentIndex() >= 0);
    });
    connect(on_, &QCheckBox::toggled, this, [this](bool on) {
        if (on != service_.alarmsOn) service_.toggleAlarmsOn();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    service_.files.alarms();
    if (const std::string report = service_.files.takeAlarmsReport(); !report.empty())
        status_->setText(QString::fromStdString(report));
    refresh();
    list_->setFocus();
    resize(QSize(720, 320));
}

void AlarmsWindow::refresh() {
    const int keep = currentIndex();
    list_->clear();
    const LocalSeconds now = localSeconds(service_.clock());
    const auto& alarms = service_.files.alarms();
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        const Alarm& a = alarms[i];
        const auto next = nextOccurrence(a, now);
        QString action = actionText(a.action);
        if (!a.target.empty()) action += QStringLiteral(": ") + qs(a.target);
        auto* item = new QTreeWidgetItem(
            list_, {qs(localMinuteText(a.date.dayNumber() * 86400 + a.minuteOfDay * 60)), repeatText(a.repeat),
                    !a.enabled ? tr("disabled") : next ? qs(localMinuteText(*next)) : tr("past"), action,
                    qs(oneLine(a.message))});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
    for (int c = 0; c < 4; ++c) list_->resizeColumnToContents(c);
    if (!alarms.empty()) list_->setCurrentItem(list_->topLevelItem(std::clamp(keep, 0, int(alarms.size()) - 1)));
    edit_->setEnabled(currentIndex() >= 0);
    delete_->setEnabled(currentIndex() >= 0);
    const QSignalBlocker block(on_);
    on_->setChecked(service_.alarmsOn);
}

int AlarmsWindow::currentIndex() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

void AlarmsWindow::save() {
    const std::string error = service_.files.saveAlarms();
    status_->setText(error.empty() ? QString() : tr("The alarms were not saved: %1").arg(QString::fromStdString(error)));
    if (service_.alarmsChanged) service_.alarmsChanged();
    refresh();
}

void AlarmsWindow::addAlarm() {
    Alarm a;
    // A new alarm starts at the next whole hour.
    const LocalSeconds next = (localSeconds(service_.clock()) / 3600 + 1) * 3600;
    a.date = Date::fromDayNumber(next / 86400);
    a.minuteOfDay = static_cast<int>((next % 86400) / 60);
    AlarmEditDialog dialog(a, service_.settings.years().sanitized(), this);
    dialog.setWindowTitle(tr("Add Alarm"));
    if (!runEditor(dialog)) return;
    service_.files.alarms().push_back(dialog.alarm());
    save();
    list_->setCurrentItem(list_->topLevelItem(list_->topLevelItemCount() - 1));
}

void AlarmsWindow::editAlarm() {
    const int i = currentIndex();
    auto& alarms = service_.files.alarms();
    if (i < 0 || i >= int(alarms.size())) return;
    AlarmEditDialog dialog(alarms[i], service_.settings.years().sanitized(), this);
    dialog.setWindowTitle(tr("Edit Alarm"));
    if (!runEditor(dialog)) return;
    alarms[i] = dialog.alarm();
    save();
}

void AlarmsWindow::deleteAlarm() {
    const int i = currentIndex();
    auto& alarms = service_.files.alarms();
    if (i < 0 || i >= int(alarms.size())) return;
    alarms.erase(alarms.begin() + i);
    save();
}

}  // namespace zorv::notes
