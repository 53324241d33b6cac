#include "AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <limits>
#include <vector>

#include "RegularFile.h"

namespace zorv::engine::atomicfile {

namespace {

// A temporary file younger than this may still belong to a writer that has
// just created it and not yet locked it.
constexpr std::time_t kStaleAfterSeconds = 10;

std::string systemReason(int error) { return std::strerror(error); }

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool writeAll(int fd, std::string_view data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}


bool isOurTemporaryName(std::string_view name) {
    return name.size() == kTemporaryPrefix.size() + 6 && name.starts_with(kTemporaryPrefix);
}

}  // namespace

std::optional<std::string> resolveTarget(const std::string& path, std::string* reason) {
    std::string current = path;
    // Follows the last component's links one at a time; the folders on the
    // way may be links too, which the rename in the same folder handles.
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::vector<char> buf(PATH_MAX + 1);
        const ssize_t n = ::readlink(current.c_str(), buf.data(), buf.size() - 1);
        if (n < 0) {
            if (reason) *reason = systemReason(errno);
            return std::nullopt;
        }
        const std::string link(buf.data(), static_cast<std::size_t>(n));
        current = (!link.empty() && link[0] == '/') ? link : folderOf(current) + "/" + link;
    }
    if (reason) *reason = systemReason(ELOOP);
    return std::nullopt;
}

namespace {

// checkTarget() that also hands back the file a write replaces.
std::optional<std::string> checkAndResolve(const std::string& path, std::string& target) {
    if (path.empty() || path.back() == '/') return std::string("No file name was given.");
    std::string reason;
    const auto resolved = resolveTarget(path, &reason);
    if (!resolved) return reason;
    target = *resolved;
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno == ENOENT) return std::nullopt;  // a new file
        return systemReason(errno);
    }
    if (S_ISDIR(st.st_mode)) return "That is a folder, " + std::string(kNotRegularFile) + ".";
    if (!S_ISREG(st.st_mode)) return std::string(kNotRegularFile);
    if ((st.st_mode & 0222) == 0) return std::string(kReadOnlyFile);
    if (::access(target.c_str(), W_OK) != 0) {
        if (errno == EACCES) return std::string(kReadOnlyFile);
        return systemReason(errno);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> checkTarget(const std::string& path) {
    std::string target;
    return checkAndResolve(path, target);
}

std::optional<std::string> write(const std::string& path, std::string_view contents) {
    std::string target;
    if (auto refused = checkAndResolve(path, target)) return refused;
    const std::string folder = folderOf(target);

    removeStaleTemporaries(folder);

    std::string name = folder + "/" + std::string(kTemporaryPrefix) + "XXXXXX";
    std::vector<char> temp(name.begin(), name.end());
    temp.push_back('\0');
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return systemReason(errno);
    const std::string tempPath(temp.data());
    // Held until the file is renamed or removed: tells the clean-up of other
    // copies of the program that this one is alive.
    ::flock(fd, LOCK_EX);

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    mode_t mode = 0;
    if (replacing) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    int error = 0;
    if (!writeAll(fd, contents)) error = errno;
    if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;
    // Keeping the owner only works for the superuser; for everyone else the
    // file is theirs already.
    if (error == 0 && replacing && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        }
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(tempPath.c_str());
        return systemReason(error);
    }
    // Makes the rename itself durable; a failure here loses nothing that
    // is not already on its way to the disk.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return std::nullopt;
}

std::optional<std::string> append(const std::string& path, std::string_view text) {
    std::string target;
    if (auto refused = checkAndResolve(path, target)) return refused;
    FileRead old = readRegularFile(target, std::numeric_limits<std::size_t>::max());
    if (!old.ok() && old.failure != FileRead::Failure::Missing) return old.reason;
    std::string contents = std::move(old.text);
    contents.append(text);
    return write(target, contents);
}

int removeStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return 0;
    const std::time_t now = std::time(nullptr);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (!isOurTemporaryName(name)) continue;
        const std::string path = folder + "/" + std::string(name);
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (fd < 0) continue;
        struct stat st {};
        const bool candidate = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                               st.st_uid == ::geteuid() && now - st.st_mtime >= kStaleAfterSeconds;
        if (candidate && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.c_str()) == 0) ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

}  // namespace zorv::engine::atomicfile
