// The time and date window driven as a user drives it: results follow the
// typing, the end-date rule is stated, the calendar pop-up writes the date,
// sending puts the result on the readout and the tape; the keyboard rules of
// every window; and the main window's running timer display. With
// ZORV_SHOT_DIR set, the tests save screenshots there (light and dark).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTest>
#include <map>
#include <set>

#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
#include "engine/ScriptedFeedback.h"
#include "timedate/DateField.h"
#include "timedate/TimeDateInstall.h"
#include "timedate/TimeDateWindow.h"
#include "ui/main/CalculatorWindow.h"

using namespace zorv;
using namespace zorv::timedate;

namespace {

struct Bench {
    std::map<std::string, std::string> settings{{"Billing Rate", "80"}};
    Instant now = parseIsoInstant("2026-12-08T09:00:00Z");
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    TimeDateService service{model, environment()};

    Bench() {
        model.modes().financial = false;
        model.modes().formatNumbers = false;
        registerTimeDateCommands(model, service);
    }
    TimeDateEnvironment environment() {
        TimeDateEnvironment env;
        env.readSetting = [this](const std::string& key, const std::string& def) {
            auto it = settings.find(key);
            return it == settings.end() ? def : it->second;
        };
        env.writeSetting = [this](const std::string& key, const std::string& value) { settings[key] = value; };
        env.clock = [this] { return now; };
        return env;
    }
};

QString resultOf(const TimeDateWindow& w, TimeDateWindow::Tab tab) { return w.result(tab)->text(); }

void shoot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("ZORV_SHOT_DIR");
    if (dir.isEmpty()) return;
    w.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(37, 37, 38));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(51, 51, 55));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    p.setColor(QPalette::Highlight, QColor(38, 79, 120));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    return p;
}

}  // namespace

TEST(TimeDateWindow, DatesFollowTheTypingAndStateTheEndDateRule) {
    Bench b;
    TimeDateWindow w(b.service);
    w.show();
    // Opens on today (the clock) to the year's end, the From field focused.
    EXPECT_EQ(w.fromDate()->text(), "2026-12-08");
    EXPECT_EQ(w.toDate()->text(), "2026-12-31");
    w.fromDate()->edit()->setText("2024-01-01");
    w.toDate()->edit()->setText("2024-12-31");
    EXPECT_TRUE(resultOf(w, w.DatesTab).startsWith("2024-01-01 to 2024-12-31 = 365 days = 52 weeks 1 day"));
    EXPECT_TRUE(resultOf(w, w.DatesTab).contains("Working days 2024-01-01 to 2024-12-31 = 261"));
    bool stated = false;
    for (auto* l : w.findChildren<QLabel*>())
        if (l->text().startsWith("End date excluded")) stated = true;
    EXPECT_TRUE(stated);

    w.includeEnd()->setChecked(true);
    EXPECT_TRUE(resultOf(w, w.DatesTab).contains("= 366 days"));
    EXPECT_TRUE(resultOf(w, w.DatesTab).contains("= 262"));
    shoot(w, "timedate-dates");
    w.sendWorkdays()->setChecked(true);
    QTest::mouseClick(w.sendButton(), Qt::LeftButton);
    EXPECT_EQ(b.model.readout(), "262.");
    EXPECT_EQ(b.model.tape().text(),
              "Working days 2024-01-01 to 2024-12-31 = 262\r\nEnd date included: both dates count.\r\n");

    // A date that does not exist is said where the result goes; nothing to send.
    w.toDate()->edit()->setText("2023-02-29");
    EXPECT_TRUE(resultOf(w, w.DatesTab).contains("29 February"));
    EXPECT_FALSE(w.sendButton()->isEnabled());
    w.toDate()->edit()->setText("10000-01-01");
    EXPECT_FALSE(w.sendButton()->isEnabled());
}

