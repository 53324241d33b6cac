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
    const char* letters[3] = {"&X", "&Y", "&Z"};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtVar%1").arg(i));
        box->setText(qs(session_->evaluator().variable(i)));
        box->setMaxLength(model_.maxDigits());
        box->setAlignment(Qt::AlignRight);
        box->installEventFilter(this);
        auto* label = new QLabel(QString::fromLatin1(letters[i]) + QStringLiteral(" ="), this);
        label->setBuddy(box);
        varGrid->addWidget(label, 0, 2 * i);
        varGrid->addWidget(box, 0, 2 * i + 1);
        vars_[static_cast<std::size_t>(i)] = box;
    }
    clearVars_ = new QPushButton(tr("Clear &Variables"), this);
    clearVars_->setObjectName(QStringLiteral("cmdClearVar"));
    clearVars_->setAutoDefault(false);
    varGrid->addWidget(clearVars_, 0, 6);

    formulas_ = new QComboBox(this);
    formulas_->setObjectName(QStringLiteral("cmbFormula"));
    formulas_->setMinimumContentsLength(16);
    formulas_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* formulaLabel = new QLabel(tr("&Formula:"), this);
    formulaLabel->setBuddy(formulas_);
    insert_ = new QPushButton(tr("&Insert"), this);
    insert_->setObjectName(QStringLiteral("comInsert"));
    insert_->setAutoDefault(false);
    insert_->setToolTip(tr("Put the selected formula into the expression"));
    formulasButton_ = new QPushButton(tr("&My Formulas..."), this);
    formulasButton_->setObjectName(QStringLiteral("comFormulas"));
    formulasButton_->setAutoDefault(false);
    formulasButton_->setToolTip(tr("Add, edit and delete stored formulas"));
    auto* formulaRow = new QHBoxLayout;
    formulaRow->addWidget(formulaLabel);
    formulaRow->addWidget(formulas_, 1);
    formulaRow->addWidget(insert_);
    formulaRow->addWidget(formulasButton_);

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
    layout->addLayout(formulaRow);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setMinimumWidth(520);

    connect(ok_, &QPushButton::clicked, this, [this] { acceptResult(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelEvaluation(); });
    connect(clearVars_, &QPushButton::clicked, this, [this] { clearVariables(); });
    connect(verify_, &QCheckBox::clicked, this, [this] { toggleConfirm(); });
    connect(insert_, &QPushButton::clicked, this, [this] { insertFormula(); });
    connect(formulasButton_, &QPushButton::clicked, this, [this] { openMyFormulas(); });
    connect(stayTop_, &QPushButton::clicked, this, [this] { toggleStayOnTop(); });
    connect(formulas_, &QComboBox::currentIndexChanged, this,
            [this] { formulas_->setToolTip(formulas_->currentText()); });

    // Form_Load: the stored confirmation choice and the formula file.
    verify_->setChecked(options_.readConfirm && confirmSettingValue(options_.readConfirm()));
    session_->evaluator().setConfirm(verify_->isChecked());
    formulaFile_ = (std::filesystem::path(options_.dataDir) / std::string(FormulaFile::kExpressionFile)).string();
    session_->onVariableChanged = [this](int index) {
        vars_[static_cast<std::size_t>(index)]->setText(qs(session_->evaluator().variable(index)));
    };
}

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
    if (formulas_->count() == 0) return;
    const auto text = expr::FormulaFile(formulaFile_).find(formulas_->currentText().toStdString());
    if (text) readout_->setText(qs(*text));
}

void ExpressionDialog::openMyFormulas() {
    if (!formulasWindow_) {
        formulasWindow_ = new MyFormulasWindow(feedback_, options_.dataDir, model_.decimalSymbol(), this);
        // Closing the list changes what this window offers.
        connect(formulasWindow_, &QDialog::finished, this, [this] { LoadFormulaNames(); });
    }
    formulasWindow_->Init(std::string(FormulaFile::kExpressionFile));
    formulasWindow_->setWindowModality(Qt::WindowModal);
    formulasWindow_->show();
    formulasWindow_->raise();
    formulasWindow_->activateWindow();
}

void ExpressionDialog::toggleStayOnTop() { setStayOnTop(stayTop_->isChecked()); }

void ExpressionDialog::setStayOnTop(bool on) {
    stayTop_->setChecked(on);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown) show();  // changing the flags hides the window
}

void ExpressionDialog::LoadFormulaNames() {
    formulas_->clear();
    const auto loaded = expr::FormulaFile(formulaFile_).load();
    // Said once, not at every activation: closing the message activates
    // this window again.
    if (!loaded.error.empty() && loaded.error != formulaReadError_)
        feedback_.showMessage("The formulas could not be read from\r\n" + formulaFile_ + "\r\n" + loaded.error,
                              std::string(engine::kProductName), engine::MessageIcon::Exclamation);
    formulaReadError_ = loaded.error;
    for (const auto& line : loaded.lines) formulas_->addItem(qs(line.name()));
    if (formulas_->count() > 0) formulas_->setCurrentIndex(0);
    formulas_->setToolTip(formulas_->currentText());
    formulas_->setEnabled(true);
}

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
