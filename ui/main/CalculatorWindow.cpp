#include "CalculatorWindow.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QElapsedTimer>
#include <QTimer>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

#include "convert/QuickConversions.h"
#include "engine/ModeLabel.h"
#include "engine/Translate.h"
#include "platform/NumLock.h"
#include "platform/ThemeColours.h"

namespace zorv::ui {

namespace {

// Lines of the tape are printed flush right. An item ends in its operator
// ("12.50+") and a total does not ("20.00"), so a total would sit one column
// to the right of the items above it. The view adds a figure space (as wide
// as a digit) after every line that ends in a digit, so amounts line up on
// their decimal symbol; the tape's text itself, which is saved and printed,
// is not changed. A line ending in the decimal symbol ("8.") already lines
// up: its symbol takes the column of the operator.
constexpr QChar kTapePad{0x2007};

bool endsInDigit(const QString& text, qsizetype end) {
    return end > 0 && text[end - 1].isDigit();
}

// The tape's text (CR LF line ends) as the view shows it: LF line ends and
// the padding. One pass: QString::replace of CR LF is far slower on a tape
// of a million lines.
QString tapeViewText(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    qsizetype from = 0;
    for (qsizetype nl = text.indexOf(QLatin1Char('\n')); nl >= 0; nl = text.indexOf(QLatin1Char('\n'), from)) {
        const qsizetype end = nl > from && text[nl - 1] == QLatin1Char('\r') ? nl - 1 : nl;
        out.append(QStringView(text).mid(from, end - from));
        if (endsInDigit(text, end)) out.append(kTapePad);
        out.append(QLatin1Char('\n'));
        from = nl + 1;
    }
    out.append(QStringView(text).mid(from));
    return out;
}

// The tape asks for room for the financial reports' longest lines and makes
// do with about half that on a small screen.
class TapeView : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    int preferredWidth = 0;
    QSize sizeHint() const override {
        const QSize hint = QPlainTextEdit::sizeHint();
        return {std::max(hint.width(), preferredWidth), hint.height()};
    }
};

// "Memory recall (Ctrl+R)" -> "Memory recall": the tool tip without the
// keyboard key in brackets at its end.
QString spokenName(const QString& toolTip) {
    const qsizetype open = toolTip.lastIndexOf(QLatin1String(" ("));
    return open > 0 && toolTip.endsWith(QLatin1Char(')')) ? toolTip.left(open) : toolTip;
}

}  // namespace

using engine::CalculatorModel;
using engine::CommandId;

