// The program's entry point. The command line may name a piece to open.
#include "platform/win32.h"
#include "shell/application.h"

#include <cfloat>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    // Layout and plot arithmetic relies on the x87's 64-bit significand.
    _controlfp(_PC_64, _MCW_PC);
    return runApplication(GetModuleHandleA(nullptr), commandLine);
}
