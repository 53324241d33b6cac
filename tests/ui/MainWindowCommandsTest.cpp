// The main window's tape, RPN stack, help and About commands as a user
// meets them: printing to PDF, editing the tape in place, hiding parts of
// the window, search highlighting, the stack window and the guide.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ModeCommands.h"
#include "engine/RpnStack.h"
#include "engine/ScientificFunctions.h"
#include "engine/ScriptedFeedback.h"
#include "engine/TapeCommands.h"
#include "engine/ToolbarCatalogue.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/HelpWindow.h"
#include "tests/support/Mnemonics.h"
#include "ui/main/MainMenus.h"
#include "ui/main/MainWindowCommands.h"
#include "ui/main/RpnStackWindow.h"

using namespace zorv;

namespace {

struct Window {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    engine::TapeCommands tapeCommands{model};
    engine::RpnStack rpn{model};
    engine::ScientificFunctions sci{model};
    ui::CalculatorWindow w{model};
    ui::MainWindowCommands commands{w, model, &tapeCommands, &rpn};
    Window() {
        model.modes().financial = false;
        model.modes().formatNumbers = false;
        model.modes().carryResult = false;
        engine::registerModeCommands(model);
        engine::registerScientificCommands(model, sci);
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
    QString shownTape() { return w.shownTapeText(); }
};

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(20000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(TapePrinting, PrintedPdfHoldsTheTape) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    Window t;
    t.keys("1234.5+{Annotate Tape}[Paid in cash]66=");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("tape.pdf"));
    t.commands.choosePrinter = [&pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    t.model.runCommand("Print Tape");
    EXPECT_TRUE(t.fb.messages.empty()) << t.fb.messageTexts().front();
    const QString text = pdfText(pdf);
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty()) lines << line.trimmed();
    // The lines flush right as on screen, then the page number.
    EXPECT_EQ(lines.join('|').toStdString(),
              "1234.5+|Paid in cash|66=|------------------|1300.5|******************|1");
    EXPECT_TRUE(text.contains("       66=\n")) << text.toStdString();
}

TEST(TapePrinting, FailuresAreReportedAndAnEmptyTapeIsNotPrinted) {
    Window t;
    bool asked = false;
    t.commands.choosePrinter = [&asked](QPrinter&) { return asked = true; };
    t.model.runCommand("Print Tape");
    EXPECT_FALSE(asked);
    EXPECT_EQ(t.fb.messageTexts(),
              std::vector<std::string>{"The tape is empty: there is nothing to print."});

    t.fb.clearRecord();
    t.keys("5+");
    t.commands.choosePrinter = [](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/nonexistent-folder/tape.pdf"));
        return true;
    };
    t.model.runCommand("Print Tape");
    ASSERT_EQ(t.fb.messages.size(), 1u);
    EXPECT_NE(t.fb.messages[0].text.find("The tape could not be printed."), std::string::npos);
    EXPECT_EQ(t.model.tape().text(), "5+\r\n");
}

TEST(TapePrinting, PdfGoesThroughTheAtomicWriter) {
    Window t;
    t.keys("5+");
    QTemporaryDir dir;
    const std::string fifo = dir.filePath(QStringLiteral("pipe.pdf")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const QString readOnly = dir.filePath(QStringLiteral("kept.pdf"));
    {
        QFile f(readOnly);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const std::pair<QString, std::string> cases[] = {{QString::fromStdString(fifo), "not a regular file"},
                                                     {readOnly, "read-only"}};
    for (const auto& [target, reason] : cases) {
        t.fb.clearRecord();
        t.commands.choosePrinter = [&target](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(target);
            return true;
        };
        t.model.runCommand("Print Tape");  // a pipe must not block the window
        ASSERT_EQ(t.fb.messages.size(), 1u) << target.toStdString();
        EXPECT_NE(t.fb.messages[0].text.find(reason), std::string::npos) << t.fb.messages[0].text;
    }
    QFile kept(readOnly);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(fifo)).exists());
    EXPECT_FALSE(QFileInfo(QString::fromStdString(fifo)).isFile());

    // A good target gets a whole PDF and no temporary file stays beside it.
    const QString pdf = dir.filePath(QStringLiteral("tape.pdf"));
    t.fb.clearRecord();
    t.commands.choosePrinter = [&pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    t.model.runCommand("Print Tape");
    EXPECT_TRUE(t.fb.messages.empty());
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 3);
}

TEST(TapeEditing, UnlockedTapeTakesTheKeysAndLockingKeepsTheEdit) {
    Window t;
    t.keys("5+3=");
    QAction* edit = t.w.action("Edit Tape");
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isEnabled());
    edit->trigger();
    EXPECT_TRUE(t.model.tapeUnlocked);
    EXPECT_TRUE(edit->isChecked());
    ASSERT_NE(t.w.tapeEditor(), nullptr);
    QTest::keyClicks(t.w.tapeEditor(), "note 42");
    EXPECT_EQ(t.model.readout(), "0.");  // the digits went to the tape
    edit->trigger();
    EXPECT_FALSE(t.model.tapeUnlocked);
    EXPECT_EQ(t.w.tapeEditor(), nullptr);
    EXPECT_EQ(t.model.tape().text(),
              "5+\r\n3=\r\n------------------\r\n8.\r\n******************\r\nnote 42\r\n");
    QTest::keyClicks(&t.w, "7");
    EXPECT_EQ(t.model.readout(), "7.");
}

