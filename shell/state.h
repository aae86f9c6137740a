// The application shell's state: one record for the process, with the names
// the program's routines use for its fields, and its reset. The shell owns
// Form1, its controls and everything a command or a click changes; it hands
// the display what to draw.
#pragma once

#include "analysis/pitch_set.h"
#include "platform/win32.h"

// A window's place in layout units, as handed to its factory.
struct LayoutBox {
    int x, y, width, height;
};

// Form1's controls, created in the order of the layout's control table.
inline constexpr int ControlCount = 13;

struct ShellRecord {
    // Form1 and its controls (layout.cpp).
    HWND Form1, EnterButton, NoteEntryField, RecognisedNotesField, KeyButton, ChordButton, HelpButton;
    HWND ChordField;  // the chord's name
    HWND SoundBox;    // ticked while chords sound; greyed out without a synthesizer
    HWND MidiStatus;  // the keyboards played in
    HWND ListenBox;   // ticked while the audio input is listened to; greyed out without one
    HWND AudioStatus; // the audio input
    HWND OpenButton;   // opens a piece in the piece window
    HWND PieceStatus;  // the piece open there
    HINSTANCE programInstance;
    const char* formClassName;
    int unitX, unitY;                         // pixels per layout unit; set before any window exists
    float halfScreenWidth, halfScreenHeight;  // half the screen size in pixels, taken at the form load
    LayoutBox formLayout[1 + ControlCount];   // Form1 first, then the controls in creation order

    // What the form shows (formproc.cpp, drawing.cpp).
    int modeNumber;          // the arrangement the form painting draws: 1 by key, 2 by chord
    char displayKeyword[6];  // "dispc" arranges the spectrum by chord, anything else by key
    int enterPending;        // 1 once "Enter" was pressed, until the entry is taken in
    char currentEntry[32];   // the last entry typed, from its first non-blank character;
                             // empty once a chord was played in
    bool entered;            // an entry was taken in: text typed, or a chord played
    PitchSet enteredPitches; // its notes, as the spikes show them and "Enter" sounds them

    // A click on the form (formproc.cpp).
    int buttonDown;  // 1 from a press over the form until a release reaches it
    int clickX;      // pixels right of Form1's outer left edge
    int clickY;      // pixels up from Form1's outer bottom edge

    // Help and the recognised notes' colours (readerfile.cpp, formproc.cpp).
    char viewerPath[2048];  // the viewer program; read again at every form painting
    HBRUSH notesBrush;      // the background brush last handed to RecognisedNotesField or ChordField
    HBRUSH statusBrush;     // MidiStatus's background, made at its first request

    // The sound (sounding.cpp).
    bool soundReopening;  // the synthesizer stopped by itself: it is being opened again
    bool soundWantedBack; // the Sound box was ticked when it stopped
};

extern ShellRecord Shell;
extern HWND &Form1, &EnterButton, &NoteEntryField, &RecognisedNotesField, &KeyButton, &ChordButton,
    &HelpButton;
extern HWND &ChordField, &SoundBox, &MidiStatus, &ListenBox, &AudioStatus, &OpenButton, &PieceStatus;
extern float &halfScreenWidth, &halfScreenHeight;
extern int& modeNumber;
extern char (&displayKeyword)[6];
extern int& enterPending;
extern char (&currentEntry)[32];
extern int &buttonDown, &clickX, &clickY;
extern char (&viewerPath)[2048];

// Back to the state at start: no windows, nothing entered, no choice made.
void resetShell();
