// The keypad drawn as one widget behaves as a grid of push buttons: where
// the keys sit, how the mouse and the keyboard press them, and that what it
// paints follows the palette.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "platform/ThemeColours.h"
#include "tests/support/KeypadKeys.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/KeypadWidget.h"

using namespace zorv;
using engine::CommandId;

namespace {

struct Window {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    ui::CalculatorWindow w{model};
    ui::KeypadWidget& pad = *w.keypad();
    Window() {
        model.modes().financial = false;
        model.modes().formatNumbers = false;
        model.modes().carryResult = false;
        w.show();
        w.activateWindow();
        QApplication::setActiveWindow(&w);
        QApplication::processEvents();
    }
    int at(CommandId c) const { return pad.indexOf(c); }
    QRect rect(CommandId c) const { return pad.keyRect(at(c)); }
    QString focusedCaption() const { return pad.key(pad.focusedKey()).caption; }
};

TEST(Keypad, KeysTileTheGridWithTheTallAndWideKeys) {
    Window t;
    ASSERT_EQ(t.pad.count(), 27);
    const QRect five = t.rect(CommandId::Digit5);
    EXPECT_GE(five.width(), 48);
    EXPECT_GE(five.height(), 34);
    // "+" and "=" are two keys tall, "0" two keys wide, each with the gap
    // between the keys it replaces.
    EXPECT_EQ(t.rect(CommandId::Total).top(), t.rect(CommandId::Digit1).top());
    EXPECT_EQ(t.rect(CommandId::Total).bottom(), t.rect(CommandId::DecimalPoint).bottom());
    EXPECT_EQ(t.rect(CommandId::Add).height(), t.rect(CommandId::Total).height());
    EXPECT_EQ(t.rect(CommandId::Digit0).left(), t.rect(CommandId::Digit1).left());
    EXPECT_EQ(t.rect(CommandId::Digit0).right(), t.rect(CommandId::Digit2).right());
    EXPECT_GT(t.rect(CommandId::Total).height(), 2 * five.height());
    // No two keys overlap, every key lies inside the keypad, and a point on
    // a key finds that key.
    for (int i = 0; i < t.pad.count(); ++i) {
        EXPECT_TRUE(t.pad.rect().contains(t.pad.keyRect(i))) << i;
        EXPECT_EQ(t.pad.keyAt(t.pad.keyRect(i).center()), i);
        for (int j = i + 1; j < t.pad.count(); ++j)
            EXPECT_FALSE(t.pad.keyRect(i).intersects(t.pad.keyRect(j))) << i << " " << j;
    }
    // The gap between keys belongs to none.
    EXPECT_EQ(t.pad.keyAt(QPoint(five.right() + 2, five.center().y())), -1);
}

TEST(Keypad, MouseClicksOnReleaseOverTheSameKeyOnly) {
    Window t;
    const QRect five = t.rect(CommandId::Digit5);
    QTest::mousePress(&t.pad, Qt::LeftButton, {}, five.center());
    EXPECT_EQ(t.pad.pressedKey(), t.at(CommandId::Digit5));
    EXPECT_EQ(t.model.readout(), "0.");  // nothing until the release
    QTest::mouseRelease(&t.pad, Qt::LeftButton, {}, five.center());
    EXPECT_EQ(t.pad.pressedKey(), -1);
    EXPECT_EQ(t.model.readout(), "5.");

    // Dragged off the key, the press is drawn released and cancelled.
    QTest::mousePress(&t.pad, Qt::LeftButton, {}, five.center());
    QMouseEvent move(QEvent::MouseMove, QPointF(t.rect(CommandId::Digit9).center()),
                     t.pad.mapToGlobal(QPointF(t.rect(CommandId::Digit9).center())), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&t.pad, &move);
    EXPECT_EQ(t.pad.pressedKey(), -1);
    EXPECT_EQ(t.pad.hoveredKey(), t.at(CommandId::Digit9));
    QTest::mouseRelease(&t.pad, Qt::LeftButton, {}, t.rect(CommandId::Digit9).center());
    EXPECT_EQ(t.model.readout(), "5.");

    // Other buttons and the gaps do nothing.
    QTest::mouseClick(&t.pad, Qt::RightButton, {}, five.center());
    QTest::mouseClick(&t.pad, Qt::LeftButton, {}, QPoint(five.right() + 2, five.center().y()));
    EXPECT_EQ(t.model.readout(), "5.");
}

TEST(Keypad, ArrowsMoveBetweenUsableKeysAndSpaceOrEnterPressesTheFocusedOne) {
    Window t;
    t.w.focusTotalKey();
    ASSERT_TRUE(t.pad.hasFocus());
    ASSERT_EQ(t.focusedCaption(), "=");
    auto press = [&](Qt::Key key) { QTest::keyClick(&t.pad, key); };
    t.w.setAttribute(Qt::WA_KeyboardFocusChange, false);
    press(Qt::Key_Left);
    EXPECT_EQ(t.focusedCaption(), "+");
    EXPECT_TRUE(t.w.testAttribute(Qt::WA_KeyboardFocusChange));  // the focus frame shows
    press(Qt::Key_Left);
    EXPECT_EQ(t.focusedCaption(), "3");
    press(Qt::Key_Down);
    EXPECT_EQ(t.focusedCaption(), ".");
    press(Qt::Key_Left);
    EXPECT_EQ(t.focusedCaption(), "0");  // the wide key
    press(Qt::Key_Left);
    EXPECT_EQ(t.focusedCaption(), "0");  // the edge: stays
    press(Qt::Key_Up);
    EXPECT_EQ(t.focusedCaption(), "1");
    // Up from "x²" passes over the square root key, which this calculator
    // lacks (disabled), to "%".
    ASSERT_FALSE(t.pad.keyUsable(t.at(CommandId::SquareRoot)));
    t.pad.setFocusedKey(t.at(CommandId::Square));
    press(Qt::Key_Up);
    EXPECT_EQ(t.focusedCaption(), "%");

    // Space presses on release, drawn pressed while held; Enter at once.
    t.pad.setFocusedKey(t.at(CommandId::Digit7));
    QTest::keyPress(&t.pad, Qt::Key_Space);
    EXPECT_EQ(t.pad.pressedKey(), t.at(CommandId::Digit7));
    EXPECT_EQ(t.model.readout(), "0.");
    QTest::keyRelease(&t.pad, Qt::Key_Space);
    EXPECT_EQ(t.model.readout(), "7.");
    t.pad.setFocusedKey(t.at(CommandId::Digit8));
    QTest::keyClick(&t.pad, Qt::Key_Return);
    EXPECT_EQ(t.model.readout(), "78.");
    // The focused key is pressed, not the calculator's "Enter totals".
    EXPECT_TRUE(t.w.shownTapeText().isEmpty());

    // Back on "=", Enter totals as everywhere else in the window.
    t.w.focusTotalKey();
    QTest::keyClick(&t.pad, Qt::Key_Plus);
    QTest::keyClick(&t.pad, Qt::Key_Enter, Qt::KeypadModifier);
    const QString tape = t.w.shownTapeText();
    EXPECT_TRUE(tape.startsWith("78+\n")) << tape.toStdString();
    EXPECT_TRUE(tape.endsWith("******************\n")) << tape.toStdString();
}

// In a right-to-left language the keypad is mirrored, as a grid layout
// would be, and the arrow keys follow the screen.
TEST(Keypad, RightToLeftMirrorsTheKeysAndTheArrows) {
    Window t;
    const QRect ltrTotal = t.rect(CommandId::Total);
    t.pad.setLayoutDirection(Qt::RightToLeft);
    const QRect total = t.rect(CommandId::Total);
    EXPECT_EQ(total.left(), t.pad.width() - 1 - ltrTotal.right());
    EXPECT_LT(total.left(), t.rect(CommandId::Add).left());
    t.w.focusTotalKey();
    QTest::keyClick(&t.pad, Qt::Key_Right);
    EXPECT_EQ(t.focusedCaption(), "+");
    t.pad.setLayoutDirection(Qt::LeftToRight);
    EXPECT_EQ(t.rect(CommandId::Total), ltrTotal);
}

TEST(Keypad, FocusLeavingMidPressCancelsTheSpacePress) {
    Window t;
    t.w.focusTotalKey();
    t.pad.setFocusedKey(t.at(CommandId::Digit4));
    QTest::keyPress(&t.pad, Qt::Key_Space);
    t.w.txtTape()->setFocus();
    EXPECT_EQ(t.pad.pressedKey(), -1);
    QTest::keyRelease(&t.pad, Qt::Key_Space);
    EXPECT_EQ(t.model.readout(), "0.");
}

TEST(Keypad, TabReachesTheKeypadFromTheTape) {
    Window t;
    t.w.txtTape()->setFocus();
    ASSERT_TRUE(t.w.txtTape()->hasFocus());
    QTest::keyClick(t.w.txtTape(), Qt::Key_Tab);
    EXPECT_TRUE(t.pad.hasFocus());
    EXPECT_TRUE(t.pad.focusPolicy() & Qt::TabFocus);
}

TEST(Keypad, ToolTipIsTheKeysUnderThePointer) {
    Window t;
    const QRect recall = t.rect(CommandId::MemoryRecall);
    QHelpEvent help(QEvent::ToolTip, recall.center(), t.pad.mapToGlobal(recall.center()));
    QApplication::sendEvent(&t.pad, &help);
    EXPECT_EQ(QToolTip::text(), "Memory recall (Ctrl+R)");
    QToolTip::hideText();
}

// The memory keys are drawn in the palette's accent and the clear keys in
// its warning red, readable on the button face; a dark palette set later
// is followed without rebuilding the keys.
TEST(Keypad, CaptionsArePaintedInThePaletteColoursOfTheirKind) {
    Window t;
    QPalette dark = t.pad.palette();
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Link, QColor(0x2b, 0x57, 0x97));  // too faint on the face as it is
    t.pad.setPalette(dark);
    const QColor accent = platform::accentOnButton(dark);
    const QColor warning = platform::warningOnButton(dark);
    EXPECT_EQ(t.pad.captionColour(t.at(CommandId::MemoryRecall)), accent);
    EXPECT_EQ(t.pad.captionColour(t.at(CommandId::ClearEntry)), warning);
    EXPECT_EQ(t.pad.captionColour(t.at(CommandId::Digit5)), dark.color(QPalette::ButtonText));
    EXPECT_GE(platform::contrastRatio(accent, dark.color(QPalette::Button)), 4.5);

    // And those are the colours on the screen: the caption's pixels carry
    // the key's colour (allowing for smoothing at the glyphs' edges).
    const QImage image = t.pad.grab().toImage();
    auto shows = [&](CommandId key, const QColor& colour) {
        const QRect r = t.rect(key);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                        std::abs(c.blue() - colour.blue()) <= 24)
                    return true;
            }
        return false;
    };
    EXPECT_TRUE(shows(CommandId::MemoryRecall, accent));
    EXPECT_TRUE(shows(CommandId::Clear, warning));
    EXPECT_FALSE(shows(CommandId::Digit5, accent));
    EXPECT_FALSE(shows(CommandId::MemoryRecall, warning));
}

}  // namespace
