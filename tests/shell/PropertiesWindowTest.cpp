// The Properties window on the offscreen platform: its controls show the
// pending values and feed them back, and the year boxes take digits only.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTest>

#include "FakeWindow.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "shell/PropertiesWindow.h"
#include "shell/StartupSequence.h"
#include "tests/support/Mnemonics.h"

namespace zorv::shell {
namespace {

struct Window : ::testing::Test {
    Window() {
        window.font = {"Courier New", 10, 128 * 256, false, true};
        window.ratio = 1.5;
        model.modes().decimalPlaces = 4;
        registerShellCommands(model, store, state, &window);
        dialog.load();
    }
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    SettingsStore store{nullptr};
    ShellState state;
    testing::FakeWindow window;
    PropertiesForm form{model, store, state, window};
    PropertiesWindow dialog{form, "/data"};
};

TEST_F(Window, ControlsShowTheOpeningValues) {
    EXPECT_GT(dialog.cmbFonts()->count(), 0);
    EXPECT_EQ(dialog.cmbSize()->currentText(), "10");
    EXPECT_EQ(dialog.cmbColor()->currentText(), "Green");
    EXPECT_TRUE(dialog.check("chkItalic")->isChecked());
    EXPECT_EQ(dialog.vsTapeSize()->value(), 150);
    EXPECT_EQ(dialog.lblSize()->text(), "150%");
    EXPECT_EQ(dialog.vsDecPlaces()->value(), 4);
    EXPECT_EQ(dialog.txtYear(1)->text(), "2400");
}

// The keyboard reaches everything: distinct Alt+letters, the spin boxes
// change with the arrow keys, and Enter applies.
TEST_F(Window, KeyboardChangesTheSpinBoxesAndEnterApplies) {
    dialog.show();
    const QStringList clashes = zorv::test::windowClashes(&dialog);
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join("\n").toStdString();
    EXPECT_TRUE(dialog.vsDecPlaces()->focusPolicy() & Qt::TabFocus);
    dialog.vsDecPlaces()->setFocus();
    QTest::keyClick(dialog.vsDecPlaces(), Qt::Key_Up);
    EXPECT_EQ(form.pending().decimalPlaces, 5);
    QTest::keyClick(dialog.vsTapeSize(), Qt::Key_Down);
    EXPECT_EQ(dialog.lblSize()->text(), "145%");
    QTest::keyClick(dialog.vsDecPlaces(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.modes().decimalPlaces, 5);
}

// Ink the paper swallows cannot be chosen; readable ones can.
TEST_F(Window, InksTooPaleForThePaperAreRefused) {
    auto* model = qobject_cast<QStandardItemModel*>(dialog.cmbColor()->model());
    ASSERT_NE(model, nullptr);
    const auto enabled = [&](const QString& name) {
        return model->item(dialog.cmbColor()->findText(name))->isEnabled();
    };
    EXPECT_FALSE(enabled("White"));
    EXPECT_FALSE(enabled("Bright White"));
    EXPECT_FALSE(enabled("Light Yellow"));
    EXPECT_TRUE(enabled("Black"));
    EXPECT_TRUE(enabled("Green"));
}

TEST_F(Window, ClicksReachTheFormAndExclusionsShow) {
    dialog.check("chkMinimized")->click();
    dialog.check("chkStartOnTop")->click();
    EXPECT_FALSE(dialog.check("chkMinimized")->isChecked());
    EXPECT_TRUE(form.pending().startOnTop);
    dialog.vsTapeSize()->setValue(90);
    EXPECT_EQ(window.ratio, 0.9);
    EXPECT_EQ(dialog.lblSize()->text(), "90%");
    dialog.check("chkHide")->click();
    EXPECT_EQ(dialog.lblSize()->text(), "Hidden");
    dialog.vsDecPlaces()->setValue(12);
    EXPECT_EQ(form.pending().decimalPlaces, 12);
    dialog.button("comOK")->click();
    EXPECT_EQ(model.modes().decimalPlaces, 12);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(Window, YearBoxesRefuseLettersWithABeep) {
    dialog.show();
    QLineEdit* first = dialog.txtYear(0);
    first->setFocus();
    first->clear();
    QTest::keyClicks(first, "19a8x5");
    EXPECT_EQ(first->text(), "1985");
    EXPECT_EQ(feedback.beeps, 2);
    QTest::keyClick(first, Qt::Key_V, Qt::ControlModifier);  // no paste either
    EXPECT_EQ(first->text(), "1985");
    EXPECT_EQ(feedback.beeps, 3);
}

TEST_F(Window, LeavingAYearBoxAppliesItsRule) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* first = dialog.txtYear(0);
    first->setFocus();
    first->clear();
    QTest::keyClicks(first, "85");
    QTest::keyClick(first, Qt::Key_Return);  // Enter moves on like Tab
    EXPECT_EQ(first->text(), "1985");
    EXPECT_EQ(form.pending().firstYear, "1985");
}

TEST_F(Window, EscapeCancelsThePreviews) {
    dialog.vsTapeSize()->setValue(300);
    EXPECT_EQ(window.ratio, 3.0);
    dialog.reject();
    EXPECT_EQ(window.ratio, 1.5);
    EXPECT_TRUE(form.done());
}

}  // namespace
}  // namespace zorv::shell
