#include "expr/BuilderWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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

constexpr int kDenominators[] = {2, 4, 8, 16, 32, 64};

// A keypad key: no focus of its own, so the caret stays in the box it types into.
QPushButton* keyButton(const QString& caption, const QString& accessible, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setAccessibleName(accessible);
    b->setToolTip(accessible);
    b->setMinimumWidth(44);
    b->setMaximumWidth(60);
    return b;
}

}  // namespace

BuilderWindow::BuilderWindow(engine::CalculatorModel& model, engine::UserFeedback& feedback, Options options,
                             std::shared_ptr<BuilderSession> session, QWidget* parent)
    : QDialog(parent),
      model_(model),
      feedback_(feedback),
      options_(std::move(options)),
      session_(std::move(session)) {
    setObjectName(QStringLiteral("frmBuilder"));
    setWindowTitle(tr("Construction Calculator (ft/in)"));

    // ---- expression
    expression_ = new QLineEdit(this);
    expression_->setObjectName(QStringLiteral("txtExpression"));
    expression_->setAccessibleName(tr("Expression"));
    expression_->setPlaceholderText(QStringLiteral("e.g. 12'6-3/8\" + 3'0-1/4\""));
    expression_->setMaxLength(static_cast<int>(Evaluator::kMaxLength));
    expression_->installEventFilter(this);
    auto* expressionLabel = new QLabel(tr("&Expression:"), this);
    expressionLabel->setBuddy(expression_);
    auto* hint = new QLabel(QStringLiteral("Lengths: 12'6-3/8\", 12' 6 3/8\", 150\", 12.5', 30cm, 1.5m, 300mm; "
                                           "S squares, R takes the root"),
                            this);
    hint->setEnabled(false);

    // ---- keypad
    auto* pad = new QGridLayout;
    pad->setSpacing(3);
    const struct {
        const char* caption;
        const char* text;
        const char* name;
        int row, column;
    } keys[] = {
        {"7", "7", "7", 0, 0}, {"8", "8", "8", 0, 1}, {"9", "9", "9", 0, 2},
        {"\u00F7", "/", "Divide or fraction bar", 0, 3}, {"(", "(", "Open bracket", 0, 4},
        {")", ")", "Close bracket", 0, 5},
        {"4", "4", "4", 1, 0}, {"5", "5", "5", 1, 1}, {"6", "6", "6", 1, 2},
        {"\u00D7", "*", "Multiply", 1, 3}, {"ft '", "'", "Feet mark", 1, 4},
        {"in \"", "\"", "Inch mark", 1, 5},
        {"1", "1", "1", 2, 0}, {"2", "2", "2", 2, 1}, {"3", "3", "3", 2, 2},
        {"\u2212", "-", "Minus or fraction hyphen", 2, 3}, {"mm", "mm", "Millimetres", 2, 4},
        {"cm", "cm", "Centimetres", 2, 5},
        {"0", "0", "0", 3, 0}, {".", ".", "Decimal point", 3, 1}, {"\u2423", " ", "Blank", 3, 2},
        {"+", "+", "Plus", 3, 3}, {"m", "m", "Metres", 3, 4}, {"\u232B", "\b", "Backspace", 3, 5},
    };
    for (const auto& k : keys) {
        auto* b = keyButton(QString::fromUtf8(k.caption), QString::fromUtf8(k.name), this);
        const QString text = QString::fromUtf8(k.text);
        connect(b, &QPushButton::clicked, this, [this, text] { keypad(text); });
        pad->addWidget(b, k.row, k.column);
    }
    auto* clear = keyButton(tr("Clear"), tr("Clear the expression"), this);
    connect(clear, &QPushButton::clicked, this, [this] {
        expression_->clear();
        expression_->setFocus();
    });
    clear->setMaximumWidth(QWIDGETSIZE_MAX);
    pad->addWidget(clear, 4, 3, 1, 3);
    // The common fractions of an inch, two columns beside the keys.
    const char* fractions[] = {"1/16", "1/8", "1/4", "3/8", "1/2", "5/8", "3/4", "7/8"};
    for (int i = 0; i < 8; ++i) {
        const QString f = QString::fromLatin1(fractions[i]);
        auto* b = keyButton(f + QLatin1Char('"'), QStringLiteral("%1 inch").arg(f), this);
        connect(b, &QPushButton::clicked, this, [this, f] { fraction(f); });
        pad->addWidget(b, i / 2, 7 + i % 2);
    }
    pad->setColumnMinimumWidth(6, 8);
    // ---- result
    auto* resultBox = new QGroupBox(tr("Result"), this);
    result_ = new QLabel(QStringLiteral("\u2014"), resultBox);
    result_->setObjectName(QStringLiteral("lblResult"));
    result_->setAccessibleName(tr("Result"));
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont big = result_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    result_->setFont(big);
    others_ = new QLabel(resultBox);
    others_->setObjectName(QStringLiteral("lblOtherForms"));
    others_->setAccessibleName(tr("The result in other units"));
    others_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    others_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the longest set of lines (a length with its rounding note).
    others_->setMinimumHeight(others_->fontMetrics().lineSpacing() * 5);
    auto* resultLayout = new QVBoxLayout(resultBox);
    resultLayout->addWidget(result_);
    resultLayout->addWidget(others_, 1);
    resultBox->setMinimumWidth(230);

    auto* middle = new QHBoxLayout;
    middle->addLayout(pad);
    middle->addWidget(resultBox, 1);

    // ---- variables
    auto* varRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        const auto [label, box] = makeVariableBox(*this, i, tr("Variable %1").arg(QChar(QLatin1Char("XYZ"[i]))),
                                                  session_->variable(i), 64, this);
        connect(box, &QLineEdit::editingFinished, this,
                [this, i] { session_->setVariable(i, vars_[static_cast<std::size_t>(i)]->text().toStdString()); });
        varRow->addWidget(label);
        varRow->addWidget(box, 1);
        vars_[static_cast<std::size_t>(i)] = box;
    }
    auto* clearVars = new QPushButton(tr("Clear &Variables"), this);
    clearVars->setObjectName(QStringLiteral("cmdClearVar"));
    clearVars->setAccessibleName(tr("Clear Variables"));
    clearVars->setAutoDefault(false);
    varRow->addWidget(clearVars);

    // ---- formulas
    FormulaRowTexts formulaTexts;
    formulaTexts.label = tr("&Formula:");
    formulaTexts.listName = tr("Stored formula");
    formulaTexts.insert = tr("&Insert");
    formulaTexts.insertName = tr("Insert formula");
    formulaTexts.insertTip = tr("Put the selected formula into the expression");
    formulaTexts.manage = tr("My F&ormulas...");
    formulaTexts.manageName = tr("My Formulas");
    formulaTexts.manageTip = tr("Add, edit and delete the construction formulas");
    formulaTexts.minimumLength = 20;
    formulaTexts.keepSelection = true;
    picker_ = std::make_unique<FormulaPicker>(*this, feedback_, formulaTexts);
    QComboBox* formulas = picker_->list();
    QPushButton* insert = picker_->insertButton();
    QPushButton* formulasButton = picker_->manageButton();

    // ---- options
    auto* optionsBox = new QGroupBox(tr("Options"), this);
    inches_ = new QRadioButton(tr("In&ches"), optionsBox);
    inches_->setAccessibleName(tr("Plain numbers are inches"));
    feet_ = new QRadioButton(tr("Fee&t"), optionsBox);
    feet_->setAccessibleName(tr("Plain numbers are feet"));
    auto* unitGroup = new QButtonGroup(this);
    unitGroup->addButton(inches_);
    unitGroup->addButton(feet_);
    denominator_ = new QComboBox(optionsBox);
    denominator_->setObjectName(QStringLiteral("cmbDenominator"));
    denominator_->setAccessibleName(tr("Round inches to"));
    for (int d : kDenominators) denominator_->addItem(QStringLiteral("1/%1\"").arg(d), d);
    auto* roundLabel = new QLabel(tr("&Round to:"), optionsBox);
    roundLabel->setBuddy(denominator_);
    ftIn_ = new QCheckBox(tr("Feet-inch res&ult"), optionsBox);
    ftIn_->setAccessibleName(tr("Result line in feet and inches"));
    ftIn_->setToolTip(tr("Off: the result line is a decimal in the plain-number unit"));
    convert_ = new QCheckBox(tr("Metric &line"), optionsBox);
    convert_->setAccessibleName(tr("Show the metric line"));
    area_ = new QCheckBox(tr("Area in s&q yd"), optionsBox);
    area_->setAccessibleName(tr("Show areas in square yards"));
    volume_ = new QCheckBox(tr("Volume in cu y&d"), optionsBox);
    volume_->setAccessibleName(tr("Show volumes in cubic yards"));
    toReadout_ = new QCheckBox(tr("Send to re&adout"), optionsBox);
    toReadout_->setAccessibleName(tr("Send the result to the calculator readout"));
    confirm_ = new QCheckBox(tr("Confir&m"), optionsBox);
    confirm_->setAccessibleName(tr("Confirm the interpreted expression"));
    confirm_->setToolTip(tr("Show the interpreted expression before it is evaluated"));
    auto* optionsGrid = new QGridLayout(optionsBox);
    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(new QLabel(tr("Plain numbers:"), optionsBox));
    unitRow->addWidget(inches_);
    unitRow->addWidget(feet_);
    unitRow->addSpacing(12);
    unitRow->addWidget(roundLabel);
    unitRow->addWidget(denominator_);
    unitRow->addStretch(1);
    optionsGrid->addLayout(unitRow, 0, 0, 1, 3);
    optionsGrid->addWidget(ftIn_, 1, 0);
    optionsGrid->addWidget(convert_, 1, 1);
    optionsGrid->addWidget(toReadout_, 1, 2);
    optionsGrid->addWidget(area_, 2, 0);
    optionsGrid->addWidget(volume_, 2, 1);
    optionsGrid->addWidget(confirm_, 2, 2);

    // ---- buttons
    stayTop_ = new QPushButton(tr("On To&p"), this);
    stayTop_->setObjectName(QStringLiteral("cmdStayTop"));
    stayTop_->setAccessibleName(tr("Keep on top"));
    stayTop_->setCheckable(true);
    stayTop_->setAutoDefault(false);
    stayTop_->setToolTip(tr("Keep this window above other windows"));
    equals_ = new QPushButton(QStringLiteral("="), this);
    equals_->setObjectName(QStringLiteral("cmdEquals"));
    equals_->setAccessibleName(tr("Calculate"));
    equals_->setToolTip(tr("Calculate (Enter)"));
    equals_->setDefault(true);
    equals_->setMinimumWidth(90);
    close_ = new QPushButton(tr("Close"), this);
    close_->setObjectName(QStringLiteral("cmdClose"));
    close_->setAccessibleName(tr("Close"));
    close_->setToolTip(tr("Close (Esc)"));
    close_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(stayTop_);
    buttons->addStretch(1);
    buttons->addWidget(equals_);
    buttons->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(expressionLabel);
    layout->addWidget(expression_);
    layout->addWidget(hint);
    layout->addLayout(middle);
    layout->addLayout(varRow);
    layout->addLayout(picker_->row());
    layout->addWidget(optionsBox);
    layout->addLayout(buttons);
    setMinimumWidth(600);

    // Keyboard order: expression, variables, formulas, options, buttons.
    setTabOrder(expression_, vars_[0]);
    setTabOrder(vars_[0], vars_[1]);
    setTabOrder(vars_[1], vars_[2]);
    setTabOrder(vars_[2], clearVars);
    setTabOrder(clearVars, formulas);
    setTabOrder(formulas, insert);
    setTabOrder(insert, formulasButton);
    setTabOrder(formulasButton, inches_);
    setTabOrder(inches_, feet_);
    setTabOrder(feet_, denominator_);
    setTabOrder(denominator_, ftIn_);
    setTabOrder(ftIn_, convert_);
    setTabOrder(convert_, toReadout_);
    setTabOrder(toReadout_, area_);
    setTabOrder(area_, volume_);
    setTabOrder(volume_, confirm_);
    setTabOrder(confirm_, stayTop_);
    setTabOrder(stayTop_, equals_);
    setTabOrder(equals_, close_);

    connect(equals_, &QPushButton::clicked, this, [this] { evaluate(); });
    connect(close_, &QPushButton::clicked, this, [this] { closeWindow(); });
    connect(clearVars, &QPushButton::clicked, this, [this] { clearVariables(); });
    connect(insert, &QPushButton::clicked, this, [this] { insertFormula(); });
    connect(formulasButton, &QPushButton::clicked, this, [this] { openMyFormulas(); });
    connect(stayTop_, &QPushButton::clicked, this, [this] { setStayOnTop(stayTop_->isChecked()); });
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{inches_, feet_, ftIn_, convert_, area_,
                                                                      volume_, toReadout_, confirm_})
        connect(b, &QAbstractButton::toggled, this, [this] { optionChanged(); });
    connect(denominator_, &QComboBox::currentIndexChanged, this, [this] { optionChanged(); });

    // Form_Load: the stored options and the formula file, made with a few
    // useful formulas when there is none yet.
    picker_->setFile((std::filesystem::path(options_.dataDir) / std::string(FormulaFile::kConstructionFile)).string());
    // A file that cannot be written shows as an empty list; loading it says why.
    seedConstructionFormulas(picker_->file());
    loadOptions();
}

