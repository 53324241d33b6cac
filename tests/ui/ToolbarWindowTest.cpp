// The toolbar on the main window: captions, clicks, Alt+digit, the set-up
// window, the press and hover look, and hiding the strip.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "shell/SettingsStore.h"
#include "shell/ToolbarButtons.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/ToolbarController.h"
#include "ui/main/ToolbarSetupDialog.h"
#include "tests/support/Mnemonics.h"

using namespace zorv;

namespace {

struct Toolbar {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    shell::MemorySettingsBackend* memory = new shell::MemorySettingsBackend;
    shell::SettingsStore store{std::unique_ptr<shell::SettingsBackend>(memory)};
    shell::ToolbarButtons buttons{model.commands(), model.feedback(), store};
    ui::CalculatorWindow w{model};
    ui::ToolbarController controller{w, model, buttons};
    std::vector<std::string> ran;

    Toolbar() {
        for (const char* name : {"Tape to Scratch Pad", "Annotate Tape"})
            model.commands().add(*engine::commandByText(name), [this, name] { ran.emplace_back(name); });
        buttons.load();
        w.show();
    }
    std::string stored(const std::string& key) { return store.ReadSetting("Buttons", key, "<absent>"); }

    // Runs `act` on the set-up window once it is open, while `open` opens it.
    bool withSetup(const std::function<void()>& open, const std::function<void(ui::ToolbarSetupDialog&)>& act) {
        bool seen = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            // The open dialog is looked up among the top-level windows: on the
            // offscreen platform it need not become the active modal widget.
            ui::ToolbarSetupDialog* d = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* s = qobject_cast<ui::ToolbarSetupDialog*>(w); s && s->isVisible()) d = s;
            if (!d || seen) return;
            seen = true;
            poll.stop();
            act(*d);
            if (d->isVisible()) d->reject();
        });
        poll.start();
        open();
        for (int i = 0; i < 100 && !seen; ++i) QTest::qWait(10);
        return seen;
    }
};

}  // namespace

TEST(ToolbarWindow, FreshButtonsOpenSetUpForTheirNumber) {
    Toolbar t;
    EXPECT_EQ(t.w.comToolbar(0)->text(), "Set…");
    EXPECT_EQ(t.w.comToolbar(0)->accessibleName(), "Toolbar button 1, not set");
    EXPECT_EQ(t.w.comToolbar(8)->toolTip(), "Right Click to Set Button");
    EXPECT_TRUE(t.w.comToolbar(4)->isEnabled());
    QString title;
    QStringList clashes;
    EXPECT_TRUE(t.withSetup([&] { QTest::mouseClick(t.w.comToolbar(2), Qt::LeftButton); },
                            [&](ui::ToolbarSetupDialog& d) {
                                title = d.windowTitle();
                                clashes = test::windowClashes(&d);
                            }));
    EXPECT_EQ(title, "Setup Button # 3");
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join("\n").toStdString();
}

