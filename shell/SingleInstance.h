#pragma once

#include <QString>
#include <string>

#include "engine/UserFeedback.h"

namespace zorv::shell {

// One running copy per user: an advisory lock on a file in the user's
// runtime folder, held while the program runs. The system drops the lock
// when its process ends, however it ends, so a copy that crashed never
// blocks the next start; the file itself stays and is simply locked again.
class SingleInstance {
public:
    // The lock in the user's runtime folder, or when there is none (or it
    // is not private to the user) in a folder of ours, mode 0700, in the
    // user's cache folder.
    SingleInstance();
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when no other running copy holds the lock; this copy then holds
    // it until it ends. A lock file that cannot be opened at all (a
    // read-only folder), or that is not this user's own regular file, does
    // not stop the start.
    bool tryAcquire();
    bool held() const { return held_; }
    QString path() const { return path_; }

    static QString defaultLockPath();

private:
    QString path_;
    int fd_ = -1;
    bool held_ = false;
};

// "/NIC" (any letter case, blanks around ignored) lets a second copy start.
bool allowsSecondCopy(const std::string& commandLine);

// The start's first step: true when this copy may go on. A second copy
// without "/NIC" is told that one is already running and must end. A copy
// started with "/NIC" goes on either way (and holds the lock when it can).
bool checkSingleCopy(SingleInstance& instance, const std::string& commandLine,
                     engine::UserFeedback& feedback);

}  // namespace zorv::shell
