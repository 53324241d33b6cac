// The construction calculator window on the offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleFactory>
#include <QTest>
#include <map>
#include <set>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "expr/BuilderWindow.h"
#include "expr/FormulaFile.h"
#include "tests/support/TestFiles.h"

using namespace zorv;

namespace {

class BuilderWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        model_.modes().financial = false;
        session_ = std::make_shared<expr::BuilderSession>(
            model_,
            [this](std::string_view key, std::string_view fallback) {
                const auto it = stored_.find(std::string(key));
                return it == stored_.end() ? std::string(fallback) : it->second;
            },
            [this](std::string_view key, std::string_view value) { stored_[std::string(key)] = value; });
        window_ = std::make_unique<expr::BuilderWindow>(model_, feedback_,
                                                        expr::BuilderWindow::Options{dir_.path.string()}, session_);
        window_->show();
    }

    void calculate(const char* keys) {
        QLineEdit* e = window_->expression();
        e->clear();
        QTest::keyClicks(e, QString::fromUtf8(keys));
        QTest::keyClick(e, Qt::Key_Return);  // Enter presses "="
    }

    test::TempDir dir_;
    engine::ScriptedFeedback feedback_;
    engine::CalculatorModel model_{feedback_};
    std::map<std::string, std::string> stored_;
    std::shared_ptr<expr::BuilderSession> session_;
    std::unique_ptr<expr::BuilderWindow> window_;
};

}  // namespace

TEST_F(BuilderWindowTest, TypedExpressionShowsEveryFormAndWritesTapeAndReadout) {
    calculate("12'6 3/8\"+3'0-1/4\"");
    EXPECT_EQ(window_->resultLine()->text(), QStringLiteral("15'6-5/8\""));
    EXPECT_EQ(window_->otherLines()->text(), QStringLiteral("186.625\"\n15.5521'\n4.7403 m"));
    EXPECT_EQ(model_.tape().text(), "12'6-3/8\" + 3'0-1/4\" = 15'6-5/8\"\r\n");
    EXPECT_EQ(model_.readout(), "186.625");
    // The expression stays, selected, for the next calculation.
    EXPECT_TRUE(window_->expression()->hasSelectedText());
    EXPECT_TRUE(window_->isVisible());

    calculate("12'6-3/8\"*10'");
    EXPECT_EQ(window_->resultLine()->text(), QStringLiteral("125.3125 sq ft"));
    EXPECT_EQ(window_->otherLines()->text(), QStringLiteral("11.6419 m\u00B2"));

    // A failure says why and leaves no earlier value on show.
    calculate("12'+10'*10'");
    EXPECT_EQ(feedback_.messageTexts(), std::vector<std::string>{"Cannot add a length and an area"});
    EXPECT_EQ(window_->resultLine()->text(), QStringLiteral("\u2014"));
    EXPECT_TRUE(window_->otherLines()->text().isEmpty());
    EXPECT_EQ(model_.readout(), "125.3125");
}

TEST_F(BuilderWindowTest, BoxesRefuseStrayKeysAndKeypadJoinsFractions) {
    QLineEdit* e = window_->expression();
    QTest::keyClicks(e, QStringLiteral("6q$"));
    EXPECT_EQ(e->text(), QStringLiteral("6"));
    EXPECT_EQ(feedback_.beeps, 2);
    window_->fraction(QStringLiteral("3/8"));
    EXPECT_EQ(e->text(), QStringLiteral("6-3/8\""));
    window_->keypad(QStringLiteral("+"));
    window_->fraction(QStringLiteral("1/16"));
    EXPECT_EQ(e->text(), QStringLiteral("6-3/8\"+1/16\""));
    window_->keypad(QStringLiteral("\b"));
    EXPECT_EQ(e->text(), QStringLiteral("6-3/8\"+1/16"));

    // The variable boxes take lengths the same way.
    QLineEdit* x = window_->txtVar(0);
    x->clear();
    QTest::keyClicks(x, QStringLiteral("2' 6\""));
    calculate("2X");
    EXPECT_EQ(window_->resultLine()->text(), QStringLiteral("5'0\""));
}

