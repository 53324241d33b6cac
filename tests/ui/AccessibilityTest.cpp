// What assistive technology hears from the main window: every key and
// button has a spoken name (what it does, not its caption), the readout
// and tape have names and the tape is reachable with Tab.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include "convert/QuickConversions.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "tests/support/KeypadKeys.h"
#include "ui/main/CalculatorWindow.h"

using namespace zorv;

namespace {
struct Window {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    convert::QuickConversions conversions{model};
    ui::CalculatorWindow w{model, &conversions};
    Window() { w.show(); }
};
}  // namespace

TEST(Accessibility, EveryButtonAndKeyHasASpokenName) {
    Window t;
    QStringList unnamed;
    for (QAbstractButton* b : t.w.findChildren<QAbstractButton*>())
        if (!b->objectName().startsWith("qt_") && b->accessibleName().isEmpty()) unnamed << b->objectName() + " \"" + b->text() + "\"";
    // The keys as a screen reader finds them: buttons under the keypad.
    QAccessibleInterface* pad = QAccessible::queryAccessibleInterface(t.w.keypad());
    ASSERT_NE(pad, nullptr);
    ASSERT_EQ(pad->childCount(), t.w.keypad()->count());
    for (int i = 0; i < pad->childCount(); ++i) {
        QAccessibleInterface* key = pad->child(i);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->role(), QAccessible::Button);
        EXPECT_EQ(key->parent(), pad);
        EXPECT_EQ(pad->indexOfChild(key), i);
        if (key->text(QAccessible::Name).isEmpty() || key->text(QAccessible::Description).isEmpty())
            unnamed << t.w.keypad()->key(i).objectName + " \"" + t.w.keypad()->key(i).caption + "\"";
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();

    using engine::CommandId;
    EXPECT_EQ(test::keyInterface(t.w, CommandId::MemoryRecall)->text(QAccessible::Name), "Memory recall");
    EXPECT_EQ(test::keyInterface(t.w, CommandId::MemoryRecall)->text(QAccessible::Description),
              "Memory recall (Ctrl+R)");
    EXPECT_EQ(test::keyInterface(t.w, CommandId::ClearEntry)->text(QAccessible::Name), "Clear entry");
    EXPECT_EQ(test::keyInterface(t.w, CommandId::Total)->text(QAccessible::Name), "Total");
    EXPECT_EQ(test::keyInterface(t.w, CommandId::Digit7)->text(QAccessible::Name), "Digit 7");
    EXPECT_EQ(t.w.comToolbar(3)->accessibleName(), "Toolbar button 4, not set");
}

// What a screen reader can do with a key: find it at its place on the
// screen, hear whether it has the focus or can't be used, and press it.
TEST(Accessibility, KeysReportStateAndPlaceAndPressLikeAClick) {
    Window t;
    t.w.activateWindow();
    QApplication::setActiveWindow(&t.w);
    QAccessibleInterface* pad = QAccessible::queryAccessibleInterface(t.w.keypad());
    ASSERT_NE(pad, nullptr);
    using engine::CommandId;

    QAccessibleInterface* total = test::keyInterface(t.w, CommandId::Total);
    EXPECT_TRUE(total->state().focusable);
    EXPECT_TRUE(total->state().focused);
    EXPECT_EQ(pad->focusChild(), total);
    EXPECT_FALSE(test::keyInterface(t.w, CommandId::Digit5)->state().focused);

    // The rectangle is the key's on the screen, and the point finds the key.
    QAccessibleInterface* five = test::keyInterface(t.w, CommandId::Digit5);
    const QRect shown = five->rect();
    EXPECT_EQ(shown.size(), t.w.keypad()->keyRect(t.w.keypad()->indexOf(CommandId::Digit5)).size());
    EXPECT_EQ(pad->childAt(shown.center().x(), shown.center().y()), five);

    // A command the calculator lacks leaves its key unavailable, and the
    // press action does nothing then.
    QAccessibleInterface* root = test::keyInterface(t.w, CommandId::SquareRoot);
    EXPECT_TRUE(root->state().disabled);
    EXPECT_FALSE(five->state().disabled);

    QAccessibleActionInterface* press = five->actionInterface();
    ASSERT_NE(press, nullptr);
    EXPECT_TRUE(press->actionNames().contains(QAccessibleActionInterface::pressAction()));
    press->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(t.model.readout(), "5.");
    int roots = 0;
    root->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    t.model.commands().add(CommandId::SquareRoot, [&roots] { ++roots; });
    EXPECT_EQ(roots, 0);
    t.w.refreshActions();
    EXPECT_FALSE(root->state().disabled);
    root->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(roots, 1);

    // Hidden keys are invisible to the reader too.
    t.w.keypad()->hide();
    EXPECT_TRUE(five->state().invisible);
}

TEST(Accessibility, ReadoutAndTapeAreNamedAndTheTapeTakesTabFocus) {
    Window t;
    QTest::keyClicks(&t.w, "12");
    EXPECT_EQ(t.w.Readout()->accessibleName(), "Readout 12.");
    EXPECT_EQ(t.w.txtTape()->accessibleName(), "Tape");
    EXPECT_TRUE(t.w.txtTape()->focusPolicy() & Qt::TabFocus);
}
