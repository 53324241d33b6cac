// No two entries of a menu, and no two controls of the main window, share
// an Alt+letter: with a clash the first press is swallowed.
#include <gtest/gtest.h>

#include <QMenuBar>

#include "convert/QuickConversions.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "tests/support/Mnemonics.h"
#include "ui/main/CalculatorWindow.h"

using namespace zorv;

TEST(Mnemonics, ReadsTheLetterAfterASingleAmpersand) {
    EXPECT_EQ(test::mnemonicOf("&File"), QChar(u'f'));
    EXPECT_EQ(test::mnemonicOf("Save &As"), QChar(u'a'));
    EXPECT_TRUE(test::mnemonicOf("R&&D").isNull());
    EXPECT_EQ(test::mnemonicOf("R&&D &Notes"), QChar(u'n'));
    EXPECT_TRUE(test::mnemonicOf("plain").isNull());
}

TEST(Mnemonics, NoMenuOfTheMainWindowHasTwoEntriesOnOneLetter) {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    convert::QuickConversions conversions{model};
    ui::CalculatorWindow w{model, &conversions};
    w.show();
    w.fillAllMenus();  // menus are otherwise filled when first opened
    const QStringList clashes = test::menuBarClashes(w.menuBar());
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join("\n").toStdString();
    const QStringList controls = test::windowClashes(&w);
    EXPECT_TRUE(controls.isEmpty()) << controls.join("\n").toStdString();
}
