#pragma once

#include <string>

namespace zorv::platform {

// Typing into whichever window of the desktop has the keyboard focus, as if
// the user pressed the keys: X11 with its XTest extension. Elsewhere
// (Wayland, the offscreen platform, an X server without XTest) keystrokes
// cannot reach other programs and canSendKeystrokes() is false.
bool canSendKeystrokes();

// Types UTF-8 text and waits until the X server has taken the key events.
// False, with nothing or only part typed, when a character has no key on the
// current keyboard layout or keystrokes cannot be sent at all.
bool sendKeystrokes(const std::string& text);

}  // namespace zorv::platform
