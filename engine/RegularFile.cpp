#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zorv::engine {

namespace {

FileRead failed(FileRead::Failure failure, std::string reason) {
    FileRead r;
    r.failure = failure;
    r.reason = std::move(reason);
    return r;
}

FileRead fromErrno(int error) {
    return failed(error == ENOENT || error == ENOTDIR ? FileRead::Failure::Missing
                                                      : FileRead::Failure::Unreadable,
                  std::strerror(error));
}

// Folder, pipe, device, socket: none of them is read.
FileRead refuseKind(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return failed(FileRead::Failure::Folder, kFolderReason);
    return failed(FileRead::Failure::NotRegular, kNotRegularReason);
}

FileRead tooLarge() { return failed(FileRead::Failure::TooLarge, "The file is too large."); }

}  // namespace

FileRead readRegularFile(const std::string& path, std::size_t maxSize) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return fromErrno(errno);
    if (!S_ISREG(st.st_mode)) return refuseKind(st);
    if (static_cast<unsigned long long>(st.st_size) > maxSize) return tooLarge();

    // O_NONBLOCK: should the name have become a pipe since the check, the
    // open itself must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return fromErrno(errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0) return fromErrno(errno);
    if (!S_ISREG(st.st_mode)) return refuseKind(st);
    if (static_cast<unsigned long long>(st.st_size) > maxSize) return tooLarge();

    FileRead r;
    r.text.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fromErrno(errno);
        }
        if (n == 0) break;
        // A file that grows while it is read is held to the same limit.
        if (r.text.size() + static_cast<std::size_t>(n) > maxSize) return tooLarge();
        r.text.append(buffer, static_cast<std::size_t>(n));
    }
    return r;
}

}  // namespace zorv::engine
