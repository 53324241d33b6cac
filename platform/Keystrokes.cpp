#include "Keystrokes.h"

#include <QGuiApplication>
#include <QString>
#include <vector>

#if defined(ZORV_HAVE_XTEST)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#endif

namespace zorv::platform {

#if defined(ZORV_HAVE_XTEST)

namespace {

Display* x11Display() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

struct Key {
    KeyCode code = 0;
    bool shift = false;
};

// The key and shift state that produce `keysym` in the first keyboard group.
Key keyFor(Display* display, KeySym keysym) {
    const KeyCode code = XKeysymToKeycode(display, keysym);
    if (code == 0) return {};
    if (XkbKeycodeToKeysym(display, code, 0, 0) == keysym) return {code, false};
    if (XkbKeycodeToKeysym(display, code, 0, 1) == keysym) return {code, true};
    return {};
}

}  // namespace

bool canSendKeystrokes() {
    Display* display = x11Display();
    if (!display) return false;
    int event = 0, error = 0, major = 0, minor = 0;
    return XTestQueryExtension(display, &event, &error, &major, &minor) != False;
}

bool sendKeystrokes(const std::string& text) {
    if (!canSendKeystrokes()) return false;
    Display* display = x11Display();
    const KeyCode shiftCode = XKeysymToKeycode(display, XK_Shift_L);
    // Look every key up first, so a value is typed whole or not at all.
    std::vector<Key> keys;
    for (const char32_t c : QString::fromStdString(text).toUcs4()) {
        // Latin-1 characters are their own keysyms; the rest of Unicode is
        // offset by 0x01000000.
        const KeySym keysym = c < 0x100 ? static_cast<KeySym>(c) : static_cast<KeySym>(0x01000000 | c);
        const Key key = keyFor(display, keysym);
        if (key.code == 0 || (key.shift && shiftCode == 0)) return false;
        keys.push_back(key);
    }
    for (const Key& key : keys) {
        if (key.shift) XTestFakeKeyEvent(display, shiftCode, True, CurrentTime);
        XTestFakeKeyEvent(display, key.code, True, CurrentTime);
        XTestFakeKeyEvent(display, key.code, False, CurrentTime);
        if (key.shift) XTestFakeKeyEvent(display, shiftCode, False, CurrentTime);
    }
    XSync(display, False);
    return true;
}

#else

bool canSendKeystrokes() { return false; }
bool sendKeystrokes(const std::string&) { return false; }

#endif

}  // namespace zorv::platform
