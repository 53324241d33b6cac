// The tape as the window shows it: amounts line up on the decimal symbol
// whether or not an operator follows them, while the text that is found,
// copied, edited, saved and printed stays the tape's own.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QClipboard>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

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
        const QString line = w.txtTape()->shownLine(static_cast<std::size_t>(block));
        return static_cast<int>(line.size() - line.lastIndexOf(QLatin1Char('.')));
    }
};

TEST(TapeView, ItemsAndTotalsLineUpOnTheDecimalSymbolButTheTextIsUnchanged) {
    Window t;
    t.model.modes().financial = true;
    t.keys("12.5+7.25=");
    const std::string saved = "12.50+\r\n7.25=\r\n------------------\r\n19.75\r\n******************\r\n";
    ASSERT_EQ(t.model.tape().text(), saved);
    EXPECT_EQ(t.decimalColumn(0), t.decimalColumn(3));  // item and total
    EXPECT_EQ(t.decimalColumn(1), t.decimalColumn(3));
    // The separators are drawn as they are.
    EXPECT_EQ(t.w.txtTape()->shownLine(2), "------------------");
    EXPECT_EQ(t.w.shownTapeText(), QString::fromStdString(saved).replace("\r\n", "\n"));

    // A line ending in the decimal symbol already lines up with the items.
    t.model.modes().financial = false;
    t.keys("5+3=");
    EXPECT_EQ(t.w.txtTape()->shownLine(8), "8.");
}

