#include "store/memory_registry.h"

#include "store/reg_text.h"
#include "store/reg_value.h"

namespace kelvaro {

MemoryKey* MemoryRegistry::findKey(std::string_view keyPath) {
    for (MemoryKey& key : keys) {
        if (equalNoCase(key.path, keyPath)) return &key;
    }
    return nullptr;
}

const RegValue* MemoryRegistry::findValue(std::string_view keyPath, std::string_view name) {
    MemoryKey* key = findKey(keyPath);
    if (key == nullptr) return nullptr;
    for (const RegValue& value : key->values) {
        if (equalNoCase(value.name, name)) return &value;
    }
    return nullptr;
}

void MemoryRegistry::putValue(std::string_view keyPath, RegValue value) {
    MemoryKey* key = findKey(keyPath);
    if (key == nullptr) {
        keys.push_back(MemoryKey{std::string(keyPath), {}, {}});
        key = &keys.back();
    }
    for (RegValue& existing : key->values) {
        if (equalNoCase(existing.name, value.name)) {
            existing.type = value.type;
            existing.data = std::move(value.data);
            return;
        }
    }
    key->values.push_back(std::move(value));
}

bool MemoryRegistry::openKey(std::string_view keyPath) {
    open_ = findKey(keyPath);
    writable_ = false;
    if (open_ != nullptr) ++openCount;
    return open_ != nullptr;
}

bool MemoryRegistry::createKey(std::string_view keyPath, std::string_view className) {
    lastSave_ = SaveReport{true, {}, std::string(keyPath), {}};
    if (refuseCreate) {
        lastSave_.saved = false;
        lastSave_.reason = "the key cannot be created";
        return false;
    }
    open_ = findKey(keyPath);
    if (open_ == nullptr) {
        keys.push_back(MemoryKey{std::string(keyPath), std::string(className), {}});
        open_ = &keys.back();
    }
    writable_ = true;
    ++openCount;
    return true;
}

bool MemoryRegistry::queryValue(std::string_view name, void* buffer, std::uint32_t& room,
                                std::uint32_t& type) {
    if (open_ == nullptr) return false;
    for (const RegValue& value : open_->values) {
        if (equalNoCase(value.name, name)) return copyRegValueOut(&value, buffer, room, type);
    }
    return false;
}

bool MemoryRegistry::setValue(std::string_view name, std::uint32_t type, const void* data,
                              std::uint32_t bytes) {
    if (open_ == nullptr || !writable_ || !writeFailure.empty()) return false;
    putValue(open_->path, regValueFrom(name, type, data, bytes));
    return true;
}

void MemoryRegistry::closeKey() {
    if (writable_ && !writeFailure.empty()) {
        lastSave_.saved = false;
        lastSave_.reason = writeFailure;
    }
    if (open_ != nullptr) --openCount;
    open_ = nullptr;
    writable_ = false;
}

} // namespace kelvaro
