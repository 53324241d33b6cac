#include "IniFileBackend.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "engine/AtomicFile.h"

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
    Loaded out;
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) {
        // No file yet: the first save makes it.
        if (errno != ENOENT) out.problem = std::strerror(errno);
        return out;
    }
    if (S_ISDIR(st.st_mode)) {
        out.problem = folderNotFile();
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.problem = std::string(engine::atomicfile::kNotRegularFile);
        return out;
    }
    // Non-blocking, and checked again once open: the name may have been
    // given to a pipe since the check above.
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        out.problem = std::strerror(errno);
        return out;
    }
    std::string text;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        out.problem = std::string(engine::atomicfile::kNotRegularFile);
    } else {
        char buf[65536];
        while (text.size() <= kMaxSize) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                out.problem = std::strerror(errno);
                break;
            }
            if (n == 0) break;
            text.append(buf, static_cast<std::size_t>(n));
        }
        if (out.problem.empty() && text.size() > kMaxSize)
            out.problem = "it is larger than 1 MB, too large for a settings file";
    }
    ::close(fd);
    if (!out.problem.empty()) return out;
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
