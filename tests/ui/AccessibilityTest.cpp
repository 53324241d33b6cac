// What assistive technology hears from the main window: every key and
// button has a spoken name (what it does, not its caption), the readout
// and tape have names and the tape is reachable with Tab.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include "convert/QuickConversions.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
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

TEST(Accessibility, EveryButtonHasASpokenName) {
    Window t;
    QStringList unnamed;
    for (QAbstractButton* b : t.w.findChildren<QAbstractButton*>())
        if (!b->objectName().startsWith("qt_") && b->accessibleName().isEmpty()) unnamed << b->objectName() + " \"" + b->text() + "\"";
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();

    EXPECT_EQ(t.w.key(engine::CommandId::MemoryRecall)->accessibleName(), "Memory recall");
    EXPECT_EQ(t.w.key(engine::CommandId::MemoryRecall)->accessibleDescription(), "Memory recall (Ctrl+R)");
    EXPECT_EQ(t.w.key(engine::CommandId::ClearEntry)->accessibleName(), "Clear entry");
    EXPECT_EQ(t.w.Operator(engine::OpEquals)->accessibleName(), "Total");
    EXPECT_EQ(t.w.comToolbar(3)->accessibleName(), "Toolbar button 4, not set");
}

TEST(Accessibility, ReadoutAndTapeAreNamedAndTheTapeTakesTabFocus) {
    Window t;
    QTest::keyClicks(&t.w, "12");
    EXPECT_EQ(t.w.Readout()->accessibleName(), "Readout 12.");
    EXPECT_EQ(t.w.txtTape()->accessibleName(), "Tape");
    EXPECT_TRUE(t.w.txtTape()->focusPolicy() & Qt::TabFocus);
}
