// Modules loaded on first use: found where the program is installed or
// built, refused when they are not what is asked for, and kept out of the
// program's own start.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "convert/HttpFetch.h"
#include "platform/Modules.h"
#include "ui/print/TapePrinting.h"

using zorv::platform::moduleDirectories;
using zorv::platform::moduleEntry;

namespace {

struct ModulePath {
    explicit ModulePath(const QString& dirs) : old(qgetenv("ZORV_MODULE_PATH")) {
        qputenv("ZORV_MODULE_PATH", dirs.toLocal8Bit());
    }
    ~ModulePath() { qputenv("ZORV_MODULE_PATH", old); }
    QByteArray old;
};

}  // namespace

TEST(Modules, SearchedFirstInTheEnvironmentThenBesideTheProgram) {
    ModulePath path(QStringLiteral("/one") + QDir::listSeparator() + QStringLiteral("/two"));
    const QStringList dirs = moduleDirectories();
    ASSERT_EQ(dirs.size(), 3);
    EXPECT_EQ(dirs[0], QStringLiteral("/one"));
    EXPECT_EQ(dirs[1], QStringLiteral("/two"));
    // /usr/bin/zorvcalc finds /usr/<libdir>/zorvcalc; <build>/app/zorvcalc
    // finds <build>/<libdir>/zorvcalc, where the build puts the modules.
    EXPECT_EQ(dirs[2], QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../" ZORV_MODULE_SUBDIR));
    EXPECT_EQ(QDir(ZORV_MODULE_OUTPUT_DIR).absolutePath(),
              QDir::cleanPath(QStringLiteral(ZORV_BUILD_DIR "/" ZORV_MODULE_SUBDIR)));
}

TEST(Modules, BothModulesLoadFromTheBuildTreeWithTheirEntryPoints) {
    ModulePath path(QStringLiteral(ZORV_MODULE_OUTPUT_DIR));
    QString error;
    EXPECT_NE(moduleEntry(QLatin1String(zorv::convert::kHttpFetchModule), zorv::convert::kMakeHttpFetch, &error),
              nullptr)
        << error.toStdString();
    EXPECT_NE(moduleEntry(QLatin1String(zorv::ui::kTapePrintModule), zorv::ui::kPrintTape, &error), nullptr)
        << error.toStdString();

    // An entry point of another interface version is refused by name.
    error.clear();
    EXPECT_EQ(moduleEntry(QLatin1String(zorv::convert::kHttpFetchModule), "zorv_make_http_fetch_0", &error),
              nullptr);
    EXPECT_TRUE(error.contains("zorv_make_http_fetch_0")) << error.toStdString();
}

TEST(Modules, MissingOrNotRegularFilesAreReportedNotLoaded) {
    QTemporaryDir dir;
    // A folder with the module's name is not loaded.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("zorvcalc-folder.so")));
    // Neither is a file that is not a library.
    QFile junk(dir.filePath(QStringLiteral("zorvcalc-junk.so")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a library");
    junk.close();
    ModulePath path(dir.path());

    QString error;
    EXPECT_EQ(moduleEntry(QStringLiteral("zorvcalc-folder"), "entry", &error), nullptr);
    EXPECT_TRUE(error.contains("zorvcalc-folder")) << error.toStdString();
    EXPECT_TRUE(error.contains("not a regular file")) << error.toStdString();

    error.clear();
    EXPECT_EQ(moduleEntry(QStringLiteral("zorvcalc-junk"), "entry", &error), nullptr);
    EXPECT_TRUE(error.contains("zorvcalc-junk")) << error.toStdString();

    error.clear();
    EXPECT_EQ(moduleEntry(QStringLiteral("zorvcalc-nothing"), "entry", &error), nullptr);
    EXPECT_TRUE(error.contains("zorvcalc-nothing")) << error.toStdString();
}

// The point of the modules: the program itself does not load the network
// and print support libraries (nor what they pull in) at every start.
TEST(Modules, TheProgramDoesNotLinkTheNetworkOrPrintLibraries) {
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"), {QStringLiteral("-d"), QStringLiteral(ZORV_PROGRAM_FILE)});
    if (!readelf.waitForStarted()) GTEST_SKIP() << "readelf is not installed";
    ASSERT_TRUE(readelf.waitForFinished(20000));
    const QString needed = QString::fromLocal8Bit(readelf.readAllStandardOutput());
    ASSERT_TRUE(needed.contains("libQt6Widgets")) << needed.toStdString();
    EXPECT_FALSE(needed.contains("libQt6Network")) << needed.toStdString();
    EXPECT_FALSE(needed.contains("libQt6PrintSupport")) << needed.toStdString();
}
