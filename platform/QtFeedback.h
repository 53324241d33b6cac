#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "engine/UserFeedback.h"

namespace zorv::platform {

// The calculator's questions and messages as Qt dialogs.
class QtFeedback : public engine::UserFeedback {
public:
    engine::MessageResult showMessage(const std::string& text, const std::string& title,
                                      engine::MessageIcon icon,
                                      engine::MessageButtons buttons = engine::MessageButtons::Ok,
                                      std::optional<engine::MessageResult> defaultButton = {}) override;
    std::optional<std::string> askText(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) override;
    void beep() override;
    void focusEqualsKey() override;
    bool mainWindowVisible() const override;

    // The window dialogs are centred on, and the main window's own answers.
    QPointer<QWidget> parent;
    std::function<void()> focusEquals;
    std::function<bool()> windowVisible;
};

// The translation context of message, prompt and title texts: the
// calculator's messages reach the window here, and a text with a
// translation (keyed by its exact English wording) is shown translated.
inline constexpr const char* kMessageContext = "Messages";

// A message text translated, with CR, LF or CR LF as line breaks made the
// LF Qt wants.
QString toDialogText(const std::string& text);

}  // namespace zorv::platform
