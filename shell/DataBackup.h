#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "engine/UserFeedback.h"

namespace zorv::shell {

// The user data files that backup and restore copy, in the order copied:
// construction and evaluator formulas, alarms, daily notes. Settings and
// saved tapes are not part of the set.
inline constexpr std::array<std::string_view, 4> kBackupFiles{"consform.frm", "evalform.frm",
                                                              "calcalrm.2do", "zorvcalc.2do"};

// The per-user data folder used when none is given on the command line.
std::string defaultDataFolder();

// Whether two folder paths name the same folder: "dir", "dir/", "dir/../dir"
// and a symbolic link to it all do.
bool sameFolder(const std::string& a, const std::string& b);

// Backup and restore of the data files between the data folder and a folder
// the user picks.
class DataBackup {
public:
    // Asks for a folder under the given title; "" when the user cancels.
    using FolderChooser = std::function<std::string(const std::string& title)>;

    DataBackup(engine::UserFeedback& feedback, std::string dataFolder, FolderChooser chooser);

    void backup();
    void restore();

    const std::string& dataFolder() const { return dataFolder_; }
    void setFolderChooser(FolderChooser chooser) { chooser_ = std::move(chooser); }

private:
    enum class Direction { Backup, Restore };
    void run(Direction direction);

    engine::UserFeedback& feedback_;
    std::string dataFolder_;
    FolderChooser chooser_;
};

// Copies one file through the atomic file writer, so that the target is
// either left as it was or replaced whole. A source that is not a regular
// file (a pipe, a device) or is larger than kMaxBackupFileSize is not read
// and fails the copy.
enum class CopyOutcome { Copied, SourceMissing, Failed };
inline constexpr std::size_t kMaxBackupFileSize = 64 * 1024 * 1024;
CopyOutcome copyReplacing(const std::string& from, const std::string& to);

}  // namespace zorv::shell
