// The main window's side of whole pieces: the piece window started with what
// it asks of the main window (the moment's notes shown as if typed, the
// synthesizer, the status naming the piece), and pieces opened from the Open
// button, the command line and files dropped on Form1.
#pragma once

#include "platform/win32.h"

// Before the form: the piece window's class, and its host.
void preparePieces();
// Form1 takes dropped files; a file named on the command line opens.
void startPieces(const char* commandLine);
// "Open": the open dialog, then the file chosen.
void choosePiece();
// WM_DROPFILES on Form1.
void openDroppedPiece(HDROP drop);
