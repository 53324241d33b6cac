#include "TapeCommands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "AtomicFile.h"
#include "RegularFile.h"
#include "TextUtil.h"
#include "Translate.h"

namespace zorv::engine {

namespace fs = std::filesystem;

namespace tapefile {

namespace {

bool validUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t len = 0;
        std::uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode.
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += len;
    }
    return true;
}

std::string latin1ToUtf8(const std::string& s) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool looksBinary(const std::string& s) {
    std::size_t controls = 0;
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0) return true;
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') ++controls;
    }
    return controls * 100 > s.size();  // more than 1 % of the bytes
}

std::string crlfLines(const std::string& s) {
    std::string out;
    out.reserve(s.size() + s.size() / 16 + 2);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    if (!out.empty() && !out.ends_with("\r\n")) out += "\r\n";
    return out;
}

}  // namespace

std::string tooLargeReason() {
    return "The tape is larger than " + std::to_string(kMaxSize / (1024 * 1024)) +
           " MB: too large for a saved tape.";
}

Loaded read(const std::string& path) {
    Loaded out;
    FileRead file = readRegularFile(path, kMaxSize);
    if (!file.ok()) {
        out.error = file.failure == FileRead::Failure::TooLarge ? tooLargeReason() : file.reason;
        return out;
    }
    return decode(std::move(file.text));
}

Loaded decode(std::string data) {
    Loaded out;
    if (data.starts_with("\xEF\xBB\xBF")) data.erase(0, 3);
    if (looksBinary(data)) {
        out.error = "The file is not a text file.";
        return out;
    }
    if (!validUtf8(data)) data = latin1ToUtf8(data);
    out.text = crlfLines(data);
    return out;
}

std::string safeExtension(const std::string& type) {
    std::string out;
    for (char c : type) {
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (alnum && out.size() < 10) out += c;
    }
    return out.empty() ? "TXT" : out;
}

}  // namespace tapefile

// ---------------------------------------------------------------------------

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t findIgnoringCase(const std::string& text, const std::string& what, std::size_t from) {
    if (what.empty() || what.size() > text.size()) return std::string::npos;
    for (std::size_t i = from; i + what.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < what.size() && lower(text[i + k]) == lower(what[k])) ++k;
        if (k == what.size()) return i;
    }
    return std::string::npos;
}

}  // namespace

void TapeCommands::error(const std::string& text) {
    model_.feedback().showMessage(text, std::string(kProductName), MessageIcon::Exclamation);
}

void TapeCommands::syncEdits() {
    if (beforeUse) beforeUse();
}

void TapeCommands::annotateTape() {
    const auto answer =
        model_.feedback().askText("Enter the note to write on the tape:", "Annotate Tape", "");
    if (!answer) return;
    // A note is one line of its own: line breaks and other control
    // characters would break the tape's line structure.
    std::string note;
    for (char c : *answer) note += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    note = text::trim(note);
    if (note.empty()) return;
    model_.postToTape(note);
}

void TapeCommands::findOnTape() { find(true); }

void TapeCommands::findNext() { find(false); }

void TapeCommands::find(bool askFirst) {
    if (askFirst || search_.empty()) {
        const auto answer = model_.feedback().askText("Find what:", "Find On Tape", search_);
        if (!answer || answer->empty()) return;
        if (*answer != search_) searchFrom_ = 0;
        search_ = *answer;
    }
    syncEdits();
    const std::string& text = model_.tape().text();
    const std::size_t from = std::min(searchFrom_, text.size());
    std::size_t pos = findIgnoringCase(text, search_, from);
    if (pos == std::string::npos) {
        pos = from > 0 ? findIgnoringCase(text, search_, 0) : std::string::npos;
        if (pos == std::string::npos) {
            searchFrom_ = 0;
            // The search text is placed into the translated sentence.
            std::string message = translate("Messages", "\"%1\" was not found on the tape.");
            if (const auto at = message.find("%1"); at != std::string::npos) message.replace(at, 2, search_);
            model_.feedback().showMessage(message, std::string(kProductName), MessageIcon::Information);
            return;
        }
        model_.feedback().showMessage(
            "The end of the tape was reached; the search continued from the top.",
            std::string(kProductName), MessageIcon::Information);
    }
    searchFrom_ = pos + search_.size();
    if (showMatch) showMatch(pos, search_.size());
}