CalculatorWindow::CalculatorWindow(CalculatorModel& model, convert::QuickConversions* conversions,
                                   QWidget* parent)
    : QMainWindow(parent), model_(model), conversions_(conversions) {
    setObjectName(QStringLiteral("Calculator"));
    setWindowTitle(QStringLiteral("Zorv Advanced Calculator"));

    auto* central = new QWidget(this);
    auto* page = new QVBoxLayout(central);
    page->setContentsMargins(8, 4, 8, 6);
    page->setSpacing(6);
    page->addWidget(buildToolbarStrip());

    auto* outer = new QHBoxLayout();
    outer->setSpacing(10);
    page->addLayout(outer, 1);
    tapeRow_ = outer;

    // Left: the calculator itself.
    auto* calc = new QWidget(central);
    auto* calcLayout = new QVBoxLayout(calc);
    calcLayout->setContentsMargins(0, 0, 0, 0);
    calcLayout->setSpacing(6);

    readout_ = new QLabel(calc);
    readout_->setObjectName(QStringLiteral("Readout"));
    readout_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    readout_->setFrameShape(QFrame::StyledPanel);
    readout_->setFrameShadow(QFrame::Sunken);
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readout_->setFocusPolicy(Qt::NoFocus);
    QFont readoutFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    readoutFont.setPointSizeF(readoutFont.pointSizeF() * 1.7);
    readoutFont.setBold(true);
    readout_->setFont(readoutFont);
    readout_->setMinimumHeight(QFontMetrics(readoutFont).height() + 16);
    readout_->setMinimumWidth(QFontMetrics(readoutFont).horizontalAdvance(QLatin1Char('0')) * 18);
    readout_->setContentsMargins(8, 4, 8, 4);
    readout_->setAccessibleDescription(tr("The number keyed, or the result"));
    calcLayout->addWidget(readout_);

    auto* status = new QHBoxLayout();
    status->setSpacing(6);
    memoryIndicator_ = new QLabel(QStringLiteral(" M "), calc);
    memoryIndicator_->setObjectName(QStringLiteral("imgMem"));
    memoryCaption_ = new QLabel(tr("Memory:"), calc);
    memoryCaption_->setObjectName(QStringLiteral("lblMem"));
    memoryValue_ = new QLabel(calc);
    memoryValue_->setObjectName(QStringLiteral("lblMemValue"));
    numLockOn_ = new QLabel(QStringLiteral("NUM"), calc);
    numLockOn_->setObjectName(QStringLiteral("imgNumLock1"));
    numLockOn_->setToolTip(tr("Number Lock is On"));
    numLockOn_->setAccessibleName(numLockOn_->toolTip());
    numLockOff_ = new QLabel(QStringLiteral("NUM"), calc);
    numLockOff_->setObjectName(QStringLiteral("imgNumLock2"));
    numLockOff_->setToolTip(tr("Number Lock is Off"));
    numLockOff_->setAccessibleName(numLockOff_->toolTip());
    numLockOn_->hide();
    numLockOff_->hide();
    rpnDepth_ = new QLabel(calc);
    rpnDepth_->setObjectName(QStringLiteral("lblRPN"));
    rpnDepth_->setToolTip(tr("Numbers on the RPN stack"));
    modes_ = new QLabel(calc);
    modes_->setObjectName(QStringLiteral("lblModes"));
    modes_->setToolTip(tr("Calculation modes that are on"));
    status->addWidget(memoryIndicator_);
    status->addWidget(memoryCaption_);
    status->addWidget(memoryValue_);
    status->addStretch(1);
    status->addWidget(numLockOn_);
    status->addWidget(numLockOff_);
    status->addWidget(rpnDepth_);
    status->addWidget(modes_);
    calcLayout->addLayout(status);

    calcLayout->addWidget(buildConversionRow());
    calcLayout->addWidget(buildKeypad(), 1);

    hint_ = new QLabel(calc);
    hint_->setObjectName(QStringLiteral("lblHint"));
    calcLayout->addWidget(hint_);

    // Right: the paper tape.
    tape_ = new TapeView(central);
    tape_->setObjectName(QStringLiteral("txtTape"));
    tape_->setReadOnly(true);
    // Wide enough for the financial reports' longest lines; a longer line
    // wraps rather than leaving the view scrolled sideways.
    tape_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    tape_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    tape_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tape_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // When the newest line was in view, it stays there as the window is
    // resized, maximized or restored.
    connect(tape_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { tapeFollowsEnd_ = value >= tape_->verticalScrollBar()->maximum(); });
    connect(tape_->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int max) {
        if (tapeFollowsEnd_) tape_->verticalScrollBar()->setValue(max);
    });
    // Tab reaches the tape, so a screen reader can read it; typed keys
    // still go to the calculator.
    tape_->setFocusPolicy(Qt::StrongFocus);
    tape_->setAccessibleName(tr("Tape"));
    tape_->setAccessibleDescription(tr("The paper tape: every number, operator and total"));
    tape_->setUndoRedoEnabled(false);
    // Like the paper of an adding machine, lines are printed flush right, so
    // amounts with the same decimals line up under each other.
    QTextOption tapeOption = tape_->document()->defaultTextOption();
    tapeOption.setAlignment(Qt::AlignRight);
    tape_->document()->setDefaultTextOption(tapeOption);
    QFont tapeFont(QStringLiteral("Courier New"));
    tapeFont.setStyleHint(QFont::TypeWriter);
    tapeFont.setFixedPitch(true);
    tapeFont.setPointSize(10);
    tape_->setFont(tapeFont);
    setTapeFont(tapeFont, Qt::black);

    // Room beyond what the keys need goes to the tape: the keys keep their
    // size when the window is maximized.
    calc->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Maximum);
    outer->addWidget(calc, 0, Qt::AlignTop);
    outer->addWidget(tape_, 1);
    setCentralWidget(central);

    buildMenus();
    applyThemeColours();

    model_.onChange = [this] { repaint(); };
    tapeListener_ = model_.tape().addListener(
        [this](std::string_view text, bool replaced) { appendToTape(text, replaced); });
    if (conversions_) conversions_->onModeChange = [this] { refreshActions(); };
    appendToTape(model_.tape().text(), true);

    qApp->installEventFilter(this);
    refreshActions();
    repaint();
    showNumLock(platform::numLockState());
    Operator(engine::OpEquals)->setFocus();
}

