#include "SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cctype>
#include <cerrno>

namespace zorv::shell {

namespace {

// Whether `path` is a folder only this user can reach: ours, and closed to
// everyone else. A lock anyone else can create or hold could keep us from
// starting.
bool isPrivateFolder(const QByteArray& path) {
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

// Our own folder below `parent`, created with mode 0700 and closed again if
// its mode was opened; empty when it cannot be made private.
QString ownPrivateFolder(const QString& parent) {
    if (parent.isEmpty() || !QDir().mkpath(parent)) return {};
    const QString folder = QDir(parent).filePath(QStringLiteral("zorvcalc"));
    const QByteArray name = QFile::encodeName(folder);
    ::mkdir(name.constData(), 0700);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return {};
    if ((st.st_mode & 077) != 0 && ::chmod(name.constData(), 0700) != 0) return {};
    return folder;
}

}  // namespace

QString SingleInstance::defaultLockPath() {
    // The runtime folder is the user's own (mode 0700); without it, a folder
    // of ours in the user's cache folder. Never a shared folder such as
    // /tmp, where another user could create or hold the lock first.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateFolder(QFile::encodeName(runtime)))
        return QDir(runtime).filePath(QStringLiteral("zorvcalc.lock"));
    const QString own = ownPrivateFolder(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
    if (own.isEmpty()) return {};
    return QDir(own).filePath(QStringLiteral("zorvcalc.lock"));
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
        fd_ = open(QFile::encodeName(path_).constData(),
                   O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        if (fd_ < 0) return true;
        // Only our own regular file counts: one another user put there
        // cannot keep this copy from starting.
        struct stat st {};
        if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != getuid()) {
            close(fd_);
            fd_ = -1;
            return true;
        }
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
