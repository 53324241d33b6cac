#include "StartupWarmup.h"

#include <QGuiApplication>
#include <QString>

#ifdef ZORV_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif
#ifdef ZORV_HAVE_QTDBUS
#include <QDBusConnection>
#endif

namespace zorv::platform {

FontConfigWarmup::FontConfigWarmup() {
#ifdef ZORV_HAVE_FONTCONFIG
    // FcInit parses the configuration files and maps the cache files into
    // the process; Qt's font database later finds fontconfig initialised.
    // fontconfig makes its current configuration with an atomic swap, so a
    // concurrent first use from Qt is safe either way.
    thread_ = std::thread([] { FcInit(); });
#endif
}

FontConfigWarmup::~FontConfigWarmup() { wait(); }

void FontConfigWarmup::wait() {
    if (thread_.joinable()) thread_.join();
}

SessionBusWarmup::SessionBusWarmup() {
#ifdef ZORV_HAVE_QTDBUS
    // Only the platforms whose accessibility bridge talks over D-Bus; the
    // offscreen platform of the tests never connects, and should not start
    // a bus.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland"))) return;
    thread_ = std::thread([] { (void)QDBusConnection::sessionBus().isConnected(); });
#endif
}

SessionBusWarmup::~SessionBusWarmup() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace zorv::platform
