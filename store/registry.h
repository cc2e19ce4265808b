// The registry operations the settings store needs, and nothing more.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

enum RegistryType : std::uint32_t { regSz = 1, regBinary = 3, regDword = 4 };

// A named value as a registry keeps it: its type and its bytes, uninterpreted.
struct RegValue {
    std::string name; // empty for a key's default value
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

// How the last save ended, so that a failure need not pass unnoticed.
struct SaveReport {
    bool saved = true;
    std::string reason;   // what failed, in the system's words
    std::string location; // where the values are kept, as the player would look for them
    std::string setAside; // where a file that held no settings was moved; empty when none was
};

// One key is open at a time, as the store opens, reads or writes, and closes it.
class Registry {
  public:
    virtual ~Registry() = default;
    // Opens an existing key of the current user for reading.
    virtual bool openKey(std::string_view keyPath) = 0;
    // Creates the key with a class string, or opens it if it exists.
    virtual bool createKey(std::string_view keyPath, std::string_view className) = 0;
    // Reads a value into buffer. room is the buffer's size in, the stored byte count out.
    // Fails, leaving buffer alone, when the value is missing or larger than room.
    virtual bool queryValue(std::string_view name, void* buffer, std::uint32_t& room,
                            std::uint32_t& type) = 0;
    virtual bool setValue(std::string_view name, std::uint32_t type, const void* data,
                          std::uint32_t bytes) = 0;
    virtual void closeKey() = 0;
    // How the last key opened by createKey ended: read after closeKey, or after createKey
    // failed. A registry that cannot fail keeps this answer.
    virtual SaveReport lastSave() const { return {}; }
};

} // namespace kelvaro
