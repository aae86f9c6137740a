// A small Win32 program for the MIDI input's end-to-end test, on the GTK
// backend: it looks for one input device by name every 50 ms with a window
// timer, opens it with CALLBACK_WINDOW and starts it when it appears, and
// closes it when it has gone or was lost (an MM_MIM_CLOSE for the input
// still open: its keyboard quit). What its window receives goes to standard
// output, one line each, by meaning rather than bytes:
//   open | close | on NOTE | off NOTE | controller NUMBER VALUE
// (a note-on with velocity 0 is "off"). After the device has gone twice it
// exits 0; with a message from another input or a failed call, 1.
//   midi_probe DEVICE
#include "platform/win32.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr UINT_PTR scanTimer = 1;
const char* wanted;
HMIDIIN input;
int departures;

void say(const char* format, int a = 0, int b = 0) {
    std::printf(format, a, b);
    std::putchar('\n');
    std::fflush(stdout);
}

// The device's id in the list, or -1 while it is not there.
int findDevice() {
    const UINT count = midiInGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        MIDIINCAPSA caps;
        if (midiInGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR && std::strcmp(caps.szPname, wanted) == 0)
            return static_cast<int>(id);
    }
    return -1;
}

// Opens the device when it appears, closes it when it has gone.
void scan(HWND window) {
    const int id = findDevice();
    if (id >= 0 && !input) {
        if (midiInOpen(&input, static_cast<UINT>(id), reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW) !=
                MMSYSERR_NOERROR ||
            midiInStart(input) != MMSYSERR_NOERROR)
            PostQuitMessage(1);
    } else if (id < 0 && input) {
        if (midiInClose(input) != MMSYSERR_NOERROR) PostQuitMessage(1);
        input = nullptr;
    }
}

void report(DWORD message) {
    const int status = message & 0xF0, first = (message >> 8) & 0x7F, second = (message >> 16) & 0x7F;
    if (status == 0x90 && second > 0)
        say("on %d", first);
    else if (status == 0x80 || status == 0x90)
        say("off %d", first);
    else if (status == 0xB0)
        say("controller %d %d", first, second);
}

LRESULT CALLBACK probeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool ours = reinterpret_cast<HMIDIIN>(wParam) == input;
    switch (message) {
        case WM_TIMER:
            scan(window);
            return 0;
        case MM_MIM_OPEN:
            say("open");
            return 0;
        case MM_MIM_DATA:
            if (!ours) PostQuitMessage(1);
            report(static_cast<DWORD>(lParam));
            return 0;
        case MM_MIM_CLOSE:
            if (ours && input) {  // lost while open: closed here, which tells of the close
                if (midiInClose(input) != MMSYSERR_NOERROR) PostQuitMessage(1);
                input = nullptr;
                return 0;
            }
            say("close");
            if (++departures == 2) PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    wanted = commandLine;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = probeProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "MidiProbe";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "MidiProbe", "MIDI probe", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                  instance, nullptr);
    SetTimer(window, scanTimer, 50, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) DispatchMessageA(&message);
    return static_cast<int>(message.wParam);
}
