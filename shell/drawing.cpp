// The form painting and the analysis run as the window procedure and the form
// load call them: the shell's side around the display's drawing.
#include "shell/drawing.h"

#include <cstring>

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

}  // namespace

void paintform() {
    drawForm(Form1, modeNumber, static_cast<int>(2.0L * halfScreenHeight));
    SetFocus(NoteEntryField);
    readViewerPath();
}

void plotSpectrum() {
    if (enterPending == 1) takeInEntry();
    if (const char* echo = drawSpectrum(currentEntry, displayKeyword)) setText(RecognisedNotesField, echo);
    SetFocus(NoteEntryField);
}