TEST(TapeView, FindCopyAndEditSeeTheTapesOwnText) {
    Window t;
    t.model.modes().financial = true;
    t.keys("1+2={Annotate Tape}[Rent]4.5=");
    const QString text = QString::fromStdString(t.model.tape().text()).replace("\r\n", "\n");
    t.keys("{Find On Tape}[Rent]");
    EXPECT_EQ(t.w.txtTape()->selectedText(), "Rent");
    t.keys("{Find On Tape}[4.50]");
    EXPECT_EQ(t.w.txtTape()->selectedText(), "4.50");

    t.w.txtTape()->setFocus();
    QTest::keyClick(t.w.txtTape(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(t.w.txtTape(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), text.toStdString());

    // Unlocking and locking again without a change keeps the text exactly.
    const std::string before = t.model.tape().text();
    t.model.runCommand("Edit Tape");
    t.model.runCommand("Edit Tape");
    EXPECT_EQ(t.model.tape().text(), before);
}

TEST(TapeView, NewestLineStaysInViewAndTheTapeNeverScrollsSideways) {
    Window t;
    for (int i = 0; i < 200; ++i) t.model.postToTape(std::to_string(i) + "+");
    t.model.postToTape(std::string(120, '7'));  // longer than the tape is wide
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

// A view on a text of its own, fed as the model feeds the window's.
struct View {
    std::string text;
    ui::TapeView view{text};
    explicit View(QSize size = {300, 200}) {
        view.resize(size);
        view.show();
        QApplication::processEvents();
    }
    void post(const std::string& line) {
        const std::size_t from = text.size();
        text += line + "\r\n";
        view.textAppended(std::string_view(text).substr(from));
    }
    void replace(std::string with) {
        text = std::move(with);
        view.textReplaced();
    }
    void settle() {
        for (int i = 0; i < 10000 && view.indexing(); ++i) QApplication::processEvents();
    }
    // Middle of the view's n-th visual row from the top, at its left or
    // right edge.
    QPoint row(int n, bool right = false) const {
        const qreal height = QFontMetricsF(view.font()).height();
        const int y = ui::TapeView::kMargin + static_cast<int>(height * (n + 0.5));
        return {right ? view.viewport()->width() - 2 : 1, y};
    }
};

// Lines are found by byte offset in the CR LF text the model keeps; what is
// drawn adds a figure space after a final digit, and nothing else.
TEST(TapeView, LineIndexMapsBytesToLinesWithMultiByteTextAndPadding) {
    View v;
    v.post("12.00");
    v.post("Grüße €5");
    v.post("x");
    ASSERT_EQ(v.view.lineCount(), 3u);  // no empty line after the last break
    EXPECT_EQ(v.view.lineStart(1), 7u);
    EXPECT_EQ(v.view.lineEnd(1), 7u + std::string("Grüße €5").size());
    EXPECT_EQ(v.view.lineOf(0), 0u);
    EXPECT_EQ(v.view.lineOf(6), 0u);  // the LF of the first line
    EXPECT_EQ(v.view.lineOf(7), 1u);
    EXPECT_EQ(v.view.lineOf(v.text.size()), 2u);
    EXPECT_EQ(v.view.shownLine(0), QString::fromUtf8("12.00\u2007"));
    EXPECT_EQ(v.view.shownLine(1), QString::fromUtf8("Grüße €5\u2007"));
    EXPECT_EQ(v.view.shownLine(2), "x");

    // A text without a final line break, and one with bare LF line ends.
    v.replace("1+\r\n2");
    EXPECT_EQ(v.view.lineCount(), 2u);
    EXPECT_EQ(v.view.shownLine(1), QString::fromUtf8("2\u2007"));
    v.replace("a\nb\n");
    EXPECT_EQ(v.view.lineCount(), 2u);
    EXPECT_EQ(v.view.shownLine(1), "b");
    v.replace("");
    EXPECT_EQ(v.view.lineCount(), 1u);
    EXPECT_EQ(v.view.shownLine(0), "");
}

// Selecting over several lines, by keyboard or mouse, copies the tape's own
// text: LF line ends and none of the padding the view draws.
TEST(TapeView, SelectionAcrossLinesCopiesWithoutPadding) {
    Window t;
    t.model.postToTape("12.50+");
    t.model.postToTape("7.25");
    t.model.postToTape("19.75");
    t.model.postToTape("Total");
    ui::TapeView* tape = t.w.txtTape();
    QApplication::processEvents();
    EXPECT_FALSE(t.w.tapeCursorLine().has_value());

    tape->setFocus();
    QTest::keyClick(tape, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(tape, Qt::Key_Right);
    QTest::keyClick(tape, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(tape, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(tape, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(&t.w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2.50+\n7.25\n19.75");
    EXPECT_EQ(t.w.tapeCursorLine(), 0);

    // Click at the start of the second line, Shift+click at the end of the
    // third: the padding drawn after "19.75" is not copied.
    const QFontMetricsF metrics(tape->font());
    const auto at = [&](int line, bool end) {
        return QPoint(end ? tape->viewport()->width() - 2 : 1,
                      ui::TapeView::kMargin + static_cast<int>(metrics.height() * (line + 0.5)));
    };
    QTest::mouseClick(tape->viewport(), Qt::LeftButton, Qt::NoModifier, at(1, false));
    QTest::mouseClick(tape->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(2, true));
    EXPECT_EQ(tape->selectedText(), "7.25\n19.75");
    EXPECT_EQ(t.w.tapeCursorLine(), 1);
    t.model.runCommand("Copy Readout");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "7.25\n19.75");

    // Double-click takes the amount under the pointer.
    QTest::mouseDClick(tape->viewport(), Qt::LeftButton, Qt::NoModifier, at(2, true));
    EXPECT_EQ(tape->selectedText(), "19.75");

    // A new tape has no cursor of the user's.
    t.model.tape().setText("1+\r\n");
    EXPECT_FALSE(t.w.tapeCursorLine().has_value());
}

// Find gives byte offsets into the text; the match selected must be the one
// found, past padded lines and characters of two and three bytes.
TEST(TapeView, FindSelectsTheMatchAfterPaddedLinesAndMultiByteText) {
    Window t;
    for (int i = 0; i < 300; ++i) t.model.postToTape(std::to_string(i) + ".00");
    t.model.postToTape("Grüße €5 für Brot");
    for (int i = 0; i < 300; ++i) t.model.postToTape("Müsli " + std::to_string(i) + "€");
    t.keys("{Find On Tape}[für brot]");
    ui::TapeView* tape = t.w.txtTape();
    EXPECT_EQ(tape->selectedText(), QString::fromUtf8("für Brot"));
    EXPECT_EQ(tape->selectionStart(), t.model.tape().text().find("für"));
    EXPECT_EQ(t.w.tapeCursorLine(), 300);
    // The match was scrolled into view.
    EXPECT_LE(tape->firstVisibleLine(), 300);
    EXPECT_GT(tape->firstVisibleLine() + tape->verticalScrollBar()->pageStep(), 300);
    EXPECT_FALSE(tape->followsEnd());

    // Moving by character counts characters, not bytes.
    tape->setFocus();
    QTest::keyClick(tape, Qt::Key_Home);
    for (int i = 0; i < 8; ++i) QTest::keyClick(tape, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(tape->selectedText(), QString::fromUtf8("Grüße €5"));
    QTest::keyClick(tape, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(tape->selectedText(), QString::fromUtf8("Grüße €5 für Brot\nMüsli 0€"));
}

// A line wider than the tape wraps onto more rows (it never scrolls
// sideways), and the rows count when the view keeps the newest line in view.
TEST(TapeView, LongLineWrapsAtTheViewsWidth) {
    View v({200, 160});
    const std::string longLine(150, '7');
    v.post(longLine);
    v.post("1+");
    // The second row on screen still belongs to the first line.
    QTest::mouseClick(v.view.viewport(), Qt::LeftButton, Qt::NoModifier, v.row(1));
    ASSERT_TRUE(v.view.cursorPosition().has_value());
    EXPECT_GT(*v.view.cursorPosition(), 0u);
    EXPECT_LT(*v.view.cursorPosition(), longLine.size());

    for (int i = 0; i < 50; ++i) v.post(std::to_string(i) + "+");
    QScrollBar* bar = v.view.verticalScrollBar();
    const int before = bar->maximum();
    v.post(longLine);
    EXPECT_GE(bar->maximum(), before + 2);  // the new line took several rows
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(v.view.horizontalScrollBar()->maximum(), 0);
}

// The newest line stays in view as lines are posted, unless the user
// scrolled back; a new tape shows its end again.
TEST(TapeView, FollowsTheEndUnlessScrolledBack) {
    View v;
    for (int i = 0; i < 100; ++i) v.post(std::to_string(i) + "+");
    QScrollBar* bar = v.view.verticalScrollBar();
    EXPECT_TRUE(v.view.followsEnd());
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_GT(bar->maximum(), 50);

    bar->setValue(10);
    v.post("100+");
    v.post("101+");
    EXPECT_EQ(bar->value(), 10);
    EXPECT_FALSE(v.view.followsEnd());

    bar->setValue(bar->maximum());
    v.post("102+");
    EXPECT_EQ(bar->value(), bar->maximum());

    bar->setValue(0);
    std::string text;
    for (int i = 0; i < 200; ++i) text += "5+\r\n";
    v.replace(text);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_GT(bar->maximum(), 0);
}

// A long tape is indexed in slices from the event loop. Lines posted
// meanwhile join its end; a tape put in before the last is done replaces it
// entirely.
TEST(TapeView, ReplacingWhileALongTapeIsStillIndexedKeepsOnlyTheNewTape) {
    Window t;
    t.w.txtTape()->setIndexSlice(4096);
    std::string first;
    for (int i = 0; i < 20000; ++i) first += std::to_string(i) + ".25+\r\n";
    t.model.tape().setText(first);
    EXPECT_TRUE(t.w.tapeLoading());
    EXPECT_LT(t.w.txtTape()->lineCount(), 20000u);
    QApplication::processEvents();

    std::string second;
    for (int i = 0; i < 5000; ++i) second += "Rent " + std::to_string(i) + "\r\n";
    t.model.tape().setText(second);
    ASSERT_TRUE(t.w.tapeLoading());
    t.model.postToTape("1.00+");
    for (int i = 0; i < 10000 && t.w.tapeLoading(); ++i) QApplication::processEvents();
    EXPECT_FALSE(t.w.tapeLoading());
    ui::TapeView* tape = t.w.txtTape();
    ASSERT_EQ(tape->lineCount(), 5001u);
    EXPECT_EQ(tape->shownLine(4999), QString::fromUtf8("Rent 4999\u2007"));
    EXPECT_EQ(tape->shownLine(5000), "1.00+");
    EXPECT_EQ(tape->verticalScrollBar()->value(), tape->verticalScrollBar()->maximum());

    // Find reaches lines not yet indexed.
    t.model.tape().setText(first);
    ASSERT_TRUE(t.w.tapeLoading());
    t.keys("{Find On Tape}[19999.25]");
    EXPECT_EQ(tape->selectedText(), "19999.25");
    EXPECT_EQ(t.w.tapeCursorLine(), 19999);

    // Edit Tape while a tape is still being indexed edits all of it.
    t.model.tape().setText(first);
    ASSERT_TRUE(t.w.tapeLoading());
    t.model.runCommand("Edit Tape");
    ASSERT_NE(t.w.tapeEditor(), nullptr);
    EXPECT_EQ(t.w.tapeEditor()->document()->blockCount(), 20001);
    t.model.runCommand("Edit Tape");
    EXPECT_EQ(t.model.tape().text(), first);
}

// Unlocked, an editor holds the whole text (no padding); lines posted while
// it is open join it, and locking puts its text back on the tape.
TEST(TapeView, EditTapeRoundTrip) {
    Window t;
    t.model.postToTape("12.00");
    t.model.postToTape("Grüße");
    t.model.runCommand("Edit Tape");
    QPlainTextEdit* editor = t.w.tapeEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->toPlainText(), QString::fromUtf8("12.00\nGrüße\n"));
    EXPECT_TRUE(editor->hasFocus());
    QTest::keyClicks(editor, "note");
    EXPECT_EQ(t.w.tapeCursorLine(), 2);
    ui::KeypadWidget* pad = t.w.keypad();
    QTest::mouseClick(pad, Qt::LeftButton, {}, pad->keyRect(pad->indexOf(engine::CommandId::Digit4)).center());
    QTest::mouseClick(pad, Qt::LeftButton, {}, pad->keyRect(pad->indexOf(engine::CommandId::Add)).center());
    EXPECT_EQ(editor->toPlainText(), QString::fromUtf8("12.00\nGrüße\nnote4.00+\n"));
    t.model.runCommand("Edit Tape");
    EXPECT_EQ(t.w.tapeEditor(), nullptr);
    EXPECT_EQ(t.model.tape().text(), "12.00\r\nGrüße\r\nnote4.00+\r\n");
    EXPECT_EQ(t.w.txtTape()->lineCount(), 3u);
    EXPECT_EQ(t.w.txtTape()->shownLine(2), "note4.00+");
}

// A screen reader hears the lines in view (without the padding) as the
// tape's value, and the tape's name; the whole text stays out of reach.
TEST(TapeView, ScreenReaderHearsTheLinesInView) {
    View v({300, 120});
    for (int i = 0; i < 100; ++i) v.post(std::to_string(i) + ".00");
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&v.view);
    ASSERT_NE(a, nullptr);
    const QString value = a->text(QAccessible::Value);
    EXPECT_TRUE(value.endsWith("98.00\n99.00")) << value.toStdString();
    EXPECT_FALSE(value.contains(QChar(ui::TapeView::kPad)));
    EXPECT_FALSE(value.contains("\n50.00\n"));
    EXPECT_TRUE(a->state().readOnly);
}

// Dragging selects from where the button went down; dragged below the view,
// the tape scrolls on and the selection follows.
TEST(TapeView, DragSelectsAndScrollsPastTheEdge) {
    View v({300, 120});
    for (int i = 0; i < 100; ++i) v.post(std::to_string(i) + "+");
    QScrollBar* bar = v.view.verticalScrollBar();
    bar->setValue(0);
    QWidget* port = v.view.viewport();
    const auto send = [port](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, port->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(port, &e);
    };
    send(QEvent::MouseButtonPress, v.row(0), Qt::LeftButton);
    send(QEvent::MouseMove, v.row(1, true), Qt::LeftButton);
    EXPECT_EQ(v.view.selectedText(), "0+\n1+");
    const QPoint below(5, port->height() + 10);
    for (int i = 0; i < 5; ++i) send(QEvent::MouseMove, below, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, below, Qt::NoButton);
    EXPECT_EQ(bar->value(), 5);
    EXPECT_TRUE(v.view.selectedText().startsWith("0+\n1+\n"));
    const std::size_t lastSelected = v.view.lineOf(v.view.selectionEnd());
    EXPECT_GE(lastSelected, 6u);  // past what the view showed at first
    EXPECT_EQ(v.view.selectionStart(), 0u);
}

}  // namespace

namespace {

// What the window shows of the tape: the window's backing store, as the
// display got it, not a fresh drawing.
QImage onScreen(ui::CalculatorWindow& w) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QWidget* port = w.txtTape()->viewport();
    const QPoint at = port->mapTo(&w, QPoint(0, 0));
    return w.screen()->grabWindow(w.winId(), at.x(), at.y(), port->width(), port->height()).toImage();
}

}  // namespace

// Lines added while the view follows the end move what is in view up and
// draw only the new lines; the picture must be the one a full drawing gives,
// with the view full, scrolled back, with a selection, and with lines that
// wrap.
TEST(TapeView, AddedLinesLookAsAFullRedrawDraws) {
    Window t;
    t.w.resize(t.w.width(), 480);
    const auto check = [&t](const char* when) {
        const QImage moved = onScreen(t.w);
        t.w.txtTape()->viewport()->update();
        const QImage drawn = onScreen(t.w);
        ASSERT_FALSE(drawn.isNull());
        EXPECT_TRUE(moved == drawn) << when;
    };
    for (int i = 0; i < 60; ++i) {
        t.keys(std::to_string(i + 1) + "+");
        if (i % 7 == 0) check("adding while the view fills and follows the end");
    }
    t.keys("=");
    check("after a total");
    // A line that wraps.
    t.keys("{Annotate Tape}[" + std::string(120, 'w') + "]");
    t.keys("5+");
    check("after a wrapped note");
    // With a selection in view.
    QScrollBar* bar = t.w.txtTape()->verticalScrollBar();
    t.w.txtTape()->selectAll();
    t.keys("6+");
    check("with the tape selected");
    // Scrolled back: the new lines are out of view.
    bar->setValue(bar->maximum() / 2);
    t.keys("7+8+");
    check("scrolled back");
    EXPECT_LT(bar->value(), bar->maximum());
}
