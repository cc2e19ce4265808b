// The two halves of the registry interface every Registry implementation shares: copying a
// stored value out to the caller's buffer, and taking the caller's bytes in as a value.
#pragma once

#include "store/registry.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kelvaro {

// Fails, leaving buffer alone, when there is no value or it is larger than room.
inline bool copyRegValueOut(const RegValue* value, void* buffer, std::uint32_t& room,
                            std::uint32_t& type) {
    if (value == nullptr || value->data.size() > room) return false;
    if (!value->data.empty()) std::memcpy(buffer, value->data.data(), value->data.size());
    room = static_cast<std::uint32_t>(value->data.size());
    type = value->type;
    return true;
}

inline RegValue regValueFrom(std::string_view name, std::uint32_t type, const void* data,
                             std::uint32_t bytes) {
    const auto* first = static_cast<const std::uint8_t*>(data);
    return RegValue{std::string(name), type, {first, first + bytes}};
}

} // namespace kelvaro
