#include "JournalCommands.h"

#include <cstdlib>

#include "engine/CalculatorModel.h"
#include "engine/TextUtil.h"

namespace zorv::journal {

bool SettingsAccess::flag(std::string_view key, bool fallback) const {
    if (!read) return fallback;
    const std::string v = engine::text::trim(read(key, fallback ? "True" : "False"));
    if (v == "True" || v == "true" || v == "-1" || v == "1") return true;
    if (v == "False" || v == "false" || v == "0") return false;
    return fallback;
}

double SettingsAccess::number(std::string_view key, double fallback, double minimum, double maximum) const {
    if (!read) return fallback;
    const std::string v = engine::text::trim(read(key, ""));
    if (v.empty()) return fallback;
    char* end = nullptr;
    const double d = std::strtod(v.c_str(), &end);
    if (end == v.c_str() || *end != '\0' || !(d >= minimum && d <= maximum)) return fallback;
    return d;
}

std::uint64_t historyLimitBytes(const SettingsAccess& settings) {
    const double mb = settings.number(setting::HistorySize, kDefaultHistoryMegabytes, 1, 1'000'000);
    return static_cast<std::uint64_t>(mb * 1024 * 1024);
}

void registerJournalCommands(engine::CalculatorModel& model, SettingsAccess settings, std::string dataFolder) {
    (void)model;
    (void)settings;
    (void)dataFolder;
}

}  // namespace zorv::journal
