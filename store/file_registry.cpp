#include "store/file_registry.h"

#include "store/reg_value.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace kelvaro {

namespace {

constexpr std::string_view rootKey = "HKEY_CURRENT_USER\\";
// How long a save waits for another running copy to finish its own.
constexpr auto lockPatience = std::chrono::seconds(2);

// Creates each missing folder of the path, user-only, as configuration folders should be.
bool makeFolders(const std::filesystem::path& folder) {
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

bool writeAll(int fd, const std::string& bytes) {
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

} // namespace

std::filesystem::path settingsFilePath() {
    std::filesystem::path base;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') return {};
        base = std::filesystem::path(home) / ".config";
    }
    return base / "kelvaro" / "kelvaro.reg";
}

FileRegistry::FileRegistry(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path FileRegistry::damagedFile() const {
    std::filesystem::path damaged = file_;
    damaged += ".damaged";
    return damaged;
}

bool FileRegistry::failSave(int error) {
    report_.saved = false;
    report_.reason = std::generic_category().message(error);
    return false;
}

FileRegistry::~FileRegistry() {
    if (writing_) unlock(); // an unclosed key is abandoned, not half-saved
}

FileRegistry::ReadResult FileRegistry::readDocument() {
    document_ = RegDocument{};
    original_.clear();
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        readError_ = errno;
        return errno == ENOENT ? ReadResult::missing : ReadResult::failed;
    }
    struct stat info {};
    readError_ = 0;
    if (::fstat(fd, &info) != 0) {
        readError_ = errno;
    } else if (!S_ISREG(info.st_mode)) {
        readError_ = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    } else if (static_cast<std::size_t>(info.st_size) > maxFileBytes) {
        readError_ = EFBIG;
    }
    char chunk[65536];
    while (readError_ == 0) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) readError_ = errno;
        if (got <= 0) break;
        original_.append(chunk, static_cast<std::size_t>(got));
        if (original_.size() > maxFileBytes) readError_ = EFBIG;
    }
    ::close(fd);
    if (readError_ != 0) return ReadResult::failed;
    document_ = parseRegText(original_);
    return ReadResult::ok;
}

bool FileRegistry::openKey(std::string_view keyPath) {
    closeKey();
    if (file_.empty() || readDocument() != ReadResult::ok) return false;
    if (regFileKind(document_) == RegFileKind::foreign) return false; // not a settings file
    const std::string key = std::string(rootKey) + std::string(keyPath);
    if (!hasRegKey(document_, key)) return false;
    key_ = key;
    return true;
}

bool FileRegistry::createKey(std::string_view keyPath, std::string_view) {
    closeKey();
    report_ = SaveReport{true, {}, file_.string(), {}};
    setAside_ = false;
    if (file_.empty()) return failSave(ENOENT); // no home folder to keep it in
    if (!makeFolders(file_.parent_path())) return failSave(errno);
    folderFd_ = ::open(file_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) return failSave(errno);
    const auto deadline = std::chrono::steady_clock::now() + lockPatience;
    while (::flock(folderFd_, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            unlock();
            return failSave(error);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    writing_ = true;
    // Read under the lock, so that values another copy saved a moment ago are kept. A file
    // that exists but cannot be read is never replaced.
    if (readDocument() == ReadResult::failed) {
        unlock();
        return failSave(readError_);
    }
    // Nothing of a file that is not a settings file is merged into ours: it is set aside
    // whole when the fresh file is written.
    if (regFileKind(document_) == RegFileKind::foreign) {
        setAside_ = true;
        document_ = RegDocument{};
    }
    key_ = std::string(rootKey) + std::string(keyPath);
    addRegKey(document_, key_);
    return true;
}

bool FileRegistry::queryValue(std::string_view name, void* buffer, std::uint32_t& room,
                              std::uint32_t& type) {
    if (key_.empty()) return false;
    return copyRegValueOut(findRegValue(document_, key_, name), buffer, room, type);
}

bool FileRegistry::setValue(std::string_view name, std::uint32_t type, const void* data,
                            std::uint32_t bytes) {
    if (key_.empty() || !writing_) return false;
    setRegValue(document_, key_, regValueFrom(name, type, data, bytes));
    return true;
}

bool FileRegistry::writeDocument() {
    const std::string bytes = formatRegText(document_);
    if (bytes == original_ && !setAside_) return true;
    std::string temporary = (file_.parent_path() / ("." + file_.filename().string() + ".XXXXXX"));
    const int fd = ::mkstemp(temporary.data()); // created user-only
    if (fd < 0) return failSave(errno);
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    // The old file is set aside only once the new one is safely on disk.
    if (ok && setAside_) {
        ok = ::rename(file_.c_str(), damagedFile().c_str()) == 0;
        error = errno;
        if (ok) report_.setAside = damagedFile().string();
    }
    if (ok) {
        ok = ::rename(temporary.c_str(), file_.c_str()) == 0;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return failSave(error);
    }
    ::fsync(folderFd_); // makes the renames themselves durable
    return true;
}

void FileRegistry::closeKey() {
    if (writing_) {
        writeDocument(); // a failure is in the report
        unlock();
    }
    key_.clear();
    document_ = RegDocument{};
    original_.clear();
}

void FileRegistry::unlock() {
    if (folderFd_ >= 0) ::close(folderFd_); // closing releases the lock
    folderFd_ = -1;
    writing_ = false;
}

} // namespace kelvaro
