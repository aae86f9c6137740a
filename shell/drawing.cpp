// The form painting and the analysis run as the window procedure and the form
// load call them: the shell's side around the display's drawing.
#include "shell/drawing.h"

#include <cstring>

#include "analysis/naming.h"
#include "display/namebox.h"
#include "display/paint.h"
#include "display/spectrum.h"
#include "shell/form.h"
#include "shell/help.h"

namespace {

// Only blanks are skipped; a tab or anything else starts the kept text.
void keepFromFirstNonBlank(const char* text) {
    const char* start = text;
    while (*start == ' ')
        start++;
    std::strcpy(currentEntry, start);
}

void takeInEntry() {
    enterPending = 0;
    char text[32] = "";
    GetWindowTextA(NoteEntryField, text, sizeof text);
    currentEntry[0] = '\0';
    setText(NoteEntryField, "");
    clearNameBand();
    keepFromFirstNonBlank(text);
    Shell.entered = currentEntry[0] != '\0';
    Shell.enteredPitches = pitchSetOf(parseEntry(currentEntry), NoNote);
}

// The name of the entry just taken in, over its bass: in words where the
// field shows them whole, else the symbol; nothing when the notes name no
// chord.
void showChordName(bool analysed) {
    const ChordName name = analysed ? nameChord(Shell.enteredPitches) : ChordName{};
    setText(ChordField, !name.named ? "" : textFits(ChordField, name.longName) ? name.longName : name.symbol);
}

// The current entry's spectrum and echo; its name too when it was just taken in.
void showEntry(bool takenIn) {
    const char* echo = drawSpectrum(Shell.entered ? &Shell.enteredPitches : nullptr, displayKeyword);
    if (echo) setText(RecognisedNotesField, echo);
    if (takenIn) showChordName(echo != nullptr);
    SetFocus(NoteEntryField);
}

}  // namespace

void paintform() {
    drawForm(Form1, modeNumber, static_cast<int>(2.0L * halfScreenHeight));
    SetFocus(NoteEntryField);
    readViewerPath();
}

void plotSpectrum() {
    const bool takingIn = enterPending == 1;
    if (takingIn) takeInEntry();
    showEntry(takingIn);
}

// Nothing typed is kept: the field is emptied as "Enter" empties it.
void showPitchSet(const PitchSet& set) {
    enterPending = 0;
    currentEntry[0] = '\0';
    setText(NoteEntryField, "");
    clearNameBand();
    Shell.entered = true;
    Shell.enteredPitches = set;
    showEntry(true);
}
