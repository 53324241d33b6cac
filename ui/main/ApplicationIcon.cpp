#include "ApplicationIcon.h"

#include <QString>

namespace zorv::ui {

QIcon builtInApplicationIcon() {
    QIcon builtIn;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QLatin1String(kApplicationId)),
                        QSize(size, size));
    return builtIn;
}

QIcon applicationIcon() { return QIcon::fromTheme(QLatin1String(kApplicationId), builtInApplicationIcon()); }

bool themeHasApplicationIcon() { return QIcon::hasThemeIcon(QLatin1String(kApplicationId)); }

}  // namespace zorv::ui