TEST(TimeDateWindow, AddSubtractAndDateInfo) {
    Bench b;
    TimeDateWindow w(b.service);
    w.show();
    w.tabs()->setCurrentIndex(w.AddTab);
    w.startDate()->edit()->setText("2024-01-31");
    w.unit()->setCurrentIndex(2);  // months
    EXPECT_EQ(resultOf(w, w.AddTab), "2024-01-31 + 1 month = 2024-02-29 Thursday");
    w.amount()->setValue(-3);
    w.unit()->setCurrentIndex(4);  // working days
    EXPECT_EQ(resultOf(w, w.AddTab), "2024-01-31 - 3 working days = 2024-01-26 Friday");
    shoot(w, "timedate-add");
    QTest::mouseClick(w.sendButton(), Qt::LeftButton);
    EXPECT_EQ(b.model.tape().text(), "2024-01-31 - 3 working days = 2024-01-26 Friday\r\n");
    EXPECT_EQ(b.model.readout(), "0.");  // a date has no number for the readout

    w.tabs()->setCurrentIndex(w.InfoTab);
    w.infoDate()->edit()->setText("2027-01-01");
    EXPECT_TRUE(resultOf(w, w.InfoTab).contains("Friday"));
    EXPECT_TRUE(resultOf(w, w.InfoTab).contains("ISO week 53 of 2026"));
    shoot(w, "timedate-info");
}

TEST(TimeDateWindow, TimesAndBilling) {
    Bench b;
    TimeDateWindow w(b.service);
    w.show();
    w.tabs()->setCurrentIndex(w.TimesTab);
    w.time1()->setText("1:45");
    w.time2()->setText("0:30");
    EXPECT_EQ(resultOf(w, w.TimesTab), "1:45 + 0:30 = 2:15");
    w.time1()->setText("2024-01-01");  // a date is not a time here
    EXPECT_FALSE(w.sendButton()->isEnabled());
    w.timesCalculation()->setCurrentIndex(w.SumTimes);
    w.timesheet()->setPlainText("1:30\n0:45\n\n-0:15\n");
    EXPECT_EQ(resultOf(w, w.TimesTab).toStdString(), "Total 2:00 = 2 h, from 3 entries");
    shoot(w, "timedate-times");
    QTest::mouseClick(w.sendButton(), Qt::LeftButton);
    EXPECT_EQ(b.model.readout(), "2.");
    EXPECT_EQ(b.model.tape().text(), "1:30+\r\n0:45+\r\n0:15-\r\n------------------\r\n2:00\r\n******************\r\n");
    w.timesCalculation()->setCurrentIndex(w.ToDecimalHours);
    w.value()->setText("1:75");
    EXPECT_TRUE(resultOf(w, w.TimesTab).contains("00 to 59"));
    w.value()->setText("1:45");
    EXPECT_EQ(resultOf(w, w.TimesTab), "1:45 = 1.75 h");
    w.timesCalculation()->setCurrentIndex(w.ClockDifference);
    w.clockFrom()->setText("22:30");
    w.clockTo()->setText("1:15");
    EXPECT_EQ(resultOf(w, w.TimesTab), "22:30 to 1:15 = 2:45");

    w.tabs()->setCurrentIndex(w.BillingTab);
    w.billTime()->setText("3:20");
    EXPECT_EQ(resultOf(w, w.BillingTab), "Bill 3:20 @ 80.00/h = 266.67");
    QTest::keyClick(w.billTime(), Qt::Key_Return);  // Enter sends
    EXPECT_EQ(b.model.readout(), "266.67");
    // Empty bills the readout.
    w.billTime()->clear();
    EXPECT_EQ(resultOf(w, w.BillingTab).toStdString(), "Bill 266:40:12 @ 80.00/h = 21333.60");

    QTest::mouseClick(w.timerButton(), Qt::LeftButton);
    EXPECT_TRUE(b.service.timerRunning());
    EXPECT_TRUE(w.timerButton()->text().startsWith("Stop"));
    b.now.utcSeconds += 5400;
    w.refreshTimer();
    shoot(w, "timedate-billing");
    QTest::mouseClick(w.timerButton(), Qt::LeftButton);
    EXPECT_FALSE(b.service.timerRunning());
    EXPECT_TRUE(b.model.tape().text().ends_with("= 1:30:00 @ 80.00/h = 120.00\r\n"));
}

TEST(TimeDateWindow, CalendarPopUpWritesThePickedDate) {
    Bench b;
    TimeDateWindow w(b.service);
    w.show();
    w.fromDate()->edit()->setText("2024-02-10");
    w.fromDate()->openCalendar();
    auto* calendar = w.fromDate()->findChild<QCalendarWidget*>();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->selectedDate(), QDate(2024, 2, 10));  // starts at the typed date
    EXPECT_EQ(calendar->minimumDate(), QDate(1500, 1, 1));
    EXPECT_EQ(calendar->maximumDate(), QDate(2400, 12, 31));
    shoot(*calendar->window(), "timedate-calendar");
    emit calendar->activated(QDate(2024, 2, 29));
    EXPECT_EQ(w.fromDate()->text(), "2024-02-29");
}

