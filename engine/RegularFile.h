#pragma once

#include <cstddef>
#include <string>

namespace zorv::engine {

// Reading a whole file that the user or the program folder names. Only
// regular files are read: a named pipe, a device or a socket could block the
// program forever or never end, so they are refused before anything is read
// from them. The file is opened non-blocking and checked again once open, so
// a file swapped for a pipe between the check and the open is refused too.
struct FileRead {
    enum class Failure { None, Missing, Folder, NotRegular, TooLarge, Unreadable };

    std::string text;                // the file's bytes, as stored
    Failure failure = Failure::None;
    std::string reason;              // why it could not be read, for the user; empty on success

    bool ok() const { return failure == Failure::None; }
};

// Reads `path` whole when it is a regular file of at most `maxSize` bytes.
// A file over the limit is refused from its size before any of it is read
// (and again should it grow while being read).
FileRead readRegularFile(const std::string& path, std::size_t maxSize);

// The reasons readRegularFile gives, for callers that check first.
inline constexpr const char* kFolderReason = "That is a folder, not a file.";
inline constexpr const char* kNotRegularReason = "That is not a regular file (a pipe or a device).";

}  // namespace zorv::engine
