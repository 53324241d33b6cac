// The calendar, alarm and scratch pad windows and the alarm timer, on the
// offscreen platform with a clock the tests move by hand.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCharFormat>
#include <QTreeWidget>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "notes/AlarmTimer.h"
#include "notes/AlarmsWindow.h"
#include "notes/CalendarWindow.h"
#include "notes/CalendarWiring.h"
#include "notes/ScratchPadWindow.h"
#include "shell/SettingsStore.h"
#include "tests/support/TestFiles.h"

using namespace zorv;
using namespace zorv::notes;
using zorv::test::slurp;
using zorv::test::spit;

namespace {

struct Env {
    test::TempDir dir;
    timedate::Instant now = timedate::parseIsoInstant("2026-12-08T09:00:00Z");
    CalendarService service{dir.path, [this] { return now; }, {}};
    std::vector<std::string> acted;

    AlarmTimer::Host host() {
        AlarmTimer::Host h;
        h.actor = [this](const Alarm& a) {
            acted.push_back(a.message);
            return AlarmActionResult{};
        };
        return h;
    }
    Alarm alarm(const std::string& when, Repeat repeat, const std::string& message) {
        const AlarmWhen w = parseAlarmWhen(when, {1, 9999});
        Alarm a;
        a.date = w.date;
        a.minuteOfDay = w.minuteOfDay;
        a.repeat = repeat;
        a.message = message;
        return a;
    }
};

Date day(int y, int m, int d) { return Date::fromCivil(y, m, d); }

}  // namespace

TEST(CalendarWindow, TypedNoteIsSavedAfterAPauseShownBoldAndFound) {
    Env env;
    CalendarWindow w(env.service);
    w.show();
    w.showToday();
    EXPECT_EQ(w.selectedDate(), day(2026, 12, 8));
    EXPECT_EQ(w.calendar()->minimumDate(), QDate(1500, 1, 1));
    EXPECT_EQ(w.calendar()->maximumDate(), QDate(2400, 12, 31));
    QTest::keyClicks(w.editor(), "Buy milk");
    EXPECT_FALSE(std::filesystem::exists(env.service.files.notesPath()));  // not on every key
    QTest::qWait(CalendarWindow::kSaveDelayMs + 300);
    EXPECT_NE(slurp(env.service.files.notesPath().string()).find("[2026-12-08]\nLine=Buy milk\n"), std::string::npos);
    EXPECT_EQ(w.calendar()->dateTextFormat(QDate(2026, 12, 8)).fontWeight(), QFont::Bold);
    EXPECT_NE(w.calendar()->dateTextFormat(QDate(2026, 12, 9)).fontWeight(), QFont::Bold);

    // Choosing another day saves at once, without waiting.
    w.selectDate(day(2026, 12, 20));
    EXPECT_TRUE(w.editor()->toPlainText().isEmpty());
    QTest::keyClicks(w.editor(), "Party");
    w.selectDate(day(2026, 12, 8));
    EXPECT_EQ(w.editor()->toPlainText(), QStringLiteral("Buy milk"));
    EXPECT_NE(slurp(env.service.files.notesPath().string()).find("Line=Party"), std::string::npos);

    w.nextNote();
    EXPECT_EQ(w.selectedDate(), day(2026, 12, 20));
    w.previousNote();
    EXPECT_EQ(w.selectedDate(), day(2026, 12, 8));
    w.searchBox()->setText(QStringLiteral("PARTY"));
    w.runSearch();
    ASSERT_EQ(w.results()->count(), 1);
    emit w.results()->itemActivated(w.results()->item(0));
    EXPECT_EQ(w.selectedDate(), day(2026, 12, 20));
    w.dateBox()->setText(QStringLiteral("2026-12-08"));
    w.goToTypedDate();
    EXPECT_EQ(w.selectedDate(), day(2026, 12, 8));

    // Emptying a note deletes the day; closing saves what is pending.
    w.editor()->clear();
    w.close();
    EXPECT_EQ(slurp(env.service.files.notesPath().string()).find("2026-12-08"), std::string::npos);
}

