// A registry held in memory: the store's test double, and a stand-in where no file is wanted.
#pragma once

#include "store/registry.h"

#include <string>
#include <vector>

namespace kelvaro {

struct MemoryKey {
    std::string path;
    std::string className;
    std::vector<RegValue> values; // in the order they were first written
};

class MemoryRegistry final : public Registry {
  public:
    bool openKey(std::string_view keyPath) override;
    bool createKey(std::string_view keyPath, std::string_view className) override;
    bool queryValue(std::string_view name, void* buffer, std::uint32_t& room,
                    std::uint32_t& type) override;
    bool setValue(std::string_view name, std::uint32_t type, const void* data,
                  std::uint32_t bytes) override;
    void closeKey() override;

    // Inspection and set-up by tests; names and paths match without regard to ASCII case.
    MemoryKey* findKey(std::string_view keyPath);
    const RegValue* findValue(std::string_view keyPath, std::string_view name);
    void putValue(std::string_view keyPath, RegValue value);

    SaveReport lastSave() const override { return lastSave_; }

    std::vector<MemoryKey> keys;
    bool refuseCreate = false; // createKey fails, as a registry without room or rights would
    // When not empty, every save fails with this reason, as on a full disk: the key opens,
    // but nothing written reaches it.
    std::string writeFailure;
    int openCount = 0; // keys currently open: 0 or 1 in correct use

  private:
    MemoryKey* open_ = nullptr;
    bool writable_ = false;
    SaveReport lastSave_;
};

} // namespace kelvaro