TEST(TapeEditing, SavingWhileUnlockedSavesTheEdit) {
    Window t;
    t.keys("5+");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    t.tapeCommands.chooseSavePath = [&path](const std::string&) { return path.toStdString(); };
    t.model.runCommand("Edit Tape");
    QTest::keyClicks(t.w.tapeEditor(), "x");
    t.model.runCommand("Save Tape to File");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("5+\r\nx\r\n"));
}

TEST(WindowParts, TapeAndNumberKeysHideAndShow) {
    Window t;
    QWidget* keypad = t.w.keypad();
    t.model.runCommand("Hide/Show Tape");
    EXPECT_TRUE(t.w.txtTape()->isHidden());
    const int fullHeight = t.w.height();
    t.model.runCommand("Hide/Show Number Keys");
    EXPECT_TRUE(keypad->isHidden());
    EXPECT_LT(t.w.height(), fullHeight - keypad->height() / 2);  // the window gives up the room
    QTest::keyClicks(&t.w, "4");  // the keyboard still works
    EXPECT_EQ(t.model.readout(), "4.");
    t.model.runCommand("Hide/Show Tape");
    t.model.runCommand("Hide/Show Number Keys");
    EXPECT_FALSE(t.w.txtTape()->isHidden());
    EXPECT_FALSE(keypad->isHidden());
    EXPECT_GE(t.w.height(), fullHeight);
}

TEST(TapeSearch, MatchIsSelectedOnTheTape) {
    Window t;
    t.keys("12+{Annotate Tape}[Rent €]34=");
    t.model.runCommand("Hide/Show Tape");
    t.keys("{Find On Tape}[rent €]");
    EXPECT_FALSE(t.w.txtTape()->isHidden());
    EXPECT_EQ(t.w.txtTape()->selectedText(), "Rent €");
    t.keys("{Find On Tape}[34]");
    EXPECT_EQ(t.w.txtTape()->selectedText(), "34");
    EXPECT_EQ(t.w.txtTape()->selectionStart(), t.model.tape().text().find("34"));
}

TEST(TapePublish, MissingProgramIsReportedAndTheFileIsWritten) {
    Window t;
    QTemporaryDir dir;
    t.tapeCommands.publishSettings = [&dir] {
        return engine::TapeCommands::PublishSettings{dir.path().toStdString(),
                                                     "/no/such/editor", "TXT"};
    };
    t.keys("5+{Publish Tape}");
    ASSERT_EQ(t.fb.messages.size(), 1u);
    EXPECT_NE(t.fb.messages[0].text.find("/no/such/editor could not be started"), std::string::npos);
    EXPECT_NE(t.fb.messages[0].text.find("There is no such program."), std::string::npos);
    QFile f(dir.filePath(QStringLiteral("ZorvTape.TXT")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("5+\r\n"));
}

TEST(RpnStackView, OfferedInRpnModeAndFollowsEveryStep) {
    Window t;
    QAction* view = t.w.action("View RPN Stack");
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->isEnabled());
    t.w.action("RPN Mode")->trigger();
    EXPECT_TRUE(view->isEnabled());
    view->trigger();
    ui::RpnStackWindow* stack = t.commands.rpnStackWindow();
    ASSERT_NE(stack, nullptr);
    EXPECT_TRUE(stack->isVisible());
    EXPECT_TRUE(test::windowClashes(stack).isEmpty()) << test::windowClashes(stack).join("\n").toStdString();
    EXPECT_EQ(stack->lstStack()->count(), 0);
    t.keys("2=3=");
    ASSERT_EQ(stack->lstStack()->count(), 2);
    EXPECT_EQ(stack->lstStack()->item(0)->text(), "1: 3");
    EXPECT_EQ(stack->lstStack()->item(1)->text(), "2: 2");
    t.keys("+");
    ASSERT_EQ(stack->lstStack()->count(), 1);
    EXPECT_EQ(stack->lstStack()->item(0)->text(), "1: 5");
    t.w.action("RPN Mode")->trigger();
    EXPECT_FALSE(view->isEnabled());
    EXPECT_FALSE(stack->isVisible());
}

