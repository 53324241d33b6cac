#include "CalculatorWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitter>
#include <QTextCursor>
#include <QVBoxLayout>

#include "engine/ModeLabel.h"

namespace zorv::ui {

using engine::CalculatorModel;

CalculatorWindow::CalculatorWindow(CalculatorModel& model, QWidget* parent)
    : QMainWindow(parent), model_(model) {
    setObjectName(QStringLiteral("Calculator"));
    setWindowTitle(QStringLiteral("Zorv Advanced Calculator"));

    auto* central = new QWidget(this);
    auto* outer = new QHBoxLayout(central);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSpacing(10);

    // Left: the calculator itself.
    auto* calc = new QWidget(central);
    auto* calcLayout = new QVBoxLayout(calc);
    calcLayout->setContentsMargins(0, 0, 0, 0);
    calcLayout->setSpacing(6);

    readout_ = new QLabel(calc);
    readout_->setObjectName(QStringLiteral("Readout"));
    readout_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    readout_->setFrameShape(QFrame::Panel);
    readout_->setFrameShadow(QFrame::Sunken);
    readout_->setMinimumHeight(48);
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont readoutFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    readoutFont.setPointSizeF(readoutFont.pointSizeF() * 1.8);
    readoutFont.setBold(true);
    readout_->setFont(readoutFont);
    readout_->setStyleSheet(QStringLiteral(
        "QLabel#Readout { background: #f4f7ee; color: #111; padding: 4px 8px; }"));
    calcLayout->addWidget(readout_);

    auto* status = new QHBoxLayout();
    memoryIndicator_ = new QLabel(QStringLiteral("M"), calc);
    memoryIndicator_->setObjectName(QStringLiteral("imgMem"));
    memoryIndicator_->setStyleSheet(QStringLiteral(
        "QLabel { background: #2b5797; color: white; font-weight: bold; padding: 0 4px; }"));
    memoryCaption_ = new QLabel(QStringLiteral("Memory:"), calc);
    memoryCaption_->setObjectName(QStringLiteral("lblMem"));
    memoryValue_ = new QLabel(calc);
    memoryValue_->setObjectName(QStringLiteral("lblMemValue"));
    modes_ = new QLabel(calc);
    modes_->setObjectName(QStringLiteral("lblModes"));
    modes_->setToolTip(tr("Calculation modes that are on"));
    rpnDepth_ = new QLabel(calc);
    rpnDepth_->setObjectName(QStringLiteral("lblRPN"));
    rpnDepth_->setToolTip(tr("Numbers on the RPN stack"));
    status->addWidget(memoryIndicator_);
    status->addWidget(memoryCaption_);
    status->addWidget(memoryValue_);
    status->addStretch(1);
    status->addWidget(rpnDepth_);
    status->addWidget(modes_);
    calcLayout->addLayout(status);

    calcLayout->addWidget(buildKeypad(), 1);

    hint_ = new QLabel(calc);
    hint_->setObjectName(QStringLiteral("lblHint"));
    calcLayout->addWidget(hint_);

    // Right: the paper tape.
    tape_ = new QPlainTextEdit(central);
    tape_->setObjectName(QStringLiteral("txtTape"));
    tape_->setReadOnly(true);
    tape_->setLineWrapMode(QPlainTextEdit::NoWrap);
    tape_->setFocusPolicy(Qt::ClickFocus);
    QFont tapeFont(QStringLiteral("Courier New"));
    tapeFont.setStyleHint(QFont::TypeWriter);
    tapeFont.setFixedPitch(true);
    tapeFont.setPointSize(10);
    tape_->setFont(tapeFont);
    tape_->setMinimumWidth(QFontMetrics(tapeFont).horizontalAdvance(QLatin1Char('0')) * 30);
    tape_->setStyleSheet(QStringLiteral("QPlainTextEdit#txtTape { background: #fffdf3; }"));

    outer->addWidget(calc, 0);
    outer->addWidget(tape_, 1);
    setCentralWidget(central);

    buildMenus();

    model_.onChange = [this] { repaint(); };
    model_.tape().onChange = [this](std::string_view text, bool replaced) {
        appendToTape(text, replaced);
    };
    appendToTape(model_.tape().text(), true);

    qApp->installEventFilter(this);
    repaint();
    Operator(engine::OpEquals)->setFocus();
}

QPushButton* CalculatorWindow::makeKey(const QString& caption, const std::string& command,
                                       const QString& toolTip, const QString& objectName) {
    auto* b = new QPushButton(caption);
    b->setObjectName(objectName);
    b->setToolTip(toolTip);
    b->setMinimumSize(46, 36);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, command] { model_.runCommand(command); });
    keys_[command] = b;
    return b;
}

QPushButton* CalculatorWindow::key(const std::string& command) const {
    auto it = keys_.find(command);
    return it == keys_.end() ? nullptr : it->second;
}

