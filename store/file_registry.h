// The registry kept as a registry-export text file in the user's configuration folder.
#pragma once

#include "store/reg_text.h"
#include "store/registry.h"
#include "store/safe_file.h"

#include <filesystem>
#include <string>

namespace kelvaro {

// $XDG_CONFIG_HOME/kelvaro/kelvaro.reg, or ~/.config/kelvaro/kelvaro.reg when that variable
// is unset, empty or not an absolute path. Empty when no home folder is known either.
std::filesystem::path settingsFilePath();

// Keys live under [HKEY_CURRENT_USER\...] sections of one file. Reading takes the file as it
// is. Creating a key locks the folder (the lock survives the file being replaced), reads the
// file afresh, and closing the key writes a temporary file beside it, flushes it to disk and
// renames it over the old one, so another running copy never loses its values and a failed
// save leaves the previous file whole. The class string has no place in the file format.
//
// A file that is not a registry export (no export header) is not read from; the next save
// moves it whole to kelvaro.reg.damaged beside it, replacing an older one (or, should a folder
// hold that name, to the first free kelvaro.reg.damaged.N), and writes a fresh file. lastSave
// tells where it went, and why a save failed. Only a regular file (or a link to one) is ever
// opened: a pipe or a device in its place fails the read and every save, and is left alone.
class FileRegistry final : public Registry {
  public:
    explicit FileRegistry(std::filesystem::path file = settingsFilePath());
    ~FileRegistry() override;
    FileRegistry(const FileRegistry&) = delete;
    FileRegistry& operator=(const FileRegistry&) = delete;

    bool openKey(std::string_view keyPath) override;
    bool createKey(std::string_view keyPath, std::string_view className) override;
    bool queryValue(std::string_view name, void* buffer, std::uint32_t& room,
                    std::uint32_t& type) override;
    bool setValue(std::string_view name, std::uint32_t type, const void* data,
                  std::uint32_t bytes) override;
    void closeKey() override;
    SaveReport lastSave() const override { return report_; }

    // Files larger than this are not ours to read or to replace.
    static constexpr std::size_t maxFileBytes = 4 * 1024 * 1024;

    // Where a file that is not a settings file is moved, unless a folder holds the name.
    std::filesystem::path damagedFile() const;

  private:
    enum class ReadResult { ok, missing, failed };
    ReadResult readDocument();
    bool writeDocument();
    void unlock();
    bool failSave(int error, const std::string& reason = {});

    std::filesystem::path file_;
    RegDocument document_;
    std::string original_; // the bytes read, to skip writing when nothing changed
    std::string key_;      // full path of the open key; empty when none is open
    bool writing_ = false;
    bool setAside_ = false; // the file read under the lock is not a settings file
    int readError_ = 0;     // why the last read failed
    std::string readReason_;
    FolderLock folderLock_; // held while a key is open for writing
    SaveReport report_;
};

} // namespace kelvaro
