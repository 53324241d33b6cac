#pragma once

#include <QLockFile>
#include <QString>
#include <string>

#include "engine/UserFeedback.h"

namespace zorv::shell {

// One running copy per user: a lock file held while the program runs. A
// lock left behind by a copy that crashed names a process that no longer
// exists, and the next start takes it over.
class SingleInstance {
public:
    // The lock in the user's runtime folder (the temporary folder when there
    // is none).
    SingleInstance();
    explicit SingleInstance(const QString& lockPath);

    // True when no other running copy holds the lock; this copy then holds
    // it until it ends.
    bool tryAcquire();
    bool held() const { return lock_.isLocked(); }
    QString path() const { return path_; }

    static QString defaultLockPath();

private:
    QString path_;
    QLockFile lock_;
};

// "/NIC" (any letter case, blanks around ignored) lets a second copy start.
bool allowsSecondCopy(const std::string& commandLine);

// The start's first step: true when this copy may go on. A second copy
// without "/NIC" is told that one is already running and must end. A copy
// started with "/NIC" goes on either way (and holds the lock when it can).
bool checkSingleCopy(SingleInstance& instance, const std::string& commandLine,
                     engine::UserFeedback& feedback);

}  // namespace zorv::shell