CalculatorWindow::~CalculatorWindow() {
    qApp->removeEventFilter(this);
    model_.onChange = nullptr;
    model_.tape().removeListener(tapeListener_);
    if (conversions_) conversions_->onModeChange = nullptr;
}

QPushButton* CalculatorWindow::makeKey(const QString& caption, CommandId command,
                                       const QString& toolTip, const QString& objectName) {
    auto* b = new QPushButton(caption);
    b->setObjectName(objectName);
    b->setToolTip(toolTip);
    // A screen reader says what the key does ("Memory recall"), not its
    // caption ("MR"); the description adds the keyboard key.
    b->setAccessibleName(spokenName(toolTip));
    b->setAccessibleDescription(toolTip);
    b->setMinimumSize(48, 34);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    b->setAutoDefault(false);
    // Focus rests on "=", so the other keys never take it from there.
    b->setFocusPolicy(command == CommandId::Total ? Qt::StrongFocus : Qt::NoFocus);
    connect(b, &QPushButton::clicked, this, [this, command] { model_.runCommand(command); });
    keys_[command] = b;
    return b;
}

void CalculatorWindow::showToolbarButton(int index, const QString& caption, const QString& toolTip) {
    QPushButton* b = toolbar_[static_cast<std::size_t>(index)];
    // The stored caption of a free button ("1R.Clk") stays as it is in the
    // settings; on screen the button says what a click does.
    const bool unbound = caption == QStringLiteral("%1R.Clk").arg(index + 1);
    b->setText(unbound ? tr("Set…") : caption);
    b->setToolTip(toolTip);
    b->setAccessibleName(unbound ? tr("Toolbar button %1, not set").arg(index + 1)
                                 : tr("Toolbar button %1: %2").arg(index + 1).arg(toolTip));
    b->setAccessibleDescription(unbound ? toolTip : caption);
}

QPushButton* CalculatorWindow::key(CommandId command) const {
    auto it = keys_.find(command);
    return it == keys_.end() ? nullptr : it->second;
}

QAction* CalculatorWindow::existingAction(CommandId command) const {
    for (const auto& [a, c] : actions_)
        if (c == command) return a;
    return nullptr;
}

namespace {
bool holds(const std::vector<MenuEntry>& entries, CommandId command) {
    for (const auto& e : entries)
        if (e.id == command || holds(e.children, command)) return true;
    return false;
}
}  // namespace

QAction* CalculatorWindow::action(CommandId command) {
    for (std::size_t i = 0; i < menuSpecs_.size(); ++i)
        if (!menuFilled_[i] && holds(menuSpecs_[i].entries, command)) {
            fillMenu(i);
            refreshActions();
        }
    return existingAction(command);
}

void CalculatorWindow::setActionText(CommandId command, const QString& text) {
    actionTexts_[command] = text;
    for (auto& [a, c] : actions_)
        if (c == command) a->setText(text);
}

void CalculatorWindow::fillAllMenus() {
    for (std::size_t i = 0; i < menuSpecs_.size(); ++i) fillMenu(i);
    refreshActions();
}

QPushButton* CalculatorWindow::key(std::string_view text) const {
    const auto id = engine::commandByText(text);
    return id ? key(*id) : nullptr;
}

QAction* CalculatorWindow::action(std::string_view text) {
    const auto id = engine::commandByText(text);
    return id ? action(*id) : nullptr;
}

