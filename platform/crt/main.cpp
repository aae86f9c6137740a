// The process entry point on Linux: makes the standard streams safe, then
// hands over to the program's WinMain, the way the Windows start-up code does.
#include "platform/crt/standard_streams.h"
#include "platform/win32.h"

#include <string>

#define SW_SHOWDEFAULT 10

int main(int argc, char** argv) {
    openStandardStreams();
    // Windows passes the command tail without the program name.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
}
