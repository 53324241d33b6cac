#include "IniFileBackend.h"

#include <filesystem>

#include "engine/AtomicFile.h"
#include "engine/RegularFile.h"

namespace zorv::shell {

namespace {

std::string folderNotFile() { return "That is a folder, " + std::string(engine::atomicfile::kNotRegularFile) + "."; }

}  // namespace

IniFileBackend::IniFileBackend(std::string path) : path_(std::move(path)) {
    Loaded loaded = load();
    if (loaded.problem.empty()) {
        document_ = std::move(loaded.document);
    } else {
        usable_ = false;
        report("The settings file\r\n" + path_ + "\r\ncannot be used: " + loaded.problem +
               "\r\nIt is left as it is, and settings are not saved to it.");
    }
}

IniFileBackend::Loaded IniFileBackend::load() const {
    using engine::FileRead;
    Loaded out;
    FileRead file = engine::readRegularFile(path_, kMaxSize);
    switch (file.failure) {
    case FileRead::Failure::None: break;
    case FileRead::Failure::Missing: return out;  // no file yet: the first save makes it
    case FileRead::Failure::Folder: out.problem = folderNotFile(); return out;
    case FileRead::Failure::NotRegular:
        out.problem = std::string(engine::atomicfile::kNotRegularFile);
        return out;
    case FileRead::Failure::TooLarge:
        out.problem = "it is larger than 1 MB, too large for a settings file";
        return out;
    case FileRead::Failure::Unreadable: out.problem = file.reason; return out;
    }
    const std::string& text = file.text;
    out.document = IniDocument::parse(text);
    if (!out.document.readsAsIni()) out.problem = "it is not an INI file";
    return out;
}

void IniFileBackend::report(std::string message) {
    if (problem_.empty()) problem_ = std::move(message);
    if (reporter_ && !reported_) {
        reported_ = true;
        reporter_(problem_);
    }
}

void IniFileBackend::setProblemReporter(std::function<void(const std::string& message)> reporter) {
    reporter_ = std::move(reporter);
    if (!problem_.empty()) report(problem_);
}

std::optional<std::string> IniFileBackend::read(const std::string& section, const std::string& key) {
    if (const auto it = changes_.find({section, key}); it != changes_.end()) return it->second;
    if (!usable_) return std::nullopt;
    return document_.value(section, key);
}

void IniFileBackend::write(const std::string& section, const std::string& key, const std::string& value) {
    if (read(section, key) == value) return;
    changes_[{section, key}] = value;
    if (changed) changed();
}

void IniFileBackend::sync() {
    if (changes_.empty()) return;
    if (!usable_) {
        report(problem_);
        return;
    }
    // The changes go onto the file as it is now, which another copy of the
    // program or an editor may have changed since it was read.
    Loaded now = load();
    if (!now.problem.empty()) {
        report("The settings could not be saved to\r\n" + path_ + "\r\n" + now.problem);
        return;
    }
    bool differs = false;
    for (const auto& [name, value] : changes_)
        differs = now.document.set(name.first, name.second, value) || differs;
    if (differs) {
        const std::string target = engine::atomicfile::resolveTarget(path_).value_or(path_);
        const auto folder = std::filesystem::path(target).parent_path();
        std::error_code ec;
        if (!folder.empty() && !std::filesystem::exists(folder, ec))
            std::filesystem::create_directories(folder, ec);
        if (const auto failure = engine::atomicfile::write(path_, now.document.text())) {
            report("The settings could not be saved to\r\n" + path_ + "\r\n" + *failure);
            return;
        }
    }
    document_ = std::move(now.document);
    changes_.clear();
}

}  // namespace zorv::shell
