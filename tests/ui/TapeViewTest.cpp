// The tape as the window shows it: amounts line up on the decimal symbol
// whether or not an operator follows them, while the text that is found,
// copied, edited, saved and printed stays the tape's own.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"
#include "engine/TapeCommands.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/MainWindowCommands.h"

using namespace zorv;

namespace {

struct Window {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    engine::TapeCommands tapeCommands{model};
    ui::CalculatorWindow w{model};
    ui::MainWindowCommands commands{w, model, &tapeCommands, nullptr};
    Window() {
        engine::registerTapeCommands(model, tapeCommands);
        w.refreshActions();
        w.show();
        w.activateWindow();
        QApplication::setActiveWindow(&w);
    }
    void keys(const std::string& script) {
        const auto ks = engine::parseKeyScript(script);
        for (const auto& a : ks.answers) fb.answer(a);
        engine::runKeyScript(model, ks, nullptr);
    }
    // Column, counted from the line's right end, of the decimal symbol.
    int decimalColumn(int block) const {
        const QString line = w.txtTape()->document()->findBlockByNumber(block).text();
        return static_cast<int>(line.size() - line.lastIndexOf(QLatin1Char('.')));
    }
};

TEST(TapeView, ItemsAndTotalsLineUpOnTheDecimalSymbolButTheTextIsUnchanged) {
    Window t;
    t.model.modes().mnuFinCalcMode = true;
    t.keys("12.5+7.25=");
    const std::string saved = "12.50+\r\n7.25=\r\n------------------\r\n19.75\r\n******************\r\n";
    ASSERT_EQ(t.model.tape().text(), saved);
    EXPECT_EQ(t.decimalColumn(0), t.decimalColumn(3));  // item and total
    EXPECT_EQ(t.decimalColumn(1), t.decimalColumn(3));
    // The separators are drawn as they are.
    EXPECT_EQ(t.w.txtTape()->document()->findBlockByNumber(2).text(), "------------------");
    EXPECT_EQ(t.w.shownTapeText(), QString::fromStdString(saved).replace("\r\n", "\n"));

    // A line ending in the decimal symbol already lines up with the items.
    t.model.modes().mnuFinCalcMode = false;
    t.keys("5+3=");
    EXPECT_EQ(t.w.txtTape()->document()->findBlockByNumber(8).text(), "8.");
}

TEST(TapeView, FindCopyAndEditSeeTheTapesOwnText) {
    Window t;
    t.model.modes().mnuFinCalcMode = true;
    t.keys("1+2={Annotate Tape}[Rent]4.5=");
    const QString text = QString::fromStdString(t.model.tape().text()).replace("\r\n", "\n");
    t.keys("{Find On Tape}[Rent]");
    EXPECT_EQ(t.w.txtTape()->textCursor().selectedText(), "Rent");
    t.keys("{Find On Tape}[4.50]");
    EXPECT_EQ(t.w.txtTape()->textCursor().selectedText(), "4.50");

    QTextCursor all(t.w.txtTape()->document());
    all.select(QTextCursor::Document);
    t.w.txtTape()->setTextCursor(all);
    QTest::keyClick(&t.w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), text.toStdString());

    // Unlocking and locking again without a change keeps the text exactly.
    const std::string before = t.model.tape().text();
    t.model.runCommand("Edit Tape");
    t.model.runCommand("Edit Tape");
    EXPECT_EQ(t.model.tape().text(), before);
}

TEST(TapeView, ViewPositionsCountTheSpacingBeforeEachLineBreak) {
    const std::string tape = "1.00+\r\n2.00\r\nRent\r\n3.";
    EXPECT_EQ(ui::CalculatorWindow::tapeViewPosition(tape, 0), 0);
    EXPECT_EQ(ui::CalculatorWindow::tapeViewPosition(tape, 7), 6);    // "2.00"
    EXPECT_EQ(ui::CalculatorWindow::tapeViewPosition(tape, 13), 12);  // "Rent": one pad before it
    EXPECT_EQ(ui::CalculatorWindow::tapeViewPosition(tape, tape.size()), 19);
    EXPECT_EQ(ui::CalculatorWindow::tapeViewPosition(tape, 999), 19);
}

TEST(TapeView, NewestLineStaysInViewAndTheTapeNeverScrollsSideways) {
    Window t;
    for (int i = 0; i < 200; ++i) t.model.PostToTape(std::to_string(i) + "+");
    t.model.PostToTape(std::string(120, '7'));  // longer than the tape is wide
    QScrollBar* bar = t.w.txtTape()->verticalScrollBar();
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());
    t.w.resize(t.w.width(), t.w.height() + 200);
    QApplication::processEvents();
    t.w.resize(t.w.width(), t.w.height() - 250);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(t.w.txtTape()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(t.w.txtTape()->horizontalScrollBar()->value(), 0);

    // Scrolled back by the user, the view stays where the user put it.
    bar->setValue(0);
    t.w.resize(t.w.width(), t.w.height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), 0);
}

TEST(TapeView, ExtraRoomGoesToTheTapeNotTheKeys) {
    Window t;
    QApplication::processEvents();
    const QSize key = t.w.keypad()->keyRect(t.w.keypad()->indexOf(engine::CommandId::Digit5)).size();
    const int tapeWidth = t.w.txtTape()->width();
    t.w.resize(t.w.width() + 300, t.w.height() + 300);
    QApplication::processEvents();
    EXPECT_EQ(t.w.keypad()->keyRect(t.w.keypad()->indexOf(engine::CommandId::Digit5)).size(), key);
    EXPECT_GE(t.w.txtTape()->width(), tapeWidth + 290);
    EXPECT_GE(t.w.txtTape()->height(), t.w.height() / 2);
}

// A long tape goes into the view in slices from the event loop; lines typed
// meanwhile land after it, and commands that need the whole tape get it.
TEST(TapeView, LongTapeLoadsInSlicesWithoutLosingLines) {
    Window t;
    std::string text;
    for (int i = 0; i < 60000; ++i) text += std::to_string(i) + ".25+\r\n";
    t.model.tape().setText(text);
    EXPECT_TRUE(t.w.tapeLoading());
    EXPECT_LT(t.w.txtTape()->document()->blockCount(), 60000);
    t.model.PostToTape("1.00+");
    for (int i = 0; i < 1000 && t.w.tapeLoading(); ++i) QApplication::processEvents();
    EXPECT_FALSE(t.w.tapeLoading());
    const QTextDocument* doc = t.w.txtTape()->document();
    EXPECT_EQ(doc->blockCount(), 60002);  // and the empty line after the last break
    EXPECT_EQ(doc->findBlockByNumber(59999).text(), "59999.25+");
    EXPECT_EQ(doc->findBlockByNumber(60000).text(), "1.00+");

    // Edit Tape while a tape is still going in edits all of it.
    t.model.tape().setText(text);
    ASSERT_TRUE(t.w.tapeLoading());
    t.model.runCommand("Edit Tape");
    EXPECT_FALSE(t.w.tapeLoading());
    EXPECT_EQ(doc->blockCount(), 60001);
    t.model.runCommand("Edit Tape");
    EXPECT_EQ(t.model.tape().text(), text);
}

}  // namespace