TEST_F(BuilderWindowTest, OptionsAreStoredAndRedrawTheLastResult) {
    calculate("1/3\"");
    EXPECT_EQ(window_->resultLine()->text(), QStringLiteral("5/16\"\u2193"));
    EXPECT_TRUE(window_->otherLines()->text().endsWith(QStringLiteral("\u2193 rounded down")));

    window_->cmbDenominator()->setCurrentIndex(window_->cmbDenominator()->findData(32));
    EXPECT_EQ(stored_["Builder Denominator"], "32");
    EXPECT_EQ(window_->resultLine()->text(), QStringLiteral("11/32\"\u2191"));
    EXPECT_TRUE(window_->otherLines()->text().endsWith(QStringLiteral("\u2191 rounded up")));

    window_->chkFtIn()->click();
    EXPECT_EQ(stored_["Builder Result FtIn"], "0");
    EXPECT_EQ(window_->resultLine()->text(), QStringLiteral("0.3333\""));
    window_->optFeet()->click();
    EXPECT_EQ(stored_["Builder Plain Feet"], "1");
    EXPECT_EQ(window_->resultLine()->text(), QStringLiteral("0.0278'"));

    window_->chkConvert()->click();
    window_->chkArea()->click();
    window_->chkToReadout()->click();
    EXPECT_EQ(stored_["Builder Convert"], "0");
    EXPECT_EQ(stored_["Builder Area"], "1");
    EXPECT_EQ(stored_["Builder Result to Readout"], "0");
    model_.setReadout("9.");
    calculate("9'*3'");
    EXPECT_EQ(window_->otherLines()->text(), QStringLiteral("3 sq yd"));
    EXPECT_EQ(model_.readout(), "9.");

    // A new window reads what was stored.
    expr::BuilderWindow again(model_, feedback_, {dir_.path.string()}, session_);
    again.show();
    EXPECT_TRUE(again.optFeet()->isChecked());
    EXPECT_FALSE(again.chkFtIn()->isChecked());
    EXPECT_EQ(again.cmbDenominator()->currentData().toInt(), 32);
}

TEST_F(BuilderWindowTest, ConfirmNoPutsTheInterpretedTextBack) {
    window_->chkConfirm()->click();
    EXPECT_EQ(stored_["Confirm Builder"], "1");
    window_->txtVar(0)->setText(QStringLiteral("3'"));
    feedback_.answer("no");
    calculate("2X");
    EXPECT_EQ(window_->expression()->text(), QStringLiteral("(2*3')"));
    EXPECT_EQ(model_.tape().text(), "");
}

TEST_F(BuilderWindowTest, FormulasComeFromTheConstructionFile) {
    const std::string file = dir_ / std::string(expr::FormulaFile::kConstructionFile);
    ASSERT_EQ(window_->FormulaFile(), file);
    ASSERT_EQ(window_->cmbFormula()->count(), static_cast<int>(expr::defaultConstructionFormulas().size()));
    window_->cmbFormula()->setCurrentIndex(window_->cmbFormula()->findText(QStringLiteral("Rafter length (X run, Y rise)")));
    window_->txtVar(0)->setText(QStringLiteral("12'"));
    window_->txtVar(1)->setText(QStringLiteral("5'"));
    window_->insertFormula();
    EXPECT_EQ(window_->expression()->text(), QStringLiteral("(X^2+Y^2)^.5"));
    window_->evaluate();
    EXPECT_EQ(window_->resultLine()->text(), QStringLiteral("13'0\""));

    // A formula added to the file shows once the list is read again.
    expr::FormulaFile(file).add("Board feet (X by Y by Z)", "X*Y*Z/144\"^3");
    window_->LoadFormulaNames();
    EXPECT_GE(window_->cmbFormula()->findText(QStringLiteral("Board feet (X by Y by Z)")), 0);
}

TEST_F(BuilderWindowTest, VisibleWhileShownAndEscapeHides) {
    EXPECT_TRUE(model_.builderVisible);
    QTest::keyClick(window_->expression(), Qt::Key_Escape);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_FALSE(model_.builderVisible);
}

TEST_F(BuilderWindowTest, EveryControlIsNamedAndMnemonicsAreUnique) {
    std::set<QChar> letters;
    auto mnemonic = [&](const QString& text) {
        const auto match = QRegularExpression(QStringLiteral("&([^&])")).match(text);
        if (!match.hasMatch()) return;
        const QChar c = match.captured(1).at(0).toLower();
        EXPECT_TRUE(letters.insert(c).second) << "duplicate Alt+" << c.toLatin1() << " in " << text.toStdString();
    };
    for (QWidget* w : window_->findChildren<QWidget*>()) {
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_FALSE(b->accessibleName().isEmpty()) << b->text().toStdString();
            mnemonic(b->text());
        } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) {
            if (w->parent() && qobject_cast<QComboBox*>(w->parent())) continue;  // a combo box's own editor
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            mnemonic(l->text());
        }
    }
}

// With ZORV_SHOT_DIR set, saves the window in the desktop's palette and in
// a dark one (for looking at, not for checking).
TEST_F(BuilderWindowTest, Screenshots) {
    const QByteArray shots = qgetenv("ZORV_SHOT_DIR");
    if (shots.isEmpty()) GTEST_SKIP() << "ZORV_SHOT_DIR not set";
    window_->txtVar(0)->setText(QStringLiteral("20'"));
    window_->txtVar(1)->setText(QStringLiteral("30'"));
    window_->txtVar(2)->setText(QStringLiteral("4\""));
    window_->chkArea()->click();
    window_->chkVolume()->click();
    calculate("X*Y*Z");
    window_->grab().save(QString::fromUtf8(shots) + QStringLiteral("/builder-volume.png"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(60, 60, 64));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(140, 140, 140));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(140, 140, 140));
    QApplication::setPalette(dark);
    QApplication::processEvents();
    calculate("1/3\"");
    window_->grab().save(QString::fromUtf8(shots) + QStringLiteral("/builder-dark.png"));
    QApplication::setPalette(QPalette());
}
