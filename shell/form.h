// The main window Form1, its six controls and the layout they are placed by.
#pragma once

#include "platform/win32.h"

extern HWND Form1, EnterButton, NoteEntryField, RecognisedNotesField, KeyButton, ChordButton,
    HelpButton;
extern HINSTANCE programInstance;
extern const char* formClassName;

// Pixels per layout unit; set once before any window exists.
extern int unitX, unitY;
// Half the screen size in pixels, taken when the form is loaded.
extern float halfScreenWidth, halfScreenHeight;
// The arrangement the form painting draws: 1 by key, 2 by chord.
extern int modeNumber;

// A window's place in layout units, as handed to its factory.
struct LayoutBox {
    int x, y, width, height;
};
// Form1 first, then the controls in creation order.
extern LayoutBox formLayout[7];

void computeLayout();
void loadForm();

HWND createForm(const char* caption, int x, int y, int width, int height);
HWND createButton(const char* caption, HWND parent, int id, int x, int y, int width, int height);
HWND createEdit(const char* text, HWND parent, int id, int x, int y, int width, int height);
void setText(HWND control, const char* text);
void centreWindow(HWND window);