TEST(TimeDateWindow, KeyboardRules) {
    Bench b;
    TimeDateWindow w(b.service);
    w.show();
    // Every control is named for screen readers.
    for (QWidget* c : w.findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(c) || qobject_cast<QAbstractButton*>(c) || qobject_cast<QComboBox*>(c) ||
            qobject_cast<QSpinBox*>(c) || qobject_cast<QPlainTextEdit*>(c)) {
            if (c->parent() && (qobject_cast<QSpinBox*>(c->parent()) || qobject_cast<QComboBox*>(c->parent())))
                continue;  // the line edit inside a spin box or combo box
            if (qobject_cast<QTabWidget*>(c->parentWidget() ? c->parentWidget()->parentWidget() : nullptr) &&
                !qobject_cast<QLineEdit*>(c))
                continue;  // the tab bar's scroll buttons
            EXPECT_FALSE(c->accessibleName().isEmpty()) << c->metaObject()->className() << " "
                                                         << c->objectName().toStdString();
        }
    }
    // No Alt+letter is used twice in the window, tabs included.
    std::multiset<QChar> letters;
    auto take = [&](const QString& text) {
        const int i = text.indexOf(QLatin1Char('&'));
        if (i >= 0 && i + 1 < text.size() && text[i + 1] != QLatin1Char('&')) letters.insert(text[i + 1].toLower());
    };
    for (auto* l : w.findChildren<QLabel*>()) take(l->text());
    for (auto* a : w.findChildren<QAbstractButton*>()) take(a->text());
    for (int i = 0; i < w.tabs()->count(); ++i) take(w.tabs()->tabText(i));
    for (QChar c : letters) EXPECT_EQ(letters.count(c), 1u) << "Alt+" << QString(c).toStdString();
    EXPECT_GE(letters.size(), 20u);

    // Escape closes.
    QTest::keyClick(w.fromDate()->edit(), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST(TimeDateWindow, DarkPaletteShots) {
    if (qgetenv("ZORV_SHOT_DIR").isEmpty()) GTEST_SKIP() << "screenshots only";
    const QPalette before = QApplication::palette();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(darkPalette());
    {
        Bench b;
        TimeDateWindow w(b.service);
        w.show();
        w.fromDate()->edit()->setText("2024-01-01");
        w.toDate()->edit()->setText("2024-12-31");
        shoot(w, "timedate-dates-dark");
        w.tabs()->setCurrentIndex(w.BillingTab);
        w.billTime()->setText("2:45");
        shoot(w, "timedate-billing-dark");
    }
    QApplication::setPalette(before);
}

TEST(MainWindowTimer, ShowsTheElapsedTimeWhileRunning) {
    Bench b;
    ui::CalculatorWindow window(b.model);
    installTimeDateWindow(b.model, b.service, window);
    window.show();
    auto* label = window.findChild<QLabel*>(QStringLiteral("lblProjectTimer"));
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(window.statusBar()->isVisible());
    QAction* item = window.action(engine::CommandId::ProjectTimer);
    ASSERT_NE(item, nullptr);

    b.model.commands().run(engine::CommandId::ProjectTimer);
    EXPECT_TRUE(window.statusBar()->isVisible());
    EXPECT_EQ(label->text(), "Project timer 0:00:00");
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(item->text().contains("running"));
    // The display follows the clock once a second.
    b.now.utcSeconds += 3 * 3600 + 7;
    QTest::qWait(1100);
    EXPECT_EQ(label->text(), "Project timer 3:00:07");
    shoot(window, "main-window-timer-running");

    b.model.commands().run(engine::CommandId::ProjectTimer);
    EXPECT_FALSE(window.statusBar()->isVisible());
    EXPECT_FALSE(item->isChecked());
    EXPECT_TRUE(b.model.tape().text().starts_with("Timer 2026-12-08 09:00:00 to 2026-12-08 12:00:07"));

    // The command opens the window.
    b.model.commands().run(engine::CommandId::TimeDateCalculations);
    auto* opened = window.findChild<TimeDateWindow*>();
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->isVisible());
}
