#include "store/safe_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace kelvaro {

namespace {

constexpr int spareSetAsideNames = 9;

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO; // nothing written and no reason given
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::regular;
    if (S_ISDIR(mode)) return FileKind::folder;
    return FileKind::other;
}

std::string reasonForMode(mode_t mode) {
    if (S_ISDIR(mode)) return std::generic_category().message(EISDIR);
    if (S_ISFIFO(mode)) return "Is a named pipe, not a file";
    if (S_ISSOCK(mode)) return "Is a socket, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "Is a device, not a file";
    return "Is not a regular file";
}

FileRead failedRead(int error, std::string reason = {}) {
    FileRead read;
    read.outcome = ReadOutcome::failed;
    read.error = error;
    read.reason = reason.empty() ? std::generic_category().message(error) : std::move(reason);
    return read;
}

} // namespace

FileKind fileKindAt(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return kindOf(info.st_mode);
    return errno == ENOENT ? FileKind::missing : FileKind::unknown;
}

std::string notAFileReason(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::generic_category().message(errno);
    return reasonForMode(info.st_mode);
}

bool makePrivateFolders(const std::filesystem::path& folder) {
    std::filesystem::path partial;
    for (const auto& part : folder) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return false;
    if (S_ISDIR(info.st_mode)) return true;
    errno = ENOTDIR; // something else stands where the folder should be
    return false;
}

FileRead readRegularFile(const std::filesystem::path& path, std::size_t maxBytes) {
    // Looked at before it is opened: opening a pipe waits for a writer that may never come.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return FileRead{};
        return failedRead(errno);
    }
    if (!S_ISREG(info.st_mode))
        return failedRead(S_ISDIR(info.st_mode) ? EISDIR : EINVAL, reasonForMode(info.st_mode));
    // Should a pipe take the file's place after the look, the open still does not wait.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return FileRead{};
        return failedRead(errno);
    }
    FileRead read;
    read.outcome = ReadOutcome::ok;
    int error = 0;
    std::string reason;
    if (::fstat(fd, &info) != 0) {
        error = errno;
    } else if (!S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        reason = reasonForMode(info.st_mode);
    } else if (static_cast<std::size_t>(info.st_size) > maxBytes) {
        error = EFBIG;
    }
    char chunk[65536];
    while (error == 0) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = errno;
        if (got <= 0) break;
        read.bytes.append(chunk, static_cast<std::size_t>(got));
        if (read.bytes.size() > maxBytes) error = EFBIG;
    }
    ::close(fd);
    if (error != 0) return failedRead(error, std::move(reason));
    return read;
}

FolderLock::~FolderLock() {
    unlock();
}

bool FolderLock::lock(const std::filesystem::path& folder, std::chrono::milliseconds patience) {
    unlock();
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return false;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            unlock();
            errno = error;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void FolderLock::unlock() {
    if (fd_ >= 0) ::close(fd_); // closing releases the lock
    fd_ = -1;
}

bool replaceFileWhole(const std::filesystem::path& file, std::string_view bytes,
                      const std::filesystem::path& setAsideTo, int folderFd) {
    std::string temporary = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX"));
    const int fd = ::mkstemp(temporary.data()); // created user-only
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    // The old file is set aside only once the new one is safely on disk.
    if (ok && !setAsideTo.empty()) {
        ok = ::rename(file.c_str(), setAsideTo.c_str()) == 0;
        error = errno;
    }
    if (ok) {
        ok = ::rename(temporary.c_str(), file.c_str()) == 0;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        errno = error;
        return false;
    }
    if (folderFd >= 0) ::fsync(folderFd); // makes the renames themselves durable
    return true;
}

std::filesystem::path setAsideName(const std::filesystem::path& file) {
    std::filesystem::path name = file;
    name += ".damaged";
    for (int spare = 0; spare <= spareSetAsideNames; ++spare) {
        std::filesystem::path candidate = name;
        if (spare > 0) candidate += "." + std::to_string(spare);
        struct stat info {};
        // A link is replaced, not followed: the rename takes the name itself.
        if (::lstat(candidate.c_str(), &info) != 0 || S_ISREG(info.st_mode) ||
            S_ISLNK(info.st_mode))
            return candidate;
    }
    return {};
}

} // namespace kelvaro
