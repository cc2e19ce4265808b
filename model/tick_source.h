// The millisecond tick count, as the window system gives it.
#pragma once

#include <cstdint>

namespace kelvaro {

// Ticks wrap at 2^32; callers take differences as unsigned.
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual std::uint32_t tickCount() = 0;
};

} // namespace kelvaro
