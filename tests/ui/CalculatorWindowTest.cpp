// The main window as a user drives it: clicks and typed keys reach the model,
// and the readout, labels and tape show what the model holds.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QTest>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "tests/support/KeypadKeys.h"
#include "ui/main/CalculatorWindow.h"

using namespace zorv;

namespace {

struct Window {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    ui::CalculatorWindow w{model};
    Window() {
        model.modes().financial = false;
        model.modes().formatNumbers = false;
        model.modes().carryResult = false;
        w.show();
        w.activateWindow();
        QApplication::setActiveWindow(&w);
    }
    QString tape() { return w.shownTapeText(); }
};

TEST(CalculatorWindow, ClickingKeysTotalsOnTheTape) {
    Window t;
    test::clickKey(t.w, engine::CommandId::Digit5);
    test::clickKey(t.w, engine::CommandId::Add);
    test::clickKey(t.w, engine::CommandId::Digit3);
    EXPECT_EQ(t.w.Readout()->text(), "3.");
    EXPECT_EQ(t.w.lblHint()->text(), "Press F1 for Help [Adding]");
    test::clickKey(t.w, engine::CommandId::Total);
    EXPECT_EQ(t.tape(), "5+\n3=\n------------------\n8.\n******************\n");
    EXPECT_EQ(t.w.Readout()->text(), "0.");
}

TEST(CalculatorWindow, TypedKeysGoToTheCalculatorWhereverTheFocusIs) {
    Window t;
    t.w.txtTape()->setFocus();
    QTest::keyClicks(t.w.txtTape(), "12*3");
    QTest::keyClick(t.w.txtTape(), Qt::Key_Return);
    EXPECT_TRUE(t.tape().contains("\n36.\n")) << t.tape().toStdString();
    QTest::keyClicks(&t.w, "7");
    QTest::keyClick(&t.w, Qt::Key_Delete);
    EXPECT_EQ(t.w.Readout()->text(), "0.");
}

TEST(CalculatorWindow, MemoryLabelsFollowTheRegister) {
    Window t;
    auto* value = t.w.findChild<QLabel*>("lblMemValue");
    ASSERT_NE(value, nullptr);
    EXPECT_TRUE(value->isHidden());
    QTest::keyClicks(&t.w, "42");
    test::clickKey(t.w, "MS");
    EXPECT_FALSE(value->isHidden());
    EXPECT_EQ(value->text(), "42.");
    test::clickKey(t.w, "MC");
    EXPECT_TRUE(value->isHidden());
}

// The common calculator keys: Escape clears the entry, F9 changes the sign,
// Ctrl+M, Ctrl+R and Ctrl+L store, recall and clear the memory.
TEST(CalculatorWindow, CommonCalculatorKeysReachTheirCommands) {
    Window t;
    auto* value = t.w.findChild<QLabel*>("lblMemValue");
    ASSERT_NE(value, nullptr);
    QTest::keyClicks(&t.w, "42");
    QTest::keyClick(&t.w, Qt::Key_F9);
    EXPECT_EQ(t.w.Readout()->text(), "-42.");
    QTest::keyClick(&t.w, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(value->text(), "-42.");
    QTest::keyClick(&t.w, Qt::Key_Escape);
    EXPECT_EQ(t.w.Readout()->text(), "0.");
    QTest::keyClick(&t.w, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(t.w.Readout()->text(), "-42.");
    QTest::keyClick(&t.w, Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(value->isHidden());
}

TEST(CalculatorWindow, KeysAndMenuItemsOfMissingCommandsAreDisabled) {
    Window t;
    const int root = test::keyIndex(t.w, "Square Root");
    ASSERT_GE(root, 0);
    EXPECT_FALSE(t.w.keypad()->keyUsable(root));
    // A click on a disabled key runs nothing.
    int runs = 0;
    test::clickKey(t.w, "Square Root");
    t.model.commands().add(engine::CommandId::SquareRoot, [&runs] { ++runs; });
    EXPECT_EQ(runs, 0);
    t.w.refreshActions();
    EXPECT_TRUE(t.w.keypad()->keyUsable(root));
    test::clickKey(t.w, "Square Root");
    EXPECT_EQ(runs, 1);
}

// Menus are filled when first opened; items with a keyboard shortcut exist
// from the start so their keys work, and take their place when it opens.
TEST(CalculatorWindow, MenusFillWhenFirstOpened) {
    Window t;
    const QList<QAction*> bar = t.w.menuBar()->actions();
    ASSERT_FALSE(bar.isEmpty());
    for (QAction* m : bar) EXPECT_TRUE(m->menu()->actions().isEmpty()) << m->text().toStdString();
    QAction* recall = t.w.existingAction(engine::CommandId::MemoryRecall);
    ASSERT_NE(recall, nullptr);
    EXPECT_EQ(recall->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_EQ(t.w.existingAction(engine::CommandId::SquareRoot), nullptr);

    int filled = 0;
    for (QAction* m : bar) {
        emit m->menu()->aboutToShow();
        const QList<QAction*> items = m->menu()->actions();
        EXPECT_FALSE(items.isEmpty()) << m->text().toStdString();
        filled += static_cast<int>(items.contains(recall));
        emit m->menu()->aboutToShow();  // a second opening adds nothing
        EXPECT_EQ(m->menu()->actions().size(), items.size());
    }
    EXPECT_EQ(filled, 1);
    ASSERT_NE(t.w.existingAction(engine::CommandId::SquareRoot), nullptr);
    // An item made late still shows whether its command is there.
    EXPECT_FALSE(t.w.existingAction(engine::CommandId::SquareRoot)->isEnabled());
    EXPECT_TRUE(recall->isEnabled());
}

TEST(CalculatorWindow, ActionFillsItsMenuAndKeepsACaptionSetEarlier) {
    Window t;
    t.w.setActionText(engine::CommandId::SquareRoot, "Root");
    QAction* a = t.w.action(engine::CommandId::SquareRoot);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), "Root");
    EXPECT_FALSE(a->isEnabled());
    t.model.commands().add(engine::CommandId::SquareRoot, [] {});
    t.w.refreshActions();
    EXPECT_TRUE(a->isEnabled());
}

TEST(CalculatorWindow, FocusRestsOnEquals) {
    Window t;
    // A click on another key leaves it there.
    test::clickKey(t.w, engine::CommandId::Digit1);
    EXPECT_EQ(QApplication::focusWidget(), t.w.keypad());
    EXPECT_EQ(t.w.keypad()->focusedKey(), test::keyIndex(t.w, engine::CommandId::Total));
    // Moved elsewhere (another key, or out of the keypad), the focus comes
    // back to "=" when the calculator asks for it.
    QTest::keyClick(t.w.keypad(), Qt::Key_Up);
    EXPECT_NE(t.w.keypad()->focusedKey(), test::keyIndex(t.w, engine::CommandId::Total));
    t.w.txtTape()->setFocus();
    t.w.focusTotalKey();
    EXPECT_EQ(QApplication::focusWidget(), t.w.keypad());
    EXPECT_EQ(t.w.keypad()->focusedKey(), test::keyIndex(t.w, engine::CommandId::Total));
}

}  // namespace
