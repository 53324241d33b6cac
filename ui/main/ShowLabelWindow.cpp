#include "ShowLabelWindow.h"

#include "platform/ThemeColours.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace zorv::ui {

ShowLabelWindow::ShowLabelWindow(QWidget& calculator)
    // A tool window: no task bar entry, and it does not keep the program
    // running once the calculator itself is closed.
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      calculator_(calculator) {
    setObjectName(QStringLiteral("CalcShow"));
    setWindowTitle(QStringLiteral("Zorv Advanced Calculator"));
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("lblShow"));
    label_->setTextFormat(Qt::PlainText);
    label_->setMargin(3);
    // Drawn like a tool tip, in the theme's tool-tip colours.
    platform::setLabelColours(label_, QPalette::ToolTipBase, QPalette::ToolTipText);
    label_->setFrameShape(QFrame::Box);
    platform::setBold(label_);
    label_->move(0, 0);
    label_->installEventFilter(this);

    calculator_.hide();
    calcStatus_ = 0;
    setCaption(kShowCaption);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, area.top());
    }
}

void ShowLabelWindow::setCaption(const char* caption) {
    label_->setText(QString::fromLatin1(caption));
    label_->adjustSize();
    setFixedSize(label_->size());
}

void ShowLabelWindow::bringCalculatorBack() {
    if (calcStatus_ != 0) {
        calculator_.raise();
        calculator_.activateWindow();
    }
}

void ShowLabelWindow::lblShow_DblClick() {
    if (calcStatus_ != 0) {
        calculator_.hide();
        calcStatus_ = 0;
        setCaption(kShowCaption);
    } else {
        calculator_.showNormal();
        calculator_.raise();
        calculator_.activateWindow();
        calcStatus_ = -1;
        setCaption(kHideCaption);
    }
}

bool ShowLabelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != label_) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        mDown_ = true;
        dragged_ = false;
        mCur_ = e->position();
        return true;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        // Only a drag with the left button alone moves the label.
        if (mDown_ && e->buttons() == Qt::LeftButton) {
            const QPoint delta = (e->position() - mCur_).toPoint();
            if (!delta.isNull()) {
                move(pos() + delta);
                dragged_ = true;
            }
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        mDown_ = false;
        if (e->button() == Qt::LeftButton && !dragged_ &&
            label_->rect().contains(e->position().toPoint()))
            bringCalculatorBack();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) lblShow_DblClick();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

}  // namespace zorv::ui