TEST(ToolbarWindow, SetUpBindsTheButtonAndCancelChangesNothing) {
    Toolbar t;
    const auto pickTape8 = [](ui::ToolbarSetupDialog& d) {
        EXPECT_EQ(d.objectName(), "frmToolBarSet");
        ASSERT_EQ(d.cmbMenu()->count(), 5);
        EXPECT_EQ(d.cmbMenu()->itemText(4), "Tape");
        EXPECT_FALSE(d.comExit(0)->isEnabled()) << "nothing chosen yet";
        d.cmbMenu()->setCurrentIndex(4);
        ASSERT_EQ(d.lstItems()->count(), 8);
        EXPECT_EQ(d.lstItems()->item(0)->text(), "Annotate Tape");
        d.lstItems()->setCurrentRow(0);
        EXPECT_EQ(d.lblSelected(1)->text(), "Annotate Tape (Tap1)");
        // Chosen with the mouse, as a user does.
        QListWidget* list = d.lstItems();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(7)).center());
        EXPECT_EQ(d.lblSelected(1)->text(), "Tape to Scratch Pad (Tap8)");
        EXPECT_TRUE(d.comExit(0)->isEnabled());
        EXPECT_EQ(d.comExit(0)->text(), "&OK");
        EXPECT_EQ(d.comExit(1)->text(), "&Cancel");
    };

    // Cancel after choosing: caption, tool tip and store stay as they were.
    EXPECT_TRUE(t.withSetup([&] { QTest::mousePress(t.w.comToolbar(8), Qt::RightButton); QTest::qWait(20); },
                            [&](ui::ToolbarSetupDialog& d) {
                                pickTape8(d);
                                QTest::mouseClick(d.comExit(1), Qt::LeftButton);
                            }));
    QTest::mouseRelease(t.w.comToolbar(8), Qt::RightButton);
    EXPECT_EQ(t.w.comToolbar(8)->text(), "Set…");
    EXPECT_EQ(t.w.comToolbar(8)->toolTip(), "Right Click to Set Button");
    EXPECT_EQ(t.stored("9Caption"), "<absent>");
    EXPECT_EQ(t.stored("9ToolTip"), "<absent>");

    EXPECT_TRUE(t.withSetup([&] { QTest::mousePress(t.w.comToolbar(8), Qt::RightButton); QTest::qWait(20); },
                            [&](ui::ToolbarSetupDialog& d) {
                                pickTape8(d);
                                QTest::mouseClick(d.comExit(0), Qt::LeftButton);
                            }));
    QTest::mouseRelease(t.w.comToolbar(8), Qt::RightButton);
    EXPECT_EQ(t.w.comToolbar(8)->text(), "Tap8");
    EXPECT_EQ(t.w.comToolbar(8)->toolTip(), "Tape to Scratch Pad");
    EXPECT_EQ(t.stored("9Caption"), "Tap8");
    EXPECT_EQ(t.stored("9ToolTip"), "Tape to Scratch Pad");

    // Now a left click runs the command, and Alt+9 does the same.
    QTest::mouseClick(t.w.comToolbar(8), Qt::LeftButton);
    QTest::keyClick(&t.w, Qt::Key_9, Qt::AltModifier);
    EXPECT_EQ(t.ran, (std::vector<std::string>{"Tape to Scratch Pad", "Tape to Scratch Pad"}));

    // Re-opening set-up shows the current binding selected.
    EXPECT_TRUE(t.withSetup([&] { t.controller.openSetup(8); }, [&](ui::ToolbarSetupDialog& d) {
        EXPECT_EQ(d.cmbMenu()->currentText(), "Tape");
        EXPECT_EQ(d.lblSelected(1)->text(), "Tape to Scratch Pad (Tap8)");
        EXPECT_TRUE(d.comExit(0)->isEnabled());
    }));
}

TEST(ToolbarWindow, HoverAndPressLook) {
    Toolbar t;
    t.buttons.bind(3, 4, 1);  // a bound button: its click runs "Annotate Tape"
    QPushButton* b = t.w.comToolbar(3);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(b, &enter);
    EXPECT_EQ(t.controller.hoveredButton(), 3);
    const QColor hover = QApplication::palette().color(QPalette::ToolTipBase);
    const QColor hoverInk = QApplication::palette().color(QPalette::ToolTipText);
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(b->palette().color(QPalette::Button), hover);
    EXPECT_EQ(b->palette().color(QPalette::ButtonText), hoverInk);
    EXPECT_EQ(t.w.comToolbar(4)->palette().color(QPalette::Button), face);
    for (int i = 0; i < 9; ++i) {
        EXPECT_TRUE(t.w.comToolbar(i)->isFlat());
        EXPECT_TRUE(t.w.comToolbar(i)->styleSheet().isEmpty());
    }

    QTest::mousePress(b, Qt::LeftButton);
    EXPECT_EQ(t.controller.pressedButton(), 3);
    EXPECT_TRUE(b->isDown());
    QTest::mouseRelease(b, Qt::LeftButton);
    EXPECT_EQ(t.controller.pressedButton(), -1);
    EXPECT_EQ(t.ran, std::vector<std::string>{"Annotate Tape"});

    QTest::mouseMove(t.w.tbToolbar(), QPoint(t.w.tbToolbar()->width() - 2, 1));
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(t.w.tbToolbar(), &move);
    EXPECT_EQ(t.controller.hoveredButton(), -1);
    EXPECT_EQ(b->palette().color(QPalette::Button), face);
}

TEST(ToolbarWindow, HideShowToolbarTogglesStripAndCaption) {
    Toolbar t;
    QAction* a = t.w.action("Hide/Show Toolbar");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isEnabled());
    EXPECT_EQ(a->text(), "Hide Toolbar");
    a->trigger();
    EXPECT_FALSE(t.w.tbToolbar()->isVisible());
    EXPECT_EQ(a->text(), "Show Toolbar");
    t.model.runCommand("Hide/Show Toolbar");
    EXPECT_TRUE(t.w.tbToolbar()->isVisible());
    EXPECT_EQ(a->text(), "Hide Toolbar");
}
