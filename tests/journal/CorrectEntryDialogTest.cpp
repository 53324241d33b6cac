// Correcting an entry in the window: the dialog (amount, operator, void;
// Enter applies, Escape cancels), the tape line under the cursor choosing
// the entry, and the question when the cursor is on none. With
// ZORV_SHOT_DIR set it also saves a picture of the dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "journal/CorrectEntryDialog.h"
#include "journal/JournalWindow.h"
#include "support/Mnemonics.h"
#include "support/TestFiles.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/TapeView.h"

using namespace zorv;
using namespace zorv::journal;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "journal_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* a = QApplication::instance() ? nullptr : new QApplication(argc, argv);
    return a ? *a : *qApp;
}

void keys(engine::CalculatorModel& model, const std::string& text) {
    for (char c : text) model.typeKey(std::string(1, c));
}

void press(QWidget* w, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
}

}  // namespace

TEST(CorrectEntryDialogTest, GivesTheCorrectionTheUserChose) {
    app();
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    keys(model, "10+20+30=");
    const LastCalculation chain = lastCalculation(model, model.tape());
    {
        CorrectEntryDialog d(model, chain, 2);
        d.show();
        EXPECT_EQ(d.amountEdit()->text(), "20");
        EXPECT_TRUE(d.operatorBox()->isEnabled());
        EXPECT_EQ(d.operatorBox()->count(), 4);
        d.amountEdit()->setText("25.5");
        d.operatorBox()->setCurrentIndex(d.operatorBox()->findData(QChar(u'-')));
        press(&d, Qt::Key_Return);  // Enter applies
        EXPECT_EQ(d.result(), QDialog::Accepted);
        ASSERT_TRUE(d.correction());
        EXPECT_EQ(d.correction()->entry, 2);
        EXPECT_EQ(d.correction()->amount, engine::Decimal::parse("25.5"));
        EXPECT_EQ(d.correction()->op, '-');
        EXPECT_TRUE(zorv::test::windowClashes(&d).isEmpty()) << zorv::test::windowClashes(&d).join(", ").toStdString();
        for (QWidget* w : d.findChildren<QWidget*>())
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w)) {
                EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
            }
    }
    {
        // Not a number: the dialog stays and says so.
        CorrectEntryDialog d(model, chain, 1);
        d.show();
        d.amountEdit()->setText("12..5");
        d.accept();
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.problemLabel()->isHidden());
        press(&d, Qt::Key_Escape);  // Escape cancels
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_FALSE(d.isVisible());
    }
    {
        // The entry with the total keeps its =; it can be voided.
        CorrectEntryDialog d(model, chain, 3);
        EXPECT_FALSE(d.operatorBox()->isEnabled());
        d.voidBox()->setChecked(true);
        EXPECT_FALSE(d.amountEdit()->isEnabled());
        d.accept();
        ASSERT_TRUE(d.correction());
        EXPECT_TRUE(d.correction()->voids());
    }
    {
        // Nothing changed: nothing to do (and never a void by mistake).
        CorrectEntryDialog d(model, chain, 1);
        d.accept();
        EXPECT_FALSE(d.correction());
    }
}

TEST(CorrectEntryDialogTest, WindowCorrectsTheEntryUnderTheTapeCursor) {
    app();
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    ui::CalculatorWindow window{model};
    test::TempDir dir;
    installTapeJournal(model, {dir.path.string(), {}, &window, [&window] { return window.tapeCursorLine(); }});
    keys(model, "1+2=5+6+7=");
    ui::TapeView* tape = window.txtTape();
    // At the end of the tape the cursor is on no line.
    EXPECT_FALSE(window.tapeCursorLine());
    // A selection counts from its first line.
    tape->select(tape->lineStart(6), tape->lineStart(7));
    ASSERT_EQ(window.tapeCursorLine(), 6);  // "6.00+"

    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* d = dynamic_cast<CorrectEntryDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        shown = d->findChildren<QLabel*>().at(1)->text();
        d->amountEdit()->setText("16");
        d->operatorBox()->setCurrentIndex(d->operatorBox()->findData(QChar(u'X')));
        if (const QByteArray dir = qgetenv("ZORV_SHOT_DIR"); !dir.isEmpty())
            d->grab().save(QString::fromUtf8(dir) + "/correct-entry-dialog.png");
        d->accept();
    });
    model.runCommand(engine::CommandId::CorrectEntry);
    EXPECT_EQ(shown, "6.00+");
    EXPECT_NE(model.tape().text().find("5.00+\r\n16.00X corrected, was 6.00+\r\n7.00=\r\n------------------\r\n"
                                       "147.00 corrected\r\n"),  // (5 + 16) X 7
              std::string::npos)
        << model.tape().text();
    EXPECT_TRUE(fb.questions.empty());

    // On a line of an earlier calculation: the window asks which entry.
    tape->select(tape->lineStart(0), tape->lineStart(0));
    fb.answer("1");
    QTimer::singleShot(0, [] {
        auto* d = dynamic_cast<CorrectEntryDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->voidBox()->setChecked(true);
        d->accept();
    });
    model.runCommand(engine::CommandId::CorrectEntry);
    ASSERT_EQ(fb.questions.size(), 1u);
    EXPECT_NE(fb.questions[0].prompt.find("1 to 3"), std::string::npos);
    EXPECT_NE(model.tape().text().find("5.00+ void\r\n"), std::string::npos);
    EXPECT_NE(model.tape().text().find("\r\n112.00 corrected\r\n"), std::string::npos);  // 16 X 7
    // Cancelled: nothing changes.
    const std::string before = model.tape().text();
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    tape->select(tape->lineStart(5), tape->lineStart(5));
    model.runCommand(engine::CommandId::CorrectEntry);
    EXPECT_EQ(model.tape().text(), before);
}
