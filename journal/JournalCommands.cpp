#include "JournalCommands.h"

#include <cstdlib>
#include <memory>

#include "engine/CalculatorModel.h"
#include "engine/TapeNumber.h"
#include "engine/TextUtil.h"
#include "journal/BusinessKeys.h"
#include "journal/CorrectEntry.h"
#include "journal/TapeExport.h"

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

namespace {

using engine::CommandId;
using engine::MessageIcon;

void message(engine::CalculatorModel& model, const std::string& text, MessageIcon icon = MessageIcon::Exclamation) {
    model.feedback().showMessage(text, std::string(engine::kProductName), icon);
}

std::string localeNumber(const engine::CalculatorModel& model, std::string plain) {
    if (const auto dot = plain.find('.'); dot != std::string::npos) plain.replace(dot, 1, model.decimalSymbol());
    return plain;
}

}  // namespace

void exportTapeTo(engine::CalculatorModel& model, ExportFormat format, const std::string& path) {
    const std::string contents = exportTape(model.tape().text(), model.symbols(), format);
    if (const auto failure = writeExport(path, contents))
        message(model, "The tape could not be exported to\r\n" + path + "\r\n" + *failure);
}

int pasteColumn(engine::CalculatorModel& model, const std::string& text) {
    const PastedColumn column = readPastedColumn(text, model.symbols());
    if (!column.error.empty()) {
        message(model, column.error + "\r\nNothing was posted.");
        return 0;
    }
    const std::size_t n = column.values.size();
    const std::string sum = engine::tapeNumber(model, localeNumber(model, column.sum));
    const auto answer = model.feedback().showMessage(
        "Post " + std::to_string(n) + (n == 1 ? " number" : " numbers") + " with the sum " + sum + " to the tape?",
        "Paste Column", MessageIcon::Question, engine::MessageButtons::YesNo, engine::MessageResult::Yes);
    if (answer != engine::MessageResult::Yes) return 0;
    for (const std::string& value : column.values) {
        model.pasteReadout(localeNumber(model, value));
        model.pressOperator(engine::OpAdd);
    }
    return static_cast<int>(n);
}

void registerJournalCommands(engine::CalculatorModel& model, SettingsAccess settings, std::string dataFolder,
                             engine::Front front) {
    (void)dataFolder;
    auto& c = model.commands();
    auto keys = std::make_shared<BusinessKeys>(model, [settings] {
        try {
            const engine::Decimal rate = engine::Decimal::parse(engine::text::trim(settings.read ? settings.read(setting::TaxRate, "0") : "0"));
            if (!rate.isNegative()) return rate;
        } catch (const engine::DecimalError&) {
        }
        return engine::Decimal();
    });
    c.add(CommandId::TaxPlus, [keys] { keys->taxPlus(); });
    c.add(CommandId::TaxMinus, [keys] { keys->taxMinus(); });
    c.add(CommandId::CostKey, [keys] { keys->cost(); });
    c.add(CommandId::SellKey, [keys] { keys->sell(); });
    c.add(CommandId::MarginKey, [keys] { keys->marginKey(); });
    c.add(CommandId::GrandTotal, [keys] { keys->grandTotal(); });
    using R = engine::Modes::ResultRounding;
    static constexpr std::pair<R, std::string_view> kRoundings[] = {
        {R::HalfUp, "Half-Up"}, {R::HalfEven, "Half-Even"}, {R::Up, "Up"}, {R::Down, "Down"}};
    const std::string stored = settings.read ? engine::text::trim(settings.read(setting::Rounding, "Half-Up")) : "Half-Up";
    for (const auto& [mode, name] : kRoundings)
        if (stored == name) model.modes().rounding = mode;
    const CommandId roundIds[] = {CommandId::RoundHalfUp, CommandId::RoundHalfEven, CommandId::RoundUp, CommandId::RoundDown};
    for (int i = 0; i < 4; ++i) {
        // Named copies: a lambda may not capture a structured binding in C++20.
        const auto mode = kRoundings[i].first;
        const auto name = kRoundings[i].second;
        c.add(
            roundIds[i],
            [keys, settings, mode, name] {
                keys->setRounding(mode);
                if (settings.write) settings.write(setting::Rounding, name);
            },
            [&model, mode] { return model.modes().rounding == mode; });
    }
    struct Kind {
        CommandId id;
        ExportFormat format;
        const char* defaultName;
    };
    for (const Kind k : {Kind{CommandId::ExportTapeCsv, ExportFormat::Csv, "tape.csv"},
                         Kind{CommandId::ExportTapeTsv, ExportFormat::Tsv, "tape.tsv"},
                         Kind{CommandId::ExportTapeText, ExportFormat::Text, "tape.txt"}}) {
        if (front != engine::Front::Batch) break;
        c.add(k.id, [&model, k] {
            const auto path = model.feedback().askText("Export the tape to the file:",
                                                       std::string(engine::commandText(k.id)), k.defaultName);
            if (!path || engine::text::trim(*path).empty()) return;
            exportTapeTo(model, k.format, *path);
        });
    }
    // Correcting an entry of the last calculation: its number, then the new
    // amount, a new operator written after it as the tape prints it ("5-",
    // or "-" alone), or "void".
    auto correct = [&model](int n) {
        const auto answer = model.feedback().askText("New amount and/or operator for entry " + std::to_string(n) +
                                                         " of the last calculation (as 5.00, 5.00- or -), or void:",
                                                     "Correct Entry", "");
        if (!answer) return;
        std::string error;
        const auto correction = parseCorrectionAnswer(model, *answer, n, &error);
        if (!correction) {
            message(model, error, MessageIcon::Information);
            return;
        }
        correctEntry(model, *correction);
    };
    // The window corrects the entry under the tape's cursor in a dialog of
    // its own; batch mode asks which entry.
    if (front == engine::Front::Batch) c.add(CommandId::CorrectEntry, [&model, correct] {
        const auto answer = model.feedback().askText("Correct which entry of the last calculation?", "Correct Entry", "1");
        if (!answer) return;
        const int n = entryNumber(*answer);
        if (n < 1) {
            message(model, "Give the number of the entry, 1 for the first.", MessageIcon::Information);
            return;
        }
        correct(n);
    });
    c.addWithArgument(CommandId::CorrectEntryN, [&model, correct](std::string_view argument) {
        const int n = entryNumber(std::string(argument));
        if (n < 1) {
            model.feedback().beep();
            return;
        }
        correct(n);
    });
    if (front != engine::Front::Batch) return;
    c.add(CommandId::PasteColumn, [&model] {
        const auto text = model.feedback().askText("Paste a column of numbers, one a line:", "Paste Column", "");
        if (!text) return;
        pasteColumn(model, *text);
    });
}

}  // namespace zorv::journal
