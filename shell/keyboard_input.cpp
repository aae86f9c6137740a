// Keyboards played into Form1 (keyboard_input.h).
#include "shell/keyboard_input.h"

#include "midi/keyboard_watch.h"
#include "midi/keyboards.h"
#include "shell/drawing.h"
#include "shell/form.h"
#include "shell/live_session.h"
#include "shell/window_ids.h"

namespace {

void showChordPlayed(const PitchSet& chord) {
    showPitchSet(chord);
    sessionChordHeld(chord);
}

void showKeyboards() {
    char status[StatusCapacity];
    describeKeyboards(status);
    setText(MidiStatus, status);
}

}  // namespace

void startWatchingKeyboards() {
    startKeyboardWatch(Form1, {ChordSettleTimer, KeyboardScanTimer}, FirstScanDelay, showChordPlayed, showKeyboards);
}

void stopWatchingKeyboards() {
    stopKeyboardWatch();
}
