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
    SetTimer(KeyboardWatch.window, ChordSettleTimer, waited < settleTime() ? settleTime() - waited : 1, nullptr);
}

void keepSettling(DWORD now) {
    if (HeldNotes.unsettled)
        awaitSettling(now);
    else
        KillTimer(KeyboardWatch.window, ChordSettleTimer);
}

void settle() {
    const DWORD now = GetTickCount();
    if (chordSettled(now)) KeyboardWatch.chordPlayed();
    keepSettling(now);
}

// A keyboard pulled out lets go of its keys, which is a change to settle too.
void scan() {
    SetTimer(KeyboardWatch.window, KeyboardScanTimer, KeyboardScanPeriod, nullptr);
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

void startKeyboardWatch(HWND window, UINT firstScanDelay, void (*chordPlayed)(), void (*keyboardsChanged)()) {
    KeyboardWatch = {window, chordPlayed, keyboardsChanged};
    SetTimer(window, KeyboardScanTimer, firstScanDelay, nullptr);
}

bool handleKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!KeyboardWatch.window) return false;
    if (message == MM_MIM_DATA)
        takeData(reinterpret_cast<HMIDIIN>(wParam), static_cast<DWORD>(lParam));
    else if (message == MM_MIM_CLOSE)
        markKeyboardLost(reinterpret_cast<HMIDIIN>(wParam));  // closed at the next scan
    else if (message == WM_TIMER && wParam == ChordSettleTimer)
        settle();
    else if (message == WM_TIMER && wParam == KeyboardScanTimer)
        scan();
    else
        return false;
    return true;
}

void stopKeyboardWatch() {
    if (!KeyboardWatch.window) return;
    KillTimer(KeyboardWatch.window, KeyboardScanTimer);
    KillTimer(KeyboardWatch.window, ChordSettleTimer);
    closeKeyboards(GetTickCount());
    KeyboardWatch = {};
}