TEST(CalendarWindow, YearsLimitTheMonthViewAndNotesOutsideAreKept) {
    Env env;
    env.service.settings.years = [] { return timedate::YearRange{2000, 2030}; };
    env.service.files.notes().setNote(day(1990, 1, 1), "old");
    CalendarWindow w(env.service);
    w.showToday();
    EXPECT_EQ(w.calendar()->minimumDate(), QDate(2000, 1, 1));
    w.previousNote();  // 1990 is outside: the view stays
    EXPECT_EQ(w.selectedDate(), day(2026, 12, 8));
    w.dateBox()->setText(QStringLiteral("1999-05-05"));
    w.goToTypedDate();
    EXPECT_EQ(w.selectedDate(), day(2026, 12, 8));
}

TEST(AlarmTimer, AlarmOneMinuteAheadFiresOnceWithItsReminder) {
    Env env;
    env.service.files.alarms().push_back(env.alarm("2026-12-08T09:01", Repeat::Once, "Tea"));
    AlarmTimer timer(env.service, env.host());
    timer.start();
    EXPECT_EQ(timer.intervalMs(), 60 * 1000);
    EXPECT_TRUE(timer.reminders().empty());
    env.now.utcSeconds += 30;
    timer.check();
    EXPECT_TRUE(timer.reminders().empty());
    EXPECT_EQ(timer.intervalMs(), 30 * 1000);  // set to the alarm, not polling
    env.now.utcSeconds += 30;
    timer.check();
    ASSERT_EQ(timer.reminders().size(), 1u);
    EXPECT_TRUE(timer.reminders()[0]->text().contains(QStringLiteral("Tea")));
    EXPECT_TRUE(timer.reminders()[0]->isVisible());
    env.now.utcSeconds += 5;
    timer.check();
    EXPECT_EQ(timer.reminders().size(), 1u);
    EXPECT_EQ(env.acted, std::vector<std::string>{"Tea"});
    EXPECT_EQ(timer.intervalMs(), -1);  // nothing left to wait for

    // Snoozed for 5 minutes: back then, without acting again.
    auto buttons = timer.reminders()[0]->findChildren<QPushButton*>();
    auto snooze = std::find_if(buttons.begin(), buttons.end(),
                               [](QPushButton* b) { return b->text().contains(QStringLiteral("&5")); });
    ASSERT_NE(snooze, buttons.end());
    (*snooze)->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(timer.reminders().empty());
    env.now.utcSeconds += 4 * 60;
    timer.check();
    EXPECT_TRUE(timer.reminders().empty());
    env.now.utcSeconds += 60;
    timer.check();
    ASSERT_EQ(timer.reminders().size(), 1u);
    EXPECT_TRUE(timer.reminders()[0]->text().contains(QStringLiteral("snoozed")));
    EXPECT_EQ(env.acted.size(), 1u);
    timer.reminders()[0]->close();
}

TEST(AlarmTimer, WaitsAtMostAMinuteAndAtLeastASecond) {
    Env env;
    for (int i = 0; i < 100; ++i)
        env.service.files.alarms().push_back(env.alarm("2026-12-09T10:00", Repeat::Daily, std::to_string(i)));
    AlarmTimer timer(env.service, env.host());
    timer.start();
    EXPECT_EQ(timer.intervalMs(), AlarmTimer::kMaxIntervalMs);
    env.now.utcSeconds = timedate::parseIsoInstant("2026-12-09T09:59:59Z").utcSeconds;
    timer.check();
    EXPECT_EQ(timer.intervalMs(), AlarmTimer::kMinIntervalMs);
    env.now.utcSeconds += 1;
    timer.check();
    EXPECT_EQ(timer.reminders().size(), 100u);
    for (ReminderDialog* d : std::vector<ReminderDialog*>(timer.reminders())) d->close();
}

TEST(AlarmTimer, AlarmsOffSilencesAllAndMissedAlarmsAreListedAtStart) {
    Env env;
    env.service.files.alarms().push_back(env.alarm("2026-12-01T08:00", Repeat::Daily, "Pills"));
    env.service.files.setLastCheck(timedate::parseIsoInstant("2026-12-06T12:00:00Z"));
    {
        AlarmTimer timer(env.service, env.host());
        timer.start();
        EXPECT_TRUE(timer.missedText().contains(QStringLiteral("Pills")));
        EXPECT_TRUE(timer.missedText().contains(QStringLiteral("2 times"))) << timer.missedText().toStdString();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("missedAlarms")) w->close();
    }
    // The start was noted: nothing is missed twice.
    EXPECT_EQ(env.service.files.lastCheck(), env.now);
    env.service.alarmsOn = false;
    AlarmTimer timer(env.service, env.host());
    timer.start();
    EXPECT_EQ(timer.intervalMs(), -1);
    env.now.utcSeconds += 86400;
    timer.check();
    EXPECT_TRUE(timer.reminders().empty());
    env.service.toggleAlarmsOn();
    timer.reload();
    EXPECT_GT(timer.intervalMs(), 0);
}

