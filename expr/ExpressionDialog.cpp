#include "expr/ExpressionDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "expr/ExpressionKeys.h"
#include "expr/FormulaFile.h"
#include "expr/FormulaPicker.h"
#include "expr/MyFormulasWindow.h"
#include "expr/TypedKey.h"

namespace zorv::expr {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ExpressionDialog::ExpressionDialog(engine::CalculatorModel& model, engine::UserFeedback& feedback,
                               Options options, std::shared_ptr<ExpressionSession> session,
                               QWidget* parent)
    : QDialog(parent),
      model_(model),
      feedback_(feedback),
      options_(std::move(options)),
      session_(session ? std::move(session) : std::make_shared<ExpressionSession>(model, feedback)) {
    setObjectName(QStringLiteral("frmBrackets"));
    setWindowTitle(tr("Expression Builder"));

    readout_ = new QLineEdit(this);
    readout_->setObjectName(QStringLiteral("Readout"));
    readout_->setPlaceholderText(QStringLiteral("e.g. 2(3+4)^2-15%"));
    readout_->installEventFilter(this);
    auto* readoutLabel = new QLabel(tr("&Expression:"), this);
    readoutLabel->setBuddy(readout_);
    auto* keysLabel = new QLabel(tr("P types pi, S squares (^2), R takes the square root (^%1)")
                                     .arg(qs(model_.decimalSymbol() + "5")),
                                 this);
    keysLabel->setEnabled(false);

    auto* varGrid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        const auto [label, box] = makeVariableBox(*this, i, tr("Variable %1").arg(QChar(QLatin1Char("XYZ"[i]))),
                                                  session_->evaluator().variable(i), model_.maxDigits(), this);
        box->setAlignment(Qt::AlignRight);
        varGrid->addWidget(label, 0, 2 * i);
        varGrid->addWidget(box, 0, 2 * i + 1);
        vars_[static_cast<std::size_t>(i)] = box;
    }
    clearVars_ = new QPushButton(tr("Clear &Variables"), this);
    clearVars_->setObjectName(QStringLiteral("cmdClearVar"));
    clearVars_->setAutoDefault(false);
    varGrid->addWidget(clearVars_, 0, 6);

    FormulaRowTexts formulaTexts;
    formulaTexts.label = tr("&Formula:");
    formulaTexts.listName = tr("Stored formula");
    formulaTexts.insert = tr("&Insert");
    formulaTexts.insertName = tr("Insert formula");
    formulaTexts.insertTip = tr("Put the selected formula into the expression");
    formulaTexts.manage = tr("&My Formulas...");
    formulaTexts.manageName = tr("My Formulas");
    formulaTexts.manageTip = tr("Add, edit and delete stored formulas");
    picker_ = std::make_unique<FormulaPicker>(*this, feedback_, formulaTexts);

    verify_ = new QCheckBox(tr("Confirm Expression"), this);
    verify_->setObjectName(QStringLiteral("chkVerify"));
    verify_->setToolTip(tr("Show the interpreted expression before it is evaluated"));

