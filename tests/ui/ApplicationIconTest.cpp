// The program's icon: the copy built into the program has every size the
// package installs, the tray shows it, and the installed files name the
// same icon the program asks the theme for.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QSettings>
#include <QSystemTrayIcon>
#include <cstdlib>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "shell/SettingsStore.h"
#include "ui/main/ApplicationIcon.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/TrayController.h"

using namespace zorv;

namespace {

const QString kDesktopDir = QStringLiteral(ZORV_SOURCE_DIR "/desktop");

QString builtInIcon(int size) {
    return QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QLatin1String(ui::kApplicationId));
}

// The same picture: icons are drawn premultiplied, so a channel may differ
// from the file's by a rounding step.
bool samePicture(const QImage& shown, const QImage& file) {
    if (shown.size() != file.size()) return false;
    const QImage a = shown.convertToFormat(QImage::Format_ARGB32);
    const QImage b = file.convertToFormat(QImage::Format_ARGB32);
    const auto near = [](int x, int y) { return std::abs(x - y) <= 2; };
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (!near(qAlpha(p), qAlpha(q)) || !near(qRed(p), qRed(q)) || !near(qGreen(p), qGreen(q)) ||
                !near(qBlue(p), qBlue(q)))
                return false;
        }
    return true;
}

}  // namespace

TEST(ApplicationIcon, BuiltInCopyHasEveryInstalledSizeAtThatSize) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage image(builtInIcon(size));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_TRUE(image.hasAlphaChannel()) << "the corners must stay transparent";
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    }
    // The same artwork as the installed files, not a stale copy.
    QFile installed(kDesktopDir + QStringLiteral("/icons/48/org.zorv.ZorvCalc.png"));
    QFile builtIn(builtInIcon(48));
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
    ASSERT_TRUE(builtIn.open(QIODevice::ReadOnly));
    EXPECT_EQ(installed.readAll(), builtIn.readAll());
}

TEST(ApplicationIcon, WithoutAThemeTheBuiltInCopyIsUsed) {
    const QIcon icon = ui::applicationIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(samePicture(icon.pixmap(QSize(32, 32)).toImage(), QImage(builtInIcon(32))));
    // What the window starts with, before the theme is asked.
    EXPECT_TRUE(samePicture(ui::builtInApplicationIcon().pixmap(QSize(48, 48)).toImage(), QImage(builtInIcon(48))));
}

TEST(ApplicationIcon, TrayShowsTheProgramsIcon) {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    shell::SettingsStore store{std::make_unique<shell::MemorySettingsBackend>()};
    ui::CalculatorWindow window{model};
    ui::TrayController tray{window, model, store};
    tray.trayAvailable = [] { return true; };
    model.runCommand("Show in Tray");
    ASSERT_NE(tray.trayIcon(), nullptr);
    EXPECT_TRUE(samePicture(tray.trayIcon()->icon().pixmap(QSize(22, 22)).toImage(), QImage(builtInIcon(22))));
}

TEST(ApplicationIcon, MenuEntryAndMetadataNameTheSameIcon) {
    const QString id = QLatin1String(ui::kApplicationId);
    QSettings entry(kDesktopDir + QStringLiteral("/%1.desktop").arg(id), QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(entry.value(QStringLiteral("Icon")).toString(), id);
    EXPECT_EQ(entry.value(QStringLiteral("Exec")).toString(), QStringLiteral("zorvcalc"));

    QFile metainfo(kDesktopDir + QStringLiteral("/%1.metainfo.xml").arg(id));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString xml = QString::fromUtf8(metainfo.readAll());
    EXPECT_TRUE(xml.contains(QStringLiteral("<id>%1</id>").arg(id)));
    EXPECT_TRUE(xml.contains(QStringLiteral("<launchable type=\"desktop-id\">%1.desktop</launchable>").arg(id)));
}