QWidget* CalculatorWindow::buildToolbarStrip() {
    toolbarStrip_ = new QFrame(this);
    toolbarStrip_->setObjectName(QStringLiteral("tbToolbar"));
    auto* row = new QHBoxLayout(toolbarStrip_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    for (int i = 0; i < 9; ++i) {
        auto* b = new QPushButton(toolbarStrip_);
        b->setObjectName(QStringLiteral("comToolbar%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(50);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (toolbarClick) toolbarClick(i);
        });
        toolbar_[static_cast<std::size_t>(i)] = b;
        showToolbarButton(i, QStringLiteral("%1R.Clk").arg(i + 1), tr("Right Click to Set Button"));
        row->addWidget(b);
    }
    exit_ = new QPushButton(tr("Exit"), toolbarStrip_);
    exit_->setObjectName(QStringLiteral("cmdExit"));
    exit_->setToolTip(tr("Exit Zorv Calculator"));
    exit_->setAccessibleName(tr("Exit"));
    exit_->setAccessibleDescription(exit_->toolTip());
    exit_->setFocusPolicy(Qt::NoFocus);
    connect(exit_, &QPushButton::clicked, this, [this] { model_.runCommand(CommandId::ExitButton); });
    row->addSpacing(8);
    row->addWidget(exit_);
    return toolbarStrip_;
}

QWidget* CalculatorWindow::buildConversionRow() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(3);

    auto* prev = new QPushButton(QStringLiteral("<"), box);
    prev->setObjectName(QStringLiteral("comPrevMode"));
    prev->setToolTip(tr("Previous conversion set"));
    prev->setAccessibleName(prev->toolTip());
    auto* next = new QPushButton(QStringLiteral(">"), box);
    next->setObjectName(QStringLiteral("comMode"));
    next->setToolTip(tr("Next conversion set"));
    next->setAccessibleName(next->toolTip());
    modeLabel_ = new QLabel(box);
    modeLabel_->setObjectName(QStringLiteral("lblMode"));
    modeLabel_->setAlignment(Qt::AlignCenter);
    platform::setBold(modeLabel_);
    for (auto* b : {prev, next}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedWidth(32);
    }
    grid->addWidget(prev, 0, 0);
    grid->addWidget(modeLabel_, 0, 1, 1, 2);
    grid->addWidget(next, 0, 3);
    if (conversions_) {
        connect(prev, &QPushButton::clicked, this, [this] { conversions_->previousSet(); });
        connect(next, &QPushButton::clicked, this, [this] { conversions_->nextSet(); });
    } else {
        prev->setEnabled(false);
        next->setEnabled(false);
    }

    QFont small = box->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    for (int i = 0; i < 8; ++i) {
        auto* b = new QPushButton(box);
        b->setObjectName(QStringLiteral("comConvert%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        b->setFont(small);
        b->setMinimumSize(44, 26);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (conversions_) conversions_->pressKey(i);
        });
        convertKeys_[static_cast<std::size_t>(i)] = b;
        grid->addWidget(b, 1 + i / 4, i % 4);
    }
    return box;
}

