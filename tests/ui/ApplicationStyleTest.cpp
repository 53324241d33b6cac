// The application style changes nothing a user sees: same style, same
// extension icons as the style itself gives, read without the image plugins.
#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>

#include "ui/main/ApplicationIcon.h"
#include "ui/main/ApplicationStyle.h"

namespace {

QImage picture(const QIcon& icon, QSize size) {
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

TEST(ApplicationStyle, KeepsTheStyleAndDrawsTheSameExtensionIcons) {
    const QString before = QApplication::style()->name();
    if (before.compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        GTEST_SKIP() << "the tests run with Fusion; this one runs with " << before.toStdString();
    std::unique_ptr<QStyle> plain(QStyleFactory::create(before));
    ASSERT_TRUE(plain);
    zorv::ui::installApplicationStyle();
    QStyle* installed = QApplication::style();
    auto* proxy = qobject_cast<QProxyStyle*>(installed);
    ASSERT_NE(proxy, nullptr);
    EXPECT_EQ(proxy->baseStyle()->name(), before);
    for (auto which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon ours = installed->standardIcon(which);
        const QIcon theirs = plain->standardIcon(which);
        ASSERT_FALSE(ours.isNull());
        EXPECT_EQ(ours.availableSizes(), theirs.availableSizes());
        for (const QSize& size : theirs.availableSizes())
            EXPECT_EQ(picture(ours, size), picture(theirs, size)) << size.width() << "x" << size.height();
    }
    // Other icons still come from the style.
    EXPECT_EQ(picture(installed->standardIcon(QStyle::SP_DialogOkButton), QSize(16, 16)),
              picture(plain->standardIcon(QStyle::SP_DialogOkButton), QSize(16, 16)));
    // A menu bar builds with it as before.
    {
        QMainWindow window;
        EXPECT_NE(window.menuBar(), nullptr);
    }
    QApplication::setStyle(QStyleFactory::create(before));  // as the other tests expect
}

TEST(ApplicationStyle, ReadsPngResourcesAndRefusesWhatIsNotThere) {
    const QPixmap icon = zorv::ui::readPng(QStringLiteral(":/icons/48/%1.png").arg(QLatin1String(zorv::ui::kApplicationId)));
    EXPECT_EQ(icon.size(), QSize(48, 48));
    EXPECT_TRUE(zorv::ui::readPng(QStringLiteral(":/no/such/picture.png")).isNull());
    EXPECT_EQ(zorv::ui::builtInApplicationIcon().availableSizes().size(), 8);
}
