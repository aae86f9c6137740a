// tonvisor-cli --listen (listen.h): a hidden window around the keyboard
// watch, one line printed for each chord played.
#include "cli/listen.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/report.h"
#include "midi/keyboard_watch.h"
#include "midi/keyboards.h"
#include "listening/listen_watch.h"
#include "platform/headless/headless.h"
#include "shell/window_ids.h"

namespace {

constexpr UINT InputPeriod = 100;
constexpr UINT FirstScanDelay = 10;
constexpr int BestChordsShown = 3;

struct ListenerRecord {
    EntryResult result;
    ReportBuffer line;
};

ListenerRecord& Listener = *new ListenerRecord;

void printLine() {
    const std::string_view text = Listener.line.text();
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        PostQuitMessage(1);
}

void printChord(const PitchSet& chord) {
    analysePitches(chord, Listener.result);
    Listener.line.clear();
    writeLineReport(Listener.result, BestChordsShown, Listener.line);
    printLine();
}

void printHeardChord(const PitchSet& chord, double time) {
    analysePitches(chord, Listener.result);
    Listener.line.clear();
    char seconds[32];
    const int length = std::snprintf(seconds, sizeof seconds, "%.2f s | ", time);
    char* at = Listener.line.reserve(length);
    std::memcpy(at, seconds, length);
    Listener.line.commit(at + length);
    writeLineReport(Listener.result, BestChordsShown, Listener.line);
    printLine();
}

void printAudioInput() {
    char status[AudioStatusCapacity];
    describeAudioInput(status);
    std::fprintf(stderr, "tonvisor-cli: %s%s\n", status, listening() ? ", listening" : "");
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
    if (handleKeyboardMessage(message, wParam, lParam) || handleListenMessage(message, wParam, lParam)) return 0;
    if (message == WM_TIMER && wParam == ListenInputTimer) {
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

// The loop until standard input ends or the output fails.
int runListener(HWND window) {
    SetTimer(window, ListenInputTimer, InputPeriod, nullptr);
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return static_cast<int>(message.wParam);
}

}  // namespace

int listenToKeyboards() {
    headless::useRealClock();
    HWND window = createListener();
    resetKeyboardWatch();
    startKeyboardWatch(window, {ChordSettleTimer, KeyboardScanTimer}, FirstScanDelay, printChord, printKeyboards);
    std::fputs("tonvisor-cli: listening for MIDI keyboards until interrupted or until standard input ends\n",
               stderr);
    const int status = runListener(window);
    stopKeyboardWatch();
    return status;
}

// The input is wanted from the start: asking for it is why this runs.
int listenToAudio() {
    headless::useRealClock();
    HWND window = createListener();
    resetListenWatch();
    std::fputs("tonvisor-cli: listening to the audio input until interrupted or until standard input ends\n",
               stderr);
    startListenWatch(window, AudioScanTimer, FirstScanDelay, printHeardChord, printAudioInput);
    wantListening(true);
    const int status = runListener(window);
    stopListenWatch();
    return status;
}
