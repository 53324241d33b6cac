#include "KeypadWidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolTip>
#include <QWindow>
#include <algorithm>

#include "platform/ThemeColours.h"

namespace zorv::ui {

namespace {

constexpr int kSpacing = 4;
const QSize kMinimumKey(48, 34);

// One key as a screen reader sees it: a button with the key's spoken name,
// its tool tip as description, and a press action. It has no QObject of its
// own; it holds the keypad and the key's index.
class KeyAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    KeyAccessible(KeypadWidget* keypad, int index) : keypad_(keypad), index_(index) {}

    bool isValid() const override { return keypad_ && index_ < keypad_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return keypad_ ? keypad_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return keypad_ ? QAccessible::queryAccessibleInterface(keypad_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        const KeypadKey& k = keypad_->key(index_);
        switch (t) {
        case QAccessible::Name: return k.spokenName;
        case QAccessible::Description: return k.toolTip;
        default: return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = keypad_->keyRect(index_);
        return {keypad_->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.focused = keypad_->hasFocus() && keypad_->focusedKey() == index_;
        s.pressed = keypad_->pressedKey() == index_;
        s.hotTracked = keypad_->hoveredKey() == index_;
        s.disabled = !keypad_->keyUsable(index_);
        s.invisible = !keypad_->isVisible();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }
    QStringList actionNames() const override {
        return {QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::setFocusAction()};
    }
    void doAction(const QString& name) override {
        if (!isValid()) return;
        if (name == QAccessibleActionInterface::pressAction()) {
            keypad_->click(index_);
        } else if (name == QAccessibleActionInterface::setFocusAction()) {
            keypad_->setFocusedKey(index_);
            keypad_->setFocus(Qt::OtherFocusReason);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int index() const { return index_; }
    const KeypadWidget* keypad() const { return keypad_; }

private:
    QPointer<KeypadWidget> keypad_;
    int index_;
};

// The keypad as a screen reader sees it: a group of key buttons. The key
// interfaces are made when first asked for and registered with Qt's cache,
// which owns them; they are removed with the keypad's interface.
class KeypadAccessible : public QAccessibleWidget {
public:
    explicit KeypadAccessible(KeypadWidget* keypad) : QAccessibleWidget(keypad, QAccessible::Grouping) {}
    ~KeypadAccessible() override {
        for (QAccessible::Id id : ids_)
            if (id) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return keypad()->count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= keypad()->count()) return nullptr;
        if (ids_.size() < static_cast<std::size_t>(keypad()->count()))
            ids_.resize(static_cast<std::size_t>(keypad()->count()), 0);
        QAccessible::Id& id = ids_[static_cast<std::size_t>(index)];
        if (!id) id = QAccessible::registerAccessibleInterface(new KeyAccessible(keypad(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* key = dynamic_cast<const KeyAccessible*>(child);
        return key && key->keypad() == keypad() ? key->index() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return child(keypad()->keyAt(keypad()->mapFromGlobal(QPoint(x, y))));
    }
    QAccessibleInterface* focusChild() const override {
        return keypad()->hasFocus() ? child(keypad()->focusedKey()) : nullptr;
    }
    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty()) return KeypadWidget::tr("Keypad");
        return own;
    }

private:
    KeypadWidget* keypad() const { return static_cast<KeypadWidget*>(widget()); }
    mutable std::vector<QAccessible::Id> ids_;
};

QAccessibleInterface* keypadAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(KeypadWidget::staticMetaObject.className()))
        if (auto* keypad = qobject_cast<KeypadWidget*>(object)) return new KeypadAccessible(keypad);
    return nullptr;
}

// A caption is drawn as it is: "&" is not a mnemonic on a key.
QString drawnCaption(const QString& caption) {
    QString text = caption;
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

KeypadWidget::KeypadWidget(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(keypadAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setObjectName(QStringLiteral("Keypad"));
    setAccessibleName(tr("Keypad"));
    // Tab brings the keyboard into the keypad; a click on a key does not
    // take the focus from where it is (the "=" key takes it, below).
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

int KeypadWidget::addKey(KeypadKey key) {
    keys_.push_back(std::move(key));
    cellHint_ = {};
    if (focused_ < 0) focused_ = 0;
    layoutKeys();
    updateGeometry();
    update();
    return count() - 1;
}

int KeypadWidget::indexOf(engine::CommandId command) const {
    for (int i = 0; i < count(); ++i)
        if (keys_[static_cast<std::size_t>(i)].command == command) return i;
    return -1;
}

int KeypadWidget::keyAt(QPoint position) const {
    for (int i = 0; i < static_cast<int>(rects_.size()); ++i)
        if (rects_[static_cast<std::size_t>(i)].contains(position)) return i;
    return -1;
}

QRect KeypadWidget::keyRect(int index) const {
    return index >= 0 && index < static_cast<int>(rects_.size()) ? rects_[static_cast<std::size_t>(index)] : QRect();
}

bool KeypadWidget::keyUsable(int index) const {
    return index >= 0 && index < count() && isEnabled() && key(index).enabled;
}

void KeypadWidget::setKeyEnabled(int index, bool enabled) {
    KeypadKey& k = keys_[static_cast<std::size_t>(index)];
    if (k.enabled == enabled) return;
    k.enabled = enabled;
    if (!enabled && pressed_ == index) {
        pressed_ = -1;
        pressedDown_ = pressedBySpace_ = false;
    }
    updateKey(index);
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.disabled = true;
        QAccessibleStateChangeEvent ev(this, changed);
        ev.setChild(index);
        QAccessible::updateAccessibility(&ev);
    }
}

void KeypadWidget::click(int index) {
    if (!keyUsable(index)) return;
    emit clicked(index);
}

void KeypadWidget::setFocusedKey(int index) {
    if (index < 0 || index >= count() || index == focused_) return;
    const int old = focused_;
    focused_ = index;
    updateKey(old);
    updateKey(index);
    if (hasFocus()) notifyFocus();
}

void KeypadWidget::notifyFocus() {
    if (!QAccessible::isActive() || focused_ < 0) return;
    QAccessibleEvent ev(this, QAccessible::Focus);
    ev.setChild(focused_);
    QAccessible::updateAccessibility(&ev);
}

QColor KeypadWidget::captionColour(int index) const {
    const QPalette& p = palette();
    switch (key(index).tone) {
    case KeypadKey::Tone::Memory: return platform::accentOnButton(p);
    case KeypadKey::Tone::Clear: return platform::warningOnButton(p);
    case KeypadKey::Tone::Plain: break;
    }
    return p.color(QPalette::Active, QPalette::ButtonText);
}

QFont KeypadWidget::keyFont(int index) const {
    QFont f = font();
    if (f.pointSizeF() > 0) f.setPointSizeF(f.pointSizeF() * 1.2);
    else f.setPixelSize(qRound(f.pixelSize() * 1.2));
    if (key(index).bold) f.setBold(true);
    return f;
}

int KeypadWidget::rows() const {
    int n = 0;
    for (const auto& k : keys_) n = std::max(n, k.row + k.rowSpan);
    return n;
}

int KeypadWidget::columns() const {
    int n = 0;
    for (const auto& k : keys_) n = std::max(n, k.column + k.columnSpan);
    return n;
}

// The size the style gives a push button with the widest caption: every
// cell gets it, as a grid of buttons would.
QSize KeypadWidget::cellHint() const {
    if (cellHint_.isValid()) return cellHint_;
    QSize cell = kMinimumKey;
    for (int i = 0; i < count(); ++i) {
        const KeypadKey& k = key(i);
        if (k.rowSpan != 1 || k.columnSpan != 1) continue;
        QStyleOptionButton opt;
        opt.initFrom(this);
        opt.text = drawnCaption(k.caption);
        const QFontMetrics fm(keyFont(i));
        opt.fontMetrics = fm;
        const QSize text(fm.horizontalAdvance(k.caption), fm.height());
        cell = cell.expandedTo(style()->sizeFromContents(QStyle::CT_PushButton, &opt, text, this));
    }
    cellHint_ = cell;
    return cell;
}

QSize KeypadWidget::sizeHint() const {
    const QSize cell = cellHint();
    const int c = columns(), r = rows();
    if (c == 0 || r == 0) return {0, 0};
    return {c * cell.width() + (c - 1) * kSpacing, r * cell.height() + (r - 1) * kSpacing};
}

QSize KeypadWidget::minimumSizeHint() const {
    const int c = columns(), r = rows();
    if (c == 0 || r == 0) return {0, 0};
    return {c * kMinimumKey.width() + (c - 1) * kSpacing, r * kMinimumKey.height() + (r - 1) * kSpacing};
}

void KeypadWidget::layoutKeys() {
    rects_.assign(keys_.size(), QRect());
    const int c = columns(), r = rows();
    if (c == 0 || r == 0) return;
    // Cell n starts at n/N of the room (spacing included) and ends a spacing
    // before cell n+1, so the cells share the room within a pixel.
    auto start = [](int n, int total, int cells) { return n * (total + kSpacing) / cells; };
    const int w = width(), h = height();
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        const KeypadKey& k = keys_[i];
        const int left = start(k.column, w, c);
        const int right = start(k.column + k.columnSpan, w, c) - kSpacing;
        const int top = start(k.row, h, r);
        const int bottom = start(k.row + k.rowSpan, h, r) - kSpacing;
        // Mirrored for right-to-left languages, as a grid layout would be.
        rects_[i] = QStyle::visualRect(layoutDirection(), rect(), QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    }
}

void KeypadWidget::resizeEvent(QResizeEvent* event) {
    layoutKeys();
    QWidget::resizeEvent(event);
}

void KeypadWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (int i = 0; i < count(); ++i) {
        const QRect& r = rects_[static_cast<std::size_t>(i)];
        if (!event->rect().intersects(r)) continue;
        const KeypadKey& k = key(i);
        QStyleOptionButton opt;
        opt.initFrom(this);
        opt.rect = r;
        opt.text = drawnCaption(k.caption);
        opt.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver | QStyle::State_Sunken);
        const bool usable = keyUsable(i);
        if (usable) {
            const QColor caption = captionColour(i);
            opt.palette.setColor(QPalette::Active, QPalette::ButtonText, caption);
            opt.palette.setColor(QPalette::Inactive, QPalette::ButtonText, caption);
        } else {
            opt.state &= ~QStyle::State_Enabled;
            opt.palette.setCurrentColorGroup(QPalette::Disabled);
        }
        if (pressedKey() == i) opt.state |= QStyle::State_Sunken;
        else opt.state |= QStyle::State_Raised;
        if (usable && hovered_ == i) opt.state |= QStyle::State_MouseOver;
        if (hasFocus() && focused_ == i) opt.state |= QStyle::State_HasFocus;
        const QFont f = keyFont(i);
        painter.setFont(f);
        opt.fontMetrics = QFontMetrics(f);
        style()->drawControl(QStyle::CE_PushButton, &opt, &painter, this);
    }
}

void KeypadWidget::updateKey(int index) {
    if (index >= 0 && index < static_cast<int>(rects_.size())) update(rects_[static_cast<std::size_t>(index)]);
}

void KeypadWidget::setPressed(int index, bool down) {
    const int old = pressedKey();
    pressed_ = index;
    pressedDown_ = index >= 0 && down;
    if (old != pressedKey()) {
        updateKey(old);
        updateKey(pressedKey());
    }
}

void KeypadWidget::setHovered(int index) {
    if (index == hovered_) return;
    const int old = hovered_;
    hovered_ = index;
    updateKey(old);
    updateKey(index);
}

void KeypadWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int k = keyAt(event->position().toPoint());
    if (!keyUsable(k)) return;
    pressedBySpace_ = false;
    setPressed(k, true);
    // "=" is where the focus rests, so a click on it takes the focus as a
    // button would; the other keys leave the focus where it is.
    if (key(k).command == engine::CommandId::Total) {
        setFocusedKey(k);
        setFocus(Qt::MouseFocusReason);
    }
}

void KeypadWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    setHovered(keyAt(pos));
    if (pressed_ >= 0 && !pressedBySpace_)
        setPressed(pressed_, rects_[static_cast<std::size_t>(pressed_)].contains(pos));
    QWidget::mouseMoveEvent(event);
}

void KeypadWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || pressed_ < 0 || pressedBySpace_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const int k = pressed_;
    const bool over = rects_[static_cast<std::size_t>(k)].contains(event->position().toPoint());
    setPressed(-1, false);
    if (over) click(k);
}

void KeypadWidget::leaveEvent(QEvent* event) {
    setHovered(-1);
    QWidget::leaveEvent(event);
}

int KeypadWidget::neighbour(int from, int rowStep, int columnStep) const {
    if (from < 0 || from >= count()) return -1;
    const KeypadKey& k = key(from);
    // Steps from the key's edge along its first row or column, over empty
    // cells and keys that can't be used.
    int row = rowStep > 0 ? k.row + k.rowSpan : rowStep < 0 ? k.row - 1 : k.row;
    int column = columnStep > 0 ? k.column + k.columnSpan : columnStep < 0 ? k.column - 1 : k.column;
    const int r = rows(), c = columns();
    while (row >= 0 && row < r && column >= 0 && column < c) {
        for (int i = 0; i < count(); ++i) {
            const KeypadKey& o = key(i);
            if (i != from && row >= o.row && row < o.row + o.rowSpan && column >= o.column &&
                column < o.column + o.columnSpan && keyUsable(i))
                return i;
        }
        row += rowStep;
        column += columnStep;
    }
    return -1;
}

void KeypadWidget::keyPressEvent(QKeyEvent* event) {
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    int next = -1;
    // Left and right are on the screen: the columns run the other way in a
    // right-to-left layout.
    const int forward = isRightToLeft() ? -1 : 1;
    switch (mods == Qt::NoModifier ? event->key() : 0) {
    case Qt::Key_Left: next = neighbour(focused_, 0, -forward); break;
    case Qt::Key_Right: next = neighbour(focused_, 0, forward); break;
    case Qt::Key_Up: next = neighbour(focused_, -1, 0); break;
    case Qt::Key_Down: next = neighbour(focused_, 1, 0); break;
    case Qt::Key_Space:
        if (!event->isAutoRepeat() && keyUsable(focused_)) {
            pressedBySpace_ = true;
            setPressed(focused_, true);
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        click(focused_);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (next < 0) return;
    setFocusedKey(next);
    // Moving with the keyboard shows where the focus is, as Tab does (the
    // style draws the focus frame only after keyboard navigation).
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
}

void KeypadWidget::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && pressedBySpace_) {
        const int k = pressed_;
        pressedBySpace_ = false;
        setPressed(-1, false);
        click(k);
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void KeypadWidget::focusInEvent(QFocusEvent* event) {
    updateKey(focused_);
    QWidget::focusInEvent(event);
    notifyFocus();
}

void KeypadWidget::focusOutEvent(QFocusEvent* event) {
    if (pressedBySpace_) {
        pressedBySpace_ = false;
        setPressed(-1, false);
    }
    updateKey(focused_);
    QWidget::focusOutEvent(event);
}

bool KeypadWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int k = keyAt(help->pos());
        if (k >= 0 && !key(k).toolTip.isEmpty())
            QToolTip::showText(help->globalPos(), key(k).toolTip, this, keyRect(k));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void KeypadWidget::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
        cellHint_ = {};
        updateGeometry();
        update();
        break;
    case QEvent::LayoutDirectionChange:
        layoutKeys();
        update();
        break;
    case QEvent::EnabledChange:
        if (!isEnabled()) setPressed(-1, false);
        update();
        break;
    default: break;
    }
    QWidget::changeEvent(event);
}

}  // namespace zorv::ui
