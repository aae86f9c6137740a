// tonvisor-cli --listen (listen.h).
#include "cli/listen.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "cli/report.h"
#include "midi/held_notes.h"
#include "midi/keyboard_watch.h"
#include "midi/keyboards.h"
#include "platform/headless/headless.h"

namespace {

constexpr UINT_PTR InputTimer = 4;
constexpr UINT InputPeriod = 100;
constexpr UINT FirstScanDelay = 10;
constexpr int BestChordsShown = 3;

struct ListenerRecord {
    EntryResult result;
    ReportBuffer line;
};

ListenerRecord& Listener = *new ListenerRecord;

void printChord() {
    analyseEntry(HeldNotes.chordNotes, Listener.result);
    Listener.result.name = nameChord(Analysis.entry, HeldNotes.chordBass);
    Listener.line.clear();
    writeLineReport(Listener.result, BestChordsShown, Listener.line);
    const std::string_view text = Listener.line.text();
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        PostQuitMessage(1);
}

void printKeyboards() {
    char status[StatusCapacity];
    describeKeyboards(status);
    std::fprintf(stderr, "tonvisor-cli: %s\n", status);
}

constexpr int StillOpen = -1;

// Reads whatever is there without waiting: StillOpen, or the exit status once
// the input has ended (0) or cannot be read (1).
int inputState() {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    while (poll(&input, 1, 0) > 0) {
        if (input.revents & (POLLERR | POLLNVAL)) return 1;
        char ignored[512];
        const ssize_t got = read(STDIN_FILENO, ignored, sizeof ignored);
        if (got == 0) return 0;
        if (got < 0 && errno != EINTR && errno != EAGAIN) return 1;
    }
    return StillOpen;
}

LRESULT CALLBACK listenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handleKeyboardMessage(message, wParam, lParam)) return 0;
    if (message == WM_TIMER && wParam == InputTimer) {
        if (const int state = inputState(); state != StillOpen) {
            if (state != 0) std::fputs("tonvisor-cli: cannot read standard input\n", stderr);
            PostQuitMessage(state);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createListener() {
    WNDCLASSA listenerClass = {};
    listenerClass.lpfnWndProc = listenerProc;
    listenerClass.lpszClassName = "TonvisorListener";
    RegisterClassA(&listenerClass);
    return CreateWindowExA(0, "TonvisorListener", "tonvisor-cli --listen", WS_POPUP, 0, 0, 1, 1, nullptr,
                           nullptr, nullptr, nullptr);
}

}  // namespace

int listenToKeyboards() {
    headless::useRealClock();
    HWND window = createListener();
    resetKeyboardWatch();
    startKeyboardWatch(window, FirstScanDelay, printChord, printKeyboards);
    SetTimer(window, InputTimer, InputPeriod, nullptr);
    std::fputs("tonvisor-cli: listening for MIDI keyboards until interrupted or until standard input ends\n",
               stderr);
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    stopKeyboardWatch();
    return static_cast<int>(message.wParam);
}
