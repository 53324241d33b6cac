#include "Modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMutex>
#include <map>
#include <memory>

namespace zorv::platform {

QStringList moduleDirectories() {
    QStringList dirs;
    const QString fromEnvironment = qEnvironmentVariable("ZORV_MODULE_PATH");
    for (const QString& dir : fromEnvironment.split(QDir::listSeparator(), Qt::SkipEmptyParts)) dirs << dir;
    dirs << QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../" ZORV_MODULE_SUBDIR));
    return dirs;
}

ModuleEntry moduleEntry(const QString& name, const char* symbol, QString* error) {
    static QMutex mutex;
    static std::map<QString, std::unique_ptr<QLibrary>> loaded;
    QMutexLocker lock(&mutex);
    QLibrary* library = nullptr;
    if (auto it = loaded.find(name); it != loaded.end()) {
        library = it->second.get();
    } else {
        QStringList tried;
        for (const QString& dir : moduleDirectories()) {
            const QString file = QDir(dir).filePath(name + QStringLiteral(".so"));
            // Only a regular file is loaded: never a folder, device or pipe
            // that happens to carry the name.
            const QFileInfo info(file);
            if (!info.exists()) {
                tried << file;
                continue;
            }
            if (!info.isFile()) {
                tried << file + QStringLiteral(" (not a regular file)");
                continue;
            }
            auto candidate = std::make_unique<QLibrary>(info.absoluteFilePath());
            if (!candidate->load()) {
                tried << candidate->errorString();
                continue;
            }
            library = candidate.get();
            loaded.emplace(name, std::move(candidate));
            break;
        }
        if (!library) {
            if (error)
                *error = QStringLiteral("The program's part %1 was not found or could not be loaded (%2).")
                             .arg(name, tried.join(QStringLiteral("; ")));
            return nullptr;
        }
    }
    auto entry = reinterpret_cast<ModuleEntry>(library->resolve(symbol));
    if (!entry && error)
        *error = QStringLiteral("The program's part %1 does not have %2: it may be from another version.")
                     .arg(library->fileName(), QLatin1String(symbol));
    return entry;
}

}  // namespace zorv::platform
