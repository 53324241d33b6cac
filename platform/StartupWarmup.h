#pragma once

#include <thread>

namespace zorv::platform {

// Start-up work that a second thread can do while the main thread builds
// the application and its window. Each piece is one the main thread would
// otherwise wait for at its first use; done ahead, that use finds it ready.
// Where a piece does not apply (no fontconfig, no D-Bus, a platform without
// an accessibility bridge), it does nothing.

// Reads the font configuration and maps the font caches. Started before
// the QApplication exists (fontconfig needs no Qt), and waited for before
// the first font is used.
class FontConfigWarmup {
public:
    FontConfigWarmup();
    ~FontConfigWarmup();
    FontConfigWarmup(const FontConfigWarmup&) = delete;
    FontConfigWarmup& operator=(const FontConfigWarmup&) = delete;

    void wait();

private:
    std::thread thread_;
};

// Connects to the session bus, which the accessibility bridge of the X11 and
// Wayland platforms asks for when the first widget gets its text. Without a
// running bus that connection tries to start one, which takes milliseconds;
// here it happens beside the window's construction. Needs the QApplication;
// must end before it does (the destructor waits).
class SessionBusWarmup {
public:
    SessionBusWarmup();
    ~SessionBusWarmup();
    SessionBusWarmup(const SessionBusWarmup&) = delete;
    SessionBusWarmup& operator=(const SessionBusWarmup&) = delete;

private:
    std::thread thread_;
};

}  // namespace zorv::platform