// ---------------------------------------------------------------------------
// The guide

QString guideText() {
    QFile f(QStringLiteral(":/help/help.html"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(f.readAll()));
    return doc.toPlainText().simplified();
}

TEST(Help, GuideNamesEveryCatalogueItemAndMenuCommand) {
    const QString text = guideText();
    ASSERT_FALSE(text.isEmpty());
    for (const auto& group : engine::toolbarGroups())
        for (std::string_view item : group.items)
            EXPECT_TRUE(text.contains(QString::fromUtf8(item.data(), item.size())))
                << "catalogue item " << item;
    std::function<void(const std::vector<ui::MenuEntry>&)> check = [&](const auto& entries) {
        for (const auto& e : entries) {
            check(e.children);
            if (!e.command.empty())
                EXPECT_TRUE(text.contains(QString::fromStdString(e.command))) << "menu command " << e.command;
        }
    };
    for (const auto& menu : ui::mainMenus()) check(menu.entries);
}

TEST(Help, F1OpensTheGuideAtTheHintsSubject) {
    Window t;
    t.keys("200X15%");
    QTest::keyClick(&t.w, Qt::Key_F1);
    ui::HelpWindow* help = t.commands.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(test::windowClashes(help).isEmpty()) << test::windowClashes(help).join("\n").toStdString();
    EXPECT_EQ(help->browser()->source().fragment(), "percent");
    EXPECT_TRUE(help->browser()->toPlainText().contains("The percent key"));

    t.model.runCommand("Help Contents");
    EXPECT_TRUE(help->browser()->source().fragment().isEmpty());
    const std::pair<const char*, const char*> hints[] = {
        {"Press F1 for Help [Adding]", "operators"}, {"Press F1 for Help [Dividing]", "operators"},
        {"Press F1 for Help [RPN]", "rpn"},          {"Press F1 for Help [Scientific]", "scientific"},
        {"Press F1 for Help", ""}};
    const QString html = [] {
        QFile f(QStringLiteral(":/help/help.html"));
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    }();
    for (const auto& [hint, topic] : hints) {
        EXPECT_EQ(ui::HelpWindow::topicForHint(hint), topic);
        if (*topic) EXPECT_TRUE(html.contains(QStringLiteral("<a name=\"%1\">").arg(topic))) << topic;
    }
}

TEST(Help, AboutShowsTheVersion) {
    Window t;
    t.model.runCommand("About");
    ASSERT_EQ(t.fb.messages.size(), 1u);
    EXPECT_EQ(t.fb.messages[0].title, "About Zorv Advanced Calculator");
    EXPECT_NE(t.fb.messages[0].text.find("Version 1.0.0"), std::string::npos);
}

}  // namespace

namespace {

// Ctrl+C copies the tape lines the user selected; with no selection on the
// tape it copies the readout's number, without the decimal symbol a whole
// number shows ("7", not "7."). Ctrl+V pastes a whole entry.
TEST(Clipboard, CopyTakesTheTapeSelectionElseTheReadout) {
    Window t;
    t.keys("5+2=7");
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    QTest::keyClick(&t.w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("7"));

    t.w.txtTape()->setFocus();
    QTest::keyClick(t.w.txtTape(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(t.w.txtTape(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(t.w.txtTape(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&t.w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("5+\n2=\n"));

    // Once the selection is gone the readout is copied again.
    t.w.txtTape()->clearSelection();
    t.model.runCommand("Copy Readout");
    EXPECT_EQ(clipboard->text(), QStringLiteral("7"));
}

TEST(Clipboard, PasteThenDigitStartsANewNumber) {
    Window t;
    t.model.modes().financial = true;
    t.keys("c");
    QGuiApplication::clipboard()->setText(QStringLiteral("12.5"));
    QTest::keyClick(&t.w, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(t.model.readout(), "12.50");
    t.keys("3");
    EXPECT_EQ(t.model.readout(), "3.");
}

}  // namespace
