#include "CalculatorWindowControl.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "shell/WindowPlacement.h"
#include "ui/main/CalculatorWindow.h"

namespace zorv::app {

namespace {

QColor fromColourNumber(std::uint32_t n) {
    return QColor(static_cast<int>(n & 0xff), static_cast<int>((n >> 8) & 0xff),
                  static_cast<int>((n >> 16) & 0xff));
}

std::uint32_t toColourNumber(const QColor& c) {
    return static_cast<std::uint32_t>(c.red() + 256 * c.green() + 65536 * c.blue());
}

}  // namespace

CalculatorWindowControl::CalculatorWindowControl(ui::CalculatorWindow& window) : window_(window) {}

shell::TapeFont CalculatorWindowControl::tapeFont() const {
    const QFont f = window_.txtTape()->font();
    shell::TapeFont t;
    t.name = f.family().toStdString();
    t.size = f.pointSizeF() > 0 ? f.pointSizeF() : 8;
    t.colour = toColourNumber(window_.tapeColour());
    t.bold = f.bold();
    t.italic = f.italic();
    return t;
}

void CalculatorWindowControl::setTapeFont(const shell::TapeFont& t) {
    window_.setTapeFont(ui::CalculatorWindow::tapeFont(QString::fromStdString(t.name), t.size, t.bold, t.italic),
                        fromColourNumber(t.colour));
}

bool CalculatorWindowControl::tapeHidden() const { return window_.tapeHidden(); }
void CalculatorWindowControl::setTapeHidden(bool hidden) { window_.setTapeHidden(hidden); }
void CalculatorWindowControl::recordFullTapeHeight() { window_.recordFullTapeHeight(); }
double CalculatorWindowControl::tapeRatio() const { return window_.tapeRatio(); }
void CalculatorWindowControl::layoutTape(double ratio) { window_.layoutTape(ratio); }

bool CalculatorWindowControl::toolbarHidden() const {
    if (toolbarIsHidden) return toolbarIsHidden();
    return window_.tbToolbar()->isHidden();
}

void CalculatorWindowControl::setToolbarHidden(bool hidden) {
    if (toolbarHide) toolbarHide(hidden);
    else window_.tbToolbar()->setHidden(hidden);
}

void CalculatorWindowControl::setToolbarButton(int index, const std::string& caption,
                                               const std::string& toolTip) {
    if (toolbarButton) {
        toolbarButton(index, caption, toolTip);
        return;
    }
    if (QPushButton* b = window_.comToolbar(index)) {
        b->setText(QString::fromStdString(caption));
        b->setToolTip(QString::fromStdString(toolTip));
    }
}

void CalculatorWindowControl::setExitButtonToolTip(const std::string& toolTip) {
    window_.cmdExit()->setToolTip(QString::fromStdString(toolTip));
}

void CalculatorWindowControl::setStaysOnTop(bool onTop) {
    const bool wasVisible = window_.isVisible();
    // Changing the flag re-creates the native window, which hides it.
    window_.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible) window_.show();
}

shell::WindowPosition CalculatorWindowControl::position() const {
    const QPoint p = window_.pos();
    return {p.y(), p.x()};
}

std::optional<shell::WindowPosition> CalculatorWindowControl::calcShowPosition() const {
    QWidget* label = showLabel ? showLabel() : nullptr;
    if (!label || !label->isVisible()) return std::nullopt;
    return shell::WindowPosition{label->pos().y(), label->pos().x()};
}

bool CalculatorWindowControl::minimizedOrMaximized() const {
    return (window_.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) != 0;
}

void CalculatorWindowControl::place(std::optional<int> top, std::optional<int> left) {
    std::vector<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen()) screens.push_back(primary->availableGeometry());
    for (QScreen* s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen()) screens.push_back(s->availableGeometry());
    // The frame is not known before the window is shown; its client size
    // stands for it.
    window_.move(shell::placeWindow(top, left, window_.size(), screens));
}

void CalculatorWindowControl::minimize() {
    if (window_.isVisible()) window_.showMinimized();
    else window_.setWindowState(window_.windowState() | Qt::WindowMinimized);
}

void CalculatorWindowControl::close() { window_.close(); }

}  // namespace zorv::app
