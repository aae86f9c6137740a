// Reading a C library file at an offset.
#include "audio/file_bytes.h"

#include <cstdio>

size_t readFileAt(void* handle, uint64_t offset, uint8_t* bytes, size_t count) {
    auto* file = static_cast<std::FILE*>(handle);
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return 0;
    return std::fread(bytes, 1, count, file);
}