BuilderWindow::~BuilderWindow() = default;

QComboBox* BuilderWindow::cmbFormula() const { return picker_->list(); }
MyFormulasWindow* BuilderWindow::formulasWindow() const { return picker_->formulasWindow(); }
const std::string& BuilderWindow::FormulaFile() const { return picker_->file(); }

void BuilderWindow::loadOptions() {
    loading_ = true;
    const BuilderOptions o = session_->options();
    (o.plain == PlainUnit::Feet ? feet_ : inches_)->setChecked(true);
    for (int i = 0; i < denominator_->count(); ++i)
        if (denominator_->itemData(i).toInt() == o.denominator) denominator_->setCurrentIndex(i);
    ftIn_->setChecked(o.resultFeetInches);
    convert_->setChecked(o.convert);
    area_->setChecked(o.area);
    volume_->setChecked(o.volume);
    toReadout_->setChecked(o.resultToReadout);
    confirm_->setChecked(o.confirm);
    loading_ = false;
}

void BuilderWindow::optionChanged() {
    if (loading_) return;
    auto flag = [](const QAbstractButton* b) { return b->isChecked() ? "1" : "0"; };
    session_->writeOption(kBuilderPlainFeetKey, flag(feet_));
    session_->writeOption(kBuilderDenominatorKey, std::to_string(denominator_->currentData().toInt()));
    session_->writeOption(kBuilderResultFtInKey, flag(ftIn_));
    session_->writeOption(kBuilderConvertKey, flag(convert_));
    session_->writeOption(kBuilderAreaKey, flag(area_));
    session_->writeOption(kBuilderVolumeKey, flag(volume_));
    session_->writeOption(kBuilderResultToReadoutKey, flag(toReadout_));
    session_->writeOption(kConfirmBuilderKey, flag(confirm_));
    showValue();
}

