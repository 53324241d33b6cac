// The tray icon and the show label: switching between them, what the tray
// icon and its menu do, and the label window itself. The offscreen platform
// has no notification area, so the tests decide whether there is one.
#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "engine/ToolbarCatalogue.h"
#include "shell/SettingsStore.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/ShowLabelWindow.h"
#include "ui/main/TrayController.h"
#include "tests/support/Mnemonics.h"

using namespace zorv;
using ui::ShowLabelWindow;
using ui::TrayController;

namespace {

struct Tray {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    shell::MemorySettingsBackend* memory = new shell::MemorySettingsBackend;
    shell::SettingsStore store{std::unique_ptr<shell::SettingsBackend>(memory)};
    ui::CalculatorWindow w{model};
    TrayController tray{w, model, store};
    bool hasTray = true;
    bool calcOnTop = false;

    explicit Tray(bool withTray = true) : hasTray(withTray) {
        tray.trayAvailable = [this] { return hasTray; };
        engine::offerToolbarCatalogue(model.commands(), model.feedback());
        model.commands().add(engine::CommandId::CalcOnTop, [this] { calcOnTop = !calcOnTop; },
                             [this] { return calcOnTop; });
        w.show();
    }
    bool checked(const char* command) { return model.commands().checked(command).value_or(false); }
    bool hideEnabled() {
        w.refreshActions();
        return w.action("Hide Main Window")->isEnabled();
    }
    QRect screen() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

}  // namespace

TEST(Tray, WithoutANotificationAreaTrayModeIsRefusedAndTheLabelStillWorks) {
    Tray t(false);
    t.model.runCommand("Show in Tray");
    EXPECT_FALSE(t.tray.trayMode());
    EXPECT_EQ(t.fb.messageTexts(), std::vector<std::string>{TrayController::kNoTrayText});
    EXPECT_FALSE(t.hideEnabled());

    t.model.runCommand("Stay On Top");
    ASSERT_TRUE(t.tray.labelMode());
    EXPECT_TRUE(t.checked("Stay On Top"));
    EXPECT_FALSE(t.w.isVisible());
    EXPECT_TRUE(t.hideEnabled());

    // Off again: no tray to fall back on, so the calculator itself returns.
    t.model.runCommand("Stay On Top");
    EXPECT_FALSE(t.tray.labelMode());
    EXPECT_FALSE(t.tray.trayMode());
    EXPECT_TRUE(t.w.isVisible());
    EXPECT_EQ(t.fb.messages.size(), 1u);
    EXPECT_FALSE(t.hideEnabled());
}

TEST(Tray, TrayAndLabelExcludeEachOther) {
    Tray t;
    t.model.runCommand("Show in Tray");
    ASSERT_TRUE(t.tray.trayMode());
    EXPECT_TRUE(t.checked("Show in Tray"));
    EXPECT_EQ(t.tray.trayIcon()->toolTip(), "Launch Zorv Advanced Calculator");
    EXPECT_FALSE(t.tray.trayIcon()->icon().isNull());
    EXPECT_TRUE(t.hideEnabled());

    t.calcOnTop = true;
    t.model.runCommand("Stay On Top");
    EXPECT_TRUE(t.tray.labelMode());
    EXPECT_FALSE(t.tray.trayMode()) << "the label replaces the tray icon";
    EXPECT_FALSE(t.calcOnTop) << "the label switches Calc On Top off";

    // Label off with the tray off turns the tray on.
    t.model.runCommand("Stay On Top");
    EXPECT_FALSE(t.tray.labelMode());
    EXPECT_TRUE(t.tray.trayMode());

    t.model.runCommand("Stay On Top");
    ASSERT_TRUE(t.tray.labelMode());
    t.model.runCommand("Show in Tray");
    EXPECT_TRUE(t.tray.trayMode());
    EXPECT_FALSE(t.tray.labelMode());
    EXPECT_FALSE(t.checked("Stay On Top"));

    t.model.runCommand("Show in Tray");
    EXPECT_FALSE(t.tray.trayMode());
    EXPECT_FALSE(t.hideEnabled());
    EXPECT_TRUE(t.fb.messages.empty());
}

TEST(Tray, PopUpMenuItemsInOrder) {
    Tray t;
    std::vector<std::string> names, captions;
    QStringList clashes;
    test::menuClashes("tray menu", t.tray.mnuPopup()->actions(), clashes);
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join("\n").toStdString();
    for (QAction* a : t.tray.mnuPopup()->actions())
        if (!a->isSeparator()) {
            names.push_back(a->objectName().toStdString());
            captions.push_back(a->text().toStdString());
        }
    EXPECT_EQ(names, (std::vector<std::string>{
                         "mnuShow", "mnuHide", "mnuRemove", "mnuBaseConvert", "mnuConstruction",
                         "mnuCurrencyConvert", "mnuExprEval", "mnuProjectTimer", "mnuScratchPad",
                         "mnuSetAlarms", "mnuShowCalendar", "mnuTimeDateCalc", "mnuCancel", "mnuExit"}));
    EXPECT_EQ(captions.front(), "&Show Calculator");
    EXPECT_EQ(captions[4], "C&onstruction Calculator (ft/in)");
    EXPECT_EQ(captions.back(), "E&xit Calculator");

    int scratch = 0;
    t.model.commands().add(engine::CommandId::ScratchPad, [&] { ++scratch; });
    auto item = [&](const char* name) { return t.tray.mnuPopup()->findChild<QAction*>(name); };
    item("mnuScratchPad")->trigger();
    EXPECT_EQ(scratch, 1);
    item("mnuShowCalendar")->trigger();
    EXPECT_EQ(t.fb.messageTexts(),
              std::vector<std::string>{engine::notAvailableText("Show Calendar")});

    t.model.runCommand("Show in Tray");
    item("mnuHide")->trigger();
    EXPECT_FALSE(t.w.isVisible());
    item("mnuShow")->trigger();
    EXPECT_TRUE(t.w.isVisible());
    t.w.hide();
    item("mnuRemove")->trigger();
    EXPECT_FALSE(t.tray.trayMode());
    EXPECT_TRUE(t.w.isVisible());
}

TEST(Tray, IconClickShowsTheCalculatorAtItsStoredPlaceOrCentred) {
    Tray t;
    t.model.runCommand("Show in Tray");
    t.model.runCommand("Hide Main Window");
    EXPECT_FALSE(t.w.isVisible());
    t.w.move(0, 0);
    t.tray.trayActivated(QSystemTrayIcon::Trigger);
    ASSERT_TRUE(t.w.isVisible());
    const QSize size = t.w.frameGeometry().size();
    const QRect area = t.screen();
    EXPECT_NEAR(t.w.frameGeometry().left(), area.left() + (area.width() - size.width()) / 2, 1);
    EXPECT_NEAR(t.w.frameGeometry().top(), area.top() + (area.height() - size.height()) / 2, 1);

    t.store.WriteSetting("Startup", "Calc Top", "10");
    t.store.WriteSetting("Startup", "Calc Left", "20");
    t.tray.trayActivated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(t.w.pos(), QPoint(20, 10));

    // A place off the screen is pulled back onto it.
    t.store.WriteSetting("Startup", "Calc Left", "99999");
    t.tray.trayActivated(QSystemTrayIcon::Trigger);
    EXPECT_LE(t.w.frameGeometry().right(), area.right() + 1);

    // A double-click shows it where it is.
    t.w.move(30, 40);
    t.w.hide();
    t.tray.trayActivated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(t.w.isVisible());
    EXPECT_EQ(t.w.pos(), QPoint(30, 40));
}

TEST(ShowLabel, OpensCentredAtTheTopAndTogglesTheCalculator) {
    Tray t;
    t.model.runCommand("Stay On Top");
    ShowLabelWindow* label = t.tray.calcShow();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->objectName(), "CalcShow");
    EXPECT_TRUE(label->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(label->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(label->lblShow()->text(), "Show Zorv Calculator ");
    EXPECT_EQ(label->CalcStatus(), 0);
    EXPECT_EQ(label->size(), label->lblShow()->size());
    const QRect area = t.screen();
    EXPECT_EQ(label->y(), area.top());
    EXPECT_NEAR(label->x(), area.left() + (area.width() - label->width()) / 2, 1);
    EXPECT_FALSE(t.w.isVisible());

    QTest::mouseDClick(label->lblShow(), Qt::LeftButton);
    EXPECT_TRUE(t.w.isVisible());
    EXPECT_EQ(label->CalcStatus(), -1);
    EXPECT_EQ(label->lblShow()->text(), "Hide Zorv Calculator ");
    EXPECT_EQ(label->size(), label->lblShow()->size());

    // "Hide Main Window" acts as a double-click on the label.
    t.model.runCommand("Hide Main Window");
    EXPECT_FALSE(t.w.isVisible());
    EXPECT_EQ(label->lblShow()->text(), "Show Zorv Calculator ");
}

TEST(ShowLabel, DragsWithTheLeftButtonOnly) {
    Tray t;
    t.model.runCommand("Stay On Top");
    ShowLabelWindow* label = t.tray.calcShow();
    ASSERT_NE(label, nullptr);
    QLabel* l = label->lblShow();
    const QPoint start = label->pos();
    auto drag = [&](Qt::MouseButton button) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), l->mapToGlobal(QPointF(5, 5)),
                          button, button, Qt::NoModifier);
        QApplication::sendEvent(l, &press);
        QMouseEvent move(QEvent::MouseMove, QPointF(45, 25), l->mapToGlobal(QPointF(45, 25)),
                         Qt::NoButton, button, Qt::NoModifier);
        QApplication::sendEvent(l, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(45, 25),
                            l->mapToGlobal(QPointF(45, 25)), button, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(l, &release);
    };
    drag(Qt::RightButton);
    EXPECT_EQ(label->pos(), start);
    drag(Qt::LeftButton);
    EXPECT_EQ(label->pos(), start + QPoint(40, 20));
    EXPECT_FALSE(t.w.isVisible()) << "a drag is no click";
}
