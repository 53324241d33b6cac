#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Alarms.h"
#include "NotesBook.h"
#include "ScratchPad.h"
#include "engine/CommandCatalogue.h"
#include "timedate/CivilDate.h"
#include "timedate/ProjectTimer.h"

namespace zorv::engine {
class CalculatorModel;
class UserFeedback;
}  // namespace zorv::engine

namespace zorv::notes {

// The notes and alarm files of the data folder, read on first use and
// written back atomically, only when something changed. A file that was not
// read completely is kept beside itself (unreadCopyPath) before the first
// write over it; a failed write leaves the old file as it was.
class CalendarFiles {
public:
    // An empty folder means there is none (batch mode without --data-dir):
    // everything starts empty and nothing is written.
    explicit CalendarFiles(std::filesystem::path folder);

    bool hasFolder() const { return !folder_.empty(); }
    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path notesPath() const;
    std::filesystem::path alarmsPath() const;

    NotesBook& notes();
    std::vector<Alarm>& alarms();
    // What could not be read, once: empty afterwards, and when all was read.
    std::string takeNotesReport();
    std::string takeAlarmsReport();

    // Empty on success, else why the file was not written.
    std::string saveNotes();
    std::string saveAlarms();

    // When the alarms were last checked while the program ran (the file
    // "calcalrm.chk" beside the alarms): alarms due after it and before the
    // start are listed as missed. Nothing when never written or unreadable.
    std::optional<timedate::Instant> lastCheck() const;
    void setLastCheck(const timedate::Instant& when);

private:
    struct State {
        bool loaded = false;
        bool incomplete = false;  // something was skipped: copy before the first write
        std::string report;
    };
    void loadNotes();
    void loadAlarms();
    std::string save(const std::filesystem::path& path, State& state, const std::string& text);

    std::filesystem::path folder_;
    NotesBook notes_;
    std::vector<Alarm> alarms_;
    State notesState_, alarmsState_;
};

inline constexpr std::string_view kLastCheckFileName = "calcalrm.chk";
inline constexpr std::string_view kPadFileName = "scratchpad.txt";

// The settings the commands read and write, given by the caller.
struct CalendarSettingsAccess {
    std::function<timedate::YearRange()> years = [] { return timedate::YearRange{1500, 2400}; };
    std::function<bool()> alarmsOn = [] { return true; };
    std::function<void(bool)> setAlarmsOn = [](bool) {};
    std::function<std::string()> lastFile = [] { return std::string(kNoLastFile); };
    std::function<void(const std::string&)> setLastFile = [](const std::string&) {};
};

// What the calendar, alarm and scratch pad commands share.
struct CalendarService {
    CalendarService(std::filesystem::path folder, timedate::Clock clock, CalendarSettingsAccess settings);

    CalendarFiles files;
    timedate::Clock clock;
    CalendarSettingsAccess settings;
    bool alarmsOn = true;
    // Called after "Alarms On" or the alarm list changed (the window's alarm
    // timer sets it).
    std::function<void()> alarmsChanged;

    void toggleAlarmsOn();
    // The pad file that "Last File" names; without one, "scratchpad.txt" in
    // the data folder (then named in "Last File"). Nothing without either.
    std::optional<std::filesystem::path> padFile(bool choose);
    // Adds `addition` at the end of the pad file, on lines of its own.
    // Empty on success, else why not.
    std::string appendToPadFile(const std::filesystem::path& file, std::string_view addition);
};

// The tape's text (CR LF line ends) as pad text (LF).
std::string tapeTextForPad(std::string_view tape);

// Registers Alarms Enabled/Disabled and, for batch mode, Show Calendar, Set
// Alarms, Scratch Pad and Tape to Scratch Pad as batch mode runs them (the
// window opens its own windows for those), answers in "[...]":
//   {Show Calendar}[2026-12-24][text]  sets the note ([] deletes it)
//   {Show Calendar}[2026-12-24]        prints "note 2026-12-24: TEXT"
//   {Set Alarms}[when][repeat][message][action][target][argument]...
//   {Scratch Pad}[text]                appends the text to the pad file and
//                                      prints "Scratch Pad: PATH"
//   {Tape to Scratch Pad}              appends the whole tape, prints the same
void registerCalendarCommands(engine::CalculatorModel& model, CalendarService& service,
                              engine::Front front = engine::Front::Batch);

// Batch mode: the alarms due in the clock's minute print "alarm: message"
// instead of acting.
void printDueAlarms(engine::UserFeedback& feedback, CalendarService& service);

// Prints "title: text" through the feedback (batch mode writes a message as
// "TITLE: TEXT"), from a line "title: text".
void printLine(engine::UserFeedback& feedback, const std::string& line);

}  // namespace zorv::notes
