#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "CalculatorModel.h"

namespace zorv::engine {

// Reading and writing tape files. A tape file is the tape text as it
// stands: UTF-8, lines ending CR LF.
namespace tapefile {

// The largest tape that is saved and loaded, refused beyond on both sides
// (the same bound as a past tape in the history). The window shows the text
// where it lies through a line index, so bench/tape_load.sh loads a million
// entries (about 9 MB) in some 30 ms for about 16 MB more; 64 MB holds some
// seven million entries, far beyond any working day, while a stray file of
// gigabytes is still refused before it is read.
inline constexpr std::size_t kMaxSize = 64 * 1024 * 1024;

// Why a tape over kMaxSize is refused, by Save and by Load alike.
std::string tooLargeReason();

struct Loaded {
    std::string text;   // normalised: UTF-8, CR LF line ends, ends with CR LF
    std::string error;  // why it could not be loaded; empty on success
};

// Reads a saved tape. Refuses what is not a regular file (folders, pipes,
// devices: nothing is read from them), files over kMaxSize and binary files
// (NUL bytes or many control characters). A file that is not valid UTF-8 is
// read as Latin-1, as tapes written with a Western code page are; LF or CR
// line ends become CR LF; a UTF-8 byte-order mark is dropped.
Loaded read(const std::string& path);
// What read() makes of a file's bytes.
Loaded decode(std::string bytes);

// A file-name extension safe to put after "ZorvTape.": letters and digits
// only, at most 10 of them; "TXT" when nothing is left.
std::string safeExtension(const std::string& type);

}  // namespace tapefile

// The Tape menu's commands that need no window: annotate, find, find next,
// clear, save, load and publish. Questions go through the model's
// UserFeedback; where a file name is needed, the window installs its file
// dialogs and batch mode answers input boxes.
class TapeCommands {
public:
    explicit TapeCommands(CalculatorModel& model) : model_(model) {}

    void annotateTape();
    void findOnTape();
    void findNext();
    void clearTape();
    void saveTape();
    void loadTape();
    void publishTape();

    // The file to save to; nullopt when the user cancels. Without a hook an
    // input box asks for the path.
    std::function<std::optional<std::string>(const std::string& defaultName)> chooseSavePath;
    // The file to load; nullopt when the user cancels.
    std::function<std::optional<std::string>()> chooseOpenPath;
    // Shows a match found on the tape: byte offset and length in the text.
    std::function<void(std::size_t offset, std::size_t length)> showMatch;

    struct PublishSettings {
        std::string folder;   // where "ZorvTape.<type>" is written
        std::string program;  // "Publish To": empty for the desktop's choice
        std::string type;     // "Publish Type"
    };
    // Read at every publish, since the Properties window can change them.
    std::function<PublishSettings()> publishSettings;
    // Opens the published file (with the program when one is given); returns
    // the reason when that failed.
    std::function<std::optional<std::string>(const std::string& file, const std::string& program)>
        openPublished;

    // Called before a command reads the tape, so that the window can put
    // edits in progress (tape unlocked for editing) back into the tape.
    std::function<void()> beforeUse;

    const std::string& lastSearch() const { return search_; }

private:
    void find(bool askFirst);
    void error(const std::string& text);
    void syncEdits();

    CalculatorModel& model_;
    std::string search_;
    std::size_t searchFrom_ = 0;
};

// Registers "Annotate Tape", "Find On Tape", "Find Next", "Clear Tape",
// "Save Tape to File", "Load Saved Tape" and "Publish Tape".
void registerTapeCommands(CalculatorModel& model, TapeCommands& tape);

}  // namespace zorv::engine
