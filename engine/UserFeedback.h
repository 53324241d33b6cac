#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorv::engine {

inline constexpr std::string_view kProductName = "Zorv Advanced Calculator";

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

// Everything the calculator asks of a person goes through this interface, so
// the same code runs behind the window (Qt dialogs), in batch mode (scripted
// answers) and in tests (a recording fake). Message texts use "\r", "\n" or
// "\r\n" as line breaks; implementations show each as one line break.
class UserFeedback {
public:
    virtual ~UserFeedback() = default;

    // Shows a message box and returns the button chosen. `defaultButton` is
    // the button that Enter presses (and that a script with no answer left
    // gets); when unset it is the first button.
    virtual MessageResult showMessage(const std::string& text, const std::string& title,
                                      MessageIcon icon,
                                      MessageButtons buttons = MessageButtons::Ok,
                                      std::optional<MessageResult> defaultButton = {}) = 0;

    // Asks for a line of text; std::nullopt when the user cancels.
    virtual std::optional<std::string> askText(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) = 0;

    // Whether an answer stands ready right after the question's command
    // (batch mode's "[...]"); a command whose last answers are optional asks
    // for them only then. Never in the window.
    virtual bool answerFollows() { return false; }
    virtual void beep() = 0;
    virtual void focusEqualsKey() = 0;
    virtual bool mainWindowVisible() const = 0;
};

}  // namespace zorv::engine
