#include "SettingsFile.h"

#include <QStandardPaths>

#include "shell/SettingsStore.h"

namespace zorv::shell {

std::string userSettingsFile() {
    // The configuration folder as Qt's own settings files find it, so that
    // XDG_CONFIG_HOME is honoured and files of earlier versions are found.
    return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QStringLiteral("/Zorv/") + QString::fromUtf8(kAppName) + QStringLiteral(".ini"))
        .toStdString();
}

}  // namespace zorv::shell
