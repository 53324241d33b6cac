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
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
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
    tape_ = new TapeView(model_.tape().text(), central);
    tape_->setObjectName(QStringLiteral("txtTape"));
    // Tab reaches the tape, so a screen reader can read it; typed keys
    // still go to the calculator.
    tape_->setFocusPolicy(Qt::StrongFocus);
    tape_->setAccessibleName(tr("Tape"));
    tape_->setAccessibleDescription(tr("The paper tape: every number, operator and total"));
    // Like the paper of an adding machine, lines are printed flush right, so
    // amounts with the same decimals line up under each other.
    tape_->setAlignment(Qt::AlignRight);
    // The font start-up sets when the settings keep the default, so that an
    // unchanged setting costs no second font and layout.
    setTapeFont(tapeFont(QStringLiteral("Courier New"), 8, false, false), Qt::black);

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
        [this](std::string_view text, bool replaced) { if (replaced) tape_->textReplaced();
            else tape_->textAppended(text); });
    if (conversions_) conversions_->onModeChange = [this] { refreshActions(); };
    tape_->textReplaced();

    qApp->installEventFilter(this);
    refreshActions();
    repaint();
    showNumLock(platform::numLockState());
    focusTotalKey();
}

CalculatorWindow::~CalculatorWindow() {
    qApp->removeEventFilter(this);
    model_.onChange = nullptr;
    model_.tape().removeListener(tapeListener_);
    if (conversions_) conversions_->onModeChange = nullptr;
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

void CalculatorWindow::focusTotalKey() {
    keypad_->setFocusedKey(keypad_->indexOf(CommandId::Total));
    keypad_->setFocus();
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
    keypad_ = new KeypadWidget(this);
    using C = CommandId;
    using Tone = KeypadKey::Tone;
    struct Place {
        int row, column, rowSpan = 1, columnSpan = 1;
    };
    auto add = [this](QString caption, C command, const QString& toolTip, QString objectName, Place at,
                      Tone tone = Tone::Plain) {
        KeypadKey k;
        k.command = command;
        k.caption = std::move(caption);
        k.toolTip = toolTip;
        // A screen reader says what the key does ("Memory recall"), not its
        // caption ("MR"); the description adds the keyboard key.
        k.spokenName = spokenName(toolTip);
        k.objectName = std::move(objectName);
        k.row = at.row;
        k.column = at.column;
        k.rowSpan = at.rowSpan;
        k.columnSpan = at.columnSpan;
        k.tone = tone;
        k.bold = tone == Tone::Clear || command == C::Total;
        return keypad_->addKey(std::move(k));
    };
    auto name = [](const char* text) { return QString::fromLatin1(text); };

    // Memory row, then the keypad of a desk calculator: the tall "+" and "="
    // at the right where an adding machine has them.
    add(QStringLiteral("MC"), C::MemoryClear, tr("Memory clear (Ctrl+L)"), name("cmdMC"), {0, 0}, Tone::Memory);
    add(QStringLiteral("MR"), C::MemoryRecall, tr("Memory recall (Ctrl+R)"), name("cmdMR"), {0, 1}, Tone::Memory);
    add(QStringLiteral("MS"), C::MemoryStore, tr("Memory store (Ctrl+M)"), name("cmdMS"), {0, 2}, Tone::Memory);
    add(QStringLiteral("M+"), C::MemoryAdd, tr("Add to memory (M)"), name("cmdMplus"), {0, 3}, Tone::Memory);
    add(QStringLiteral("M-"), C::MemorySubtract, tr("Subtract from memory (m)"), name("cmdMminus"), {0, 4},
        Tone::Memory);
    add(QStringLiteral("CE"), C::ClearEntry, tr("Clear entry (Delete or Escape)"), name("cmdCE"), {1, 0},
        Tone::Clear);
    add(QStringLiteral("C"), C::Clear, tr("Clear all (C)"), name("cmdC"), {1, 1}, Tone::Clear);
    add(QStringLiteral("+/-"), C::ChangeSign, tr("Change sign (F9)"), name("cmdChangeSign"), {1, 2});
    add(QStringLiteral("%"), C::Percent, tr("Percent (%)"), name("cmdPercent"), {1, 3});
    add(QStringLiteral("/"), C::Divide, tr("Divide (/)"), name("Operator3"), {1, 4});
    // Keys go in reading order (a screen reader lists them so).
    constexpr C digits[] = {C::Digit0, C::Digit1, C::Digit2, C::Digit3, C::Digit4,
                            C::Digit5, C::Digit6, C::Digit7, C::Digit8, C::Digit9};
    auto digit = [&](int d, Place at) {
        add(QString::number(d), digits[d], tr("Digit %1").arg(d), QStringLiteral("Number%1").arg(d), at);
    };
    for (int row = 2; row <= 4; ++row) {
        const int first = 7 - 3 * (row - 2);
        for (int column = 0; column < 3; ++column) digit(first + column, {row, column});
        if (row == 2) {
            add(QStringLiteral("√x"), C::SquareRoot, tr("Square root (R)"), name("cmdSqrRt"), {2, 3});
            add(QStringLiteral("X"), C::Multiply, tr("Multiply (* or X)"), name("Operator2"), {2, 4});
        } else if (row == 3) {
            add(QStringLiteral("x²"), C::Square, tr("Square (S)"), name("cmdSqr"), {3, 3});
            add(QStringLiteral("-"), C::Subtract, tr("Subtract (-)"), name("Operator1"), {3, 4});
        }
    }
    add(QStringLiteral("+"), C::Add, tr("Add (+)"), name("Operator0"), {4, 3, 2, 1});
    const int total = add(QStringLiteral("="), C::Total, tr("Total (Enter or =)"), name("Operator4"), {4, 4, 2, 1});
    digit(0, {5, 0, 1, 2});
    const QString ds = QString::fromStdString(model_.decimalSymbol());
    add(ds, C::DecimalPoint, tr("Decimal symbol (%1 or .)").arg(ds), name("Decimal"), {5, 2});

    keypad_->setFocusedKey(total);
    connect(keypad_, &KeypadWidget::clicked, this,
            [this](int index) { model_.runCommand(keypad_->key(index).command); });
    return keypad_;
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
    for (int i = 0; i < keypad_->count(); ++i) keypad_->setKeyEnabled(i, commands.contains(keypad_->key(i).command));
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
    rpnDepth_->setVisible(model_.modes().rpn);
    rpnDepth_->setText(tr("RPN: ") + QString::fromStdString(model_.rpnDepthLabel()));
    const bool mem = model_.memory().shown();
    memoryIndicator_->setVisible(mem);
    memoryCaption_->setVisible(mem);
    memoryValue_->setVisible(mem);
    memoryValue_->setText(QString::fromStdString(model_.memory().label()));
    memoryValue_->setAccessibleName(tr("Memory holds %1").arg(memoryValue_->text()));
    memoryIndicator_->setAccessibleName(tr("Memory in use"));
    const QString tip = QString::fromStdString(model_.memory().toolTip());
    memoryIndicator_->setToolTip(tip);
    memoryValue_->setToolTip(tip);
    tape_->setEditing(model_.tapeUnlocked);
}

QFont CalculatorWindow::tapeFont(const QString& family, double pointSize, bool bold, bool italic) {
    QFont f(family);
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(pointSize > 0 ? pointSize : 8);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void CalculatorWindow::setTapeFont(const QFont& font, const QColor& colour) {
    if (tapeFontSet_ && font == tape_->font() && colour == tapeColour_) return;
    tapeFontSet_ = true;
    tape_->setFont(font);
    tapeColour_ = colour;
    const int frame = 2 * (tape_->frameWidth() + TapeView::kMargin);
    const int column = QFontMetrics(font).horizontalAdvance(QLatin1Char('0'));
    const int chrome = frame + tape_->verticalScrollBar()->sizeHint().width();
    tape_->setPreferredWidth(column * kTapeColumns + chrome);
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
    text.remove(QChar(TapeView::kPad));
    return text;
}

QString CalculatorWindow::shownTapeText() const {
    if (QPlainTextEdit* editor = tape_->editor()) return withoutTapePadding(editor->toPlainText());
    QString text = QString::fromStdString(model_.tape().text());
    text.remove(QLatin1Char('\r'));
    return text;
}

QString CalculatorWindow::tapeSelection() const {
    if (QPlainTextEdit* editor = tape_->editor())
        return withoutTapePadding(editor->textCursor().selectedText().replace(QChar::ParagraphSeparator,
                                                                             QLatin1Char('\n')));
    return tape_->selectedText();
}

std::optional<int> CalculatorWindow::tapeCursorLine() const {
    if (QPlainTextEdit* editor = tape_->editor())
        return editor->document()->findBlock(editor->textCursor().selectionStart()).blockNumber();
    if (!tape_->cursorPosition()) return std::nullopt;
    tape_->finishIndexing();
    return static_cast<int>(tape_->lineOf(tape_->selectionStart()));
}

void CalculatorWindow::showTapeRange(std::size_t offset, std::size_t length) {
    const std::string& text = model_.tape().text();
    if (offset > text.size()) return;
    length = std::min(length, text.size() - offset);
    if (QPlainTextEdit* editor = tape_->editor()) {
        // The editor holds the text with LF line ends.
        const auto position = [&text](std::size_t at) {
            QString before = QString::fromUtf8(text.data(), static_cast<qsizetype>(at));
            return static_cast<int>(before.size() - before.count(QLatin1Char('\r')));
        };
        QTextCursor cursor(editor->document());
        cursor.setPosition(position(offset));
        cursor.setPosition(position(offset + length), QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
        editor->ensureCursorVisible();
        return;
    }
    tape_->finishIndexing();  // the match may lie in the part not yet indexed
    tape_->select(offset, offset + length);
    tape_->ensureVisible(offset + length);
    tape_->ensureVisible(offset);
}

// The window sees typed characters before its controls, so the keyboard
// drives the calculator wherever the focus is in this window, except in the
// tape while it is unlocked for editing.
bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !w->isWidgetType() || w->window() != this) return QMainWindow::eventFilter(watched, event);
    // Menus and popups are windows of their own, so they keep their keys.
    auto* key = static_cast<QKeyEvent*>(event);
    // With the focus in the keypad, Space and Enter press the focused key
    // (on "=", where the focus rests, Enter totals as it does anywhere).
    if (watched == keypad_ && keypad_->hasFocus() && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
        return QMainWindow::eventFilter(watched, event);
    if (handleKeyPress(key)) return true;
    return QMainWindow::eventFilter(watched, event);
}

bool CalculatorWindow::handleKeyPress(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_NumLock) {
        checkNumLockSoon();
        return model_.pressKey(engine::NamedKey::NumLock);
    }
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods == Qt::AltModifier && key >= Qt::Key_1 && key <= Qt::Key_9)
        return model_.pressKey(*engine::altDigitKey(key - Qt::Key_1 + 1));
    if (mods != Qt::NoModifier) return false;  // menu shortcuts and accelerators
    if (key == Qt::Key_Delete) return model_.pressKey(engine::NamedKey::Delete);
    if (model_.tapeUnlocked) return false;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape) return false;
    std::string ch;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) ch = "\r";
    else if (key == Qt::Key_Backspace) ch = "\b";
    else ch = event->text().toStdString();
    if (ch.empty() || (static_cast<unsigned char>(ch[0]) < 0x20 && ch != "\r" && ch != "\b"))
        return false;  // function and navigation keys
    model_.typeKey(ch);
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
    // The keypad takes its memory and clear key colours from the palette as
    // it paints.
}

void CalculatorWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange && readout_) applyThemeColours();
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showNumLock(platform::numLockState());
    QMainWindow::changeEvent(event);
}

}  // namespace zorv::ui
