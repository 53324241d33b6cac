#include "app/ConverterWiring.h"

#include "shell/DataBackup.h"
#include "shell/SettingsKeys.h"
#include "shell/SettingsStore.h"

namespace zorv::app {

convert::ConverterSettings converterSettings(CommandContext& context) {
    shell::SettingsStore& store = context.settings;
    convert::ConverterSettings settings;
    settings.read = [&store](const std::string& key, const std::string& fallback) {
        return store.ReadSetting(shell::kStartupSection, key, fallback);
    };
    settings.write = [&store](const std::string& key, const std::string& value) {
        store.WriteSetting(shell::kStartupSection, key, value);
    };
    settings.dataFolder = context.dataDir.empty() ? shell::defaultDataFolder() : context.dataDir;
    settings.today = [clock = context.clock] {
        // The local calendar day of the clock's reading.
        const timedate::Instant now = clock();
        long long seconds = now.utcSeconds + now.offsetSeconds;
        long long days = seconds / 86400;
        if (seconds % 86400 < 0) --days;
        return convert::Date{std::chrono::sys_days{std::chrono::days{days}}};
    };
    return settings;
}

}  // namespace zorv::app
