// Kernel calls: the module handle, the current directory, file attributes and
// the tick count (the clock that timers run on).
//
// Windows reports FILE_ATTRIBUTE_DEVICE for its devices, never for an ordinary
// file name. Here it marks an entry that could keep whoever opens or reads it
// waiting: a named pipe, a socket, and every device but the kernel's memory
// devices (null, zero, full, random, urandom), which answer at once and count
// as normal files. Limits: other devices that would answer at once (a disk)
// are reported as devices too, since telling would take opening them, which
// for some has effects of its own (a tape rewinds, a serial line hangs up).
#include "platform/seam/backend.h"
#include "platform/win32.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

namespace {

bool answersAtOnce(const struct stat& status) {
    if (S_ISREG(status.st_mode)) return true;
    if (!S_ISCHR(status.st_mode) || major(status.st_rdev) != 1) return false;
    switch (minor(status.st_rdev)) {
        case 3: case 5: case 7: case 8: case 9:  // null, zero, full, random, urandom
            return true;
        default:
            return false;
    }
}

}  // namespace

DWORD WINAPI GetFileAttributesA(LPCSTR fileName) {
    struct stat status;
    if (fileName == nullptr || stat(fileName, &status) != 0) return INVALID_FILE_ATTRIBUTES;
    if (S_ISDIR(status.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
    return answersAtOnce(status) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_DEVICE;
}

DWORD WINAPI GetTickCount(void) { return static_cast<DWORD>(backend::milliseconds()); }
