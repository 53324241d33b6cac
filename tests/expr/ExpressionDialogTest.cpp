#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "expr/ExpressionDialog.h"
#include "expr/ExpressionLauncher.h"
#include "expr/MyFormulasWindow.h"
#include "tests/support/Mnemonics.h"

namespace fs = std::filesystem;
using namespace zorv;

namespace {

class ExpressionDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zorv_brackets_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        model_.modes().financial = false;
        expr::ExpressionDialog::Options options;
        options.dataDir = dir_.string();
        options.readConfirm = [this] { return storedConfirm_; };
        options.writeConfirm = [this](std::string v) { storedConfirm_ = std::move(v); };
        options.dontHideEval = [this] { return dontHide_; };
        window_ = std::make_unique<expr::ExpressionDialog>(model_, feedback_, options);
        window_->show();
    }
    void TearDown() override {
        window_.reset();
        fs::remove_all(dir_);
    }

    void writeFormulas(const std::string& bytes) {
        std::ofstream(dir_ / "evalform.frm", std::ios::binary) << bytes;
    }
    std::string formulaBytes() const {
        std::ifstream in(dir_ / "evalform.frm", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    QString typed(QLineEdit* box, const char* keys) {
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(keys));
        return box->text();
    }

    fs::path dir_;
    engine::ScriptedFeedback feedback_;
    engine::CalculatorModel model_{feedback_};
    std::string storedConfirm_ = "0";
    bool dontHide_ = false;
    std::unique_ptr<expr::ExpressionDialog> window_;
};

TEST_F(ExpressionDialogTest, ExpressionBoxFiltersKeys) {
    QLineEdit* box = window_->Readout();
    EXPECT_EQ(typed(box, "2p"), "23.14159265359");
    EXPECT_EQ(typed(box, "(x+y)*z"), "(X+Y)*Z");
    EXPECT_EQ(typed(box, "3s+16r"), "3^2+16^.5");
    EXPECT_EQ(typed(box, "7\\2%"), "7\\2%");
    EXPECT_EQ(feedback_.beeps, 0);
    EXPECT_EQ(typed(box, "1a b=2"), "12");
    EXPECT_EQ(feedback_.beeps, 4);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "1");
}

TEST_F(ExpressionDialogTest, VariableBoxesFilterKeysCopyAndPaste) {
    QLineEdit* x = window_->txtVar(0);
    EXPECT_EQ(typed(x, "4.5"), "4.5");
    EXPECT_EQ(typed(x, "-2x"), "2");
    EXPECT_EQ(feedback_.beeps, 2);
    EXPECT_EQ(typed(x, "p"), "3.14159265359");

    QTest::keyClick(x, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "3.14159265359");
    ASSERT_EQ(feedback_.messages.size(), 1u);
    EXPECT_EQ(feedback_.messages[0].text, "Copied to Clipboad!");
    EXPECT_EQ(feedback_.messages[0].title, "Zorv Advanced Calculator");
    EXPECT_EQ(feedback_.messages[0].icon, engine::MessageIcon::Information);

    QApplication::clipboard()->setText("-12");
    QTest::keyClick(window_->txtVar(1), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window_->txtVar(1)->text(), "-12");

    window_->cmdClearVar()->click();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(window_->txtVar(i)->text(), "0");
}

TEST_F(ExpressionDialogTest, OkSendsTheResultToReadoutAndTape) {
    window_->txtVar(0)->setText("4");
    window_->Readout()->setText("2X^2+50%");
    window_->cmdOK()->click();
    EXPECT_EQ(model_.readout(), "32.5");
    EXPECT_EQ(model_.tape().text(), "(2*4^2)+(50/100) = 32.5\r\n");
    EXPECT_FALSE(window_->isVisible());

    // Kept open when asked; one tape line per evaluation.
    dontHide_ = true;
    window_->show();
    window_->Readout()->setText("2(3)");
    window_->cmdOK()->click();
    window_->cmdOK()->click();
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(model_.tape().text(), "(2*4^2)+(50/100) = 32.5\r\n2*(3) = 6.\r\n2*(3) = 6.\r\n");
}

TEST_F(ExpressionDialogTest, ErrorsKeepTheWindowAndTheCalculator) {
    window_->Readout()->setText("(2+3");
    window_->cmdOK()->click();
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(model_.tape().text(), "");
    EXPECT_EQ(feedback_.messageTexts(), std::vector<std::string>{"Missing ')'"});
    EXPECT_EQ(window_->Readout()->text(), "(2+3");
}

TEST_F(ExpressionDialogTest, ConfirmationIsStoredAndNoEditsTheInterpretedText) {
    window_->chkVerify()->click();
    EXPECT_EQ(storedConfirm_, "1");
    window_->Readout()->setText("2Pi");
    feedback_.answer("cancel");
    window_->cmdOK()->click();
    EXPECT_EQ(window_->Readout()->text(), "2Pi");
    feedback_.answer("no");
    window_->cmdOK()->click();
    EXPECT_EQ(window_->Readout()->text(), "23.14159265359");
    EXPECT_EQ(model_.tape().text(), "");
    window_->chkVerify()->click();
    EXPECT_EQ(storedConfirm_, "0");
}

