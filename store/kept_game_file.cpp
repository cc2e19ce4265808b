#include "store/kept_game_file.h"

#include "store/safe_file.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace kelvaro {

namespace {

// Short, so that a game kept on a termination signal still ends the program within a second
// while another running copy writes its own.
constexpr auto lockPatience = std::chrono::milliseconds(500);

SaveReport failed(const std::filesystem::path& file, int error, std::string reason = {}) {
    return SaveReport{false,
                      reason.empty() ? std::generic_category().message(error) : std::move(reason),
                      file.string(),
                      {}};
}

} // namespace

std::filesystem::path keptGameFilePath() {
    std::filesystem::path base;
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        base = state;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') return {};
        base = std::filesystem::path(home) / ".local" / "state";
    }
    return base / "kelvaro" / "kept-game.json";
}

KeptGameFile::KeptGameFile(std::filesystem::path file) : file_(std::move(file)) {}

KeptGameFile::~KeptGameFile() {
    {
        const std::lock_guard<std::mutex> state(stateMutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (writer_.joinable()) writer_.join();
}

void KeptGameFile::dropWaiting() {
    const std::lock_guard<std::mutex> state(stateMutex_);
    waiting_.reset();
}

SaveReport KeptGameFile::writeSoon(std::string text) {
    SaveReport report{true, {}, file_.string(), {}};
    {
        const std::lock_guard<std::mutex> state(stateMutex_);
        if (!lastFailure_.saved) report = std::exchange(lastFailure_, SaveReport{});
        waiting_ = std::move(text);
        if (!writer_.joinable()) writer_ = std::thread([this] { writeLoop(); });
    }
    wake_.notify_all();
    return report;
}

void KeptGameFile::writeLoop() {
    for (;;) {
        {
            std::unique_lock<std::mutex> state(stateMutex_);
            wake_.wait(state, [this] { return waiting_.has_value() || stopping_; });
            if (!waiting_ && stopping_) return;
        }
        // The file first, then the text: whoever dropped the text before this took the file
        // finds nothing written after it.
        const std::lock_guard<std::mutex> io(ioMutex_);
        std::optional<std::string> text;
        {
            const std::lock_guard<std::mutex> state(stateMutex_);
            text.swap(waiting_);
        }
        if (!text) continue;
        const SaveReport report = writeNow(*text);
        if (!report.saved) {
            const std::lock_guard<std::mutex> state(stateMutex_);
            lastFailure_ = report;
        }
    }
}

KeptRead KeptGameFile::read() {
    // A write still waiting is made first: what is read is the newest text.
    std::optional<std::string> waiting;
    {
        const std::lock_guard<std::mutex> state(stateMutex_);
        waiting.swap(waiting_);
    }
    const std::lock_guard<std::mutex> io(ioMutex_);
    if (waiting) writeNow(*waiting);
    KeptRead kept;
    if (file_.empty()) return kept;
    const FileKind kind = fileKindAt(file_);
    if (kind == FileKind::folder || kind == FileKind::other) {
        kept.state = KeptFileState::notAFile;
        kept.reason = notAFileReason(file_);
        return kept;
    }
    FileRead read = readRegularFile(file_, maxFileBytes);
    switch (read.outcome) {
    case ReadOutcome::missing:
        break;
    case ReadOutcome::ok:
        kept.state = KeptFileState::present;
        kept.text = std::move(read.bytes);
        break;
    case ReadOutcome::failed:
        // Something other than a file that took its place between the look and the read.
        kept.state = read.error == EISDIR || read.error == EINVAL ? KeptFileState::notAFile
                                                                  : KeptFileState::unreadable;
        kept.reason = read.reason;
        break;
    }
    return kept;
}

SaveReport KeptGameFile::write(std::string_view text) {
    dropWaiting();
    const std::lock_guard<std::mutex> io(ioMutex_);
    {
        const std::lock_guard<std::mutex> state(stateMutex_);
        lastFailure_ = SaveReport{};
    }
    return writeNow(text);
}

SaveReport KeptGameFile::writeNow(std::string_view text) {
    if (file_.empty()) return failed(file_, ENOENT); // no home folder to keep it in
    if (!makePrivateFolders(file_.parent_path())) return failed(file_, errno);
    FolderLock lock;
    if (!lock.lock(file_.parent_path(), lockPatience)) return failed(file_, errno);
    // A folder or a device in the file's place is never replaced.
    const FileKind kind = fileKindAt(file_);
    if (kind == FileKind::folder || kind == FileKind::other)
        return failed(file_, EINVAL, notAFileReason(file_));
    if (!replaceFileWhole(file_, text, {}, lock.folderFd())) return failed(file_, errno);
    return SaveReport{true, {}, file_.string(), {}};
}

void KeptGameFile::remove() {
    dropWaiting();
    const std::lock_guard<std::mutex> io(ioMutex_);
    if (file_.empty()) return;
    const FileKind kind = fileKindAt(file_);
    if (kind == FileKind::folder || kind == FileKind::other) return;
    FolderLock lock;
    if (!lock.lock(file_.parent_path(), lockPatience)) return;
    ::unlink(file_.c_str());
}

SaveReport KeptGameFile::setAside() {
    dropWaiting();
    const std::lock_guard<std::mutex> io(ioMutex_);
    if (file_.empty()) return failed(file_, ENOENT);
    FolderLock lock;
    if (!lock.lock(file_.parent_path(), lockPatience)) return failed(file_, errno);
    const std::filesystem::path target = setAsideName(file_);
    if (target.empty()) return failed(file_, EEXIST);
    if (std::rename(file_.c_str(), target.c_str()) != 0) return failed(file_, errno);
    ::fsync(lock.folderFd());
    SaveReport report{true, {}, file_.string(), target.string()};
    return report;
}

} // namespace kelvaro
