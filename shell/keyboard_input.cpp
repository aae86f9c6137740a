// Keyboards played into Form1 (keyboard_input.h).
#include "shell/keyboard_input.h"

#include "midi/held_notes.h"
#include "midi/keyboard_watch.h"
#include "midi/keyboards.h"
#include "shell/drawing.h"
#include "shell/form.h"

namespace {

void enterChordPlayed() {
    enterPlayedNotes(HeldNotes.chordNotes, HeldNotes.chordBass);
}

void showKeyboards() {
    char status[StatusCapacity];
    describeKeyboards(status);
    setText(MidiStatus, status);
}

}  // namespace

void startWatchingKeyboards() {
    startKeyboardWatch(Form1, FirstScanDelay, enterChordPlayed, showKeyboards);
}

void stopWatchingKeyboards() {
    stopKeyboardWatch();
}
