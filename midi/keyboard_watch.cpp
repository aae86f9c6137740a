// Watching the keyboards for a window (keyboard_watch.h).
#include "midi/keyboard_watch.h"

#include "midi/held_notes.h"
#include "midi/keyboards.h"

KeyboardWatchRecord KeyboardWatch = {};

namespace {

// The rest of the settle time, counted from the last change; a timer
// replaced by the next change starts again from that one.
void awaitSettling(DWORD now) {
    const DWORD waited = now - HeldNotes.lastChange;
    const DWORD rest = waited < settleTime() ? settleTime() - waited : 1;
    SetTimer(KeyboardWatch.window, KeyboardWatch.timers.settle, rest, nullptr);
}

void keepSettling(DWORD now) {
    if (HeldNotes.unsettled)
        awaitSettling(now);
    else
        KillTimer(KeyboardWatch.window, KeyboardWatch.timers.settle);
}

void settle() {
    const DWORD now = GetTickCount();
    if (chordSettled(now)) KeyboardWatch.chordPlayed(HeldNotes.chord);
    keepSettling(now);
}

// A keyboard pulled out lets go of its keys, which is a change to settle too.
void scan() {
    SetTimer(KeyboardWatch.window, KeyboardWatch.timers.scan, KeyboardScanPeriod, nullptr);
    const DWORD now = GetTickCount();
    if (scanKeyboards(KeyboardWatch.window, now)) KeyboardWatch.keyboardsChanged();
    keepSettling(now);
}

void takeData(HMIDIIN input, DWORD message) {
    if (!isKeyboardInput(input)) return;  // queued before its keyboard was closed
    const DWORD now = GetTickCount();
    takeMidiMessage(input, message, now);
    if (HeldNotes.unsettled) awaitSettling(now);
}

}  // namespace

void resetKeyboardWatch() {
    KeyboardWatch = {};
    resetKeyboards();
    resetHeldNotes();
}

void startKeyboardWatch(HWND window, KeyboardWatchTimers timers, UINT firstScanDelay,
                        void (*chordPlayed)(const PitchSet& chord), void (*keyboardsChanged)()) {
    KeyboardWatch = {window, timers, chordPlayed, keyboardsChanged};
    SetTimer(window, timers.scan, firstScanDelay, nullptr);
}

bool handleKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!KeyboardWatch.window) return false;
    if (message == MM_MIM_DATA)
        takeData(reinterpret_cast<HMIDIIN>(wParam), static_cast<DWORD>(lParam));
    else if (message == MM_MIM_CLOSE)
        markKeyboardLost(reinterpret_cast<HMIDIIN>(wParam));  // closed at the next scan
    else if (message == WM_TIMER && wParam == KeyboardWatch.timers.settle)
        settle();
    else if (message == WM_TIMER && wParam == KeyboardWatch.timers.scan)
        scan();
    else
        return false;
    return true;
}

void stopKeyboardWatch() {
    if (!KeyboardWatch.window) return;
    KillTimer(KeyboardWatch.window, KeyboardWatch.timers.scan);
    KillTimer(KeyboardWatch.window, KeyboardWatch.timers.settle);
    closeKeyboards(GetTickCount());
    KeyboardWatch = {};
}
