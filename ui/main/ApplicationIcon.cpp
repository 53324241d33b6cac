#include "ApplicationIcon.h"

#include <QPixmap>
#include <QString>

#include "ui/main/ApplicationStyle.h"

namespace zorv::ui {

QIcon builtInApplicationIcon() {
    QIcon builtIn;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QPixmap pixmap = readPng(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QLatin1String(kApplicationId)));
        if (!pixmap.isNull()) builtIn.addPixmap(pixmap);
    }
    return builtIn;
}

QIcon applicationIcon() { return QIcon::fromTheme(QLatin1String(kApplicationId), builtInApplicationIcon()); }

}  // namespace zorv::ui