QWidget* CalculatorWindow::buildKeypad() {
    auto* pad = new QWidget(this);
    auto* grid = new QGridLayout(pad);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);

    const QString ds = QString::fromStdString(model_.DecimalSymbol());
    using C = CommandId;
    constexpr C digits[] = {C::Digit0, C::Digit1, C::Digit2, C::Digit3, C::Digit4,
                            C::Digit5, C::Digit6, C::Digit7, C::Digit8, C::Digit9};
    for (int d = 0; d <= 9; ++d)
        numbers_[static_cast<std::size_t>(d)] =
            makeKey(QString::number(d), digits[d], tr("Digit %1").arg(d),
                    QStringLiteral("Number%1").arg(d));
    decimal_ = makeKey(ds, C::DecimalPoint, tr("Decimal symbol (%1 or .)").arg(ds),
                       QStringLiteral("Decimal"));

    const char* opCaptions[] = {"+", "-", "X", "/", "="};
    constexpr C opCommands[] = {C::Add, C::Subtract, C::Multiply, C::Divide, C::Total};
    const char* opTips[] = {"Add (+)", "Subtract (-)", "Multiply (* or X)", "Divide (/)",
                            "Total (Enter or =)"};
    for (int i = 0; i < 5; ++i)
        operators_[static_cast<std::size_t>(i)] =
            makeKey(QString::fromLatin1(opCaptions[i]), opCommands[i], tr(opTips[i]),
                    QStringLiteral("Operator%1").arg(i));

    auto* ce = makeKey(QStringLiteral("CE"), C::ClearEntry, tr("Clear entry (Delete or Escape)"), QStringLiteral("cmdCE"));
    auto* c = makeKey(QStringLiteral("C"), C::Clear, tr("Clear all (C)"), QStringLiteral("cmdC"));
    auto* sign = makeKey(QStringLiteral("+/-"), C::ChangeSign, tr("Change sign (F9)"),
                         QStringLiteral("cmdChangeSign"));
    auto* mc = makeKey(QStringLiteral("MC"), C::MemoryClear, tr("Memory clear (Ctrl+L)"), QStringLiteral("cmdMC"));
    auto* mr = makeKey(QStringLiteral("MR"), C::MemoryRecall, tr("Memory recall (Ctrl+R)"), QStringLiteral("cmdMR"));
    auto* ms = makeKey(QStringLiteral("MS"), C::MemoryStore, tr("Memory store (Ctrl+M)"), QStringLiteral("cmdMS"));
    auto* mp = makeKey(QStringLiteral("M+"), C::MemoryAdd, tr("Add to memory (M)"), QStringLiteral("cmdMplus"));
    auto* mm = makeKey(QStringLiteral("M-"), C::MemorySubtract, tr("Subtract from memory (m)"),
                       QStringLiteral("cmdMminus"));
    auto* pct = makeKey(QStringLiteral("%"), C::Percent, tr("Percent (%)"), QStringLiteral("cmdPercent"));
    auto* sqr = makeKey(QStringLiteral("x²"), C::Square, tr("Square (S)"), QStringLiteral("cmdSqr"));
    auto* sqrt = makeKey(QStringLiteral("√x"), C::SquareRoot, tr("Square root (R)"),
                         QStringLiteral("cmdSqrRt"));

    // Memory row, then the keypad of a desk calculator: the tall "+" and "="
    // at the right where an adding machine has them.
    QWidget* layout[6][5] = {{mc, mr, ms, mp, mm},
                             {ce, c, sign, pct, operators_[engine::OpDivide]},
                             {Number(7), Number(8), Number(9), sqrt, operators_[engine::OpMultiply]},
                             {Number(4), Number(5), Number(6), sqr, operators_[engine::OpSubtract]},
                             {Number(1), Number(2), Number(3), nullptr, nullptr},
                             {nullptr, nullptr, decimal_, nullptr, nullptr}};
    for (int r = 0; r < 6; ++r)
        for (int col = 0; col < 5; ++col)
            if (layout[r][col]) grid->addWidget(layout[r][col], r, col);
    grid->addWidget(operators_[engine::OpAdd], 4, 3, 2, 1);
    grid->addWidget(operators_[engine::OpEquals], 4, 4, 2, 1);
    grid->addWidget(Number(0), 5, 0, 1, 2);

    QFont keyFont = pad->font();
    keyFont.setPointSizeF(keyFont.pointSizeF() * 1.2);
    for (auto& [name, button] : keys_) button->setFont(keyFont);
    memoryKeys_ = {mc, mr, ms, mp, mm};
    clearKeys_ = {ce, c};
    for (auto* b : clearKeys_) platform::setBold(b);
    platform::setBold(operators_[engine::OpEquals]);
    return pad;
}

QAction* CalculatorWindow::makeAction(const MenuEntry& e) {
    const CommandId command = *e.id;
    auto it = actionTexts_.find(command);
    auto* a = new QAction(it == actionTexts_.end() ? e.caption : it->second, this);
    if (!e.shortcut.isEmpty()) a->setShortcut(e.shortcut);
    connect(a, &QAction::triggered, this, [this, command] {
        model_.runCommand(command);
        refreshActions();
    });
    actions_.emplace_back(a, command);
    return a;
}

void CalculatorWindow::addEntries(QMenu* menu, const std::vector<MenuEntry>& entries) {
    for (const auto& e : entries) {
        if (!e.children.empty()) {
            addEntries(menu->addMenu(e.caption), e.children);
            continue;
        }
        if (!e.id) {
            menu->addSeparator();
            continue;
        }
        auto made = shortcutActions_.find(&e);
        menu->addAction(made != shortcutActions_.end() ? made->second : makeAction(e));
    }
}

