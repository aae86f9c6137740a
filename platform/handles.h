// Handle values of the core: never reused, so a stale handle can never reach
// a newer object, and never small, so they cannot meet the small integers that
// Win32 lets stand in for handles (system colour brushes, resource ids).
#pragma once

#include <cstdint>

namespace core {

template <typename Handle>
Handle newHandle() {
    static std::uintptr_t next = 0x10000;
    next += 4;
    return reinterpret_cast<Handle>(next);
}

}  // namespace core
