#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/NumberSymbols.h"

namespace zorv::finance {

// The question a guided calculation asks for one number. The window
// (NumInputDialog) and the scripted version (FeedbackNumericInput) both
// implement it, so every calculator runs the same way on screen, in batch
// mode and in tests.
class NumericInput {
public:
    virtual ~NumericInput() = default;

    // Prompt, window title and the text the answer box starts with.
    virtual void Init(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) = 0;

    // Asks modally. The answer is the number normalised through the decimal
    // type ("0012." gives "12"), or an empty text when the box was left
    // empty; std::nullopt when the user cancelled.
    virtual std::optional<std::string> run() = 0;

    // Lets the windowing system catch up (repaint, hide the dialog) before a
    // calculation starts. Nothing to do without a window.
    virtual void processPendingEvents() {}
};

// What a key typed into the answer box becomes: digits, "-" and backspace
// pass, "." and the locale decimal symbol both become the decimal symbol,
// anything else is dropped (std::nullopt). `ch` is one UTF-8 character.
std::optional<std::string> filterAnswerKey(std::string_view ch, const engine::NumberSymbols& symbols);

// The text that typing `text` key by key into the box would leave, with the
// box's length limit (in characters; 0 means none).
std::string filterAnswerText(std::string_view text, const engine::NumberSymbols& symbols,
                             std::size_t maxLength = 0);

// The OK button's check. Blank text gives an empty answer (the question
// then offers re-entry); text the decimal type does not take gives
// std::nullopt ("Invalid value!"); otherwise the normalised number text.
std::optional<std::string> normaliseAnswer(std::string_view text, const engine::NumberSymbols& symbols);

}  // namespace zorv::finance