// The menus start empty and are filled when first opened; building about a
// hundred items up front would cost start-up time and memory for menus most
// sessions never open. Items with a keyboard shortcut are made at once and
// belong to the window, so their keys work from the start.
void CalculatorWindow::buildMenus() {
    menuSpecs_ = mainMenus();
    std::function<void(const std::vector<MenuEntry>&)> withShortcuts = [&](const std::vector<MenuEntry>& entries) {
        for (const auto& e : entries) {
            withShortcuts(e.children);
            if (e.id && !e.shortcut.isEmpty()) {
                QAction* a = makeAction(e);
                addAction(a);
                shortcutActions_[&e] = a;
            }
        }
    };
    for (std::size_t i = 0; i < menuSpecs_.size(); ++i) {
        withShortcuts(menuSpecs_[i].entries);
        QMenu* menu = menuBar()->addMenu(menuSpecs_[i].title);
        menus_.push_back(menu);
        menuFilled_.push_back(false);
        connect(menu, &QMenu::aboutToShow, this, [this, i] {
            fillMenu(i);
            refreshActions();
        });
    }
}

void CalculatorWindow::fillMenu(std::size_t index) {
    if (menuFilled_[index]) return;
    menuFilled_[index] = true;
    addEntries(menus_[index], menuSpecs_[index].entries);
}

void CalculatorWindow::refreshActions() {
    const auto& commands = model_.commands();
    for (auto& [action, command] : actions_) {
        action->setEnabled(commands.contains(command));
        const auto checked = commands.checked(command);
        action->setCheckable(checked.has_value());
        if (checked) action->setChecked(*checked);
    }
    for (auto& [command, button] : keys_) button->setEnabled(commands.contains(command));
    for (auto* b : toolbar_) b->setEnabled(static_cast<bool>(toolbarClick));
    exit_->setEnabled(commands.contains(CommandId::ExitButton));
    repaintConversions();
    emit actionsRefreshed();
}

void CalculatorWindow::repaintConversions() {
    for (int i = 0; i < 8; ++i) {
        QPushButton* b = convertKeys_[static_cast<std::size_t>(i)];
        if (!conversions_) {
            b->setEnabled(false);
            continue;
        }
        b->setText(QString::fromStdString(conversions_->caption(i)));
        b->setToolTip(QString::fromStdString(conversions_->toolTip(i)));
        b->setAccessibleName(b->toolTip().isEmpty() ? b->text().remove(QLatin1Char('&')) : b->toolTip());
        b->setEnabled(conversions_->keyAvailable(i));
    }
    if (conversions_) {
        modeLabel_->setText(QString::fromStdString(engine::translate("Conversions", conversions_->modeCaption())));
        modeLabel_->setToolTip(
            QString::fromStdString(engine::translate("Conversions", conversions_->modeToolTip())));
        modeLabel_->setAccessibleName(tr("Conversion set: %1").arg(modeLabel_->text()));
    }
}

void CalculatorWindow::repaint() {
    readout_->setText(QString::fromStdString(model_.readout()));
    readout_->setAccessibleName(tr("Readout %1").arg(readout_->text()));
    // The model keeps the hint in English (F1 reads its subject); only what
    // is shown is translated.
    hint_->setText(QString::fromStdString(engine::translate("Hints", model_.hint())));
    modes_->setText(QString::fromStdString(engine::modeLabel(model_.modes())));
    modes_->setAccessibleName(tr("Modes on: %1").arg(modes_->text()));
    rpnDepth_->setVisible(model_.modes().mnuRpnMode);
    rpnDepth_->setText(tr("RPN: ") + QString::fromStdString(model_.lblRPN()));
    const bool mem = model_.memoryShown();
    memoryIndicator_->setVisible(mem);
    memoryCaption_->setVisible(mem);
    memoryValue_->setVisible(mem);
    memoryValue_->setText(QString::fromStdString(model_.lblMemValue()));
    memoryValue_->setAccessibleName(tr("Memory holds %1").arg(memoryValue_->text()));
    memoryIndicator_->setAccessibleName(tr("Memory in use"));
    const QString tip = QString::fromStdString(model_.memoryToolTip());
    memoryIndicator_->setToolTip(tip);
    memoryValue_->setToolTip(tip);
    tape_->setReadOnly(!model_.TapeUnlocked);
}

