#include "store/file_registry.h"

#include "store/reg_value.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
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

FileRegistry::~FileRegistry() {
    if (writing_) unlock(); // an unclosed key is abandoned, not half-saved
}

FileRegistry::ReadResult FileRegistry::readDocument() {
    document_ = RegDocument{};
    original_.clear();
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadResult::missing : ReadResult::failed;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<std::size_t>(info.st_size) <= maxFileBytes;
    char chunk[65536];
    while (ok) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        original_.append(chunk, static_cast<std::size_t>(got));
        ok = original_.size() <= maxFileBytes;
    }
    ::close(fd);
    if (!ok) return ReadResult::failed;
    document_ = parseRegText(original_);
    return ReadResult::ok;
}

bool FileRegistry::openKey(std::string_view keyPath) {
    closeKey();
    if (file_.empty() || readDocument() != ReadResult::ok) return false;
    const std::string key = std::string(rootKey) + std::string(keyPath);
    if (!hasRegKey(document_, key)) return false;
    key_ = key;
    return true;
}

bool FileRegistry::createKey(std::string_view keyPath, std::string_view) {
    closeKey();
    if (file_.empty() || !makeFolders(file_.parent_path())) return false;
    folderFd_ = ::open(file_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) return false;
    const auto deadline = std::chrono::steady_clock::now() + lockPatience;
    while (::flock(folderFd_, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            unlock();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    writing_ = true;
    // Read under the lock, so that values another copy saved a moment ago are kept. A file
    // that exists but cannot be read is never replaced.
    if (readDocument() == ReadResult::failed) {
        unlock();
        return false;
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
    if (bytes == original_) return true;
    std::string temporary = (file_.parent_path() / ("." + file_.filename().string() + ".XXXXXX"));
    const int fd = ::mkstemp(temporary.data()); // created user-only
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), file_.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    ::fsync(folderFd_); // makes the rename itself durable
    return true;
}

void FileRegistry::closeKey() {
    if (writing_) {
        writeDocument();
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
