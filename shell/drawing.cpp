// The form painting and the analysis run as the window procedure and the form
// load call them: the shell's side around the display's drawing.
#include "shell/drawing.h"

#include <cstring>
#include <utility>

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
}

// The name of the entry just taken in, over a played chord's lowest key or
// else the first note typed: in words where the field shows them whole,
// else the symbol; nothing when the notes name no chord.
void showChordName(bool analysed) {
    const int bass = std::exchange(Shell.playedBass, -1);
    const ChordName name = analysed ? nameChord(Analysis.entry, bass) : ChordName{};
    setText(ChordField, !name.named ? "" : textFits(ChordField, name.longName) ? name.longName : name.symbol);
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
    const char* echo = drawSpectrum(currentEntry, displayKeyword);
    if (echo) setText(RecognisedNotesField, echo);
    if (takingIn) showChordName(echo != nullptr);
    SetFocus(NoteEntryField);
}

void enterPlayedNotes(const char* notes, int lowestKey) {
    setText(NoteEntryField, notes);
    Shell.playedBass = lowestKey;
    enterPending = 1;
    plotSpectrum();
}