TEST(AlarmTimer, MissingProgramGivesAClearMessageInTheReminder) {
    Env env;
    Alarm a = env.alarm("2026-12-08T09:00", Repeat::Once, "Backup");
    a.action = AlarmAction::Run;
    a.target = (env.dir.path / "no-such-program").string();
    a.arguments = {"--now"};
    EXPECT_NE(performAlarmAction(a).problem.find("does not exist"), std::string::npos);
    env.service.files.alarms().push_back(a);
    AlarmTimer::Host host;  // the real action
    AlarmTimer timer(env.service, host);
    env.now.utcSeconds -= 1;
    timer.start();
    env.now.utcSeconds += 1;
    timer.check();
    ASSERT_EQ(timer.reminders().size(), 1u);
    EXPECT_TRUE(timer.reminders()[0]->text().contains(QStringLiteral("does not exist")));
    timer.reminders()[0]->close();
}

TEST(AlarmsWindow, AddEditDeleteWriteTheFileAndTellTheTimer) {
    Env env;
    int told = 0;
    env.service.alarmsChanged = [&told] { ++told; };
    AlarmsWindow w(env.service);
    w.runEditor = [](AlarmEditDialog& d) {
        d.whenBox()->setDateTime(QDateTime(QDate(2026, 12, 24), QTime(18, 30)));
        d.repeatBox()->setCurrentIndex(5);  // yearly
        d.messageBox()->setPlainText(QStringLiteral("Goose\nin the oven"));
        return true;
    };
    w.addAlarm();
    EXPECT_EQ(told, 1);
    ASSERT_EQ(w.list()->topLevelItemCount(), 1);
    const std::string file = slurp(env.service.files.alarmsPath().string());
    EXPECT_NE(file.find("When=2026-12-24T18:30\nRepeat=yearly\nMessage=Goose\\nin the oven\n"), std::string::npos) << file;
    w.runEditor = [](AlarmEditDialog& d) {
        d.actionBox()->setCurrentIndex(3);  // run
        d.targetBox()->setText(QStringLiteral("/bin/true"));
        d.argumentsBox()->setPlainText(QStringLiteral("a b\n$HOME\n"));
        EXPECT_TRUE(d.problem().isEmpty());
        return true;
    };
    w.editAlarm();
    EXPECT_NE(slurp(env.service.files.alarmsPath().string()).find("Argument=a b\nArgument=$HOME\n"), std::string::npos);
    w.deleteAlarm();
    EXPECT_EQ(w.list()->topLevelItemCount(), 0);
    EXPECT_EQ(slurp(env.service.files.alarmsPath().string()).find("When="), std::string::npos);
    EXPECT_EQ(told, 3);
}

TEST(AlarmEditDialog, ActionsNeedATarget) {
    Alarm a;
    a.date = day(2026, 12, 8);
    AlarmEditDialog d(a, {1500, 2400});
    EXPECT_TRUE(d.problem().isEmpty());
    EXPECT_FALSE(d.targetBox()->isEnabled());
    d.actionBox()->setCurrentIndex(2);  // open
    EXPECT_TRUE(d.targetBox()->isEnabled());
    EXPECT_FALSE(d.problem().isEmpty());
    d.actionBox()->setCurrentIndex(3);  // run
    d.targetBox()->setText(QStringLiteral("zorv-no-such-program-here"));
    EXPECT_TRUE(d.problem().contains(QStringLiteral("zorv-no-such-program-here"))) << d.problem().toStdString();
}

namespace {
struct PadEnv {
    test::TempDir dir;
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    shell::SettingsStore store{std::make_unique<shell::MemorySettingsBackend>()};
};
}  // namespace