QWidget* CalculatorWindow::buildKeypad() {
    auto* pad = new QWidget(this);
    auto* grid = new QGridLayout(pad);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);

    const QString ds = QString::fromStdString(model_.DecimalSymbol());
    for (int d = 0; d <= 9; ++d)
        numbers_[static_cast<std::size_t>(d)] =
            makeKey(QString::number(d), std::to_string(d), tr("Digit %1").arg(d),
                    QStringLiteral("Number%1").arg(d));
    decimal_ = makeKey(ds, ".", tr("Decimal symbol"), QStringLiteral("Decimal"));

    const char* opCaptions[] = {"+", "-", "X", "/", "="};
    const char* opTips[] = {"Add", "Subtract", "Multiply", "Divide", "Total (Enter)"};
    for (int i = 0; i < 5; ++i)
        operators_[static_cast<std::size_t>(i)] =
            makeKey(QString::fromLatin1(opCaptions[i]), opCaptions[i], tr(opTips[i]),
                    QStringLiteral("Operator%1").arg(i));
    // Focus rests on "=", so it alone accepts keyboard focus among the keys.
    for (auto& [name, button] : keys_)
        button->setFocusPolicy(name == "=" ? Qt::StrongFocus : Qt::NoFocus);

    auto* ce = makeKey(QStringLiteral("CE"), "CE", tr("Clear entry (Delete)"), QStringLiteral("cmdCE"));
    auto* c = makeKey(QStringLiteral("C"), "C", tr("Clear all (C)"), QStringLiteral("cmdC"));
    auto* sign = makeKey(QStringLiteral("+/-"), "+/-", tr("Change sign"),
                         QStringLiteral("cmdChangeSign"));
    auto* mc = makeKey(QStringLiteral("MC"), "MC", tr("Memory clear"), QStringLiteral("cmdMC"));
    auto* mr = makeKey(QStringLiteral("MR"), "MR", tr("Memory recall"), QStringLiteral("cmdMR"));
    auto* ms = makeKey(QStringLiteral("MS"), "MS", tr("Memory store"), QStringLiteral("cmdMS"));
    auto* mp = makeKey(QStringLiteral("M+"), "M+", tr("Add to memory (M)"), QStringLiteral("cmdMplus"));
    auto* mm = makeKey(QStringLiteral("M-"), "M-", tr("Subtract from memory (m)"),
                       QStringLiteral("cmdMminus"));
    auto* pct = makeKey(QStringLiteral("%"), "Percent", tr("Percent (%)"), QStringLiteral("cmdPercent"));
    auto* sqr = makeKey(QStringLiteral("x²"), "Square", tr("Square (S)"), QStringLiteral("cmdSqr"));
    auto* sqrt = makeKey(QStringLiteral("√"), "Square Root", tr("Square root (R)"),
                         QStringLiteral("cmdSqrRt"));
    for (auto* b : {ce, c, sign, mc, mr, ms, mp, mm, pct, sqr, sqrt}) b->setFocusPolicy(Qt::NoFocus);

    // Memory row, then the keypad of a desk calculator: operators at the
    // right, the tall "+" and "=" where an adding machine has them.
    grid->addWidget(mc, 0, 0);
    grid->addWidget(mr, 0, 1);
    grid->addWidget(ms, 0, 2);
    grid->addWidget(mp, 0, 3);
    grid->addWidget(mm, 0, 4);

    grid->addWidget(ce, 1, 0);
    grid->addWidget(c, 1, 1);
    grid->addWidget(sign, 1, 2);
    grid->addWidget(pct, 1, 3);
    grid->addWidget(operators_[engine::OpDivide], 1, 4);

    grid->addWidget(Number(7), 2, 0);
    grid->addWidget(Number(8), 2, 1);
    grid->addWidget(Number(9), 2, 2);
    grid->addWidget(sqrt, 2, 3);
    grid->addWidget(operators_[engine::OpMultiply], 2, 4);

    grid->addWidget(Number(4), 3, 0);
    grid->addWidget(Number(5), 3, 1);
    grid->addWidget(Number(6), 3, 2);
    grid->addWidget(sqr, 3, 3);
    grid->addWidget(operators_[engine::OpSubtract], 3, 4);

    grid->addWidget(Number(1), 4, 0);
    grid->addWidget(Number(2), 4, 1);
    grid->addWidget(Number(3), 4, 2);
    grid->addWidget(operators_[engine::OpAdd], 4, 3, 2, 1);
    grid->addWidget(operators_[engine::OpEquals], 4, 4, 2, 1);

    grid->addWidget(Number(0), 5, 0, 1, 2);
    grid->addWidget(decimal_, 5, 2);

    QFont keyFont = pad->font();
    keyFont.setPointSizeF(keyFont.pointSizeF() * 1.25);
    for (auto& [name, button] : keys_) button->setFont(keyFont);
    operators_[engine::OpEquals]->setStyleSheet(QStringLiteral("font-weight: bold;"));
    return pad;
}