void BuilderWindow::showValue() {
    if (!last_) {
        result_->setText(QStringLiteral("\u2014"));
        others_->clear();
        return;
    }
    const std::vector<std::string> lines = describeValue(*last_, session_->options());
    result_->setText(qs(lines.front()));
    QStringList rest;
    for (std::size_t i = 1; i < lines.size(); ++i) rest << qs(lines[i]);
    if (last_->kind == Kind::Length) {
        const FeetInches f = formatFeetInches(last_->value, session_->options().denominator);
        if (f.mark == RoundingMark::Up) rest << QStringLiteral("\u2191 rounded up");
        else if (f.mark == RoundingMark::Down) rest << QStringLiteral("\u2193 rounded down");
    }
    others_->setText(rest.join(QLatin1Char('\n')));
}

void BuilderWindow::storeVariables() {
    for (int i = 0; i < 3; ++i)
        session_->setVariable(i, vars_[static_cast<std::size_t>(i)]->text().toStdString());
}

void BuilderWindow::evaluate() {
    storeVariables();
    const BuilderResult r = session_->evaluate(expression_->text().toStdString(), feedback_);
    if (r.ok) {
        last_ = r.value;
        showValue();
        expression_->setFocus();
        expression_->selectAll();
        return;
    }
    // No stale value stays beside an expression that has none.
    last_.reset();
    showValue();
    if (r.editRequest == Evaluator::EditRequest::EditInterpreted) expression_->setText(qs(r.editText));
    expression_->setFocus();
}

