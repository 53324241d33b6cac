// Messages and questions shown by a window that stays open (the expression
// builder, the numeric input, the Properties window, the formulas window):
// once the user closes the box, that window is active again with the focus
// where it was, so the next key typed goes there and not to the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "FakeWindow.h"
#include "engine/CalculatorModel.h"
#include "expr/ExpressionDialog.h"
#include "expr/MyFormulasWindow.h"
#include "finance/NumInputDialog.h"
#include "platform/QtFeedback.h"
#include "shell/PropertiesWindow.h"
#include "shell/SettingsStore.h"
#include "shell/ShellState.h"

namespace fs = std::filesystem;
using namespace zorv;

namespace {

// Closes every message box that opens, with its default button, and counts
// them; what the box's parent window was is kept for the checks.
class MessageCloser : public QObject {
public:
    MessageCloser() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { closeOpenBox(); });
        timer_.start();
    }
    int closed = 0;
    QWidget* lastOwner = nullptr;
    // Runs once while the next box is open, before it is closed.
    std::function<void(QWidget* box)> whileOpen;

private:
    void closeOpenBox() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            lastOwner = box->parentWidget() ? box->parentWidget()->window() : nullptr;
            if (whileOpen) std::exchange(whileOpen, nullptr)(box);
            ++closed;
            if (QAbstractButton* b = box->defaultButton()) b->click();
            else box->accept();
        } else if (auto* ask = qobject_cast<QInputDialog*>(modal)) {
            lastOwner = ask->parentWidget() ? ask->parentWidget()->window() : nullptr;
            ++closed;
            ask->reject();
        }
    }
    QTimer timer_;
};

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(5);
    }
}

void activate(QWidget& w) {
    w.show();
    w.raise();
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    settle();
}

struct MessageOwner : ::testing::Test {
    MessageOwner() {
        dir = fs::temp_directory_path() /
              ("zorv_owner_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        mainWindow.setWindowTitle(QStringLiteral("main"));
        mainWindow.setCentralWidget(new QLineEdit(&mainWindow));
        feedback.parent = &mainWindow;
        model.modes().financial = false;
        activate(mainWindow);
    }
    ~MessageOwner() override { fs::remove_all(dir); }

    // After the message: `window` is active and `focus` has the focus.
    void expectBackIn(QWidget& window, QWidget* focus, const char* what) {
        settle();
        EXPECT_EQ(closer.closed, 1) << what;
        EXPECT_EQ(closer.lastOwner, &window) << what << ": the box belongs to the window that asked";
        EXPECT_EQ(QApplication::activeWindow(), &window) << what;
        EXPECT_EQ(QApplication::focusWidget(), focus) << what;
    }

    fs::path dir;
    platform::QtFeedback feedback;
    engine::CalculatorModel model{feedback};
    QMainWindow mainWindow;
    MessageCloser closer;
};

TEST_F(MessageOwner, ExpressionBuilderGetsTheKeysAfterAnEvaluationError) {
    expr::ExpressionDialog::Options options;
    options.dataDir = dir.string();
    options.mainWindow = &mainWindow;
    expr::ExpressionDialog builder(model, feedback, options, {}, &mainWindow);
    activate(builder);
    QLineEdit* box = builder.Readout();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("1/0"));
    QTest::keyClick(box, Qt::Key_Return);
    expectBackIn(builder, box, "builder");
    const std::string readout = model.readout();
    if (QWidget* typedInto = QApplication::focusWidget()) QTest::keyClick(typedInto, Qt::Key_7);
    EXPECT_TRUE(builder.Readout()->text().endsWith(QLatin1Char('7'))) << builder.Readout()->text().toStdString();
    EXPECT_EQ(model.readout(), readout);
}

TEST_F(MessageOwner, FormulasWindowGetsTheKeysAfterItsMessage) {
    expr::MyFormulasWindow formulas(feedback, dir.string(), ".", &mainWindow);
    formulas.Init("evalform.frm");
    activate(formulas);
    formulas.addFormula();
    formulas.txtName()->setText(QStringLiteral("Area"));
    formulas.txtFormula()->setText(QStringLiteral("X*Y"));
    formulas.saveFormula();
    settle();
    closer.closed = 0;
    formulas.addFormula();
    formulas.txtName()->setText(QStringLiteral("Area"));
    formulas.txtFormula()->setText(QStringLiteral("X*Z"));
    formulas.txtFormula()->setFocus();
    settle();
    formulas.saveFormula();  // "That name already exists!", then the name box to rename
    expectBackIn(formulas, formulas.txtName(), "formulas");
}

TEST_F(MessageOwner, PropertiesWindowKeepsTheYearBoxAfterItsMessage) {
    shell::SettingsStore store{nullptr};
    shell::ShellState state;
    shell::testing::FakeWindow window;
    shell::PropertiesForm form{model, store, state, window};
    shell::PropertiesWindow properties{form, dir.string(), &mainWindow};
    properties.load();
    activate(properties);
    QLineEdit* last = properties.txtYear(1);
    last->setFocus();
    settle();
    last->setText(QStringLiteral("1999"));  // before the current year
    QTest::keyClick(last, Qt::Key_Tab);
    expectBackIn(properties, last, "properties");
}

TEST_F(MessageOwner, NumericInputGetsTheKeysAfterInvalidValue) {
    finance::NumInputDialog input(model, &mainWindow);
    input.Init("How many?", "Number of Payments", "36");
    bool checked = false;
    QTimer::singleShot(50, &input, [&] {
        input.txtInput()->setFocus();
        input.txtInput()->setText(QStringLiteral("--"));  // not a number
        input.okButton()->click();
        settle();
        EXPECT_EQ(closer.closed, 1);
        EXPECT_EQ(closer.lastOwner, &input);
        EXPECT_EQ(QApplication::activeWindow(), &input);
        EXPECT_EQ(QApplication::focusWidget(), input.txtInput());
        checked = true;
        input.cancelButton()->click();
    });
    EXPECT_FALSE(input.run().has_value());
    EXPECT_TRUE(checked);
}

TEST_F(MessageOwner, QuestionsGoBackToTheWindowThatAsked) {
    expr::ExpressionDialog::Options options;
    options.dataDir = dir.string();
    expr::ExpressionDialog builder(model, feedback, options, {}, &mainWindow);
    activate(builder);
    builder.Readout()->setFocus();
    settle();
    EXPECT_FALSE(feedback.askText("Name?", "Question", "").has_value());
    expectBackIn(builder, builder.Readout(), "question");
}

}  // namespace
