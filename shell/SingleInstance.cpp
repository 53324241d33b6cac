#include "SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cctype>
#include <cerrno>

namespace zorv::shell {

QString SingleInstance::defaultLockPath() {
    // XDG_RUNTIME_DIR is the user's own folder; without it the temporary
    // folder is shared by every user, so the lock is named per user there.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("zorvcalc.lock"));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("zorvcalc-%1.lock").arg(getuid()));
}

SingleInstance::SingleInstance() : SingleInstance(defaultLockPath()) {}

SingleInstance::SingleInstance(const QString& lockPath) : path_(lockPath) {}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) close(fd_);  // closing drops the lock
}

bool SingleInstance::tryAcquire() {
    if (held_) return true;
    if (fd_ < 0) {
        // O_NOFOLLOW: in a shared temporary folder the name must not lead
        // anywhere else.
        fd_ = open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd_ < 0) return true;
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) return errno != EWOULDBLOCK;
    held_ = true;
    // The holder's process id, for a person looking at the file.
    const QByteArray pid = QByteArray::number(static_cast<qint64>(getpid())) + '\n';
    if (ftruncate(fd_, 0) == 0) (void)!write(fd_, pid.constData(), static_cast<size_t>(pid.size()));
    return true;
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