QMenu* CalculatorWindow::addCommandMenu(const QString& title, const std::vector<MenuEntry>& entries) {
    QMenu* menu = menuBar()->addMenu(title);
    for (const auto& e : entries) {
        if (e.command.empty()) {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(e.caption);
        if (!e.shortcut.isEmpty()) a->setShortcut(e.shortcut);
        const std::string command = e.command;
        connect(a, &QAction::triggered, this, [this, command] {
            model_.runCommand(command);
            refreshActions();
        });
        actions_.emplace_back(a, command);
    }
    connect(menu, &QMenu::aboutToShow, this, &CalculatorWindow::refreshActions);
    refreshActions();
    return menu;
}

void CalculatorWindow::refreshActions() {
    for (auto& [action, command] : actions_) {
        action->setEnabled(model_.commands().contains(command));
        const auto checked = model_.commands().checked(command);
        action->setCheckable(checked.has_value());
        if (checked) action->setChecked(*checked);
    }
    for (auto& [command, button] : keys_) button->setEnabled(model_.commands().contains(command));
}

void CalculatorWindow::buildMenus() {
    addCommandMenu(tr("&File"), {{tr("E&xit"), "Exit", QKeySequence::Quit}});
    addCommandMenu(tr("&Edit"), {{tr("&Copy Readout"), "Copy Readout", QKeySequence::Copy},
                                 {tr("&Paste to Readout"), "Paste Readout", QKeySequence::Paste}});
    addCommandMenu(tr("&Operators"), {{tr("&Add\t+"), "+"},
                                      {tr("&Subtract\t-"), "-"},
                                      {tr("&Multiply\tX"), "X"},
                                      {tr("&Divide\t/"), "/"},
                                      {tr("&Total\tEnter"), "="},
                                      {QString(), ""},
                                      {tr("Change &Sign"), "Change Sign"},
                                      {tr("Clear &Entry\tDel"), "CE"},
                                      {tr("&Clear\tC"), "C"}});
    addCommandMenu(tr("&Memory"), {{tr("Memory &Store"), "MS"},
                                   {tr("Memory &Recall"), "MR"},
                                   {tr("Memory &Add\tM"), "M+"},
                                   {tr("Memory S&ubtract\tm"), "M-"},
                                   {tr("Memory &Clear"), "MC"}});
}

void CalculatorWindow::repaint() {
    readout_->setText(QString::fromStdString(model_.readout()));
    hint_->setText(QString::fromStdString(model_.hint()));
    modes_->setText(QString::fromStdString(engine::modeLabel(model_.modes())));
    rpnDepth_->setVisible(model_.modes().mnuRpnMode);
    rpnDepth_->setText(QStringLiteral("RPN: ") + QString::fromStdString(model_.lblRPN()));
    const bool mem = model_.memoryShown();
    memoryIndicator_->setVisible(mem);
    memoryCaption_->setVisible(mem);
    memoryValue_->setVisible(mem);
    memoryValue_->setText(QString::fromStdString(model_.lblMemValue()));
    const QString tip = QString::fromStdString(model_.memoryToolTip());
    memoryIndicator_->setToolTip(tip);
    memoryValue_->setToolTip(tip);
}

void CalculatorWindow::appendToTape(std::string_view text, bool replaced) {
    QString chunk = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    chunk.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (replaced) tape_->setPlainText(QString());
    QTextCursor cursor(tape_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(chunk);
    tape_->setTextCursor(cursor);
    tape_->ensureCursorVisible();
}

// The window sees typed characters before its controls, so the keyboard
// drives the calculator wherever the focus is, except in the tape while it
// is unlocked for editing and in other windows.
bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this || !isActiveWindow()) return QMainWindow::eventFilter(watched, event);
    if (handleKeyPress(static_cast<QKeyEvent*>(event))) return true;
    return QMainWindow::eventFilter(watched, event);
}

bool CalculatorWindow::handleKeyPress(QKeyEvent* event) {
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const int key = event->key();
    if (mods == Qt::AltModifier && key >= Qt::Key_1 && key <= Qt::Key_9)
        return model_.Form_KeyDown(key - Qt::Key_1 + 49, 4);
    if (mods != Qt::NoModifier) return false;  // menu shortcuts and accelerators
    if (key == Qt::Key_Delete) return model_.Form_KeyDown(46, 0);
    if (model_.TapeUnlocked) return false;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape) return false;
    std::string ch;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) ch = "\r";
    else if (key == Qt::Key_Backspace) ch = "\b";
    else ch = event->text().toStdString();
    if (ch.empty()) return false;  // function and navigation keys
    model_.Form_KeyPress(ch);
    return true;  // every typed character is the calculator's, used or swallowed
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    qApp->removeEventFilter(this);
    QMainWindow::closeEvent(event);
}

}  // namespace zorv::ui
