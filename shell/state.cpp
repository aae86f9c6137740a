// The shell's one record and the names into it.
#include "shell/state.h"

ShellRecord Shell = {};
HWND& Form1 = Shell.Form1;
HWND& EnterButton = Shell.EnterButton;
HWND& NoteEntryField = Shell.NoteEntryField;
HWND& RecognisedNotesField = Shell.RecognisedNotesField;
HWND& KeyButton = Shell.KeyButton;
HWND& ChordButton = Shell.ChordButton;
HWND& HelpButton = Shell.HelpButton;
HWND& ChordField = Shell.ChordField;
HWND& SoundBox = Shell.SoundBox;
HWND& MidiStatus = Shell.MidiStatus;
HWND& ListenBox = Shell.ListenBox;
HWND& AudioStatus = Shell.AudioStatus;
HWND& OpenButton = Shell.OpenButton;
HWND& PieceStatus = Shell.PieceStatus;
float& halfScreenWidth = Shell.halfScreenWidth;
float& halfScreenHeight = Shell.halfScreenHeight;
int& modeNumber = Shell.modeNumber;
char (&displayKeyword)[6] = Shell.displayKeyword;
int& enterPending = Shell.enterPending;
char (&currentEntry)[32] = Shell.currentEntry;
int& buttonDown = Shell.buttonDown;
int& clickX = Shell.clickX;
int& clickY = Shell.clickY;
char (&viewerPath)[2048] = Shell.viewerPath;

void resetShell() {
    Shell = ShellRecord{};
}
