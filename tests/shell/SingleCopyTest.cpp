// One copy per user, "/NIC" for a second one, and locks left by a crash.
#include <gtest/gtest.h>

#include <signal.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "engine/ScriptedFeedback.h"
#include "shell/SingleInstance.h"

namespace zorv::shell {
namespace {

TEST(SingleCopy, NicInAnyLetterCase) {
    for (const char* yes : {"/NIC", "/nic", "/Nic", " /nIC "}) EXPECT_TRUE(allowsSecondCopy(yes)) << yes;
    for (const char* no : {"", "/NI", "/NICE", "NIC", "/NIC /X"}) EXPECT_FALSE(allowsSecondCopy(no)) << no;
}

TEST(SingleCopy, ASecondStartIsRefusedUnlessNic) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zorvcalc.lock"));
    engine::ScriptedFeedback feedback;
    SingleInstance first(path);
    EXPECT_TRUE(checkSingleCopy(first, "", feedback));
    EXPECT_TRUE(first.held());

    SingleInstance second(path);
    EXPECT_FALSE(checkSingleCopy(second, "", feedback));
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_EQ(feedback.messages[0].text, "Zorv Calculator is already running!");
    EXPECT_EQ(feedback.messages[0].icon, engine::MessageIcon::Information);
    EXPECT_EQ(feedback.messages[0].title, "Zorv Advanced Calculator");

    SingleInstance nic(path);
    EXPECT_TRUE(checkSingleCopy(nic, "/nic", feedback));
    EXPECT_EQ(feedback.messages.size(), 1u);
}

TEST(SingleCopy, TheLockEndsWithItsHolder) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zorvcalc.lock"));
    engine::ScriptedFeedback feedback;
    {
        SingleInstance first(path);
        ASSERT_TRUE(first.tryAcquire());
    }
    // The file of the copy that ended is still there, unlocked.
    EXPECT_TRUE(QFile::exists(path));
    SingleInstance next(path);
    EXPECT_TRUE(checkSingleCopy(next, "", feedback));
    EXPECT_TRUE(next.held());
    EXPECT_TRUE(feedback.messages.empty());
}

TEST(SingleCopy, ACrashedHolderLeavesNoLock) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zorvcalc.lock"));
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        // A copy that takes the lock and is then killed.
        SingleInstance holder(path);
        const char c = holder.tryAcquire() ? 'y' : 'n';
        (void)!write(ready[1], &c, 1);
        pause();
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    SingleInstance whileRunning(path);
    EXPECT_FALSE(whileRunning.tryAcquire());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    SingleInstance afterCrash(path);
    EXPECT_TRUE(afterCrash.tryAcquire());
    close(ready[0]);
    close(ready[1]);
}

TEST(SingleCopy, ALockThatCannotBeCreatedDoesNotStopTheStart) {
    engine::ScriptedFeedback feedback;
    SingleInstance nowhere(QStringLiteral("/proc/no/such/folder/zorvcalc.lock"));
    EXPECT_TRUE(checkSingleCopy(nowhere, "", feedback));
    EXPECT_TRUE(feedback.messages.empty());
}

}  // namespace
}  // namespace zorv::shell

namespace zorv::shell {
namespace {

// Sets an environment variable for one scope.
struct ScopedEnv {
    QByteArray name, old;
    bool had;
    ScopedEnv(const char* n, const QByteArray& value) : name(n), old(qgetenv(n)), had(qEnvironmentVariableIsSet(n)) {
        if (value.isNull()) qunsetenv(n);
        else qputenv(n, value);
    }
    ~ScopedEnv() {
        if (had) qputenv(name.constData(), old);
        else qunsetenv(name.constData());
    }
};

TEST(SingleCopy, LockLivesInAFolderOnlyTheUserCanReach) {
    QTemporaryDir dir;
    const QString cache = dir.filePath(QStringLiteral("cache"));
    ScopedEnv cacheHome("XDG_CACHE_HOME", QFile::encodeName(cache));
    const QString inCache = cache + QStringLiteral("/zorvcalc/zorvcalc.lock");
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", QByteArray());
        EXPECT_EQ(SingleInstance::defaultLockPath(), inCache);
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(cache + QStringLiteral("/zorvcalc")).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        // A folder of ours opened up by someone is closed again.
        ::chmod(QFile::encodeName(cache + QStringLiteral("/zorvcalc")).constData(), 0777);
        EXPECT_EQ(SingleInstance::defaultLockPath(), inCache);
        ASSERT_EQ(::stat(QFile::encodeName(cache + QStringLiteral("/zorvcalc")).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
    // A runtime folder that others can write to is not the user's own.
    const QString shared = dir.filePath(QStringLiteral("shared"));
    QDir().mkpath(shared);
    ::chmod(QFile::encodeName(shared).constData(), 01777);
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", QFile::encodeName(shared));
        EXPECT_EQ(SingleInstance::defaultLockPath(), inCache);
    }
    const QString own = dir.filePath(QStringLiteral("run"));
    QDir().mkpath(own);
    ::chmod(QFile::encodeName(own).constData(), 0700);
    ScopedEnv runtime("XDG_RUNTIME_DIR", QFile::encodeName(own));
    EXPECT_EQ(SingleInstance::defaultLockPath(), own + QStringLiteral("/zorvcalc.lock"));
}

TEST(SingleCopy, AnotherUsersLockFileCannotStopTheStart) {
    if (::geteuid() != 0) GTEST_SKIP() << "making a file of another user needs root";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zorvcalc.lock"));
    const QByteArray name = QFile::encodeName(path);
    const int foreign = ::open(name.constData(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(foreign, 0);
    ASSERT_EQ(::fchown(foreign, 65534, 65534), 0);
    ASSERT_EQ(::flock(foreign, LOCK_EX | LOCK_NB), 0);  // held by "the other user"
    engine::ScriptedFeedback feedback;
    SingleInstance mine(path);
    EXPECT_TRUE(checkSingleCopy(mine, "", feedback));
    EXPECT_FALSE(mine.held());
    EXPECT_TRUE(feedback.messages.empty());
    ::close(foreign);
}

}  // namespace
}  // namespace zorv::shell
