#include "ToolbarController.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QTimer>

#include "shell/ToolbarButtons.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/ToolbarSetupDialog.h"

namespace zorv::ui {

namespace {

using engine::CommandId;

}  // namespace

ToolbarController::ToolbarController(CalculatorWindow& window, engine::CalculatorModel& model,
                                     shell::ToolbarButtons& buttons, QObject* parent)
    : QObject(parent), window_(window), model_(model), buttons_(buttons) {
    buttons_.onChange = [this] { repaintButtons(); };
    buttons_.openSetup = [this](int index) { openSetup(index); };
    window_.toolbarClick = [this](int index) { buttons_.press(index); };
    model_.comToolbar_Click = [this](int index) { buttons_.press(index); };
    model_.commands().add(CommandId::HideShowToolbar, [this] { toggleToolbar(); });

    // Mouse moves over the strip itself (between buttons) clear the hover look.
    window_.tbToolbar()->setMouseTracking(true);
    window_.tbToolbar()->installEventFilter(this);
    for (int i = 0; i < shell::ToolbarButtons::kCount; ++i) {
        QPushButton* b = window_.comToolbar(i);
        b->setAttribute(Qt::WA_Hover, true);
        b->installEventFilter(this);
    }
    repaintButtons();
    setToolbarVisible(true);
    window_.refreshActions();
}

ToolbarController::~ToolbarController() {
    buttons_.onChange = nullptr;
    buttons_.openSetup = nullptr;
    window_.toolbarClick = nullptr;
    model_.comToolbar_Click = nullptr;
}

void ToolbarController::repaintButtons() {
    for (int i = 0; i < shell::ToolbarButtons::kCount; ++i) {
        const auto& binding = buttons_.button(i);
        window_.showToolbarButton(i, QString::fromStdString(binding.caption),
                                  QString::fromStdString(binding.toolTip));
    }
    restyle();
}

// Flat buttons on the strip's face colour; the one under the pointer takes
// the tool-tip colours. A flat button held down is drawn sunken by the style
// itself. Palette changes only: a style sheet would send every button
// through the slower style-sheet painting and cost a restyle per hover.
void ToolbarController::restyle() {
    const QPalette app = QApplication::palette();
    for (int i = 0; i < shell::ToolbarButtons::kCount; ++i) {
        QPushButton* b = window_.comToolbar(i);
        const bool hot = i == hovered_;
        QPalette p = b->palette();
        const QColor face = app.color(hot ? QPalette::ToolTipBase : QPalette::Button);
        const QColor ink = app.color(hot ? QPalette::ToolTipText : QPalette::ButtonText);
        if (b->isFlat() && p.color(QPalette::Button) == face && p.color(QPalette::ButtonText) == ink) continue;
        b->setFlat(true);
        b->setAutoFillBackground(true);
        p.setColor(QPalette::Button, face);
        p.setColor(QPalette::ButtonText, ink);
        b->setPalette(p);
    }
}

int ToolbarController::indexOf(QObject* object) const {
    for (int i = 0; i < shell::ToolbarButtons::kCount; ++i)
        if (window_.comToolbar(i) == object) return i;
    return -1;
}

bool ToolbarController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.tbToolbar()) {
        if ((event->type() == QEvent::MouseMove || event->type() == QEvent::Leave) && hovered_ != -1) {
            hovered_ = -1;
            restyle();
        }
        return false;
    }
    const int index = indexOf(watched);
    if (index < 0) return false;
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::HoverMove:
    case QEvent::MouseMove:
        if (hovered_ != index) {
            hovered_ = index;
            restyle();
        }
        break;
    case QEvent::MouseButtonPress: {
        pressed_ = index;
        restyle();
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
            // Any button but the left one opens set-up. Opened once this
            // press is over, so the modal window does not run inside it.
            QTimer::singleShot(0, this, [this, index] {
                pressed_ = -1;
                restyle();
                openSetup(index);
            });
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (pressed_ != -1) {
            pressed_ = -1;
            restyle();
        }
        break;
    default:
        break;
    }
    return false;
}

void ToolbarController::openSetup(int index) {
    if (index < 0 || index >= shell::ToolbarButtons::kCount) return;
    ToolbarSetupDialog dialog(index, buttons_, model_, &window_);
    dialog.exec();
}

void ToolbarController::toggleToolbar() { setToolbarVisible(!visible_); }

void ToolbarController::setToolbarVisible(bool visible) {
    visible_ = visible;
    window_.tbToolbar()->setVisible(visible);
    window_.setActionText(CommandId::HideShowToolbar, visible ? tr("Hide Toolbar") : tr("Show Toolbar"));
}

bool ToolbarController::toolbarVisible() const { return visible_; }

}  // namespace zorv::ui
