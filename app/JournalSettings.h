#pragma once

#include <string>

#include "journal/JournalCommands.h"
#include "shell/SettingsKeys.h"
#include "shell/SettingsStore.h"

namespace zorv::app {

// The kept tape's options as the settings store holds them ("Startup").
inline journal::SettingsAccess journalSettings(shell::SettingsStore& store) {
    return {[&store](std::string_view key, std::string_view fallback) {
                return store.ReadSetting(shell::kStartupSection, std::string(key), std::string(fallback));
            },
            [&store](std::string_view key, std::string_view value) {
                store.WriteSetting(shell::kStartupSection, std::string(key), std::string(value));
            }};
}

}  // namespace zorv::app
