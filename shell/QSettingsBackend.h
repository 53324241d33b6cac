#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "shell/SettingsStore.h"

namespace zorv::shell {

// Settings kept in an INI file through QSettings: the per-user file of the
// window, or the file named with --settings in batch mode.
class QSettingsBackend : public SettingsBackend {
public:
    // The per-user INI file in the user's configuration folder.
    QSettingsBackend();
    // A given INI file.
    explicit QSettingsBackend(const QString& iniFile);

    std::optional<std::string> read(const std::string& section, const std::string& key) override;
    void write(const std::string& section, const std::string& key, const std::string& value) override;
    void sync() override;

    QString fileName() const { return settings_->fileName(); }

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace zorv::shell
