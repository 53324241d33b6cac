#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/CommandCatalogue.h"

namespace zorv::engine {
class CalculatorModel;
}

namespace zorv::journal {

// The stored options of the kept tape and the business keys, in the
// settings store's "Startup" section.
namespace setting {
inline constexpr std::string_view KeepTape = "Keep Tape";              // "True"/"False", default True
inline constexpr std::string_view HistorySize = "Tape History Size";  // megabytes, default 50
inline constexpr std::string_view TaxRate = "Tax Rate";                // percent, default 0
inline constexpr std::string_view Rounding = "Rounding";  // "Half-Up" (default), "Half-Even", "Up", "Down"
}  // namespace setting

// Reads and writes "Startup" keys; the caller ties it to its store.
struct SettingsAccess {
    std::function<std::string(std::string_view key, std::string_view fallback)> read;
    std::function<void(std::string_view key, std::string_view value)> write;

    bool flag(std::string_view key, bool fallback) const;
    double number(std::string_view key, double fallback, double minimum, double maximum) const;
};

inline constexpr std::uint64_t kDefaultHistoryMegabytes = 50;
std::uint64_t historyLimitBytes(const SettingsAccess& settings);

enum class ExportFormat;

// Writes the tape to `path` in `format`; a failure is shown in a message.
void exportTapeTo(engine::CalculatorModel& model, ExportFormat format, const std::string& path);
// Posts the numbers of a pasted column as "+" entries after a question
// showing their count and sum; text that is not a column of numbers names
// the first wrong line and posts nothing. Returns how many were posted.
int pasteColumn(engine::CalculatorModel& model, const std::string& text);

// Registers the commands of the kept tape that need no window: business
// keys, rounding and entry correction; for batch mode also export and Paste
// Column, which ask for the file and the column as text (the window asks
// with its file dialog and the clipboard instead).
void registerJournalCommands(engine::CalculatorModel& model, SettingsAccess settings, std::string dataFolder,
                             engine::Front front = engine::Front::Batch);

}  // namespace zorv::journal
