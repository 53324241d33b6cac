#include "DataBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "engine/AtomicFile.h"
#include "shell/SettingsStore.h"

namespace zorv::shell {

namespace {

QString qpath(const std::string& path) { return QString::fromStdString(path); }

// The canonical form where the folder exists (links resolved), else the
// cleaned absolute path.
QString folderKey(const std::string& path) {
    const QFileInfo info(qpath(path));
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

}  // namespace

std::string defaultDataFolder() {
    return (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            QLatin1Char('/') + QString::fromUtf8(kAppName))
        .toStdString();
}

bool sameFolder(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return a == b;
    return folderKey(a) == folderKey(b);
}

CopyOutcome copyReplacing(const std::string& from, const std::string& to) {
    const QFileInfo source(qpath(from));
    if (!source.exists()) return CopyOutcome::SourceMissing;
    QFile in(qpath(from));
    if (!source.isFile() || !in.open(QIODevice::ReadOnly)) return CopyOutcome::Failed;
    const QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError) return CopyOutcome::Failed;
    return engine::atomicfile::write(to, std::string_view(data.constData(), static_cast<std::size_t>(data.size())))
               ? CopyOutcome::Failed
               : CopyOutcome::Copied;
}

DataBackup::DataBackup(engine::UserFeedback& feedback, std::string dataFolder, FolderChooser chooser)
    : feedback_(feedback), dataFolder_(std::move(dataFolder)), chooser_(std::move(chooser)) {}

void DataBackup::mnuBackup_Click() { run(Direction::Backup); }
void DataBackup::mnuRestore_Click() { run(Direction::Restore); }

void DataBackup::run(Direction direction) {
    const bool backup = direction == Direction::Backup;
    const std::string title(engine::kProductName);
    const std::string chosen = chooser_ ? chooser_(backup ? "Choose Drive and Folder to Save To"
                                                          : "Choose Drive and Folder to Restore From")
                                        : std::string();
    if (chosen.empty()) return;
    if (sameFolder(chosen, dataFolder_)) {
        feedback_.showMessage("Source and Destination must be different!", title,
                              engine::MessageIcon::Exclamation);
        return;
    }
    const std::string& fromFolder = backup ? dataFolder_ : chosen;
    const std::string& toFolder = backup ? chosen : dataFolder_;
    bool ok = true;
    // A first restore may come before the program has written any data file.
    if (!backup && !QDir().mkpath(qpath(toFolder))) ok = false;
    for (std::string_view name : kBackupFiles) {
        if (!ok) break;
        const std::string file(name);
        ok = copyReplacing(fromFolder + "/" + file, toFolder + "/" + file) != CopyOutcome::Failed;
    }
    if (ok)
        feedback_.showMessage(backup ? "Backup succeeded!" : "Restore succeeded!", title,
                              engine::MessageIcon::Information);
    else
        feedback_.showMessage(backup ? "Backup could not be completed!" : "Restore could not be completed!",
                              title, engine::MessageIcon::Information);
}

}  // namespace zorv::shell