TEST_F(ExpressionDialogTest, StoredFormulasAreListedAndInserted) {
    writeFormulas("Circle\t3.14159265359*X^2\r\nDouble\t2*X\r\ndouble\t 3*X \r\n");
    window_->Form_Activate();
    QComboBox* list = window_->cmbFormula();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentText(), "Circle");
    EXPECT_EQ(list->toolTip(), "Circle");
    EXPECT_TRUE(list->isEnabled());
    list->setCurrentIndex(1);
    EXPECT_EQ(list->toolTip(), "Double");
    window_->comInsert()->click();
    EXPECT_EQ(window_->Readout()->text(), "3*X");  // the later of the two lines

    writeFormulas("");
    window_->Form_Activate();
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(list->isEnabled());
    window_->comInsert()->click();
    EXPECT_EQ(window_->Readout()->text(), "3*X");
}

TEST_F(ExpressionDialogTest, AFormulaFileThatIsAPipeSaysWhyAndDoesNotFreeze) {
    ::alarm(20);  // a read that blocks ends the test run as a failure
    ASSERT_EQ(::mkfifo((dir_ / "evalform.frm").c_str(), 0600), 0);
    window_->Form_Activate();
    ::alarm(0);
    EXPECT_EQ(window_->cmbFormula()->count(), 0);
    ASSERT_EQ(feedback_.messages.size(), 1u);
    EXPECT_EQ(feedback_.messages[0].text, "The formulas could not be read from\r\n" +
                                              (dir_ / "evalform.frm").string() +
                                              "\r\nThat is not a regular file (a pipe or a device).");
    EXPECT_EQ(feedback_.messages[0].icon, engine::MessageIcon::Exclamation);
    EXPECT_TRUE(fs::is_fifo(dir_ / "evalform.frm"));
    // Closing the message activates the window again: no second message.
    window_->Form_Activate();
    EXPECT_EQ(feedback_.messages.size(), 1u);
}

// Distinct Alt+letters in both windows, and Enter in the formula box saves.
TEST_F(ExpressionDialogTest, KeyboardReachesEveryControlAndEnterSaves) {
    QStringList clashes = test::windowClashes(window_.get());
    window_->comFormulas()->click();
    expr::MyFormulasWindow* f = window_->formulasWindow();
    ASSERT_NE(f, nullptr);
    f->comAdd()->click();
    clashes += test::windowClashes(f);
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join("\n").toStdString();
    f->txtName()->setText("Half");
    QTest::keyClicks(f->txtFormula(), "x/2");
    QTest::keyClick(f->txtFormula(), Qt::Key_Return);
    EXPECT_EQ(formulaBytes(), "Half\tX/2\r\n");
}

TEST_F(ExpressionDialogTest, MyFormulasAddEditRefuseAndDelete) {
    writeFormulas("Area\tX*Y\r\n");
    window_->comFormulas()->click();
    expr::MyFormulasWindow* f = window_->formulasWindow();
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(f->lstFormulas()->count(), 1);
    EXPECT_FALSE(f->txtName()->isVisibleTo(f));

    f->comAdd()->click();
    EXPECT_TRUE(f->txtName()->isVisibleTo(f));
    f->txtName()->setText("AREA");
    QTest::keyClicks(f->txtFormula(), "xyz");
    EXPECT_EQ(f->txtFormula()->text(), "XYZ");
    f->comSave()->click();
    EXPECT_EQ(feedback_.messageTexts(),
              std::vector<std::string>{"That name already exists!\r\nPlease rename your formula."});
    EXPECT_EQ(formulaBytes(), "Area\tX*Y\r\n");

    f->txtName()->setText("Volume");
    f->comSave()->click();
    EXPECT_EQ(formulaBytes(), "Area\tX*Y\r\nVolume\tXYZ\r\n");

    f->lstFormulas()->setCurrentRow(0);
    f->lstFormulas_DblClick();
    EXPECT_EQ(f->txtFormula()->text(), "X*Y");
    f->txtFormula()->setText("X*Y/2");
    f->comSave()->click();  // editing keeps the line's own name
    EXPECT_EQ(formulaBytes(), "Area\tX*Y/2\r\nVolume\tXYZ\r\n");

    f->lstFormulas()->setCurrentRow(1);
    f->comDelete()->click();
    EXPECT_EQ(formulaBytes(), "Area\tX*Y/2\r\n");
    f->comExit()->click();
    EXPECT_EQ(window_->cmbFormula()->count(), 1);
}

TEST(ExpressionLauncher, CatalogueOpensTheWindowAndVarFillsItsBox) {
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model(feedback);
    QWidget main;
    expr::ExpressionDialog::Options options;
    options.dataDir = fs::temp_directory_path().string();
    auto* host = expr::installExpressionEvaluator(model, &main, feedback, options,
                                                  expr::registerExpressionCommands(model, false));
    model.commands().run("Var X=4");
    ASSERT_TRUE(model.typeKey("("));
    ASSERT_TRUE(host->window().isVisible());
    EXPECT_EQ(host->window().txtVar(0)->text(), "4");
    model.commands().run("Var Z=7");
    EXPECT_EQ(host->window().txtVar(2)->text(), "7");
    host->window().hide();
}

}  // namespace
