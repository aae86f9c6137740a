// Reads the texts of the running Tonvisor window's controls through the
// system's own calls, for the scripts that run the Windows program under Wine:
// what its fields and its status say, whatever the fonts look like.
//   control_texts.exe ID...   one line per identifier: its text; status 1
//                             when there is no Tonvisor window
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    HWND form = FindWindowA("Tonvisor", "Tonvisor V1.0");
    if (!form) {
        std::fputs("control_texts: no Tonvisor window\n", stderr);
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        char text[256] = "";
        GetDlgItemTextA(form, std::atoi(argv[i]), text, sizeof text);
        std::printf("%s\n", text);
    }
    return 0;
}
