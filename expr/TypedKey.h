#pragma once

#include <optional>
#include <string>

class QKeyEvent;

namespace zorv::expr {

// The character a key press types, as the key filters of ExpressionKeys.h
// take it: "\b" for backspace, "\x03" for copy, "\x16" for paste, else the
// typed text. nullopt for keys that type nothing (navigation, Enter,
// Escape, Tab) and for other shortcuts: those keep their usual meaning.
std::optional<std::string> typedKey(const QKeyEvent* key);

}  // namespace zorv::expr
