#include "expr/TypedKey.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

#include "engine/UserFeedback.h"
#include "expr/ExpressionKeys.h"

namespace zorv::expr {

std::optional<std::string> typedKey(const QKeyEvent* key) {
    if (key->matches(QKeySequence::Copy)) return std::string("\x03");
    if (key->matches(QKeySequence::Paste)) return std::string("\x16");
    if (key->key() == Qt::Key_Backspace) return std::string("\b");
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return std::nullopt;
    const QString text = key->text();
    if (text.isEmpty()) return std::nullopt;
    const char16_t first = text.at(0).unicode();
    if (first < 0x20 || first == 0x7f) return std::nullopt;
    return text.toStdString();
}

bool applyToBox(QLineEdit* box, const KeyOutcome& outcome, engine::UserFeedback& feedback) {
    switch (outcome.action) {
    case KeyAction::Insert:
        box->insert(QString::fromStdString(outcome.text));
        return true;
    case KeyAction::Reject:
        feedback.beep();
        return true;
    default:
        return false;  // backspace, copy and paste work as usual
    }
}

}  // namespace zorv::expr
