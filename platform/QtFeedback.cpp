#include "QtFeedback.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "engine/Translate.h"

namespace zorv::platform {

using engine::MessageButtons;
using engine::MessageIcon;
using engine::MessageResult;

QString toDialogText(const std::string& text) {
    QString s = QString::fromStdString(engine::translate(kMessageContext, text));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(MessageResult r) {
    switch (r) {
    case MessageResult::Ok: return QMessageBox::Ok;
    case MessageResult::Cancel: return QMessageBox::Cancel;
    case MessageResult::Yes: return QMessageBox::Yes;
    case MessageResult::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// A message or question belongs to the window the user is working in: the
// active window (a dialog that stays open, such as the expression builder,
// the numeric input or the Properties window), else the main window. The
// box is parented to that window, so it stays above it, and when the box
// closes that window is made active again with the focus back on the
// control that had it. Parented to the main window, closing the box would
// hand the activation to the main window, and the next keys typed would
// land there instead of in the dialog that asked.
class ReturnToOwner {
public:
    explicit ReturnToOwner(QWidget* mainWindow) {
        owner_ = QApplication::activeModalWidget();
        if (!owner_) owner_ = QApplication::activeWindow();
        if (!owner_) owner_ = mainWindow;
        if (owner_) focus_ = owner_->focusWidget();
    }
    ReturnToOwner(const ReturnToOwner&) = delete;
    ReturnToOwner& operator=(const ReturnToOwner&) = delete;
    ~ReturnToOwner() {
        if (!owner_ || !owner_->isVisible()) return;
        owner_->activateWindow();
        if (focus_ && focus_->isVisible() && focus_->window() == owner_)
            focus_->setFocus(Qt::ActiveWindowFocusReason);
    }
    QWidget* owner() const { return owner_; }

private:
    QPointer<QWidget> owner_;
    QPointer<QWidget> focus_;
};

}  // namespace

MessageResult QtFeedback::showMessage(const std::string& text, const std::string& title,
                                      MessageIcon icon, MessageButtons buttons,
                                      std::optional<MessageResult> defaultButton) {
    ReturnToOwner owner(parent);
    QMessageBox box(qtIcon(icon), QString::fromStdString(engine::translate(kMessageContext, title)),
                    toDialogText(text),
                    QMessageBox::NoButton, owner.owner());
    switch (buttons) {
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    if (defaultButton) box.setDefaultButton(qtButton(*defaultButton));
    switch (box.exec()) {
    case QMessageBox::Cancel: return MessageResult::Cancel;
    case QMessageBox::Yes: return MessageResult::Yes;
    case QMessageBox::No: return MessageResult::No;
    default: break;
    }
    // Escape on a Yes/No box closes it without an answer: take it as No.
    if (buttons == MessageButtons::YesNo) return MessageResult::No;
    if (buttons == MessageButtons::YesNoCancel || buttons == MessageButtons::OkCancel)
        return box.clickedButton() == box.button(QMessageBox::Ok) ? MessageResult::Ok
                                                                   : MessageResult::Cancel;
    return MessageResult::Ok;
}

std::optional<std::string> QtFeedback::askText(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) {
    bool ok = false;
    ReturnToOwner owner(parent);
    const QString answer = QInputDialog::getText(owner.owner(),
                                                 QString::fromStdString(engine::translate(kMessageContext, title)),
                                                 toDialogText(prompt), QLineEdit::Normal,
                                                 QString::fromStdString(defaultText), &ok);
    if (!ok) return std::nullopt;
    return answer.toStdString();
}

void QtFeedback::beep() { QApplication::beep(); }

void QtFeedback::focusEqualsKey() {
    if (focusEquals) focusEquals();
}

bool QtFeedback::mainWindowVisible() const { return windowVisible ? windowVisible() : false; }

}  // namespace zorv::platform
