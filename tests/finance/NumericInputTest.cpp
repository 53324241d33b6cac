// The answer box's rules (key filter, OK normalisation), shared by the
// window and the scripted input, and the numeric input window itself.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FinanceTestSupport.h"
#include "finance/NumInputDialog.h"

namespace zorv::finance::test {
namespace {

const engine::NumberSymbols kComma{",", ".", "$"};

TEST(AnswerRules, KeyFilter) {
    struct Case {
        std::string typed;
        engine::NumberSymbols symbols;
        std::string kept;
    };
    for (const auto& c : {Case{"12.5", {}, "12.5"}, Case{"-7", {}, "-7"}, Case{"1a2b$3 ,4", {}, "1234"},
                          Case{"1.5", kComma, "1,5"}, Case{"1,5", kComma, "1,5"}, Case{"12\b3", {}, "13"},
                          Case{"1e5", {}, "15"}, Case{"7\xC2\xB7" "5", {"\xC2\xB7", ",", "$"}, "7\xC2\xB7" "5"},
                          Case{"7.5", {"\xC2\xB7", ",", "$"}, "7\xC2\xB7" "5"}}) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(filterAnswerText(c.typed, c.symbols), c.kept);
    }
    EXPECT_EQ(filterAnswerText("123456", {}, 4), "1234");
}

TEST(AnswerRules, OkNormalisesThroughTheDecimalType) {
    struct Case {
        std::string text;
        engine::NumberSymbols symbols;
        std::optional<std::string> answer;
    };
    for (const auto& c : {Case{"0012.", {}, "12"}, Case{"7.250", {}, "7.25"}, Case{"-0", {}, "0"},
                          Case{"1,50", kComma, "1,5"}, Case{"", {}, ""}, Case{"   ", {}, ""},
                          Case{"--1", {}, std::nullopt}, Case{"1.2.3", {}, std::nullopt}, Case{"-", {}, std::nullopt},
                          Case{"792281625142643375935439503351", {}, std::nullopt}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(normaliseAnswer(c.text, c.symbols), c.answer);
    }
}

TEST(FeedbackNumericInput, AnswersAsIfTypedIntoTheWindow) {
    Calculator calc(kComma);
    calc.feedback.answer("1.234");
    calc.input.Init("prompt", "title", "5");
    EXPECT_EQ(calc.input.run(), "1,234");

    calc.feedback.answer("--2");
    calc.feedback.answer("2");
    EXPECT_EQ(calc.input.run(), "2");
    ASSERT_EQ(calc.feedback.messages.size(), 1u);
    EXPECT_EQ(calc.feedback.messages[0].text, "Invalid value!");
    EXPECT_EQ(calc.feedback.questions.back().prompt, "prompt");

    calc.feedback.answer("cancel");
    EXPECT_EQ(calc.input.run(), std::nullopt);
    EXPECT_EQ(calc.input.run(), std::nullopt);  // no answer left: cancelled
}

// ---------------------------------------------------------------------------
// The window, on Qt's offscreen platform

QApplication& application() {
    static int argc = 1;
    static char name[] = "finance_tests";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: Qt's own statics (QTest's input devices) must not
    // outlive the application object at exit.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class NumInputDialogTest : public ::testing::Test {
protected:
    void SetUp() override { application(); }

    // Runs the dialog modally while `act` works on it.
    std::optional<std::string> runWith(NumInputDialog& dialog, std::function<void()> act) {
        QTimer::singleShot(0, &dialog, std::move(act));
        return dialog.run();
    }
};

TEST_F(NumInputDialogTest, InitSetsPromptTitleAndDefault) {
    Calculator calc;
    NumInputDialog dialog(calc.model);
    EXPECT_EQ(dialog.windowTitle(), "Numeric Input");
    EXPECT_EQ(dialog.okButton()->text(), "&OK");
    EXPECT_EQ(dialog.cancelButton()->text(), "&Cancel");
    dialog.Init("How many payments?", "Number of Payments", "36");
    EXPECT_EQ(dialog.promptLabel()->text(), "How many payments?");
    EXPECT_EQ(dialog.windowTitle(), "Number of Payments");
    EXPECT_EQ(dialog.txtInput()->text(), "36");

    calc.model.setMaxDigits(20);
    const auto answer = runWith(dialog, [&] {
        EXPECT_EQ(dialog.txtInput()->maxLength(), 20);
        EXPECT_EQ(dialog.txtInput()->selectedText(), "36");  // typing replaces the default
        QTest::keyClicks(dialog.txtInput(), "48");
        QTest::keyClick(dialog.txtInput(), Qt::Key_Return);  // Enter presses OK
    });
    EXPECT_EQ(answer, "48");
}

TEST_F(NumInputDialogTest, KeyFilter) {
    Calculator calc(kComma);
    NumInputDialog dialog(calc.model);
    dialog.Init("p", "t", "");
    dialog.show();
    QTest::keyClicks(dialog.txtInput(), "1a2.5x-");
    EXPECT_EQ(dialog.txtInput()->text(), "12,5-");
    QTest::keyClick(dialog.txtInput(), Qt::Key_Backspace);
    QTest::keyClicks(dialog.txtInput(), ",7 ");
    EXPECT_EQ(dialog.txtInput()->text(), "12,5,7");
    dialog.hide();
}

TEST_F(NumInputDialogTest, OkNormalisesAndRefusesWhatIsNotANumber) {
    Calculator calc;
    NumInputDialog dialog(calc.model);
    dialog.Init("p", "t", "");
    const auto answer = runWith(dialog, [&] {
        dialog.txtInput()->setText("--1");
        dialog.okButton()->click();
        // Still open after "Invalid value!".
        EXPECT_TRUE(dialog.isVisible());
        dialog.txtInput()->setText("0012.");
        dialog.okButton()->click();
    });
    EXPECT_EQ(answer, "12");
    ASSERT_EQ(calc.feedback.messages.size(), 1u);
    EXPECT_EQ(calc.feedback.messages[0].text, "Invalid value!");
    EXPECT_EQ(calc.feedback.messages[0].title, "Zorv Advanced Calculator");
    EXPECT_EQ(calc.feedback.messages[0].icon, engine::MessageIcon::Information);
}

TEST_F(NumInputDialogTest, EmptyTextIsAnEmptyAnswer) {
    Calculator calc;
    NumInputDialog dialog(calc.model);
    dialog.Init("p", "t", "");
    EXPECT_EQ(runWith(dialog, [&] { dialog.okButton()->click(); }), "");
    EXPECT_TRUE(calc.feedback.messages.empty());
}

TEST_F(NumInputDialogTest, CancelAndEscapeCancel) {
    Calculator calc;
    NumInputDialog dialog(calc.model);
    dialog.Init("p", "t", "5");
    EXPECT_EQ(runWith(dialog, [&] { dialog.cancelButton()->click(); }), std::nullopt);
    EXPECT_TRUE(calc.model.inputCancelled);
    calc.model.inputCancelled = false;
    EXPECT_EQ(runWith(dialog, [&] { QTest::keyClick(dialog.txtInput(), Qt::Key_Escape); }), std::nullopt);
    EXPECT_TRUE(calc.model.inputCancelled);
}

TEST_F(NumInputDialogTest, DrivesACalculator) {
    Calculator calc;
    NumInputDialog dialog(calc.model);
    registerFinanceCommands(calc.model, dialog);
    calc.feedback.answer("yes");  // the timing box
    // Each question: accept the default with OK.
    std::function<void()> acceptDefault = [&] {
        if (dialog.isVisible()) dialog.okButton()->click();
        QTimer::singleShot(0, &dialog, acceptDefault);
    };
    int questions = 0;
    QObject::connect(dialog.okButton(), &QPushButton::clicked, [&] { ++questions; });
    QTimer::singleShot(0, &dialog, acceptDefault);
    calc.model.runCommand("Annuity Payments");
    EXPECT_EQ(questions, 4);
    EXPECT_NE(calc.tape().find("Payment is $ 309.92 per month.\r\n"), std::string::npos) << calc.tape();
}

}  // namespace
}  // namespace zorv::finance::test