void BuilderWindow::clearVariables() {
    for (int i = 0; i < 3; ++i) {
        vars_[static_cast<std::size_t>(i)]->setText(QStringLiteral("0"));
        session_->setVariable(i, "0");
    }
    expression_->setFocus();
}

void BuilderWindow::insertFormula() {
    if (const auto text = picker_->chosenText()) expression_->setText(*text);
    expression_->setFocus();
}

void BuilderWindow::openMyFormulas() {
    seedConstructionFormulas(picker_->file());
    picker_->openMyFormulas(options_.dataDir, ".", FormulaFile::kConstructionFile);
}

void BuilderWindow::LoadFormulaNames() { picker_->load(); }

void BuilderWindow::keypad(const QString& text) {
    QLineEdit* box = expression_;
    for (QLineEdit* v : vars_)
        if (v->hasFocus()) box = v;
    if (text == QLatin1String("\b")) box->backspace();
    else box->insert(text);
    box->setFocus();
}

void BuilderWindow::fraction(const QString& f) {
    QLineEdit* box = expression_;
    for (QLineEdit* v : vars_)
        if (v->hasFocus()) box = v;
    if (box->hasSelectedText()) box->del();
    const QString before = box->text().left(box->cursorPosition());
    // After whole inches the fraction joins them with a hyphen: 6-3/8".
    const bool afterDigits = !before.isEmpty() && before.back().isDigit();
    box->insert((afterDigits ? QStringLiteral("-") : QString()) + f + QLatin1Char('"'));
    box->setFocus();
}

