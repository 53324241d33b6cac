#include "ApplicationIcon.h"

#include <QPixmap>
#include <QString>

namespace zorv::ui {

QIcon builtInApplicationIcon() {
    QIcon builtIn;
    // Read as PNG by name: left to guess the format, Qt would load every
    // image format plugin (and their libraries) to ask each about the file.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QPixmap pixmap(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QLatin1String(kApplicationId)), "PNG");
        if (!pixmap.isNull()) builtIn.addPixmap(pixmap);
    }
    return builtIn;
}

QIcon applicationIcon() { return QIcon::fromTheme(QLatin1String(kApplicationId), builtInApplicationIcon()); }

}  // namespace zorv::ui
