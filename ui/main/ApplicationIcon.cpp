#include "ApplicationIcon.h"

#include <QString>

namespace zorv::ui {

QIcon applicationIcon() {
    QIcon builtIn;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QLatin1String(kApplicationId)),
                        QSize(size, size));
    return QIcon::fromTheme(QLatin1String(kApplicationId), builtIn);
}

}  // namespace zorv::ui