void BuilderWindow::setStayOnTop(bool on) { setStaysOnTop(*this, *stayTop_, on); }

bool BuilderWindow::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate) {
        if (options_.mainWindow && options_.mainWindow->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            setStayOnTop(true);
        LoadFormulaNames();
    }
    return handled;
}

void BuilderWindow::showEvent(QShowEvent* event) {
    // While this window is visible the readout's input cleaner keeps the
    // foot and inch marks.
    model_.builderVisible = true;
    loadOptions();
    LoadFormulaNames();
    QDialog::showEvent(event);
    expression_->setFocus();
    expression_->selectAll();
}

void BuilderWindow::hideEvent(QHideEvent* event) {
    model_.builderVisible = false;
    QDialog::hideEvent(event);
}

bool BuilderWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (watched == expression_) return boxKeyPress(expression_, static_cast<QKeyEvent*>(event));
        for (QLineEdit* v : vars_)
            if (watched == v) return boxKeyPress(v, static_cast<QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

bool BuilderWindow::boxKeyPress(QLineEdit* box, QKeyEvent* key) {
    const auto typed = typedKey(key);
    if (!typed) return false;
    return applyToBox(box, builderKey(*typed, model_.decimalSymbol()), feedback_);
}

// ---- the host ---------------------------------------------------------------

BuilderWindowHost::BuilderWindowHost(engine::CalculatorModel& model, engine::UserFeedback& feedback,
                                     BuilderWindow::Options options, std::shared_ptr<BuilderSession> session,
                                     QObject* parent)
    : QObject(parent),
      model_(model),
      feedback_(feedback),
      options_(std::move(options)),
      session_(std::move(session)) {}

BuilderWindow& BuilderWindowHost::window() {
    if (!window_) window_ = new BuilderWindow(model_, feedback_, options_, session_, options_.mainWindow);
    return *window_;
}

void BuilderWindowHost::open() {
    BuilderWindow& w = window();
    w.show();
    w.raise();
    w.activateWindow();
}

BuilderWindowHost* installBuilderWindow(engine::CalculatorModel& model, QWidget* mainWindow,
                                        engine::UserFeedback& feedback, BuilderWindow::Options options,
                                        std::shared_ptr<BuilderSession> session) {
    if (!options.mainWindow) options.mainWindow = mainWindow;
    auto* host = new BuilderWindowHost(model, feedback, std::move(options), std::move(session), mainWindow);
    QPointer<BuilderWindowHost> guard(host);
    model.commands().add(engine::CommandId::ConstructionCalculator, [guard] {
        if (guard) guard->open();
    });
    return host;
}

}  // namespace zorv::expr
