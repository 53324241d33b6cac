#pragma once

#include <optional>
#include <string>
#include <string_view>

// The one way the program writes a file. The new contents go to a temporary
// file in the target's folder, are flushed to the disk and then renamed over
// the target, so a crash or a full disk at any moment leaves either the old
// file or the new one, never a part of either.
namespace zorv::engine::atomicfile {

// Temporary files are named kTemporaryPrefix + six random characters: short,
// so that a target whose name is near the 255-byte limit can still be saved,
// and recognisable, so that leftovers of a killed program can be removed.
inline constexpr std::string_view kTemporaryPrefix = ".zorvtmp.";

// The reason given for a target that exists and is a device, a named pipe
// or anything else that is not a plain file; a folder gets "That is a
// folder, not a regular file.".
inline constexpr std::string_view kNotRegularFile = "not a regular file";
// The reason given for a target without write permission.
inline constexpr std::string_view kReadOnlyFile = "the file is read-only";

// The file a write to `path` replaces: symbolic links are followed, so that
// the link stays and the file it points to gets the new contents.
// nullopt with `reason` set when the links cannot be followed (a loop).
std::optional<std::string> resolveTarget(const std::string& path, std::string* reason = nullptr);

// Why `path` cannot be written, without writing anything: no name, a target
// that is not a regular file, a read-only target. The check goes by the mode
// bits as well as by access(), because the superuser passes every access()
// check while an editor still refuses a read-only file. nullopt when a write
// may go ahead.
std::optional<std::string> checkTarget(const std::string& path);

// Replaces `path` with `contents`. The replaced file's permissions (and, as
// far as the system allows, its owner) are kept; a new file gets the usual
// permissions under the umask. Returns the reason when it failed, in which
// case the target is as it was.
std::optional<std::string> write(const std::string& path, std::string_view contents);

// Adds `text` to the end of `path` (created when missing) by writing the old
// contents and the addition to a new file, with the same guarantees as
// write(). Meant for small files such as a log.
std::optional<std::string> append(const std::string& path, std::string_view text);

// Removes temporary files of ours in `folder` that a killed program left
// behind: only files of our own name pattern, owned by this user, a little
// while old and not held open by a writer. Returns how many were removed.
int removeStaleTemporaries(const std::string& folder);

}  // namespace zorv::engine::atomicfile
