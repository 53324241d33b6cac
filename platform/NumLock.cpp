#include "NumLock.h"

#include <QGuiApplication>

#if defined(ZORV_HAVE_X11)
#include <X11/XKBlib.h>
#endif

namespace zorv::platform {

std::optional<bool> numLockState() {
#if defined(ZORV_HAVE_X11)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display()) return std::nullopt;
    Display* display = x11->display();
    const Atom numLock = XInternAtom(display, "Num Lock", False);
    Bool on = False;
    if (numLock != None && XkbGetNamedIndicator(display, numLock, nullptr, &on, nullptr, nullptr))
        return on != False;
#endif
    return std::nullopt;
}

}  // namespace zorv::platform
