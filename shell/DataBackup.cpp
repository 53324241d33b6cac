#include "DataBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "engine/AtomicFile.h"
#include "engine/RegularFile.h"
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
    // Only a regular file is read: a pipe in its place would never end.
    const engine::FileRead in = engine::readRegularFile(from, kMaxBackupFileSize);
    if (in.failure == engine::FileRead::Failure::Missing) return CopyOutcome::SourceMissing;
    if (!in.ok()) return CopyOutcome::Failed;
    return engine::atomicfile::write(to, in.text) ? CopyOutcome::Failed : CopyOutcome::Copied;
}

DataBackup::DataBackup(engine::UserFeedback& feedback, std::string dataFolder, FolderChooser chooser)
    : feedback_(feedback), dataFolder_(std::move(dataFolder)), chooser_(std::move(chooser)) {}

void DataBackup::backup() { run(Direction::Backup); }
void DataBackup::restore() { run(Direction::Restore); }

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
    // Restoring from a folder that is not there, or cannot be read, would
    // copy nothing; it is a failure, and the data folder is left alone.
    if (!backup) {
        const QFileInfo source(qpath(fromFolder));
        std::string why;
        if (!source.exists()) why = "The folder does not exist.";
        else if (!source.isDir()) why = "That is not a folder.";
        else if (::access(QFile::encodeName(source.filePath()).constData(), R_OK | X_OK) != 0)
            why = "The folder cannot be read.";
        if (!why.empty()) {
            feedback_.showMessage("Restore could not be completed!\r\n" + fromFolder + "\r\n" + why, title,
                                  engine::MessageIcon::Exclamation);
            return;
        }
    }
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