void CalculatorWindow::setTapeFont(const QFont& font, const QColor& colour) {
    tape_->setFont(font);
    tapeColour_ = colour;
    const int frame = 2 * (tape_->frameWidth() + qCeil(tape_->document()->documentMargin()));
    const int column = QFontMetrics(font).horizontalAdvance(QLatin1Char('0'));
    const int chrome = frame + tape_->verticalScrollBar()->sizeHint().width();
    static_cast<TapeView*>(tape_)->preferredWidth = column * kTapeColumns + chrome;
    tape_->setMinimumWidth(column * 28 + chrome);
    tape_->updateGeometry();
    // Paper and ink through the palette: a style sheet would put the whole
    // tape through the slower style-sheet painting.
    QPalette paper = tape_->palette();
    paper.setColor(QPalette::Base, platform::tapePaper());
    paper.setColor(QPalette::Text, colour);
    tape_->setPalette(paper);
}

void CalculatorWindow::recordFullTapeHeight() {
    if (fullTapeHeight_ > 0) return;
    // The tape spans the height of the keypad column; measured from the
    // layout, as the window may not have been shown yet.
    fullTapeHeight_ = std::max(tapeRow_->sizeHint().height(), tape_->minimumSizeHint().height());
}

void CalculatorWindow::layoutTape(double ratio) {
    tapeRatio_ = ratio;
    if (tape_->isHidden()) return;
    recordFullTapeHeight();
    if (qFuzzyCompare(ratio, 1.0)) {
        // At full size the tape follows the window as it is resized.
        tape_->setMinimumHeight(0);
        tape_->setMaximumHeight(QWIDGETSIZE_MAX);
        tapeRow_->setAlignment(tape_, Qt::Alignment());
    } else {
        tape_->setFixedHeight(qMax(1, qRound(fullTapeHeight_ * ratio)));
        tapeRow_->setAlignment(tape_, Qt::AlignTop);
    }
    fitToContents();
}

void CalculatorWindow::setTapeHidden(bool hidden) {
    tape_->setHidden(hidden);
    if (!hidden) layoutTape(tapeRatio_);
    else fitToContents();
}

bool CalculatorWindow::tapeHidden() const { return tape_->isHidden(); }

void CalculatorWindow::fitToContents() {
    if (isMaximized() || isFullScreen()) return;
    centralWidget()->layout()->invalidate();
    adjustSize();
}

void CalculatorWindow::showNumLock(std::optional<bool> on) {
    if (!on) return;
    numLockOn_->setVisible(*on);
    numLockOff_->setVisible(!*on);
}

void CalculatorWindow::checkNumLockSoon() {
    // The indicator state changes only once the key has been handled by the
    // system, so read it a moment after the key.
    QTimer::singleShot(60, this, [this] { showNumLock(platform::numLockState()); });
}

QString CalculatorWindow::withoutTapePadding(QString text) {
    text.remove(kTapePad);
    return text;
}

QString CalculatorWindow::shownTapeText() {
    finishTapeLoad();
    return withoutTapePadding(tape_->toPlainText());
}

int CalculatorWindow::tapeViewPosition(std::string_view tapeText, std::size_t offset) {
    offset = std::min(offset, tapeText.size());
    const QString before = QString::fromUtf8(tapeText.data(), static_cast<qsizetype>(offset));
    qsizetype position = 0;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i] == QLatin1Char('\r') && i + 1 < before.size() && before[i + 1] == QLatin1Char('\n'))
            continue;  // CR LF is one line break in the view
        if (before[i] == QLatin1Char('\n') || (before[i] == QLatin1Char('\r') && i + 1 == before.size())) {
            // The padding sits before the line break.
            qsizetype end = i;
            if (end > 0 && before[end - 1] == QLatin1Char('\r')) --end;
            if (endsInDigit(before, end)) ++position;
        }
        ++position;
    }
    return static_cast<int>(position);
}

namespace {
// Text put into the view in one go; a longer text is fed in slices of about
// this size, each ending at a line break, for at most kFeedMs at a time.
constexpr qsizetype kTapeSlice = 16 * 1024;
constexpr qint64 kFeedMs = 20;
}  // namespace