    stayTop_ = new QPushButton(tr("On &Top"), this);
    stayTop_->setObjectName(QStringLiteral("cmdStayTop"));
    stayTop_->setCheckable(true);
    stayTop_->setAutoDefault(false);
    stayTop_->setToolTip(tr("Keep this window above other windows"));
    ok_ = new QPushButton(tr("&OK"), this);
    ok_->setObjectName(QStringLiteral("cmdOK"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("&Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    cancel_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(verify_);
    buttons->addStretch(1);
    buttons->addWidget(stayTop_);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(readoutLabel);
    layout->addWidget(readout_);
    layout->addWidget(keysLabel);
    layout->addSpacing(6);
    layout->addLayout(varGrid);
    layout->addLayout(picker_->row());
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setMinimumWidth(520);

    connect(ok_, &QPushButton::clicked, this, [this] { acceptResult(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelEvaluation(); });
    connect(clearVars_, &QPushButton::clicked, this, [this] { clearVariables(); });
    connect(verify_, &QCheckBox::clicked, this, [this] { toggleConfirm(); });
    connect(picker_->insertButton(), &QPushButton::clicked, this, [this] { insertFormula(); });
    connect(picker_->manageButton(), &QPushButton::clicked, this, [this] { openMyFormulas(); });
    connect(stayTop_, &QPushButton::clicked, this, [this] { toggleStayOnTop(); });

    // Form_Load: the stored confirmation choice and the formula file.
    verify_->setChecked(options_.readConfirm && confirmSettingValue(options_.readConfirm()));
    session_->evaluator().setConfirm(verify_->isChecked());
    picker_->setFile((std::filesystem::path(options_.dataDir) / std::string(FormulaFile::kExpressionFile)).string());
    session_->onVariableChanged = [this](int index) {
        vars_[static_cast<std::size_t>(index)]->setText(qs(session_->evaluator().variable(index)));
    };
}

QComboBox* ExpressionDialog::cmbFormula() const { return picker_->list(); }
QPushButton* ExpressionDialog::comInsert() const { return picker_->insertButton(); }
QPushButton* ExpressionDialog::comFormulas() const { return picker_->manageButton(); }
MyFormulasWindow* ExpressionDialog::formulasWindow() const { return picker_->formulasWindow(); }
const std::string& ExpressionDialog::FormulaFile() const { return picker_->file(); }

ExpressionDialog::~ExpressionDialog() {
    // The session may outlive the window (the batch commands hold it too).
    session_->onVariableChanged = nullptr;
}

void ExpressionDialog::acceptResult() {
    // The variable boxes are cleaned as when they lose the focus, which they
    // do not when Enter presses OK from inside one of them.
    for (int i = 0; i < 3; ++i) purgeVariable(i);
    if (session_->evaluateToCalculator(readout_->text().toStdString())) {
        if (!options_.dontHideEval || !options_.dontHideEval()) hide();
        return;
    }
    const Evaluator& ev = session_->evaluator();
    if (ev.editRequest() == Evaluator::EditRequest::EditInterpreted) readout_->setText(qs(ev.InterpretedText));
    readout_->setFocus();
}

void ExpressionDialog::cancelEvaluation() { hide(); }

void ExpressionDialog::clearVariables() {
    for (int i = 0; i < 3; ++i) {
        vars_[static_cast<std::size_t>(i)]->setText(QStringLiteral("0"));
        session_->evaluator().setVariable(i, "0");
    }
    readout_->setFocus();
}

void ExpressionDialog::toggleConfirm() {
    const bool on = verify_->isChecked();
    session_->evaluator().setConfirm(on);
    if (options_.writeConfirm) options_.writeConfirm(on ? "1" : "0");
}

void ExpressionDialog::insertFormula() {
    if (const auto text = picker_->chosenText()) readout_->setText(*text);
}

void ExpressionDialog::openMyFormulas() {
    picker_->openMyFormulas(options_.dataDir, model_.decimalSymbol(), FormulaFile::kExpressionFile);
}

void ExpressionDialog::toggleStayOnTop() { setStayOnTop(stayTop_->isChecked()); }

void ExpressionDialog::setStayOnTop(bool on) { setStaysOnTop(*this, *stayTop_, on); }

void ExpressionDialog::LoadFormulaNames() { picker_->load(); }

void ExpressionDialog::Form_Activate() {
    if (options_.mainWindow && options_.mainWindow->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        setStayOnTop(true);
    readout_->setFocus();
    readout_->selectAll();
    LoadFormulaNames();
}

bool ExpressionDialog::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate) Form_Activate();
    return handled;
}

void ExpressionDialog::purgeVariable(int index) {
    session_->setVariable(index, vars_[static_cast<std::size_t>(index)]->text().toStdString());
}

bool ExpressionDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == readout_) return expressionKeyPress(key);
        for (int i = 0; i < 3; ++i)
            if (watched == vars_[static_cast<std::size_t>(i)]) return variableKeyPress(i, key);
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another program or opening a menu is not leaving the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            for (int i = 0; i < 3; ++i) {
                if (watched != vars_[static_cast<std::size_t>(i)]) continue;
                // After the focus has moved: the cleaner may show a message.
                QTimer::singleShot(0, this, [this, i] { purgeVariable(i); });
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool ExpressionDialog::expressionKeyPress(QKeyEvent* key) {
    const auto typed = typedKey(key);
    if (!typed) return false;
    return applyToBox(readout_, expressionKey(*typed, model_.decimalSymbol()), feedback_);
}

bool ExpressionDialog::variableKeyPress(int index, QKeyEvent* key) {
    QLineEdit* box = vars_[static_cast<std::size_t>(index)];
    const auto typed = typedKey(key);
    if (!typed) return false;
    const KeyOutcome outcome = variableKey(*typed, model_.decimalSymbol());
    switch (outcome.action) {
    case KeyAction::Insert:
        box->insert(qs(outcome.text));
        return true;
    case KeyAction::Copy:
        QApplication::clipboard()->setText(box->text());
        feedback_.showMessage("Copied to Clipboad!", std::string(engine::kProductName),
                              engine::MessageIcon::Information);
        return true;
    case KeyAction::Paste:
        box->setText(QApplication::clipboard()->text());
        return true;
    case KeyAction::Backspace:
        return false;
    case KeyAction::Reject:
        break;
    }
    feedback_.beep();
    return true;
}

}  // namespace zorv::expr