TEST(ScratchPad, SaveReopenAskBeforeDiscardAndNumberToReadout) {
    PadEnv env;
    const QString path = QString::fromStdString(env.dir / "pad.txt");
    {
        ScratchPadWindow pad(env.model, env.store);
        pad.show();
        pad.editor()->setPlainText(QStringLiteral("Rent 1,234.50 per month\nüber 7"));
        pad.editor()->document()->setModified(true);
        QTextCursor c = pad.editor()->textCursor();
        c.setPosition(7);
        pad.editor()->setTextCursor(c);
        EXPECT_TRUE(pad.numberToReadout());
        EXPECT_EQ(env.model.toDecimal(env.model.readout()).toString("."), "1234.5");
        c.setPosition(pad.editor()->toPlainText().size());
        pad.editor()->setTextCursor(c);
        EXPECT_TRUE(pad.numberToReadout());
        EXPECT_EQ(env.model.toDecimal(env.model.readout()).toString("."), "7");

        pad.askPath = [path](bool) { return path; };
        int asked = 0;
        pad.askDiscard = [&asked] {
            ++asked;
            return int(QMessageBox::Cancel);
        };
        EXPECT_FALSE(pad.close());  // cancelled: the text stays
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(pad.saveAs());
        EXPECT_EQ(slurp(path.toStdString()), "Rent 1,234.50 per month\n\xC3\xBC" "ber 7");
        EXPECT_EQ(env.store.ReadSetting("Startup", "Last File", ""), path.toStdString());
        pad.resize(500, 300);
        EXPECT_TRUE(pad.close());
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(env.store.ReadSetting("Startup", "Scratch Width", ""), "500");
    }
    ScratchPadWindow again(env.model, env.store);
    again.openLastFile();
    EXPECT_EQ(again.editor()->toPlainText(), QStringLiteral("Rent 1,234.50 per month\nüber 7"));
    EXPECT_EQ(again.width(), 500);
    EXPECT_TRUE(again.findText(QStringLiteral("PER")));
    EXPECT_EQ(again.editor()->textCursor().selectedText(), QStringLiteral("per"));
    EXPECT_FALSE(again.findText(QStringLiteral("absent")));
}

TEST(ScratchPad, TapeOrItsSelectionGoesToThePad) {
    PadEnv env;
    QWidget main;
    QString selection;  // what the user selected on the tape
    CalendarService service(env.dir.path, [] { return timedate::Instant{}; }, {});
    CalendarWindows windows(env.model, env.store, service, {&main, {}, [&selection] { return selection; }});
    env.model.tape().post("5+");
    env.model.tape().post("3=");
    windows.tapeToScratchPad();
    EXPECT_EQ(windows.scratchPad().editor()->toPlainText(), QStringLiteral("5+\n3=\n"));
    selection = QStringLiteral("two\nthree");
    windows.tapeToScratchPad();
    EXPECT_EQ(windows.scratchPad().editor()->toPlainText(), QStringLiteral("5+\n3=\ntwo\nthree\n"));
    windows.scratchPad().editor()->document()->setModified(false);
}

// With ZORV_SHOT_DIR set, the windows are saved as PNGs under a dark Fusion
// palette, to check that every text stays readable.
TEST(Screens, DarkPaletteWhenAsked) {
    const QByteArray dir = qgetenv("ZORV_SHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "ZORV_SHOT_DIR not set";
    const QPalette old = QApplication::palette();
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(60, 60, 64));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    QApplication::setPalette(dark);
    Env env;
    env.service.files.notes().setNote(day(2026, 12, 8), "Dentist at 14:30\nBring the card");
    env.service.files.notes().setNote(day(2026, 12, 24), "Goose");
    env.service.files.alarms().push_back(env.alarm("2026-12-08T09:01", Repeat::Daily, "Stand-up"));
    const QString out = QString::fromLocal8Bit(dir);
    CalendarWindow cal(env.service);
    cal.show();
    cal.showToday();
    cal.grab().save(out + QStringLiteral("/notes-dark-calendar.png"));
    AlarmsWindow alarms(env.service);
    alarms.show();
    alarms.grab().save(out + QStringLiteral("/notes-dark-alarms.png"));
    AlarmTimer timer(env.service, env.host());
    timer.start();
    env.now.utcSeconds += 60;
    timer.check();
    ASSERT_EQ(timer.reminders().size(), 1u);
    timer.reminders()[0]->grab().save(out + QStringLiteral("/notes-dark-reminder.png"));
    timer.reminders()[0]->close();
    PadEnv pad;
    ScratchPadWindow w(pad.model, pad.store);
    w.editor()->setPlainText(QStringLiteral("Shopping\n  milk 1.29\nTotal 1.29"));
    w.show();
    w.grab().save(out + QStringLiteral("/notes-dark-scratchpad.png"));
    QApplication::setPalette(old);
}
