// The Help command: the viewer opens the document under the current directory.
#include "shell/help.h"

#include "platform/win32.h"

#include <cstring>

namespace {

const char helpDocument[] = "\\document\\Tonvisor.htm";

}  // namespace

// The directory and the document path are joined as they are: a drive root,
// which already ends in a backslash, gives two in a row. A directory that does
// not fit the limit would name no document, so nothing is launched.
void launchHelp() {
    char directory[1024] = {};
    char helpParameters[2048] = {};
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    if (length >= sizeof directory) return;
    std::strcpy(helpParameters, directory);
    std::strcat(helpParameters, helpDocument);
    ShellExecuteA(nullptr, "open", viewerPath, helpParameters, nullptr, SW_SHOWNORMAL);
}
