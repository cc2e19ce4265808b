#include "store/file_registry.h"

#include "store/reg_value.h"
#include "store/safe_file.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <system_error>

namespace kelvaro {

namespace {

constexpr std::string_view rootKey = "HKEY_CURRENT_USER\\";
// How long a save waits for another running copy to finish its own.
constexpr auto lockPatience = std::chrono::seconds(2);

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

bool FileRegistry::failSave(int error, const std::string& reason) {
    report_.saved = false;
    report_.reason = reason.empty() ? std::generic_category().message(error) : reason;
    return false;
}

FileRegistry::~FileRegistry() {
    if (writing_) unlock(); // an unclosed key is abandoned, not half-saved
}

FileRegistry::ReadResult FileRegistry::readDocument() {
    document_ = RegDocument{};
    original_.clear();
    FileRead read = readRegularFile(file_, maxFileBytes);
    readError_ = read.error;
    readReason_ = read.reason;
    if (read.outcome != ReadOutcome::ok)
        return read.outcome == ReadOutcome::missing ? ReadResult::missing : ReadResult::failed;
    original_ = std::move(read.bytes);
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
    if (!makePrivateFolders(file_.parent_path())) return failSave(errno);
    if (!folderLock_.lock(file_.parent_path(), lockPatience)) return failSave(errno);
    writing_ = true;
    // Read under the lock, so that values another copy saved a moment ago are kept. A file
    // that exists but cannot be read is never replaced.
    if (readDocument() == ReadResult::failed) {
        unlock();
        return failSave(readError_, readReason_);
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
    std::filesystem::path setAsideTo;
    if (setAside_) {
        // Something that is not a file (a folder) may hold the usual name; another is taken.
        setAsideTo = setAsideName(file_);
        if (setAsideTo.empty()) return failSave(EEXIST);
    }
    if (!replaceFileWhole(file_, bytes, setAsideTo, folderLock_.folderFd())) return failSave(errno);
    if (setAside_) report_.setAside = setAsideTo.string();
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
    folderLock_.unlock();
    writing_ = false;
}

} // namespace kelvaro
