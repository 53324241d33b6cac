#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>
#include <algorithm>
#include <cctype>

namespace zorv::shell {

QString SingleInstance::defaultLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString name = QStringLiteral("zorvcalc.lock");
    if (folder.isEmpty()) {
        // The temporary folder is shared by every user: name the lock per user.
        folder = QDir::tempPath();
        name = QStringLiteral("zorvcalc-%1.lock").arg(qEnvironmentVariable("USER", QStringLiteral("user")));
    }
    return QDir(folder).filePath(name);
}

SingleInstance::SingleInstance() : SingleInstance(defaultLockPath()) {}

SingleInstance::SingleInstance(const QString& lockPath) : path_(lockPath), lock_(lockPath) {
    // A running copy holds its lock however long it runs; only a lock whose
    // process is gone counts as stale.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::tryAcquire() {
    if (lock_.isLocked()) return true;
    return lock_.tryLock(0);
}

bool allowsSecondCopy(const std::string& commandLine) {
    std::string t;
    for (unsigned char c : commandLine) t += static_cast<char>(std::toupper(c));
    const auto first = t.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const auto last = t.find_last_not_of(" \t");
    return t.substr(first, last - first + 1) == "/NIC";
}

bool checkSingleCopy(SingleInstance& instance, const std::string& commandLine,
                     engine::UserFeedback& feedback) {
    if (instance.tryAcquire() || allowsSecondCopy(commandLine)) return true;
    feedback.showMessage("Zorv Calculator is already running!", std::string(engine::kProductName),
                         engine::MessageIcon::Information);
    return false;
}

}  // namespace zorv::shell
