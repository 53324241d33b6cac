#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "shell/IniDocument.h"
#include "shell/SettingsStore.h"

namespace zorv::shell {

// Settings kept in an INI file that people also edit by hand: the per-user
// file of the window, or the file named with --settings. The file is read
// once (a regular file only, opened without blocking, so a named pipe or a
// device in its place cannot stall the program); changed values are written
// back by sync() through the atomic file writer, onto the file as it is on
// the disk at that moment, so that comments, other keys and changes made
// meanwhile by another copy of the program stay. A symbolic link is followed
// and stays a link.
//
// A file that cannot be read, or that does not read as an INI file (a link
// to some other file, say), is never written: its values are not used and
// the problem is reported once. A save that fails is reported once too,
// with its reason; the changes stay pending and a later sync() tries again.
class IniFileBackend : public SettingsBackend {
public:
    // Larger than any settings file of ours: such a file is something else.
    static constexpr std::size_t kMaxSize = 1024 * 1024;

    explicit IniFileBackend(std::string path);

    std::optional<std::string> read(const std::string& section, const std::string& key) override;
    void write(const std::string& section, const std::string& key, const std::string& value) override;
    void sync() override;

    const std::string& path() const { return path_; }
    // Whether a problem has been reported (or is waiting for a reporter).
    bool failed() const { return !problem_.empty(); }
    // Whether changes are waiting to be saved.
    bool pending() const { return !changes_.empty(); }

    // Receives the one message about this file; a problem found before a
    // reporter is set is passed on when it is set.
    void setProblemReporter(std::function<void(const std::string& message)> reporter);
    // Called after each change, for a window that saves soon after a change
    // rather than only when it closes.
    std::function<void()> changed;

private:
    struct Loaded {
        IniDocument document;
        std::string problem;  // why the file is not ours to use; empty when it is
    };
    Loaded load() const;
    void report(std::string message);

    std::string path_;
    IniDocument document_;
    bool usable_ = true;
    std::map<std::pair<std::string, std::string>, std::string> changes_;
    std::string problem_;
    bool reported_ = false;
    std::function<void(const std::string&)> reporter_;
};

}  // namespace zorv::shell
