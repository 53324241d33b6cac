#pragma once

#include <optional>
#include <string>

class QKeyEvent;
class QLineEdit;

namespace zorv::engine {
class UserFeedback;
}

namespace zorv::expr {

struct KeyOutcome;

// The character a key press types, as the key filters of ExpressionKeys.h
// take it: "\b" for backspace, "\x03" for copy, "\x16" for paste, else the
// typed text. nullopt for keys that type nothing (navigation, Enter,
// Escape, Tab) and for other shortcuts: those keep their usual meaning.
std::optional<std::string> typedKey(const QKeyEvent* key);

// What a filtered key does to an expression box: inserts its text, or
// beeps when refused; true when the key was used up. Backspace, copy and
// paste are left to the box (false).
bool applyToBox(QLineEdit* box, const KeyOutcome& outcome, engine::UserFeedback& feedback);

}  // namespace zorv::expr
