// Keyboards played into Form1 (keyboard_input.h). Times come from GetTickCount,
// the clock the timers run on.
#include "shell/keyboard_input.h"

#include "midi/held_notes.h"
#include "midi/keyboards.h"
#include "shell/drawing.h"
#include "shell/form.h"

namespace {

void showKeyboards() {
    char status[StatusCapacity];
    describeKeyboards(status);
    setText(MidiStatus, status);
}

// The rest of the settle time, counted from the last change; a timer
// replaced by the next change starts again from that one.
void awaitSettling(DWORD now) {
    const DWORD waited = now - HeldNotes.lastChange;
    SetTimer(Form1, ChordSettleTimer, waited < settleTime() ? settleTime() - waited : 1, nullptr);
}

void keepSettling(DWORD now) {
    if (HeldNotes.unsettled)
        awaitSettling(now);
    else
        KillTimer(Form1, ChordSettleTimer);
}

void settle() {
    const DWORD now = GetTickCount();
    if (chordSettled(now)) enterPlayedNotes(HeldNotes.chordNotes, HeldNotes.chordBass);
    keepSettling(now);
}

// A keyboard pulled out lets go of its keys, which is a change to settle too.
void scan() {
    SetTimer(Form1, KeyboardScanTimer, KeyboardScanPeriod, nullptr);
    const DWORD now = GetTickCount();
    if (scanKeyboards(Form1, now)) showKeyboards();
    keepSettling(now);
}

void takeData(HMIDIIN input, DWORD message) {
    if (!isKeyboardInput(input)) return;  // queued before its keyboard was closed
    const DWORD now = GetTickCount();
    takeMidiMessage(input, message, now);
    if (HeldNotes.unsettled) awaitSettling(now);
}

}  // namespace

void startWatchingKeyboards() {
    SetTimer(Form1, KeyboardScanTimer, FirstScanDelay, nullptr);
}

bool handleKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_MIM_DATA)
        takeData(reinterpret_cast<HMIDIIN>(wParam), static_cast<DWORD>(lParam));
    else if (message == WM_TIMER && wParam == ChordSettleTimer)
        settle();
    else if (message == WM_TIMER && wParam == KeyboardScanTimer)
        scan();
    else
        return false;
    return true;
}

void stopWatchingKeyboards() {
    KillTimer(Form1, KeyboardScanTimer);
    KillTimer(Form1, ChordSettleTimer);
    closeKeyboards(GetTickCount());
}