void TapeCommands::clearTape() {
    syncEdits();
    if (model_.tape().text().empty()) return;
    const auto answer = model_.feedback().showMessage("Clear the tape?", std::string(kProductName),
                                                      MessageIcon::Question, MessageButtons::YesNo,
                                                      MessageResult::No);
    if (answer != MessageResult::Yes) return;
    model_.tape().clear();
    searchFrom_ = 0;
}

void TapeCommands::saveTape() {
    const std::string defaultName = "MyTape.txt";
    const auto path = chooseSavePath
                          ? chooseSavePath(defaultName)
                          : model_.feedback().askText("Save the tape to the file:", "Save Tape to File",
                                                      defaultName);
    if (!path || text::trim(*path).empty()) return;
    syncEdits();
    // A tape that could not be loaded back is refused before anything is
    // written, with the reason Load would give.
    if (model_.tape().text().size() > tapefile::kMaxSize) {
        error("The tape could not be saved to\r\n" + *path + "\r\n" + tapefile::tooLargeReason());
        return;
    }
    if (const auto failure = atomicfile::write(*path, model_.tape().text()))
        error("The tape could not be saved to\r\n" + *path + "\r\n" + *failure);
}

void TapeCommands::loadTape() {
    const auto path = chooseOpenPath ? chooseOpenPath()
                                     : model_.feedback().askText("Load the tape from the file:",
                                                                 "Load Saved Tape", "MyTape.txt");
    if (!path || text::trim(*path).empty()) return;
    tapefile::Loaded loaded = tapefile::read(*path);
    if (!loaded.error.empty()) {
        error("The tape could not be loaded from\r\n" + *path + "\r\n" + loaded.error);
        return;
    }
    syncEdits();
    if (!model_.tape().text().empty()) {
        const auto answer = model_.feedback().showMessage(
            "Replace the tape with the one saved in\r\n" + *path + "?", std::string(kProductName),
            MessageIcon::Question, MessageButtons::YesNo, MessageResult::No);
        if (answer != MessageResult::Yes) return;
    }
    model_.tape().setText(std::move(loaded.text));
    searchFrom_ = 0;
}

void TapeCommands::publishTape() {
    syncEdits();
    PublishSettings settings = publishSettings ? publishSettings() : PublishSettings{};
    if (settings.folder.empty()) {
        std::error_code ec;
        settings.folder = fs::temp_directory_path(ec).string();
    }
    // An absolute path: the program it is handed to must not take a name
    // such as "-data/ZorvTape.TXT" for an option, nor look in its own
    // working folder.
    std::error_code ec;
    const std::string file =
        fs::absolute(fs::path(settings.folder) / ("ZorvTape." + tapefile::safeExtension(settings.type)), ec)
            .lexically_normal()
            .string();
    fs::create_directories(settings.folder, ec);
    if (const auto failure = atomicfile::write(file, model_.tape().text())) {
        error("The tape could not be written to\r\n" + file + "\r\n" + *failure);
        return;
    }
    if (!openPublished) return;
    if (const auto failure = openPublished(file, settings.program)) {
        const std::string who = settings.program.empty() ? std::string("no program could open it")
                                                         : settings.program + " could not be started";
        error("The tape was written to\r\n" + file + "\r\nbut " + who + ":\r\n" + *failure);
    }
}

void registerTapeCommands(CalculatorModel& model, TapeCommands& tape) {
    auto& c = model.commands();
    c.add(CommandId::AnnotateTape, [&tape] { tape.annotateTape(); });
    c.add(CommandId::FindOnTape, [&tape] { tape.findOnTape(); });
    c.add(CommandId::FindNext, [&tape] { tape.findNext(); });
    c.add(CommandId::ClearTape, [&tape] { tape.clearTape(); });
    c.add(CommandId::SaveTape, [&tape] { tape.saveTape(); });
    c.add(CommandId::LoadTape, [&tape] { tape.loadTape(); });
    c.add(CommandId::PublishTape, [&tape] { tape.publishTape(); });
}

}  // namespace zorv::engine
