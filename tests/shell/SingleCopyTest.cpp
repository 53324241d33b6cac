// One copy per user, "/NIC" for a second one, and locks left by a crash.
#include <gtest/gtest.h>

#include <QFile>
#include <QSysInfo>
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

TEST(SingleCopy, ALockLeftByACrashedCopyIsTakenOver) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zorvcalc.lock"));
    {
        // What a copy that died leaves: its process id, name and host.
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("999999\nzorvcalc\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    engine::ScriptedFeedback feedback;
    SingleInstance next(path);
    EXPECT_TRUE(checkSingleCopy(next, "", feedback));
    EXPECT_TRUE(feedback.messages.empty());
}

TEST(SingleCopy, TheLockLivesInTheUsersRuntimeFolder) {
    const QString path = SingleInstance::defaultLockPath();
    EXPECT_TRUE(path.endsWith(QStringLiteral(".lock")));
    EXPECT_FALSE(path.isEmpty());
}

}  // namespace
}  // namespace zorv::shell
