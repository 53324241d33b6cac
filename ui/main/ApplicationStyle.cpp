#include "ApplicationStyle.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <array>

namespace zorv::ui {

QPixmap readPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

namespace {

class ApplicationStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override {
        if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(icon, option, widget);
        // The pictures the common style makes these icons of, in the same
        // sizes, read the fast way.
        const bool rightToLeft =
            (option ? option->direction : QGuiApplication::layoutDirection()) == Qt::RightToLeft;
        const QString stem = icon == SP_ToolBarVerticalExtensionButton ? QStringLiteral("v-")
                             : rightToLeft                           ? QStringLiteral("h-rtl-")
                                                                     : QStringLiteral("h-");
        const auto sizes = icon == SP_ToolBarVerticalExtensionButton ? std::array{5, 10, 20} : std::array{8, 16, 32};
        QIcon result;
        for (int size : sizes) {
            const QPixmap pixmap =
                readPng(QStringLiteral(":/qt-project.org/styles/commonstyle/images/toolbar-ext-%1%2.png").arg(stem).arg(size));
            if (!pixmap.isNull()) result.addPixmap(pixmap);
        }
        // A Qt without these pictures: the style's own way.
        return result.isNull() ? QProxyStyle::standardIcon(icon, option, widget) : result;
    }
};

}  // namespace

void installApplicationStyle() {
    // The proxy wraps a style of the same name as the one Qt chose (the
    // -style option, QT_STYLE_OVERRIDE or the desktop's), so the look stays.
    // Only Qt's own styles draw these icons from the common style's
    // pictures; a desktop's style keeps its own icons and stays unwrapped.
    const QString name = QApplication::style()->name();
    if (name.compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0 &&
        name.compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0)
        return;
    QStyle* base = QStyleFactory::create(name);
    if (!base) return;
    QApplication::setStyle(new ApplicationStyle(base));
}

}  // namespace zorv::ui
