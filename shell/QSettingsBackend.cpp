#include "QSettingsBackend.h"

#include <QStringList>
#include <QVariant>

namespace zorv::shell {

QSettingsBackend::QSettingsBackend()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Zorv"), QString::fromUtf8(kAppName))) {}

QSettingsBackend::QSettingsBackend(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

namespace {

QString keyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

std::optional<std::string> QSettingsBackend::read(const std::string& section,
                                                  const std::string& key) {
    const QVariant v = settings_->value(keyPath(section, key));
    if (!v.isValid()) return std::nullopt;
    // The INI reader splits an unquoted value at its commas; put such a list
    // back together so a value like "," or "1,5" is not lost.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QLatin1Char(',')).toStdString();
    return v.toString().toStdString();
}

void QSettingsBackend::write(const std::string& section, const std::string& key,
                             const std::string& value) {
    settings_->setValue(keyPath(section, key), QString::fromStdString(value));
}

void QSettingsBackend::sync() { settings_->sync(); }

}  // namespace zorv::shell
