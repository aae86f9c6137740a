// Handle values of the core: one sequence for every kind, never reused, so a
// stale handle or a handle of the wrong kind never finds an object, and never
// small, so they cannot meet the small integers that Win32 lets stand in for
// handles (system colour brushes, resource ids). midiOutOpen takes one on
// whatever thread it runs, so the sequence is atomic.
#pragma once

#include <atomic>
#include <cstdint>

namespace core {

inline std::uintptr_t nextHandleValue() {
    static std::atomic<std::uintptr_t> next = 0x10000;
    return next += 4;
}

template <typename Handle>
Handle newHandle() {
    return reinterpret_cast<Handle>(nextHandleValue());
}

}  // namespace core
