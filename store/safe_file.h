// The file work shared by everything the game keeps on disk: a file is read only when it is a
// regular file (never a pipe or a device, which would hold the program up in open), and it is
// replaced whole, through a temporary file flushed to disk and renamed over it, under a lock
// on its folder, so that a failed save never leaves half a file.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kelvaro {

// What stands at a path, following a link to its end.
enum class FileKind { missing, regular, folder, other, unknown };

FileKind fileKindAt(const std::filesystem::path& path);

// The system's words for a file that is not one to read or replace: a folder, a pipe, a device.
std::string notAFileReason(const std::filesystem::path& path);

// Creates each missing folder of the path, user-only; false (errno set) when something other
// than a folder stands in the way.
bool makePrivateFolders(const std::filesystem::path& folder);

enum class ReadOutcome { ok, missing, failed };

struct FileRead {
    ReadOutcome outcome = ReadOutcome::missing;
    std::string bytes;
    std::string reason; // why it failed, in the system's words
    int error = 0;      // errno of the failure; 0 for ok and missing
};

// Reads a regular file (or a link to one) of at most maxBytes. Anything else at the path is not
// opened at all; it fails with its reason.
FileRead readRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

// An exclusive lock on a folder, held while its object lives; another running copy waits for
// it up to its own patience.
class FolderLock {
  public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False, errno set, when the folder cannot be opened or stays locked past `patience`.
    bool lock(const std::filesystem::path& folder, std::chrono::milliseconds patience);
    void unlock();
    bool held() const { return fd_ >= 0; }
    int folderFd() const { return fd_; }

  private:
    int fd_ = -1;
};

// Writes bytes to a temporary file beside `file`, flushes it, then (when setAsideTo is not
// empty) renames the old file there, then renames the temporary file over `file` and flushes
// the folder. On failure the temporary file is removed, `file` is as it was, and errno says
// why. The caller holds the folder's lock.
bool replaceFileWhole(const std::filesystem::path& file, std::string_view bytes,
                      const std::filesystem::path& setAsideTo, int folderFd);

// The name a file that cannot be used is moved to: "<file>.damaged", replacing an older one
// that is a regular file; when something else holds that name (a folder), the first of
// "<file>.damaged.1" to ".9" that is free or a regular file. Empty when all of them are taken.
std::filesystem::path setAsideName(const std::filesystem::path& file);

} // namespace kelvaro
