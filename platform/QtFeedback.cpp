#include "QtFeedback.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace zorv::platform {

using engine::MessageButtons;
using engine::MessageIcon;
using engine::MessageResult;

QString toDialogText(const std::string& text) {
    QString s = QString::fromStdString(text);
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

}  // namespace

MessageResult QtFeedback::showMessage(const std::string& text, const std::string& title,
                                      MessageIcon icon, MessageButtons buttons,
                                      std::optional<MessageResult> defaultButton) {
    QMessageBox box(qtIcon(icon), QString::fromStdString(title), toDialogText(text),
                    QMessageBox::NoButton, parent);
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
    const QString answer = QInputDialog::getText(parent, QString::fromStdString(title),
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
