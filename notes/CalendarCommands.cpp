#include "CalendarCommands.h"

#include <utility>

#include "CalendarRunner.h"
#include "engine/AtomicFile.h"
#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
#include "timedate/InputError.h"

namespace zorv::notes {

using engine::CommandId;

CalendarFiles::CalendarFiles(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path CalendarFiles::notesPath() const { return folder_ / std::string(kNotesFileName); }
std::filesystem::path CalendarFiles::alarmsPath() const { return folder_ / std::string(kAlarmFileName); }

void CalendarFiles::loadNotes() {
    if (notesState_.loaded) return;
    notesState_.loaded = true;
    if (!hasFolder()) return;
    NotesLoad load = readNotesFile(notesPath());
    notes_ = std::move(load.book);
    notesState_.incomplete = !load.complete();
    notesState_.report = load.report();
}

void CalendarFiles::loadAlarms() {
    if (alarmsState_.loaded) return;
    alarmsState_.loaded = true;
    if (!hasFolder()) return;
    AlarmsLoad load = readAlarmsFile(alarmsPath());
    alarms_ = std::move(load.alarms);
    alarmsState_.incomplete = !load.complete();
    alarmsState_.report = load.report();
}

NotesBook& CalendarFiles::notes() {
    loadNotes();
    return notes_;
}

std::vector<Alarm>& CalendarFiles::alarms() {
    loadAlarms();
    return alarms_;
}

std::string CalendarFiles::takeNotesReport() {
    loadNotes();
    return std::exchange(notesState_.report, std::string());
}

std::string CalendarFiles::takeAlarmsReport() {
    loadAlarms();
    return std::exchange(alarmsState_.report, std::string());
}

std::string CalendarFiles::save(const std::filesystem::path& path, State& state, const std::string& text) {
    if (!hasFolder()) return {};
    if (state.incomplete) {
        // What the reader could not use is kept, byte for byte, before the
        // file is written over for the first time.
        const FileText old = readRegularFile(path, 64 * 1024 * 1024, path.string());
        if (old.exists && old.error.empty()) {
            if (auto error = engine::atomicfile::write(unreadCopyPath(path).string(), old.text))
                return "The old " + path.filename().string() + " could not be kept: " + *error;
        }
        state.incomplete = false;
    }
    if (auto error = engine::atomicfile::write(path.string(), text)) return *error;
    return {};
}

std::string CalendarFiles::saveNotes() {
    loadNotes();
    return save(notesPath(), notesState_, notes_.toText());
}

std::string CalendarFiles::saveAlarms() {
    loadAlarms();
    return save(alarmsPath(), alarmsState_, alarmsToText(alarms_));
}

std::optional<timedate::Instant> CalendarFiles::lastCheck() const {
    if (!hasFolder()) return std::nullopt;
    const FileText file = readRegularFile(folder_ / std::string(kLastCheckFileName), 256, kLastCheckFileName);
    if (!file.exists || !file.error.empty()) return std::nullopt;
    std::string_view text = file.text;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    try {
        return timedate::parseIsoInstant(trimBlanks(text));
    } catch (const timedate::InputError&) {
        return std::nullopt;
    }
}

void CalendarFiles::setLastCheck(const timedate::Instant& when) {
    if (!hasFolder()) return;
    // Losing this stamp only lists fewer missed alarms; no message.
    (void)engine::atomicfile::write((folder_ / std::string(kLastCheckFileName)).string(),
                                    timedate::isoInstantText(when) + "\n");
}

CalendarService::CalendarService(std::filesystem::path folder, timedate::Clock clockIn,
                                 CalendarSettingsAccess settingsIn)
    : files(std::move(folder)), clock(std::move(clockIn)), settings(std::move(settingsIn)) {
    alarmsOn = settings.alarmsOn();
}

void CalendarService::toggleAlarmsOn() {
    alarmsOn = !alarmsOn;
    settings.setAlarmsOn(alarmsOn);
    if (alarmsChanged) alarmsChanged();
}

std::optional<std::filesystem::path> CalendarService::padFile(bool choose) {
    if (auto file = lastFileFromSetting(settings.lastFile())) return file;
    if (!choose || !files.hasFolder()) return std::nullopt;
    std::filesystem::path file = files.folder() / std::string(kPadFileName);
    settings.setLastFile(lastFileSetting(file));
    return file;
}

std::string CalendarService::appendToPadFile(const std::filesystem::path& file, std::string_view addition) {
    const FileText old = readRegularFile(file, 64 * 1024 * 1024, file.string());
    if (!old.error.empty()) return old.error;
    const std::string text = appendToPad(old.text, addition);
    if (old.exists && text == old.text) return {};
    if (auto error = engine::atomicfile::write(file.string(), text)) return *error;
    return {};
}

std::string tapeTextForPad(std::string_view tape) {
    std::string out;
    out.reserve(tape.size());
    for (std::size_t i = 0; i < tape.size(); ++i) {
        if (tape[i] == '\r' && i + 1 < tape.size() && tape[i + 1] == '\n') continue;
        out += tape[i];
    }
    return out;
}

void printLine(engine::UserFeedback& feedback, const std::string& line) {
    const std::size_t colon = line.find(':');
    std::string title = line.substr(0, colon);
    std::string text = colon == std::string::npos ? std::string() : line.substr(colon + 1);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    feedback.showMessage(text, title, engine::MessageIcon::None);
}

namespace {

const std::string kTitle(engine::kProductName);

void complain(engine::UserFeedback& feedback, const std::string& message) {
    feedback.showMessage(message, kTitle, engine::MessageIcon::Exclamation);
}

// The first answer, then every answer that follows it directly.
std::vector<std::string> takeAnswers(engine::UserFeedback& feedback, const std::string& prompt,
                                     const std::string& title, std::size_t most) {
    std::vector<std::string> answers;
    auto first = feedback.askText(prompt, title, "");
    if (!first) return answers;
    answers.push_back(std::move(*first));
    while (answers.size() < most && feedback.answerFollows()) {
        auto next = feedback.askText("", title, "");
        if (!next) break;
        answers.push_back(std::move(*next));
    }
    return answers;
}

CalendarSettings runnerSettings(CalendarService& service) {
    CalendarSettings s;
    s.years = service.settings.years().sanitized();
    return s;
}

}  // namespace

void printDueAlarms(engine::UserFeedback& feedback, CalendarService& service) {
    if (!service.files.hasFolder()) return;
    if (const std::string report = service.files.takeAlarmsReport(); !report.empty()) complain(feedback, report);
    for (const std::string& line : alarmLinesDueAt(service.files.alarms(), service.clock(), service.alarmsOn))
        printLine(feedback, line);
}

void registerCalendarCommands(engine::CalculatorModel& model, CalendarService& service, engine::Front front) {
    auto& commands = model.commands();
    commands.add(
        CommandId::AlarmsEnabled, [&service] { service.toggleAlarmsOn(); },
        [&service] { return service.alarmsOn; });
    if (front != engine::Front::Batch) return;
    commands.add(CommandId::ShowCalendar, [&model, &service] {
        auto& feedback = model.feedback();
        const auto answers = takeAnswers(feedback, "Date (YYYY-MM-DD):", "Show Calendar", 2);
        if (answers.empty()) {
            complain(feedback, "Show Calendar needs a date (YYYY-MM-DD) in batch mode.");
            return;
        }
        NotesBook& book = service.files.notes();
        if (const std::string report = service.files.takeNotesReport(); !report.empty()) complain(feedback, report);
        const CalendarOutcome out = runShowCalendar(book, answers, runnerSettings(service));
        if (!out.ok) {
            complain(feedback, out.message);
            return;
        }
        if (out.changed) {
            if (const std::string error = service.files.saveNotes(); !error.empty())
                complain(feedback, "The notes were not saved: " + error);
        }
        for (const std::string& line : out.lines) printLine(feedback, line);
    });
    commands.add(CommandId::SetAlarms, [&model, &service] {
        auto& feedback = model.feedback();
        const auto answers = takeAnswers(feedback, "Date and time (YYYY-MM-DDTHH:MM):", "Set Alarms", 1000);
        std::vector<Alarm>& alarms = service.files.alarms();
        if (const std::string report = service.files.takeAlarmsReport(); !report.empty()) complain(feedback, report);
        const CalendarOutcome out = runSetAlarms(alarms, answers, runnerSettings(service));
        if (!out.ok) {
            complain(feedback, out.message);
            return;
        }
        if (const std::string error = service.files.saveAlarms(); !error.empty())
            complain(feedback, "The alarms were not saved: " + error);
        if (service.alarmsChanged) service.alarmsChanged();
        // An alarm set for the current minute is due at once.
        for (const std::string& line : alarmLinesDueAt({alarms.back()}, service.clock(), service.alarmsOn))
            printLine(feedback, line);
    });

    auto appendToPad = [&model, &service](const std::string& addition) {
        auto& feedback = model.feedback();
        const auto file = service.padFile(true);
        if (!file) {
            complain(feedback, "The scratch pad has no file: set \"Last File\" or give a data folder.");
            return;
        }
        if (const std::string error = service.appendToPadFile(*file, addition); !error.empty()) {
            complain(feedback, "The scratch pad was not saved: " + error);
            return;
        }
        feedback.showMessage(file->string(), "Scratch Pad", engine::MessageIcon::None);
    };
    commands.add(CommandId::ScratchPad, [&model, appendToPad] {
        std::string text;
        if (model.feedback().answerFollows()) text = model.feedback().askText("Text:", "Scratch Pad", "").value_or("");
        appendToPad(text);
    });
    commands.add(CommandId::TapeToScratchPad,
                 [&model, appendToPad] { appendToPad(tapeTextForPad(model.tape().text())); });
}

}  // namespace zorv::notes
