// Kernel calls: the module handle, the current directory, file attributes and
// the tick count (the clock that timers run on).
#include "platform/backend.h"
#include "platform/win32.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The program is one module; its handle only has to be non-null and stable.
struct ModuleTag { int unused; } programModule;
}  // namespace

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    if (moduleName != nullptr) return nullptr;
    return reinterpret_cast<HMODULE>(&programModule);
}

// Returns the length without the terminating zero, or when the buffer is too
// small the size it needs including the zero, as Windows does.
DWORD WINAPI GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
    std::string directory(4096, '\0');
    while (getcwd(directory.data(), directory.size()) == nullptr) {
        if (errno != ERANGE) return 0;
        directory.resize(directory.size() * 2);
    }
    directory.resize(std::strlen(directory.c_str()));
    if (buffer == nullptr || directory.size() + 1 > bufferLength)
        return static_cast<DWORD>(directory.size() + 1);
    std::memcpy(buffer, directory.c_str(), directory.size() + 1);
    return static_cast<DWORD>(directory.size());
}

DWORD WINAPI GetFileAttributesA(LPCSTR fileName) {
    struct stat status;
    if (fileName == nullptr || stat(fileName, &status) != 0) return INVALID_FILE_ATTRIBUTES;
    return S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

DWORD WINAPI GetTickCount(void) { return static_cast<DWORD>(backend::milliseconds()); }
