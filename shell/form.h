// The main window Form1 and its controls: their identifiers, the layout they
// are placed by, and the factories that make them.
#pragma once

#include "platform/win32.h"
#include "shell/state.h"

// A control's identifier; a click on a button reaches formProc as WM_COMMAND with it.
inline constexpr int EnterButtonId = 101;
inline constexpr int NoteEntryFieldId = 102;
inline constexpr int RecognisedNotesFieldId = 103;
inline constexpr int KeyButtonId = 104;
inline constexpr int ChordButtonId = 105;
inline constexpr int HelpButtonId = 106;
inline constexpr int ChordFieldId = 107;
inline constexpr int SoundBoxId = 108;
inline constexpr int MidiStatusId = 109;
inline constexpr int ListenBoxId = 110;
inline constexpr int AudioStatusId = 111;
inline constexpr int OpenButtonId = 112;
inline constexpr int PieceStatusId = 113;

// Half the screen size, and from it every window's place in Shell.formLayout.
void computeLayout();
// Lays out, creates, centres, shows and paints Form1 with its controls.
void loadForm();
// Form1's control number i (0 to ControlCount - 1) in creation order.
HWND formControl(int i);

HWND createForm(const char* caption, int x, int y, int width, int height);
HWND createButton(const char* caption, HWND parent, int id, int x, int y, int width, int height);
HWND createEdit(const char* text, HWND parent, int id, int x, int y, int width, int height);
HWND createReadOnlyEdit(const char* text, HWND parent, int id, int x, int y, int width, int height);
// A line of text, cut with "..." where it is too long.
HWND createStatic(const char* text, HWND parent, int id, int x, int y, int width, int height);
HWND createCheckBox(const char* caption, HWND parent, int id, int x, int y, int width, int height);
void setText(HWND control, const char* text);
// Whether an edit field shows the whole text, in its own font.
bool textFits(HWND edit, const char* text);
void centreWindow(HWND window);