void CalculatorWindow::appendToTape(std::string_view text, bool replaced) {
    const QString chunk = tapeViewText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (replaced) {
        pendingTape_.clear();
        pendingFrom_ = 0;
        tape_->setPlainText(QString());
    }
    if (pendingTape_.isEmpty() && chunk.size() <= kTapeSlice) {
        insertIntoTape(chunk);
        return;
    }
    // Lines typed while a long tape is still going in join its end.
    pendingTape_ += chunk;
    if (!tapeFeeder_) {
        tapeFeeder_ = new QTimer(this);
        tapeFeeder_->setSingleShot(true);
        tapeFeeder_->setInterval(0);
        connect(tapeFeeder_, &QTimer::timeout, this, &CalculatorWindow::feedTape);
    }
    feedTape();
}

void CalculatorWindow::feedTape() {
    QElapsedTimer spent;
    spent.start();
    while (pendingFrom_ < pendingTape_.size() && spent.elapsed() < kFeedMs) {
        qsizetype end = std::min(pendingFrom_ + kTapeSlice, pendingTape_.size());
        if (end < pendingTape_.size()) {
            const qsizetype nl = pendingTape_.lastIndexOf(QLatin1Char('\n'), end - 1);
            if (nl >= pendingFrom_) end = nl + 1;
        }
        insertIntoTape(QStringView(pendingTape_).mid(pendingFrom_, end - pendingFrom_));
        pendingFrom_ = end;
    }
    if (pendingFrom_ < pendingTape_.size()) {
        tapeFeeder_->start();
        return;
    }
    pendingTape_.clear();
    pendingTape_.squeeze();
    pendingFrom_ = 0;
}

void CalculatorWindow::finishTapeLoad() {
    if (pendingTape_.isEmpty()) return;
    if (tapeFeeder_) tapeFeeder_->stop();
    insertIntoTape(QStringView(pendingTape_).mid(pendingFrom_));
    pendingTape_.clear();
    pendingTape_.squeeze();
    pendingFrom_ = 0;
}

void CalculatorWindow::insertIntoTape(QStringView text) {
    QTextCursor cursor(tape_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text.toString());
    tape_->setTextCursor(cursor);
    tape_->ensureCursorVisible();
    tapeFollowsEnd_ = true;
}

// The window sees typed characters before its controls, so the keyboard
// drives the calculator wherever the focus is in this window, except in the
// tape while it is unlocked for editing.
bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !w->isWidgetType() || w->window() != this) return QMainWindow::eventFilter(watched, event);
    // Menus and popups are windows of their own, so they keep their keys.
    if (handleKeyPress(static_cast<QKeyEvent*>(event))) return true;
    return QMainWindow::eventFilter(watched, event);
}

bool CalculatorWindow::handleKeyPress(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_NumLock) {
        checkNumLockSoon();
        return false;
    }
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
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
    if (ch.empty() || (static_cast<unsigned char>(ch[0]) < 0x20 && ch != "\r" && ch != "\b"))
        return false;  // function and navigation keys
    model_.Form_KeyPress(ch);
    return true;  // every typed character is the calculator's, used or swallowed
}

// Every colour comes from the palette, adjusted where the theme's pairing is
// too faint to read; worked out again when the desktop's theme changes.
void CalculatorWindow::applyThemeColours() {
    const QPalette p = palette();
    platform::setLabelColours(readout_, QPalette::Base, QPalette::Text);
    platform::setLabelColours(memoryIndicator_, QPalette::Highlight, QPalette::HighlightedText);
    platform::setBold(memoryIndicator_);
    platform::setTextColour(numLockOn_, QPalette::WindowText, platform::accentOnWindow(p));
    platform::setBold(numLockOn_);
    platform::setTextColour(numLockOff_, QPalette::WindowText, platform::quietText(p));
    platform::setTextColour(modes_, QPalette::WindowText, platform::accentOnWindow(p));
    platform::setBold(modes_);
    platform::setTextColour(hint_, QPalette::WindowText, platform::quietText(p));
    for (auto* b : memoryKeys_) platform::setTextColour(b, QPalette::ButtonText, platform::accentOnButton(p));
    for (auto* b : clearKeys_) platform::setTextColour(b, QPalette::ButtonText, platform::warningOnButton(p));
}

void CalculatorWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange && readout_) applyThemeColours();
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showNumLock(platform::numLockState());
    QMainWindow::changeEvent(event);
}

}  // namespace zorv::ui
