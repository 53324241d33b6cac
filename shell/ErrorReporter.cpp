#include "ErrorReporter.h"

#include <QDate>
#include <QTime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "engine/AtomicFile.h"
#include "engine/Decimal.h"

#ifndef ZORV_VERSION
#define ZORV_VERSION "0.0.0"
#endif

namespace zorv::shell {

using engine::MessageButtons;
using engine::MessageIcon;
using engine::MessageResult;

int errorNumberOf(const std::exception& e) {
    if (const auto* d = dynamic_cast<const engine::DecimalError*>(&e)) return d->errorNumber();
    if (dynamic_cast<const std::bad_alloc*>(&e)) return 7;
    return 5;
}

std::string debugLogPath(const std::string& dataFolder) {
    if (dataFolder.empty()) return {};
    return (std::filesystem::path(dataFolder) / "zorvcalc.deb").string();
}

ErrorReporter::ErrorReporter(engine::UserFeedback& feedback, std::string logPath)
    : version(ZORV_VERSION), feedback_(feedback), logPath_(std::move(logPath)) {
    now = [] {
        return std::make_pair(QDate::currentDate().toString(Qt::ISODate).toStdString(),
                              QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toStdString());
    };
    endProgram = [](int status) {
        std::fflush(nullptr);
        std::_Exit(status);
    };
}

void ErrorReporter::install(engine::CalculatorModel& model) {
    model.reportErrorHook = [this](const std::string& label, int number,
                                   const std::string& description, const std::string& source) {
        reportError(label, number, description, source);
    };
}

namespace {

std::string quoted(const std::string& field) {
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += "\"\"";
        else if (c == '\r' || c == '\n') out += ' ';
        else out += c;
    }
    return out + "\"";
}

}  // namespace

std::string ErrorReporter::logLine(const std::string& date, const std::string& time,
                                   const std::string& label, int number,
                                   const std::string& description, const std::string& source,
                                   const std::string& version) {
    return quoted(date) + "," + quoted(time) + "," + quoted(label) + "," +
           quoted(std::to_string(number)) + "," + quoted(description) + "," + quoted(source) + "," +
           quoted(version);
}

// A log that cannot be written is passed over: the report itself must not
// fail and turn one error into two.
void ErrorReporter::appendToLog(const std::string& line) noexcept {
    if (logPath_.empty()) return;
    try {
        std::error_code ec;
        const auto folder = std::filesystem::path(logPath_).parent_path();
        if (!folder.empty()) std::filesystem::create_directories(folder, ec);
        // Through the atomic writer like every other file: a log that is a
        // pipe or a device is left alone, and a crash mid-write loses nothing.
        engine::atomicfile::append(logPath_, line + "\r\n");
    } catch (...) {
    }
}

void ErrorReporter::logNote(const std::string& label, const std::string& description) {
    const auto [date, time] = now();
    appendToLog(logLine(date, time, label, 5, description, std::string(engine::kProductName), version));
}

void ErrorReporter::reportError(const std::string& label, int number,
                                const std::string& description, const std::string& source) {
    const std::string title(engine::kProductName);
    if (number == 6) {
        feedback_.showMessage("Error!!!\rThe Number is too large!", title, MessageIcon::Exclamation);
        return;
    }
    if (restoreCursor) restoreCursor();
    const auto [date, time] = now();
    appendToLog(logLine(date, time, label, number, description, source, version));

    const std::string text = "Date:            " + date + "\r" +
                             "Time:            " + time + "\r" +
                             "Form:            " + label + "\r" +
                             "Error #:         " + std::to_string(number) + "\r" +
                             "Error Message:   " + description + "\r" +
                             "Source of Error: " + source + "\r" +
                             "\r" + "Do you want to Ignore this error?";
    const MessageResult answer = feedback_.showMessage(text, title, MessageIcon::Critical,
                                                       MessageButtons::YesNo, MessageResult::No);
    if (answer == MessageResult::Yes) return;
    ended_ = true;
    for (const auto& f : beforeEnd)
        if (f) f();
    if (endProgram) endProgram(1);
}

}  // namespace zorv::shell
