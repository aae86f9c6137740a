// Listening for a window (listen_watch.h).
#include "listening/listen_watch.h"

ListenWatchRecord ListenWatch = {};

namespace {

// Times count from the watch's start, whichever opening of the input heard them.
void heard(const PitchSet& chord, double time) {
    ListenWatch.chordHeard(chord, (ListenWatch.openedAt - ListenWatch.startedAt) / 1000.0 + time);
}

void open() {
    if (!openAudioInput(ListenWatch.window)) return;
    ListenWatch.openedAt = GetTickCount();
    startHearing(ListenWatch.hearing, ListenRate);
}

void close() {
    closeAudioInput();
    stopHearing(ListenWatch.hearing);
}

// A device that has gone, or another default, closes what is open; what is
// wanted and present opens.
void scan() {
    SetTimer(ListenWatch.window, ListenWatch.scanTimer, AudioScanPeriod, nullptr);
    const bool wasOpen = listening();
    const bool changed = scanAudioInput();
    if (AudioInput.input && (changed || !AudioInput.present)) close();
    if (ListenWatch.wanted && !AudioInput.input && AudioInput.present) open();
    if (changed || wasOpen != listening()) ListenWatch.inputChanged();
}

void takeData(HWAVEIN input, WAVEHDR* header) {
    const short* samples = nullptr;
    int count = 0;
    if (!takeAudioBuffer(input, header, &samples, &count)) {
        close();  // stopped: the next scan opens it again once it is back
        ListenWatch.inputChanged();
        return;
    }
    for (int i = 0; i < count; ++i) ListenWatch.block[i] = static_cast<float>(samples[i]) / 32768.0f;
    hearSamples(ListenWatch.hearing, ListenWatch.block, count, heard);
    if (ListenWatch.blockHeard) ListenWatch.blockHeard(ListenWatch.block, count, ListenWatch.hearing.frames);
}

}  // namespace

void resetListenWatch() {
    stopHearing(ListenWatch.hearing);
    ListenWatch.window = nullptr;
    ListenWatch.wanted = false;
    resetAudioInput();
}

void startListenWatch(HWND window, UINT_PTR scanTimer, UINT firstScanDelay, ChordHeard chordHeard,
                      void (*inputChanged)()) {
    ListenWatch.window = window;
    ListenWatch.scanTimer = scanTimer;
    ListenWatch.chordHeard = chordHeard;
    ListenWatch.inputChanged = inputChanged;
    ListenWatch.startedAt = GetTickCount();
    SetTimer(window, scanTimer, firstScanDelay, nullptr);
}

void watchHeardBlocks(BlockHeard blockHeard) { ListenWatch.blockHeard = blockHeard; }

void wantListening(bool on) {
    ListenWatch.wanted = on;
    if (on && !AudioInput.input && AudioInput.present) open();
    if (!on) close();
}

bool listening() { return AudioInput.input != nullptr; }

bool handleListenMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!ListenWatch.window) return false;
    if (message == MM_WIM_DATA)
        takeData(reinterpret_cast<HWAVEIN>(wParam), reinterpret_cast<WAVEHDR*>(lParam));
    else if (message == WM_TIMER && wParam == ListenWatch.scanTimer)
        scan();
    else
        return false;
    return true;
}

void stopListenWatch() {
    if (!ListenWatch.window) return;
    KillTimer(ListenWatch.window, ListenWatch.scanTimer);
    close();
    ListenWatch.window = nullptr;
}
