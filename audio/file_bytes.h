// Bytes at an offset of a C library file, as the WAV reader asks for them.
#pragma once

#include <cstddef>
#include <cstdint>

// `handle` is a std::FILE*.
size_t readFileAt(void* handle, uint64_t offset, uint8_t* bytes, size_t count);
